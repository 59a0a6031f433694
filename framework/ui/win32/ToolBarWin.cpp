#include "BarWindowWin.h"
#include "CmdUIWin.h"
#include "DpiWin.h"
#include "FloatingBarWin.h"
#include "ResourceTable.h"
#include "ToolBar.h"
#include "ToolBarImagesWin.h"
#include "WinSystem.h"
#include "WndWin.h"

// A toolbar: comctl32's toolbar control in a bar window that draws the
// gripper. Tooltips and prompts come from the commands' string-table
// texts; buttons are greyed by the enable rule.

namespace curvix {

namespace {

// Around the buttons, inside the bar.
constexpr int kBorder = 2;

bool IsColumn(DWORD side) {
    return (side & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
}

} // namespace

struct CToolBar::Impl {
    ~Impl() {
        if (images != nullptr)
            ImageList_Destroy(images);
    }

    ::HWND control = nullptr; // the toolbar control, a child of the bar window
    const ToolBarResource* resource = nullptr;
    HIMAGELIST images = nullptr; // the control's, owned here
    DWORD side = 0;              // the dock site's side; floating, the one it left
    ::HWND floating = nullptr;   // the window it floats in; null while docked
    bool gripper = false;
    bool flyBy = false;
    std::wstring tooltip; // the text the tooltip shows now
    std::vector<std::string> buttonNames;
    CSize buttons[2]; // all buttons in a row, in a column

    LRESULT OnNotify(CToolBar& bar, NMHDR* header);
    void Place(int cx, int cy) const;
    void SetOrientation(bool column);
    bool SetScale(UINT dpi);
    bool Column() const { return floating == nullptr && IsColumn(side); }
    // The room docked at side, floating at 0.
    CSize SizeAt(DWORD at) const;
};

CToolBar::CToolBar() : m_pImpl(std::make_unique<Impl>()) {}

CToolBar::~CToolBar() {
    // The floating window goes with the bar window inside it.
    if (m_pImpl->floating != nullptr && IsWindow(m_pImpl->floating))
        ::DestroyWindow(m_pImpl->floating);
    m_pImpl->floating = nullptr;
    DestroyBar();
}

HWND CToolBar::GetToolBarCtrl() const {
    return AfxHwnd(m_pImpl->control);
}

BOOL CToolBar::CreateEx(CBarSite* pParentWnd, DWORD /*dwCtrlStyle*/, DWORD dwStyle,
                        CRect /*rcBorders*/, UINT nID) {
    if (pParentWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    auto state = std::make_unique<BarWindowWin>();
    state->site = pParentWnd;
    state->gripper = (dwStyle & CBRS_GRIPPER) ? Gripper::Left : Gripper::None;
    state->onNotify = [this](NMHDR* header) { return m_pImpl->OnNotify(*this, header); };
    state->onSize = [this](int cx, int cy) { m_pImpl->Place(cx, cy); };
    state->dragged = this;
    state->sizeAt = [this](DWORD side) { return m_pImpl->SizeAt(side); };
    m_pImpl->gripper = (dwStyle & CBRS_GRIPPER) != 0;
    ::HWND window =
        AfxCreateBarWindow(AfxWin32Hwnd(pParentWnd->GetSiteHwnd()), nID, std::move(state));
    if (window == nullptr)
        return FALSE;
    const DWORD controlStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NOPARENTALIGN |
                               CCS_NORESIZE | CCS_NODIVIDER |
                               ((dwStyle & CBRS_TOOLTIPS) ? TBSTYLE_TOOLTIPS : 0);
    m_pImpl->control = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", controlStyle, 0, 0, 0, 0, window,
                                       nullptr, AfxGetInstanceHandle(), nullptr);
    if (m_pImpl->control == nullptr) {
        ::DestroyWindow(window);
        return FALSE;
    }
    SendMessageW(m_pImpl->control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_pImpl->flyBy = (dwStyle & CBRS_FLYBY) != 0;
    AttachToSite(pParentWnd, AfxHwnd(window), nID, dwStyle);
    DockAt(FirstSide(dwStyle));
    if (dwStyle & WS_VISIBLE)
        ::ShowWindow(window, SW_SHOWNA);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    const ToolBarResource* resource = AfxFindResource(&ResourceTable::toolbars, nIDResource);
    ::HWND control = m_pImpl->control;
    if (control == nullptr || resource == nullptr || resource->width <= 0 || resource->height <= 0)
        return FALSE;
    m_pImpl->resource = resource;
    if (!m_pImpl->SetScale(AfxGetWindowDpi(control)))
        return FALSE;
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (const UINT id : resource->items) {
        TBBUTTON button{};
        if (id == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(id);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }
    SendMessageW(control, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    m_itemIDs = resource->items;
    m_pImpl->buttonNames.assign(m_itemIDs.size(), std::string());
    // Measured both ways, for the outline of a drag.
    m_pImpl->SetOrientation(!m_pImpl->Column());
    m_pImpl->SetOrientation(m_pImpl->Column());
    PostMessageW(GetParent(AfxWin32Hwnd(m_hWnd)), WM_CURVIX_RECALCLAYOUT, 0, 0);
    return TRUE;
}

bool CToolBar::Impl::SetScale(UINT dpi) {
    // The images enlarged by a whole factor, the room around them by the
    // scale itself.
    int count = 0;
    for (const UINT id : resource->items)
        count += id != 0 ? 1 : 0;
    const int factor = AfxImageFactor(dpi);
    HIMAGELIST list =
        AfxLoadToolBarImages(resource->id, {resource->width, resource->height}, count, factor);
    // Every button needs its image.
    if (list == nullptr)
        return false;
    const int cx = resource->width * factor;
    const int cy = resource->height * factor;
    SendMessageW(control, TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
    SendMessageW(control, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    const int room = AfxScaleToDpi(7, dpi);
    SendMessageW(control, TB_SETBUTTONSIZE, 0, MAKELPARAM(cx + room, cy + room));
    if (images != nullptr)
        ImageList_Destroy(images);
    images = list;
    return true;
}

void CToolBar::OnDpiChanged(UINT dpi) {
    if (m_pImpl->control == nullptr || m_pImpl->resource == nullptr || !m_pImpl->SetScale(dpi))
        return;
    // Both shapes measured again: the other one is the room a drag offers.
    m_pImpl->SetOrientation(!m_pImpl->Column());
    m_pImpl->SetOrientation(m_pImpl->Column());
}

void CToolBar::Impl::SetOrientation(bool column) {
    // A column wraps after every button.
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    SetWindowLongW(control, GWL_STYLE, column ? (style | CCS_VERT) : (style & ~CCS_VERT));
    const int count = static_cast<int>(SendMessageW(control, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageW(control, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        TBBUTTONINFOW info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        info.fsState = column ? static_cast<BYTE>(button.fsState | TBSTATE_WRAP)
                              : static_cast<BYTE>(button.fsState & ~TBSTATE_WRAP);
        SendMessageW(control, TB_SETBUTTONINFOW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&info));
    }
    SendMessageW(control, TB_AUTOSIZE, 0, 0);
    SIZE size{};
    SendMessageW(control, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    buttons[column ? 1 : 0] = {size.cx, size.cy};
}

void CToolBar::Impl::Place(int cx, int cy) const {
    if (control == nullptr)
        return;
    const bool column = Column();
    const int grip = gripper && floating == nullptr ? kGripperSize : 0;
    const int x = kBorder + (column ? 0 : grip);
    const int y = kBorder + (column ? grip : 0);
    MoveWindow(control, x, y, cx - x - kBorder, cy - y - kBorder, 1);
}

CSize CToolBar::Impl::SizeAt(DWORD at) const {
    const bool column = IsColumn(at);
    const CSize row = buttons[column ? 1 : 0];
    const int grip = gripper && at != 0 ? kGripperSize : 0;
    if (column)
        return {row.cx + 2 * kBorder, row.cy + 2 * kBorder + grip};
    return {row.cx + 2 * kBorder + grip, row.cy + 2 * kBorder};
}

CSize CToolBar::GetWholeSize() const {
    return m_pImpl->SizeAt(GetDockedSide());
}

DWORD CToolBar::GetDockedSide() const {
    return m_pImpl->floating != nullptr ? 0 : m_pImpl->side;
}

bool CToolBar::IsFloating() const {
    return m_pImpl->floating != nullptr;
}

void CToolBar::FloatAt(CPoint topLeft) {
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    if (window == nullptr || m_pSite == nullptr || m_dwDockStyle == 0)
        return;
    if (m_pImpl->floating != nullptr) {
        SetWindowPos(m_pImpl->floating, nullptr, topLeft.x, topLeft.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    ::HWND frame = AfxWin32Hwnd(m_pSite->GetSiteHwnd());
    m_pImpl->floating = AfxCreateFloatingWindow(
        frame, window, m_pImpl->side, m_pSite->HasBarToggle(this), {topLeft.x, topLeft.y});
    if (m_pImpl->floating == nullptr)
        return;
    if (BarWindowWin* state = AfxBarWindowState(window))
        state->gripper = Gripper::None;
    if (m_pImpl->control != nullptr)
        m_pImpl->SetOrientation(false);
    const CSize whole = GetWholeSize();
    MoveWindow(window, 0, 0, whole.cx, whole.cy, 1);
    AfxFitFloatingWindow(m_pImpl->floating);
    PostMessageW(frame, WM_CURVIX_RECALCLAYOUT, 0, 0);
}

void CToolBar::DockAt(DWORD side) {
    if (side != CBRS_ALIGN_TOP && side != CBRS_ALIGN_BOTTOM && side != CBRS_ALIGN_LEFT &&
        side != CBRS_ALIGN_RIGHT)
        return;
    m_pImpl->side = side;
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    if (window == nullptr)
        return;
    if (::HWND floating = m_pImpl->floating) {
        // Back into the frame, which places it.
        m_pImpl->floating = nullptr;
        SetParent(window, AfxWin32Hwnd(m_pSite->GetSiteHwnd()));
        ::DestroyWindow(floating);
    }
    if (BarWindowWin* state = AfxBarWindowState(window); state != nullptr && m_pImpl->gripper)
        state->gripper = IsColumn(side) ? Gripper::Top : Gripper::Left;
    if (m_pImpl->control != nullptr)
        m_pImpl->SetOrientation(IsColumn(side));
    PostMessageW(GetParent(window), WM_CURVIX_RECALCLAYOUT, 0, 0);
}

void CToolBar::OnDockingChanged() {}

int CToolBar::GetCaptionRoom() const {
    return AfxFloatingCaptionRoom(m_pImpl->floating); // 0 docked
}

void CToolBar::SetWindowText(const std::string& text) {
    CControlBar::SetWindowText(text);
    if (m_pImpl->floating != nullptr) {
        AfxSetWindowText(m_pImpl->floating, text);
        AfxFitFloatingWindow(m_pImpl->floating);
    }
}

void CToolBar::SetButtonName(int nIndex, const std::string& name) {
    if (nIndex >= 0 && nIndex < static_cast<int>(m_pImpl->buttonNames.size()))
        m_pImpl->buttonNames[static_cast<size_t>(nIndex)] = name;
}

HWND CToolBar::GetItemButton(int nIndex) const {
    // The buttons are parts of one control, not windows of their own.
    return GetItemID(nIndex) != 0 ? AfxHwnd(m_pImpl->control) : nullptr;
}

void CToolBar::OnUpdateCmdUI(CCmdTarget* pTarget, bool bDisableIfNoHandler) {
    for (int i = 0; i < GetCount(); ++i) {
        const UINT id = m_itemIDs[static_cast<size_t>(i)];
        if (id == 0)
            continue;
        CToolButtonCmdUI state(m_pImpl->control, i, id);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

LRESULT CToolBar::Impl::OnNotify(CToolBar& bar, NMHDR* header) {
    switch (header->code) {
    case TTN_GETDISPINFOW: {
        // The tooltip is the text after the prompt's line feed.
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        tooltip = WideFromUtf8(AfxLoadSubString(static_cast<UINT>(header->idFrom), 1));
        info->lpszText = tooltip.data();
        info->hinst = nullptr;
        return 0;
    }
    case TBN_HOTITEMCHANGE: {
        const auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
        if (flyBy && bar.m_pSite != nullptr)
            bar.m_pSite->ShowPrompt((hot->dwFlags & HICF_LEAVING) ? 0
                                                                  : static_cast<UINT>(hot->idNew));
        return 0;
    }
    default:
        return 0;
    }
}

} // namespace curvix
