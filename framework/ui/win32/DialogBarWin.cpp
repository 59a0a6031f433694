#include "BarWindowWin.h"
#include "CmdUIWin.h"
#include "DialogBar.h"
#include "DpiWin.h"
#include "WndWin.h"

#include <algorithm>
#include <string>
#include <vector>

// A dialog bar: a child dialog page from the template, in a bar window as
// wide as the frame. The page's first edit field takes the width the
// template does not fill (down to a third of its own), and the controls
// right of it follow its right edge. The frame's event loop gives the page
// the keys of a dialog (Tab, Enter). The template's layout, made at one
// display scale, is scaled with its font to the frame's.

namespace curvix {

namespace {

std::wstring ClassOf(::HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

bool IsPushButton(::HWND window) {
    const LONG type = GetWindowLongW(window, GWL_STYLE) & static_cast<LONG>(BS_TYPEMASK);
    return ClassOf(window) == L"Button" && (type == static_cast<LONG>(BS_PUSHBUTTON) ||
                                            type == static_cast<LONG>(BS_DEFPUSHBUTTON));
}

RECT ChildRect(::HWND page, ::HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

struct Control {
    ::HWND window;
    RECT created; // its place in the template, as the page was made
    RECT rect;    // the same at the bar's scale
};

} // namespace

struct CDialogBar::Impl {
    ~Impl() {
        if (scaledFont != nullptr)
            DeleteObject(scaledFont);
    }

    static INT_PTR CALLBACK PageProc(::HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    void Place(int cx, int cy) const;
    void SetScale(UINT dpi);

    CBarSite* site = nullptr;
    ::HWND page = nullptr;
    // The page as the dialog manager made it, at its scale.
    UINT createdDpi = kDefaultDpi;
    SIZE createdSize{};
    RECT createdStretch{};
    HFONT createdFont = nullptr; // the dialog manager's
    HFONT scaledFont = nullptr;  // owned; the template's font at another scale
    SIZE templateSize{};
    std::vector<Control> controls;
    ::HWND stretch = nullptr; // the first edit field
    RECT stretchRect{};
    std::vector<std::pair<UINT, ::HWND>> buttons;
};

INT_PTR CALLBACK CDialogBar::Impl::PageProc(::HWND page, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(page, DWLP_USER, lParam);
        return 1;
    }
    const auto* impl = reinterpret_cast<const Impl*>(GetWindowLongPtrW(page, DWLP_USER));
    if (impl == nullptr)
        return 0;
    if (message == WM_COMMAND && lParam != 0 && HIWORD(wParam) == BN_CLICKED &&
        IsPushButton(reinterpret_cast<::HWND>(lParam))) {
        // A button, or Enter for the default one: its ID is the command.
        impl->site->SendCommand(LOWORD(wParam));
        return 1;
    }
    if (message == WM_COMMAND && lParam == 0) {
        // Enter and Esc without a button of their own (IDOK, IDCANCEL) are
        // commands like any other.
        impl->site->SendCommand(LOWORD(wParam));
        return 1;
    }
    return 0;
}

CDialogBar::CDialogBar() : m_pImpl(std::make_unique<Impl>()) {}

CDialogBar::~CDialogBar() {
    DestroyBar();
}

HWND CDialogBar::GetPage() const {
    return AfxHwnd(m_pImpl->page);
}

BOOL CDialogBar::Create(CBarSite* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
    if (pParentWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    Impl& impl = *m_pImpl;
    impl.site = pParentWnd;
    auto state = std::make_unique<BarWindowWin>();
    state->site = pParentWnd;
    state->onSize = [this](int cx, int cy) { m_pImpl->Place(cx, cy); };
    state->wholeSize = [this] { return GetWholeSize(); };
    ::HWND window =
        AfxCreateBarWindow(AfxWin32Hwnd(pParentWnd->GetSiteHwnd()), nID, std::move(state));
    if (window == nullptr)
        return FALSE;
    impl.page = CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nIDTemplate), window,
                                   Impl::PageProc, reinterpret_cast<LPARAM>(&impl));
    if (impl.page == nullptr) {
        ::DestroyWindow(window);
        return FALSE;
    }
    RECT pageRect{};
    GetWindowRect(impl.page, &pageRect);
    impl.createdSize = {pageRect.right - pageRect.left, pageRect.bottom - pageRect.top};
    impl.createdDpi = AfxGetWindowDpi(impl.page);
    impl.createdFont = reinterpret_cast<HFONT>(SendMessageW(impl.page, WM_GETFONT, 0, 0));
    UINT defaultID = 0;
    for (::HWND child = GetWindow(impl.page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT rect = ChildRect(impl.page, child);
        impl.controls.push_back({child, rect, rect});
        const auto id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (impl.stretch == nullptr && ClassOf(child) == L"Edit") {
            impl.stretch = child;
            impl.createdStretch = rect;
        }
        if (IsPushButton(child)) {
            impl.buttons.emplace_back(id, child);
            const LONG type = GetWindowLongW(child, GWL_STYLE) & static_cast<LONG>(BS_TYPEMASK);
            if (defaultID == 0 && type == static_cast<LONG>(BS_DEFPUSHBUTTON))
                defaultID = id;
        }
    }
    // Enter presses the default button.
    if (defaultID != 0)
        SendMessageW(impl.page, DM_SETDEFID, defaultID, 0);
    AfxKeepDialogLayout(impl.page);
    impl.SetScale(AfxGetWindowDpi(window));
    ::ShowWindow(impl.page, SW_SHOWNA);
    AttachToSite(pParentWnd, AfxHwnd(window), nID, nStyle | WS_VISIBLE);
    ::ShowWindow(window, SW_SHOWNA);
    return TRUE;
}

void CDialogBar::Impl::SetScale(UINT dpi) {
    const auto scaled = [&](const RECT& rect) { return AfxRescale(rect, createdDpi, dpi); };
    templateSize = {AfxRescale(createdSize.cx, createdDpi, dpi),
                    AfxRescale(createdSize.cy, createdDpi, dpi)};
    stretchRect = scaled(createdStretch);
    for (Control& control : controls)
        control.rect = scaled(control.created);
    HFONT font = createdFont;
    LOGFONTW description{};
    if (dpi != createdDpi && createdFont != nullptr &&
        GetObjectW(createdFont, sizeof description, &description) != 0) {
        // Whole points, as the dialog manager makes the template's font.
        if (description.lfHeight < 0) {
            const int points = MulDiv(-description.lfHeight, 72, static_cast<int>(createdDpi));
            description.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
        } else {
            description.lfHeight = AfxRescale(description.lfHeight, createdDpi, dpi);
        }
        if (HFONT made = CreateFontIndirectW(&description))
            font = made;
    }
    if (font != nullptr) {
        SendMessageW(page, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        for (const Control& control : controls)
            SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    }
    if (scaledFont != nullptr && scaledFont != font)
        DeleteObject(scaledFont);
    scaledFont = font != createdFont ? font : nullptr;
}

void CDialogBar::OnDpiChanged(UINT dpi) {
    Impl& impl = *m_pImpl;
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    if (impl.page == nullptr || window == nullptr)
        return;
    impl.SetScale(dpi);
    RECT client{};
    ::GetClientRect(window, &client);
    impl.Place(client.right, client.bottom);
    PostMessageW(GetParent(window), WM_CURVIX_RECALCLAYOUT, 0, 0);
}

void CDialogBar::Impl::Place(int cx, int) const {
    if (page == nullptr)
        return;
    MoveWindow(page, 0, 0, cx, templateSize.cy, 1);
    if (stretch == nullptr)
        return;
    const int stretchWidth = stretchRect.right - stretchRect.left;
    const int width = std::max<int>(stretchWidth / 3, stretchWidth + cx - templateSize.cx);
    const int shift = width - stretchWidth;
    for (const Control& control : controls) {
        const RECT& rect = control.rect;
        if (control.window == stretch)
            MoveWindow(control.window, rect.left, rect.top, width, rect.bottom - rect.top, 1);
        else if (rect.left >= stretchRect.right)
            MoveWindow(control.window, rect.left + shift, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, 1);
    }
}

CSize CDialogBar::GetWholeSize() const {
    const Impl& impl = *m_pImpl;
    if (impl.page == nullptr)
        return {};
    const int stretchWidth = impl.stretchRect.right - impl.stretchRect.left;
    const int shrink = impl.stretch != nullptr ? stretchWidth - stretchWidth / 3 : 0;
    return {impl.templateSize.cx - shrink, impl.templateSize.cy};
}

HWND CDialogBar::GetDlgItem(int nID) const {
    return m_pImpl->page != nullptr ? AfxHwnd(::GetDlgItem(m_pImpl->page, nID)) : nullptr;
}

void CDialogBar::OnUpdateCmdUI(CCmdTarget* pTarget, bool bDisableIfNoHandler) {
    // Only push buttons follow their commands; labels and edit fields
    // stay as they are.
    for (const auto& [id, button] : m_pImpl->buttons) {
        CButtonCmdUI state(button, id);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

} // namespace curvix
