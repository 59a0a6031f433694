#pragma once

#include "BarLayout.h"
#include "FrameWnd.h"
#include "Win32Api.h"

#include <string>
#include <vector>

namespace curvix {

struct CFrameWnd::Impl {
    static LRESULT CALLBACK WindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool PreTranslateMessage(CFrameWnd& frame, MSG& msg);
    // The bars in the order they are laid out, and their places; floating
    // bars take none. With moved given, that bar as if docked at movedSide.
    static std::vector<BarPlace> BarPlaces(const CFrameWnd& frame, std::vector<CControlBar*>& order,
                                           const CControlBar* moved = nullptr, DWORD movedSide = 0,
                                           CSize movedWhole = {});
    static DWORD DockStyle(const CFrameWnd& frame) { return frame.m_dwDockStyle; }
    static void RecalcLayout(CFrameWnd& frame);
    static void FitIntoWorkArea(CFrameWnd& frame);
    // Moved to a monitor of another scale: the bars laid out for it, the
    // window at the system's suggested place.
    static void OnDpiChanged(CFrameWnd& frame, UINT dpi, const RECT& suggested);
    static bool WatchesIdleTime(const CFrameWnd& frame) { return frame.m_pImpl->idleWatched; }

    UINT resourceID = 0;
    HACCEL accelerators = nullptr; // the resource's table, owned by the module
    bool idleWatched = false;
    bool shown = false;                    // shown once
    POINT minimumTrackSize{};              // the window's smallest size, frame and menu included
    std::vector<std::string> droppedFiles; // waiting to be opened
    ::HWND lastFocus = nullptr;            // given back when the frame is active again
};

// What the event loop asks of the frames before it dispatches a message:
// a frame's accelerator keys become commands, and a dialog bar's keys
// (Tab, Enter) work as in a dialog. True when a frame took the message.
bool AfxPreTranslateMessage(MSG& msg);

// The idle-time update of every frame's bars, menus and title.
void AfxIdleUpdateFrames();

// Brings one menu's items up to date, as when it opens.
void AfxUpdateMenuCmdUI(CFrameWnd* pFrame, HMENU menu);

// The frame window's class; its messages go to the frame object.
const wchar_t* AfxFrameWindowClass();

// Lays the frame's bars and view out again (a bar was shown, hidden or
// resized).
void AfxRecalcLayout(CFrameWnd* pFrame);

} // namespace curvix
