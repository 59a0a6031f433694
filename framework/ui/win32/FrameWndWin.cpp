#include "FrameWndWin.h"

#include "BarLayout.h"
#include "BarWindowWin.h"
#include "DialogBar.h"
#include "DockDragWin.h"
#include "DpiWin.h"
#include "EventLoop.h"
#include "ScreenFit.h"
#include "WinSystem.h"
#include "WndWin.h"

#include <algorithm>

namespace curvix {

namespace {

constexpr UINT WM_CURVIX_OPENDROPPED = WM_APP + 2;

std::vector<CFrameWnd*>& LiveFrames() {
    static std::vector<CFrameWnd*> frames;
    return frames;
}

std::vector<std::string> DroppedFiles(HDROP drop) {
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(length);
        if (!name.empty())
            files.push_back(Utf8FromWide(name));
    }
    return files;
}

} // namespace

const wchar_t* AfxFrameWindowClass() {
    static const bool registered = AfxRegisterClass(L"CurvixFrame", CFrameWnd::Impl::WindowProc, 0,
                                                    GetSysColorBrush(COLOR_BTNFACE));
    return registered ? L"CurvixFrame" : nullptr;
}

// The frame's messages: commands from the menu and the accelerators, the
// menus' states and prompts, the layout of the bars, closing and drops.
LRESULT CALLBACK CFrameWnd::Impl::WindowProc(::HWND hWnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* frame = static_cast<CFrameWnd*>(AfxWindowObject(hWnd, message, lParam));
    if (frame == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        frame->SendCommand(LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) == 0)
            AfxUpdateMenuCmdUI(frame, reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && lParam == 0)
            frame->SetMessageText(AFX_IDS_IDLEMESSAGE); // the menu closed
        else if ((flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) == 0)
            frame->SetMessageText(frame->GetMessageString(LOWORD(wParam)));
        return 0;
    }
    case WM_SIZE:
        RecalcLayout(*frame);
        return 0;
    case WM_CURVIX_RECALCLAYOUT:
        frame->UpdateMinimumSize();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const POINT minimum = frame->m_pImpl->minimumTrackSize;
        info->ptMinTrackSize.x = std::max(info->ptMinTrackSize.x, minimum.x);
        info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, minimum.y);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            ::HWND focus = GetFocus();
            if (focus != nullptr && IsChild(hWnd, focus))
                frame->m_pImpl->lastFocus = focus;
        }
        break;
    case WM_SETFOCUS:
        if (::HWND focus = frame->m_pImpl->lastFocus; focus != nullptr && IsChild(hWnd, focus)) {
            ::SetFocus(focus);
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        // Floating bars go out of sight with the frame and come back with it.
        if (lParam == 0)
            ShowOwnedPopups(hWnd, wParam != 0 ? 1 : 0);
        // The view's sizes came while the frame was being made, before it
        // was the main window; shown, it tells its size again, for the size
        // pane.
        if (wParam != 0 && !frame->m_pImpl->shown) {
            frame->m_pImpl->shown = true;
            if (::HWND view = AfxWin32Hwnd(frame->m_pView.get())) {
                RECT client{};
                ::GetClientRect(view, &client);
                SendMessageW(view, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
            }
        }
        break;
    case WM_DPICHANGED:
        OnDpiChanged(*frame, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        frame->RequestClose();
        return 0;
    case WM_DROPFILES: {
        auto drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::string> files = DroppedFiles(drop);
        DragFinish(drop);
        // Opened once the drop is over: an open can show a message box,
        // which must not run inside the shell's drop.
        auto& waiting = frame->m_pImpl->droppedFiles;
        waiting.insert(waiting.end(), files.begin(), files.end());
        PostMessageW(hWnd, WM_CURVIX_OPENDROPPED, 0, 0);
        return 0;
    }
    case WM_CURVIX_OPENDROPPED: {
        std::vector<std::string> files;
        files.swap(frame->m_pImpl->droppedFiles);
        if (!files.empty())
            frame->OnDropFiles(files);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

CFrameWnd::CFrameWnd() : m_pImpl(std::make_unique<Impl>()) {
    LiveFrames().push_back(this);
}

CFrameWnd::~CFrameWnd() {
    auto& frames = LiveFrames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    if (CWinThread* app = AfxGetThread())
        app->OnFrameDestroyed(this);
    const std::vector<CControlBar*> bars = m_controlBars;
    for (CControlBar* bar : bars)
        bar->DestroyBar();
    m_pViewActive = nullptr;
    m_pView.reset();
    DestroyWindow();
}

bool CFrameWnd::CreateFrameWindow(const CREATESTRUCT& cs, UINT nIDResource) {
    const wchar_t* windowClass = AfxFrameWindowClass();
    if (windowClass == nullptr || m_hWnd != nullptr)
        return false;
    const std::wstring title = WideFromUtf8(cs.lpszName);
    const int x = cs.x != CW_USEDEFAULT ? cs.x : static_cast<int>(0x80000000);
    const int y = cs.y != CW_USEDEFAULT ? cs.y : static_cast<int>(0x80000000);
    // A size asked for is at 100 %, and the window opens at the system's
    // scale.
    const UINT dpi = AfxGetSystemDpi();
    const int cx =
        cs.cx != CW_USEDEFAULT ? AfxScaleToDpi(cs.cx, dpi) : static_cast<int>(0x80000000);
    const int cy =
        cs.cy != CW_USEDEFAULT ? AfxScaleToDpi(cs.cy, dpi) : static_cast<int>(0x80000000);
    ::HWND window =
        CreateWindowExW(0, windowClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y,
                        cx, cy, nullptr, nullptr, AfxGetInstanceHandle(), this);
    if (window == nullptr)
        return false;
    m_hWnd = AfxHwnd(window);
    m_pImpl->resourceID = nIDResource;
    const HINSTANCE module = AfxGetInstanceHandle();
    const LPCWSTR icon = MAKEINTRESOURCEW(nIDResource);
    if (auto big = static_cast<HICON>(LoadImageW(
            module, icon, IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)))
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (auto small =
            static_cast<HICON>(LoadImageW(module, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0)))
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    Impl::FitIntoWorkArea(*this);
    return true;
}

void CFrameWnd::Impl::FitIntoWorkArea(CFrameWnd& owner) {
    ::HWND window = AfxWin32Hwnd(owner.m_hWnd);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT frame{};
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) ||
        !GetWindowRect(window, &frame))
        return;
    // The window rectangle includes the frame: no margins around it.
    const POINT minimum = owner.m_pImpl->minimumTrackSize;
    const CRect fitted = FitFrameInto(AfxCRect(frame), CMargins{}, AfxCRect(monitor.rcWork),
                                      CSize{minimum.x, minimum.y});
    if (fitted != AfxCRect(frame))
        SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::WatchAcceleratorKeys() {
    m_pImpl->accelerators =
        LoadAcceleratorsW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_pImpl->resourceID));
}

void CFrameWnd::WatchIdleTime() {
    m_pImpl->idleWatched = true;
}

void CFrameWnd::AttachView(CView*) {
    Impl::RecalcLayout(*this);
}

void AfxRecalcLayout(CFrameWnd* pFrame) {
    if (pFrame != nullptr)
        CFrameWnd::Impl::RecalcLayout(*pFrame);
}

bool CFrameWnd::Impl::PreTranslateMessage(CFrameWnd& frame, MSG& msg) {
    ::HWND window = AfxWin32Hwnd(frame.m_hWnd);
    if (HACCEL table = frame.m_pImpl->accelerators;
        table != nullptr && TranslateAcceleratorW(window, table, &msg))
        return true;
    for (const CControlBar* bar : frame.m_controlBars) {
        const auto* dialogBar = dynamic_cast<const CDialogBar*>(bar);
        ::HWND page = dialogBar != nullptr ? AfxWin32Hwnd(dialogBar->GetPage()) : nullptr;
        if (page != nullptr && (msg.hwnd == page || IsChild(page, msg.hwnd)) &&
            IsDialogMessageW(page, &msg))
            return true;
    }
    return false;
}

bool AfxPreTranslateMessage(MSG& msg) {
    if (AfxBarDragKey(msg))
        return true;
    for (CFrameWnd* frame : LiveFrames()) {
        ::HWND window = AfxWin32Hwnd(frame);
        if (window != nullptr && (msg.hwnd == window || IsChild(window, msg.hwnd)))
            return CFrameWnd::Impl::PreTranslateMessage(*frame, msg);
    }
    return false;
}

void AfxIdleUpdateFrames() {
    // A frame may go while another's update runs (a command from it): a
    // copy of the list, and each checked again.
    const std::vector<CFrameWnd*> frames = LiveFrames();
    for (CFrameWnd* frame : frames) {
        const auto& live = LiveFrames();
        if (std::find(live.begin(), live.end(), frame) != live.end() &&
            CFrameWnd::Impl::WatchesIdleTime(*frame) && frame->GetSafeHwnd() != nullptr)
            frame->OnIdleUpdateCmdUI();
    }
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    OnUpdateFrameTitle();
    for (CControlBar* bar : m_controlBars) {
        if (bar->IsVisible())
            bar->OnUpdateCmdUI(this, true);
    }
    if (HMENU bar = GetMenu(AfxWin32Hwnd(m_hWnd))) {
        const int count = GetMenuItemCount(bar);
        for (int i = 0; i < count; ++i) {
            if (HMENU popup = GetSubMenu(bar, i))
                AfxUpdateMenuCmdUI(this, popup);
        }
    }
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

std::vector<BarPlace> CFrameWnd::Impl::BarPlaces(const CFrameWnd& frame,
                                                 std::vector<CControlBar*>& order,
                                                 const CControlBar* moved, DWORD movedSide,
                                                 CSize movedWhole) {
    const auto sideOf = [&](const CControlBar* bar) {
        return bar == moved ? movedSide : bar->GetDockedSide();
    };
    const auto inDockSite = [&](const CControlBar* bar) {
        return bar == moved || bar->IsInDockSite();
    };
    // The bars along the frame's edges in creation order, then the dock
    // sites' bars: top, bottom, left, right.
    order.clear();
    for (CControlBar* bar : frame.m_controlBars) {
        if (!inDockSite(bar) && !bar->IsFloating())
            order.push_back(bar);
    }
    for (const DWORD side :
         {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT}) {
        for (CControlBar* bar : frame.m_controlBars) {
            if (inDockSite(bar) && sideOf(bar) == side)
                order.push_back(bar);
        }
    }
    std::vector<BarPlace> places;
    for (const CControlBar* bar : order) {
        BarPlace place;
        place.side = sideOf(bar);
        place.whole = bar == moved ? movedWhole : bar->GetWholeSize();
        place.thickness =
            (place.side & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? place.whole.cx : place.whole.cy;
        place.visible = bar == moved || bar->IsVisible();
        places.push_back(place);
    }
    return places;
}

void CFrameWnd::Impl::RecalcLayout(CFrameWnd& frame) {
    if (frame.m_hWnd == nullptr)
        return;
    std::vector<CControlBar*> order;
    const std::vector<BarPlace> places = BarPlaces(frame, order);
    const FrameLayout layout = LayOutBars(frame.GetClientRect(), places);
    HDWP moves = BeginDeferWindowPos(static_cast<int>(order.size()) + 1);
    for (size_t i = 0; i < order.size(); ++i) {
        ::HWND bar = AfxWin32Hwnd(order[i]);
        if (bar == nullptr || !places[i].visible)
            continue;
        const CRect& rect = layout.bars[i];
        moves = DeferWindowPos(moves, bar, nullptr, rect.left, rect.top, rect.Width(),
                               rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (::HWND view = AfxWin32Hwnd(frame.m_pView.get())) {
        const CRect& rect = layout.view;
        moves = DeferWindowPos(moves, view, nullptr, rect.left, rect.top, rect.Width(),
                               rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves != nullptr)
        EndDeferWindowPos(moves);
}

void CFrameWnd::UpdateMinimumSize() {
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    if (window == nullptr)
        return;
    std::vector<CControlBar*> order;
    const CSize client = MinimumClientSize(Impl::BarPlaces(*this, order));
    RECT rect{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                       GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    m_pImpl->minimumTrackSize = {rect.right - rect.left, rect.bottom - rect.top};
    // A window smaller than that grows at once.
    RECT frame{};
    GetWindowRect(window, &frame);
    const int cx = std::max<int>(frame.right - frame.left, m_pImpl->minimumTrackSize.x);
    const int cy = std::max<int>(frame.bottom - frame.top, m_pImpl->minimumTrackSize.y);
    if (cx != frame.right - frame.left || cy != frame.bottom - frame.top)
        SetWindowPos(window, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Impl::RecalcLayout(*this);
}

void CFrameWnd::ActivateFrame() {
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    if (window == nullptr)
        return;
    if (IsIconic(window))
        ::ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

void CFrameWnd::RequestClose() {
    if (m_hWnd == nullptr || !CanCloseFrame())
        return;
    // As closing the last window ends the program: the window goes out of
    // sight now and with its object later.
    ShowWindow(SW_HIDE);
    CWinThread* app = AfxGetThread();
    if (app == nullptr || app->GetMainWnd() == this)
        AfxEndEventLoop(0);
}

void CFrameWnd::DragAcceptFiles(BOOL bAccept) {
    if (::HWND window = AfxWin32Hwnd(m_hWnd))
        ::DragAcceptFiles(window, bAccept != FALSE ? 1 : 0);
}

} // namespace curvix
