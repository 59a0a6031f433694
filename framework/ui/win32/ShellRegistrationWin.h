#pragma once

#include "RegistrySettingsWin.h"
#include "Win32Api.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// How Windows' shell learns of a document type: keys below
// HKEY_CLASSES_ROOT for the type (its name, icon and the commands that open
// and print a document) and for its extension.

namespace curvix {

// The document string's fields the shell registration reads.
struct CShellDocumentType {
    std::wstring fileTypeId;   // "Curvix.Document", the type's key
    std::wstring fileTypeName; // "Curvix Function", its name in the shell
    std::wstring filterExt;    // ".cvx"; none registered when empty
};

// One key with the string values written into it.
struct CShellRegistryKey {
    std::wstring path; // below the classes root
    std::optional<std::wstring> defaultValue;
    std::vector<std::pair<std::wstring, std::wstring>> namedValues;
};

// The type's keys in the order they are written: the type with its name,
// DefaultIcon ("PROGRAM,INDEX"), and the open, print and print-to commands
// running program, which is put in quotes there when it has a blank.
std::vector<CShellRegistryKey> ShellDocumentTypeKeys(const CShellDocumentType& type,
                                                     const std::wstring& program, int iconIndex);
// The extension's keys: the extension naming the type, and ShellNew with an
// empty NullFile, so that the shell's New menu makes empty documents.
std::vector<CShellRegistryKey> ShellExtensionKeys(const CShellDocumentType& type);
// The extension is claimed only from nobody: no key or value, an empty one,
// or already the type (compared as the registry compares key names).
bool MayClaimExtension(const std::optional<std::wstring>& current, const std::wstring& typeId);

struct CShellRegistrationResult {
    int keysChanged = 0;   // keys made or given another value
    bool complete = false; // false when a key could not be written
};

// Writes the type's keys below classes, then the extension's when it may be
// claimed, each value only when it differs from what is there. At the first
// key that cannot be written, the rest are skipped; nothing is reported.
CShellRegistrationResult RegisterShellDocumentType(HKEY classes, const CShellDocumentType& type,
                                                   const std::wstring& program, int iconIndex,
                                                   CRegistryWriter& writer);
// Removes the type's key with all below it and, when the extension names
// the type, its default value and ShellNew key, and the extension's key
// when nothing else is left in it. Another program's extension stays.
void UnregisterShellDocumentType(HKEY classes, const CShellDocumentType& type,
                                 CRegistryWriter& writer);

// The path's short (8.3) form, which has no blanks; the path itself on a
// volume without short names.
std::wstring AfxShortPath(const std::wstring& path);
// 1 when the module's second icon (the document's) can be extracted, else 0.
int AfxDocumentIconIndex(const std::wstring& modulePath);
std::wstring AfxModulePath();

// Tells the shell that associations changed, so that it shows new icons.
void AfxNotifyAssociationsChanged();

// Removes HKEY_CURRENT_USER\Software\<organisation>\<application> with all
// below it, and Software\<organisation> when it has no other subkeys.
void AfxRemoveSettingsKey(const std::wstring& organisation, const std::wstring& application);

} // namespace curvix
