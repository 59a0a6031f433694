#include "FieldMarkWin.h"

#include "AfxRes.h"
#include "WinSystem.h"

#include <map>

namespace curvix {

namespace {

constexpr UINT_PTR kMarkSubclass = 0xC0FE;
constexpr COLORREF kMarkColor = RGB(0xd0, 0x17, 0x16);

struct Mark {
    ::HWND tooltip = nullptr;
    std::wstring problems;
};

std::map<::HWND, Mark>& Marks() {
    static std::map<::HWND, Mark> marks;
    return marks;
}

// The field's border, drawn over in red, two pixels wide.
LRESULT CALLBACK MarkedFieldProc(::HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        if (auto mark = Marks().find(field); mark != Marks().end()) {
            if (mark->second.tooltip != nullptr)
                DestroyWindow(mark->second.tooltip);
            Marks().erase(mark);
        }
        RemoveWindowSubclass(field, MarkedFieldProc, kMarkSubclass);
        return DefSubclassProc(field, message, wParam, lParam);
    }
    const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
    if (message == WM_NCPAINT || message == WM_PAINT || message == WM_SETFOCUS ||
        message == WM_KILLFOCUS) {
        HDC dc = GetWindowDC(field);
        RECT frame{};
        GetWindowRect(field, &frame);
        OffsetRect(&frame, -frame.left, -frame.top);
        HBRUSH brush = CreateSolidBrush(kMarkColor);
        FrameRect(dc, &frame, brush);
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, brush);
        DeleteObject(brush);
        ReleaseDC(field, dc);
    }
    return result;
}

TTTOOLINFOW ToolFor(::HWND field, Mark& mark) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(field);
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    tool.lpszText = mark.problems.data();
    return tool;
}

void Unmark(::HWND field) {
    auto mark = Marks().find(field);
    if (mark == Marks().end())
        return;
    if (mark->second.tooltip != nullptr)
        DestroyWindow(mark->second.tooltip);
    Marks().erase(mark);
    RemoveWindowSubclass(field, MarkedFieldProc, kMarkSubclass);
    SetWindowPos(field, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void MarkFieldWin(::HWND field, const std::string& problems) {
    if (field == nullptr)
        return;
    if (problems.empty()) {
        Unmark(field);
        return;
    }
    const bool marked = IsFieldMarkedWin(field);
    Mark& mark = Marks()[field];
    mark.problems = WideFromUtf8(problems);
    if (!marked) {
        SetWindowSubclass(field, MarkedFieldProc, kMarkSubclass, 0);
        mark.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, field,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
        TTTOOLINFOW tool = ToolFor(field, mark);
        SendMessageW(mark.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        // Several lines, one problem each.
        SendMessageW(mark.tooltip, TTM_SETMAXTIPWIDTH, 0, 600);
    } else {
        TTTOOLINFOW tool = ToolFor(field, mark);
        SendMessageW(mark.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RedrawWindow(field, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool IsFieldMarkedWin(::HWND field) {
    return Marks().count(field) != 0;
}

std::string FieldProblemsWin(::HWND field) {
    const auto mark = Marks().find(field);
    return mark != Marks().end() ? Utf8FromWide(mark->second.problems) : std::string();
}

} // namespace curvix
