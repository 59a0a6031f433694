#pragma once

#include "Win32Api.h"

#include <string>
#include <vector>

// The Open and Save As dialogs' set-up, apart from showing them.

namespace curvix {

// GetOpenFileNameW's filter: the document's type (when it has a name and
// an extension), then every file; each a name and a pattern ending in a
// zero, the list ending in one more:
// "Curvix Files (*.cvx)\0*.cvx\0All Files (*.*)\0*.*\0\0".
std::wstring AfxFileDialogFilter(const std::string& filterName, const std::string& filterExtension);

enum class FileDialogKind { open, saveAs };

// OPENFILENAMEW for one file: "Open" for an existing file, or "Save As",
// which asks before replacing one and appends the document's extension to
// a name typed without one. The structure points into this object, which
// therefore stays where it is made.
class CFileDialogSetup {
public:
    CFileDialogSetup(FileDialogKind kind, ::HWND owner, const std::string& filterName,
                     const std::string& filterExtension, const std::string& initial);
    CFileDialogSetup(const CFileDialogSetup&) = delete;
    CFileDialogSetup& operator=(const CFileDialogSetup&) = delete;

    OPENFILENAMEW& Get() { return m_dialog; }
    const OPENFILENAMEW& Get() const { return m_dialog; }
    // The name the dialog left in its buffer, as UTF-8.
    std::string ChosenName() const;

private:
    std::wstring m_title;
    std::wstring m_filter;
    std::wstring m_defaultExtension;
    std::vector<wchar_t> m_name;
    OPENFILENAMEW m_dialog{};
};

} // namespace curvix
