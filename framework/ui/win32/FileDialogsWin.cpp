#include "FileDialogSetupWin.h"
#include "FrameWnd.h"
#include "Win32Api.h"
#include "WinApp.h"
#include "WndWin.h"

#include <iostream>

// The Open and Save As dialogs: the system's, over the main window.

namespace curvix {

namespace {

// The chosen name, or empty when the user cancels or the dialog cannot be
// shown (which standard error then tells).
std::string ChosenFile(CFileDialogSetup& setup, FileDialogKind kind) {
    const BOOL chosen = kind == FileDialogKind::open ? GetOpenFileNameW(&setup.Get())
                                                     : GetSaveFileNameW(&setup.Get());
    if (chosen != 0)
        return setup.ChosenName();
    if (const DWORD error = CommDlgExtendedError(); error != 0)
        std::cerr << "Cannot show the file dialog: error 0x" << std::hex << error << std::dec
                  << ".\n";
    return {};
}

} // namespace

std::string CWinApp::PromptOpenFileName() {
    CFileDialogSetup open(FileDialogKind::open, AfxWin32Hwnd(m_pMainWnd), GetFilterName(),
                          GetFilterExtension(), std::string());
    return ChosenFile(open, FileDialogKind::open);
}

std::string CWinApp::PromptSaveFileName(const std::string& initial) {
    CFileDialogSetup save(FileDialogKind::saveAs, AfxWin32Hwnd(m_pMainWnd), GetFilterName(),
                          GetFilterExtension(), initial);
    return ChosenFile(save, FileDialogKind::saveAs);
}

} // namespace curvix
