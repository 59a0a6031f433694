#pragma once

#include "CurvixApp.h"
#include "CurvixDoc.h"
#include "CurvixView.h"
#include "MainFrame.h"
#include "Win32Api.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace curvix::test {

// The real program, started as main() starts it, its settings under a
// registry key of the test's own that goes with it.
struct RunningApp {
    explicit RunningApp(std::vector<std::string> arguments = {});
    ~RunningApp();
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    CMainFrame* Frame() const;
    CCurvixView* View() const;
    CCurvixDoc* Doc() const;
    ::HWND FrameWindow() const;
    ::HWND ViewWindow() const;
    // A bar's window by its caption ("File", "Scene", "Function"), or the
    // status bar's by its ID.
    ::HWND Bar(const wchar_t* caption) const;
    ::HWND StatusBar() const;
    ::HWND ToolBarControl(const wchar_t* caption) const;
    ::HWND FormulaItem(int nID) const;
    std::string Pane(int nIndex) const;
    std::string Caption() const;

    // Sends a command as the menu does.
    void Command(UINT nID) const;
    // Runs what the event loop would: queued messages, through the frames'
    // keys, then the idle-time update.
    void Settle() const;

    std::unique_ptr<CCurvixApp> app;
    bool started = false;
};

// A window's rectangle in its parent's client coordinates.
RECT PlaceInParent(::HWND window);

// Offers every modal dialog that shows (message boxes, the About box) to
// answer until it takes one (returns true); one that nobody takes is ended
// with IDCANCEL after ten seconds, so that a failing test does not hang.
void WhenModal(std::function<bool(::HWND dialog)> answer);

// Types path into the next file dialog's name field and presses Open or
// Save.
void AnswerFileDialog(const std::string& path);

// The text of a dialog's first static control that is not empty (a
// message box's message).
std::string DialogMessage(::HWND dialog);
std::string WindowText(::HWND window);

// Removes the program's settings key (HKCU\Software\Quenmark\Curvix).
void ForgetSettings();

// The settings go before the program starts, and with the test.
struct NoSettings {
    NoSettings() { ForgetSettings(); }
    ~NoSettings() { ForgetSettings(); }
};

inline LONG Width(const RECT& rect) {
    return rect.right - rect.left;
}

inline LONG Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

} // namespace curvix::test
