#include "MessageBoxWin.h"

#include "FrameWnd.h"
#include "MessageBox.h"
#include "Win32Api.h"
#include "WinApp.h"
#include "WinSystem.h"
#include "WndWin.h"

namespace curvix {

int AfxMessageBox(const std::string& text, UINT nType) {
    const CWinApp* app = AfxGetApp();
    const ::HWND owner =
        AfxMessageBoxOwner(app != nullptr ? AfxWin32Hwnd(app->m_pMainWnd) : nullptr);
    const std::wstring caption = AfxMessageBoxCaption();
    return MessageBoxW(owner, WideFromUtf8(text).c_str(), caption.c_str(),
                       AfxMessageBoxStyle(nType, owner != nullptr));
}

} // namespace curvix
