#include "FieldMarkWin.h"
#include "MainFrame.h"
#include "ReportList.h"
#include "ReportTally.h"
#include "Resource.h"
#include "WndWin.h"

// The formula field holds 8-bit text, as the engine reads it: each
// character is one code unit of the wide field, from U+0000 to U+00FF;
// a character beyond those reads as "?".

namespace curvix {

namespace {

::HWND FormulaField(const CDialogBar& bar) {
    return AfxWin32Hwnd(bar.GetDlgItem(static_cast<int>(IDC_FORMULA)));
}

std::wstring WideFromLatin1(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (const char c : text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
}

int g_waitCursors = 0; // BeginWaitCursor calls not yet ended

} // namespace

void CMainFrame::FocusFormulaField() {
    if (::HWND field = FormulaField(m_wndFormulaBar))
        ::SetFocus(field);
}

std::string CMainFrame::GetFormulaText() {
    std::string text;
    ::HWND field = FormulaField(m_wndFormulaBar);
    if (field == nullptr)
        return text;
    const int length = GetWindowTextLengthW(field);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(field, wide.data(), length + 1)));
    for (const wchar_t unit : wide)
        text += unit <= 0xFF ? static_cast<char>(unit) : '?';
    return text;
}

void CMainFrame::SetFormulaText(const std::string& text) {
    ::HWND field = FormulaField(m_wndFormulaBar);
    if (field == nullptr)
        return;
    // A field cuts what it is given at its length limit; a loaded formula
    // must come back whole at the next Draw.
    const auto limit = static_cast<size_t>(SendMessageW(field, EM_GETLIMITTEXT, 0, 0));
    if (text.size() > limit)
        SendMessageW(field, EM_SETLIMITTEXT, text.size(), 0);
    SetWindowTextW(field, WideFromLatin1(text).c_str());
    SendMessageW(field, EM_SETSEL, 0, 0);
    SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

void CMainFrame::ShowReports(const ReportTally& reports) {
    MarkFieldWin(FormulaField(m_wndFormulaBar),
                 reports.IsEmpty() ? std::string() : ReportListText(reports));
}

void CMainFrame::SetStatusText(std::string text) {
    // The engine's texts are 8-bit; the pane takes UTF-8.
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    m_wndStatusBar.SetWindowText(utf8);
}

void CMainFrame::BeginWaitCursor() {
    ++g_waitCursors;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void CMainFrame::RestoreWaitCursor() {
    if (g_waitCursors > 0)
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void CMainFrame::EndWaitCursor() {
    if (g_waitCursors > 0 && --g_waitCursors == 0) {
        // The cursor the window under the pointer wants.
        POINT at{};
        GetCursorPos(&at);
        SetCursorPos(at.x, at.y);
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
}

} // namespace curvix
