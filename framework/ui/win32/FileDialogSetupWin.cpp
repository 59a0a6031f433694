#include "FileDialogSetupWin.h"

#include "Win32Api.h"
#include "WinSystem.h"

#include <algorithm>

namespace curvix {

namespace {

// Room for the longest path the system has, with its terminating zero: a
// single name never meets FNERR_BUFFERTOOSMALL.
constexpr std::size_t kNameRoom = 32768;

std::wstring WithoutDot(const std::string& extension) {
    return WideFromUtf8(!extension.empty() && extension.front() == '.' ? extension.substr(1)
                                                                       : extension);
}

} // namespace

std::wstring AfxFileDialogFilter(const std::string& filterName,
                                 const std::string& filterExtension) {
    std::wstring filter;
    const std::wstring extension = WithoutDot(filterExtension);
    if (!filterName.empty() && !extension.empty()) {
        filter += WideFromUtf8(filterName);
        filter += L'\0';
        filter += L"*." + extension;
        filter += L'\0';
    }
    filter += L"All Files (*.*)";
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    filter += L'\0';
    return filter;
}

CFileDialogSetup::CFileDialogSetup(FileDialogKind kind, ::HWND owner, const std::string& filterName,
                                   const std::string& filterExtension, const std::string& initial)
    : m_title(kind == FileDialogKind::open ? L"Open" : L"Save As"),
      m_filter(AfxFileDialogFilter(filterName, filterExtension)),
      m_defaultExtension(WithoutDot(filterExtension)) {
    const std::wstring initialName = WideFromUtf8(initial);
    m_name.assign(std::max(kNameRoom, initialName.size() + 1), L'\0');
    std::copy(initialName.begin(), initialName.end(), m_name.begin());

    m_dialog.lStructSize = sizeof m_dialog;
    m_dialog.hwndOwner = owner;
    m_dialog.lpstrFilter = m_filter.c_str();
    m_dialog.nFilterIndex = 1;
    m_dialog.lpstrFile = m_name.data();
    m_dialog.nMaxFile = static_cast<DWORD>(m_name.size());
    m_dialog.lpstrTitle = m_title.c_str();
    // The program has no read-only documents: no box to ask for one.
    m_dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (kind == FileDialogKind::open) {
        m_dialog.Flags |= OFN_FILEMUSTEXIST;
    } else {
        m_dialog.Flags |= OFN_OVERWRITEPROMPT;
        m_dialog.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    }
}

std::string CFileDialogSetup::ChosenName() const {
    return Utf8FromWide(std::wstring(m_name.data()));
}

} // namespace curvix
