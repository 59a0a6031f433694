#include "MessageBoxWin.h"
#include "ResourceTable.h"
#include "Win32Api.h"
#include "WinSystem.h"

#include <vector>

namespace curvix {

std::wstring AfxMessageBoxCaption() {
    const std::string title = AfxLoadString(AFX_IDS_APP_TITLE);
    if (!title.empty())
        return WideFromUtf8(title);
    // The longest path the system has, with its terminating zero.
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring name(path.data(), length);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

UINT AfxMessageBoxStyle(UINT nType, bool hasOwner) {
    return (nType & ~(MB_DEFMASK | MB_MODEMASK)) | MB_DEFBUTTON1 |
           (hasOwner ? MB_APPLMODAL : MB_TASKMODAL);
}

::HWND AfxMessageBoxOwner(::HWND mainWindow) {
    return mainWindow != nullptr && IsWindowVisible(mainWindow) ? mainWindow : nullptr;
}

} // namespace curvix
