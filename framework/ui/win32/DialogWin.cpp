#include "Dialog.h"
#include "WndWin.h"

// A modal dialog from the dialog template in the program's resources.

namespace curvix {

namespace {

// Centred on the owner, or on the screen without one, and kept on the
// owner's monitor's work area.
void CentreOnOwner(::HWND dialog, ::HWND owner) {
    RECT box{};
    GetWindowRect(dialog, &box);
    RECT around{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST),
                    &monitor);
    if (owner == nullptr || !IsWindowVisible(owner) || !GetWindowRect(owner, &around))
        around = monitor.rcWork;
    const int cx = box.right - box.left;
    const int cy = box.bottom - box.top;
    int x = around.left + (around.right - around.left - cx) / 2;
    int y = around.top + (around.bottom - around.top - cy) / 2;
    const RECT& work = monitor.rcWork;
    x = std::max<int>(work.left, std::min<int>(x, work.right - cx));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - cy));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct DialogStart {
    CDialog* dialog;
    HWND* handle; // the object's window handle
    ::HWND owner;
};

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

static INT_PTR CALLBACK DialogProc(::HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* start = reinterpret_cast<const DialogStart*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(start->dialog));
        *start->handle = AfxHwnd(dialog);
        CentreOnOwner(dialog, start->owner);
        return 1;
    }
    auto* owner = reinterpret_cast<CDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (owner == nullptr || message != WM_COMMAND)
        return 0;
    // OK; Cancel, Esc and the close box all come as IDCANCEL.
    if (LOWORD(wParam) == IDOK) {
        owner->OnOK();
        return 1;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        owner->OnCancel();
        return 1;
    }
    return 0;
}

int CDialog::DoModal() {
    ::HWND owner = AfxWin32Hwnd(m_pParentWnd);
    DialogStart start{this, &m_hWnd, owner};
    const INT_PTR result = DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                           owner, DialogProc, reinterpret_cast<LPARAM>(&start));
    // The dialog manager has destroyed the window.
    m_hWnd = nullptr;
    return static_cast<int>(result);
}

HWND CDialog::GetDlgItem(int nID) const {
    ::HWND dialog = AfxWin32Hwnd(m_hWnd);
    return dialog != nullptr ? AfxHwnd(::GetDlgItem(dialog, nID)) : nullptr;
}

void CDialog::EndDialog(int nResult) {
    if (::HWND dialog = AfxWin32Hwnd(m_hWnd))
        ::EndDialog(dialog, nResult);
}

} // namespace curvix
