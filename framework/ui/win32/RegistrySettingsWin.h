#pragma once

#include "Win32Api.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Settings kept under one registry key of HKEY_CURRENT_USER: a section is a
// subkey ("a\b" one below another, "" the key itself), strings are REG_SZ
// and integers REG_DWORD. The key is read once at construction; changes
// stay here until Flush.

namespace curvix {

// The calls that change the registry, so that a test can make one of them
// fail. The system's own is the default.
class CRegistryWriter {
public:
    virtual ~CRegistryWriter() = default;
    // Opens or creates subKey below parent for reading and writing;
    // disposition is REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
    virtual LSTATUS CreateKey(HKEY parent, const wchar_t* subKey, HKEY* key,
                              DWORD* disposition) = 0;
    virtual LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data,
                             DWORD size) = 0;
    // subKey with everything below it; null for what is below key.
    virtual LSTATUS DeleteTree(HKEY key, const wchar_t* subKey) = 0;
    virtual LSTATUS DeleteValue(HKEY key, const wchar_t* name) = 0;
};

CRegistryWriter& AfxSystemRegistryWriter();

// Registry names compare without regard to case, as the registry's do.
struct RegistryNameLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};

class CRegistrySettings {
public:
    // keyPath is below HKEY_CURRENT_USER, its parts separated by '\'.
    explicit CRegistrySettings(const std::string& keyPath,
                               CRegistryWriter& writer = AfxSystemRegistryWriter());
    ~CRegistrySettings();
    CRegistrySettings(const CRegistrySettings&) = delete;
    CRegistrySettings& operator=(const CRegistrySettings&) = delete;

    // A value of another type reads as the fallback.
    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& fallback) const;
    int GetInt(const std::string& section, const std::string& entry, int fallback) const;
    void WriteString(const std::string& section, const std::string& entry,
                     const std::string& value);
    void WriteInt(const std::string& section, const std::string& entry, int value);
    // The section's subkey goes at Flush, with everything below it.
    void RemoveSection(const std::string& section);

    // Writes the changes: removed sections first, then the values written
    // since. False when one step fails; what was already changed is then
    // put back, and the changes stay here for another Flush.
    bool Flush();
    // The system's words for the failure and the step that met it.
    const std::string& GetFlushError() const { return m_flushError; }
    // "HKEY_CURRENT_USER\" and the key's path.
    std::string GetKeyName() const;

private:
    struct Value {
        DWORD type = REG_NONE; // REG_SZ or REG_DWORD
        std::wstring text;
        DWORD number = 0;
    };
    using Entries = std::map<std::wstring, Value, RegistryNameLess>;
    using Sections = std::map<std::wstring, Entries, RegistryNameLess>;
    struct Failure;
    class Transaction;

    const Value* Find(const std::string& section, const std::string& entry) const;
    void Write(const std::string& section, const std::string& entry, Value value);
    Failure Apply(Transaction& transaction) const;

    std::wstring m_keyPath;
    CRegistryWriter& m_writer;
    // The settings as reading sees them: the key as read, with the changes.
    Sections m_sections;
    // What Flush has still to do, in this order.
    std::vector<std::wstring> m_removedSections;
    Sections m_writtenSections;
    std::string m_flushError;
};

// A registry status in the system's words, without the line end (or the
// full stop) that ends them.
std::string AfxRegistryErrorText(LSTATUS status);

} // namespace curvix
