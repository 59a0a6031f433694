#include "AccessibleWin.h"
#include "BarWindowWin.h"
#include "DpiWin.h"
#include "ResourceTable.h"
#include "StatusBar.h"
#include "WinSystem.h"
#include "WndWin.h"

#include <algorithm>

// The status bar: comctl32's status control in a bar window. The message
// pane stretches and has no border; every other pane is as wide as its
// string-table text in the bar's font, which follows the display's scale.
// Screen readers learn the panes' names from the control's accessible
// object.

namespace curvix {

namespace {

// Room a pane's text needs around it: the part's border and the
// control's inner margin on each side.
constexpr int kPanePadding = 8;

// What the control keeps beside its own state: its font at its scale, its
// height in that font, and the panes' names.
struct StatusState {
    HFONT font = nullptr; // owned
    UINT dpi = kDefaultDpi;
    int height = 0;
    std::vector<std::string> names;
};

constexpr UINT_PTR kSubclassID = 1;
constexpr wchar_t kStateProperty[] = L"CurvixStatusState";

LRESULT CALLBACK StatusControlProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data);

StatusState* StateOf(::HWND control) {
    return control != nullptr ? static_cast<StatusState*>(GetPropW(control, kStateProperty))
                              : nullptr;
}

bool DescribeStatus(::HWND control, AccessibleInfo& info) {
    const StatusState* state = StateOf(control);
    if (state == nullptr)
        return false;
    const auto count = static_cast<int>(SendMessageW(control, SB_GETPARTS, 0, 0));
    for (int i = 0; i < count; ++i) {
        AccessiblePart part;
        if (static_cast<size_t>(i) < state->names.size())
            part.name = state->names[static_cast<size_t>(i)];
        const auto length =
            LOWORD(SendMessageW(control, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(control, SB_GETTEXTW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        part.value = Utf8FromWide(text);
        SendMessageW(control, SB_GETRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&part.rect));
        info.parts.push_back(part);
    }
    return true;
}

LRESULT CALLBACK StatusControlProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<StatusState*>(data);
    if (message == WM_GETOBJECT) {
        if (LRESULT object = 0; AfxAnswerGetObject(hWnd, wParam, lParam, DescribeStatus, object))
            return object;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hWnd, StatusControlProc, kSubclassID);
        RemovePropW(hWnd, kStateProperty);
        const LRESULT result = DefSubclassProc(hWnd, message, wParam, lParam);
        if (state->font != nullptr)
            DeleteObject(state->font);
        delete state;
        return result;
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}

// The control in the status font at dpi, and the height it takes then.
void SetScale(::HWND control, StatusState& state, UINT dpi) {
    HFONT font = AfxCreateStatusFont(dpi);
    if (font != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        if (state.font != nullptr)
            DeleteObject(state.font);
        state.font = font;
    }
    state.dpi = dpi;
    SendMessageW(control, WM_SIZE, 0, 0);
    RECT rect{};
    GetWindowRect(control, &rect);
    state.height = rect.bottom - rect.top;
}

::HWND StatusControl(const CStatusBar& bar) {
    return AfxWin32Hwnd(bar.GetPaneWindow(0));
}

int TextWidth(::HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old != nullptr)
        SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

// The fixed panes' widths, 0 for the stretching one; kept in the control's
// own data.
std::vector<int>& PaneWidths(::HWND control) {
    static std::vector<std::pair<::HWND, std::vector<int>>> widths;
    for (auto& [window, list] : widths) {
        if (window == control)
            return list;
    }
    widths.erase(std::remove_if(widths.begin(), widths.end(),
                                [](const auto& entry) { return !IsWindow(entry.first); }),
                 widths.end());
    return widths.emplace_back(control, std::vector<int>()).second;
}

void SetParts(::HWND control, int cx) {
    const std::vector<int>& widths = PaneWidths(control);
    if (widths.empty())
        return;
    int fixed = 0;
    for (const int width : widths)
        fixed += width;
    std::vector<int> edges;
    int right = 0;
    for (const int width : widths) {
        right += width != 0 ? width : std::max(0, cx - fixed);
        edges.push_back(right);
    }
    edges.back() = -1; // the last pane reaches the end
    SendMessageW(control, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

} // namespace

namespace {

// The fixed panes' widths, and the height the control gave itself.
CSize WholeSize(::HWND control, int height) {
    int fixed = 1;
    for (const int width : PaneWidths(control))
        fixed += width;
    return {fixed, height};
}

} // namespace

CStatusBar::~CStatusBar() {
    DestroyBar();
}

BOOL CStatusBar::Create(CBarSite* pParentWnd, DWORD dwStyle, UINT nID) {
    if (pParentWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    auto state = std::make_unique<BarWindowWin>();
    state->site = pParentWnd;
    // The control takes its own height at the bottom of the bar window.
    state->onSize = [this](int cx, int) {
        if (::HWND control = StatusControl(*this)) {
            SendMessageW(control, WM_SIZE, 0, 0);
            SetParts(control, cx);
        }
    };
    ::HWND window =
        AfxCreateBarWindow(AfxWin32Hwnd(pParentWnd->GetSiteHwnd()), nID, std::move(state));
    if (window == nullptr)
        return FALSE;
    ::HWND control = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                     window, nullptr, AfxGetInstanceHandle(), nullptr);
    if (control == nullptr) {
        ::DestroyWindow(window);
        return FALSE;
    }
    auto* status = new StatusState;
    if (!SetPropW(control, kStateProperty, status) ||
        !SetWindowSubclass(control, StatusControlProc, kSubclassID,
                           reinterpret_cast<DWORD_PTR>(status))) {
        RemovePropW(control, kStateProperty);
        delete status;
        ::DestroyWindow(window);
        return FALSE;
    }
    m_panes = {{ID_SEPARATOR, AfxHwnd(control)}};
    PaneWidths(control) = {0};
    // The control's own height, for its font.
    MoveWindow(window, 0, 0, 200, 100, 0);
    SetScale(control, *status, AfxGetWindowDpi(window));
    AfxBarWindowState(window)->wholeSize = [control] {
        const StatusState* state = StateOf(control);
        return WholeSize(control, state != nullptr ? state->height : 0);
    };
    AttachToSite(pParentWnd, AfxHwnd(window), nID, dwStyle);
    if (dwStyle & WS_VISIBLE)
        ::ShowWindow(window, SW_SHOWNA);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    ::HWND control = m_panes.empty() ? nullptr : AfxWin32Hwnd(m_panes.front().hWnd);
    if (control == nullptr || (lpIDArray == nullptr && nIDCount > 0) || nIDCount > 255)
        return FALSE;
    const StatusState* state = StateOf(control);
    const int padding = AfxScaleToDpi(kPanePadding, state != nullptr ? state->dpi : kDefaultDpi);
    bool ok = true;
    std::vector<Pane> panes;
    std::vector<int> widths;
    std::vector<std::string> texts;
    for (int i = 0; i < nIDCount; ++i) {
        const UINT id = lpIDArray[i];
        std::string text;
        if (id != ID_SEPARATOR)
            ok = AfxLoadString(id, text) && ok;
        panes.push_back({id, AfxHwnd(control)});
        widths.push_back(id == ID_SEPARATOR ? 0 : TextWidth(control, WideFromUtf8(text)) + padding);
        texts.push_back(text);
    }
    if (panes.empty()) {
        panes.push_back({ID_SEPARATOR, AfxHwnd(control)});
        widths.push_back(0);
        texts.emplace_back();
    }
    m_panes = panes;
    PaneWidths(control) = widths;
    RECT client{};
    ::GetClientRect(AfxWin32Hwnd(m_hWnd), &client);
    SetParts(control, client.right);
    for (int i = 0; i < GetCount(); ++i)
        SetPaneText(i, texts[static_cast<size_t>(i)], false);
    return ok ? TRUE : FALSE;
}

bool CStatusBar::SetPaneText(int nIndex, const std::string& text, bool bUpdate) {
    ::HWND control = AfxWin32Hwnd(GetPaneWindow(nIndex));
    if (control == nullptr)
        return false;
    const std::wstring wide = WideFromUtf8(text);
    // The message pane has no border.
    const WPARAM part =
        static_cast<WPARAM>(nIndex) | (GetItemID(nIndex) == ID_SEPARATOR ? SBT_NOBORDERS : 0);
    SendMessageW(control, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(wide.c_str()));
    if (bUpdate && IsWindowVisible())
        UpdateWindow(control);
    return true;
}

std::string CStatusBar::GetPaneText(int nIndex) const {
    ::HWND control = AfxWin32Hwnd(GetPaneWindow(nIndex));
    if (control == nullptr)
        return {};
    const auto length =
        LOWORD(SendMessageW(control, SB_GETTEXTLENGTHW, static_cast<WPARAM>(nIndex), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(control, SB_GETTEXTW, static_cast<WPARAM>(nIndex),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return Utf8FromWide(text);
}

void CStatusBar::SetPaneName(int nIndex, const std::string& name) {
    StatusState* state = StateOf(AfxWin32Hwnd(GetPaneWindow(nIndex)));
    if (state == nullptr || nIndex < 0)
        return;
    if (state->names.size() <= static_cast<size_t>(nIndex))
        state->names.resize(static_cast<size_t>(nIndex) + 1);
    state->names[static_cast<size_t>(nIndex)] = name;
}

void CStatusBar::OnDpiChanged(UINT dpi) {
    ::HWND control = StatusControl(*this);
    StatusState* state = StateOf(control);
    if (state == nullptr)
        return;
    SetScale(control, *state, dpi);
    // The fixed panes measured again in the new font.
    std::vector<int>& widths = PaneWidths(control);
    for (int i = 0; i < GetCount() && static_cast<size_t>(i) < widths.size(); ++i) {
        std::string text;
        if (const UINT id = GetItemID(i); id != ID_SEPARATOR && AfxLoadString(id, text))
            widths[static_cast<size_t>(i)] =
                TextWidth(control, WideFromUtf8(text)) + AfxScaleToDpi(kPanePadding, dpi);
    }
    RECT client{};
    ::GetClientRect(AfxWin32Hwnd(m_hWnd), &client);
    SetParts(control, client.right);
    if (::HWND window = AfxWin32Hwnd(m_hWnd))
        PostMessageW(GetParent(window), WM_CURVIX_RECALCLAYOUT, 0, 0);
}

} // namespace curvix
