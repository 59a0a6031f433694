#include "FrameWnd.h"
#include "MessageBox.h"
#include "WinApp.h"

#include <cctype>
#include <iostream>

// The shell's commands: how the command line starts the program, and the
// documents other programs ask it to open.

namespace curvix {

namespace {

constexpr const char* kUnregisterDone =
    "System registry entries have been removed and the INI file (if any) was deleted.";
constexpr int kFailedStart = 1;

} // namespace

BOOL CWinApp::ProcessShellCommand(const CCommandLineInfo& rCmdInfo) {
    m_nShellCommand = rCmdInfo.m_nShellCommand;
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        break;
    case CCommandLineInfo::FileOpen:
        OpenDocumentFile(rCmdInfo.m_strFileName);
        break;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        return PrintDirect(rCmdInfo);
    case CCommandLineInfo::FileDDE:
        return WaitForOpenRequest();
    case CCommandLineInfo::AppUnregister:
        return Unregister(rCmdInfo);
    }
    if (m_pDocTemplate == nullptr || m_pDocTemplate->GetFrame() == nullptr)
        return FailStart(); // the message has been shown
    SetMainWindow(m_pDocTemplate->GetFrame());
    return TRUE;
}

bool CWinApp::FailStart() {
    m_nExitCode = kFailedStart;
    return false;
}

// The document is opened behind a hidden frame and the print-direct command
// sent to it. Nothing here handles printing, so nothing is printed and the
// program ends, successfully when the document could be opened.
bool CWinApp::PrintDirect(const CCommandLineInfo& rCmdInfo) {
    if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr)
        return FailStart();
    if (CFrameWnd* frame = m_pDocTemplate->GetFrame())
        frame->SendCommand(ID_FILE_PRINT_DIRECT);
    return false;
}

// No document and no window yet: the first open request makes them. With
// nobody asking within the time limit, the program ends by itself.
bool CWinApp::WaitForOpenRequest() {
    if (!ListenForOpenRequests()) {
        std::cerr << "Cannot wait for open requests: another instance is receiving them, or "
                     "the channel cannot be made.\n";
        return FailStart();
    }
    m_pShellOpenTimer = std::make_unique<CTimer>([this] {
        if (m_pMainWnd == nullptr)
            EndRunning(0);
    });
    m_pShellOpenTimer->Start(m_nShellOpenTimeoutMs);
    return true;
}

bool CWinApp::Unregister(const CCommandLineInfo& rCmdInfo) {
    UnregisterShellFileTypes();
    if (!rCmdInfo.m_bRunEmbedded)
        AfxMessageBox(kUnregisterDone, MB_OK | MB_ICONINFORMATION);
    return false;
}

void CWinApp::SetMainWindow(CFrameWnd* pFrame) {
    m_pMainWnd = pFrame;
    if (CView* view = pFrame->GetActiveView())
        view->OnInitialUpdate();
    ListenForOpenRequests();
}

void CWinApp::EnableShellOpen() {
    if (m_pOpenRequests == nullptr)
        m_pOpenRequests =
            AfxCreateShellOpenServer([this](const std::string& path) { OnOpenRequest(path); });
}

bool CWinApp::ListenForOpenRequests() {
    if (m_pOpenRequests == nullptr)
        return false;
    if (!m_pOpenRequests->GetListeningName().empty())
        return true;
    std::string program = AfxLoadString(AFX_IDS_APP_TITLE);
    for (char& c : program)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return m_pOpenRequests->Listen(program);
}

std::string CWinApp::GetOpenRequestSocket() const {
    return m_pOpenRequests != nullptr ? m_pOpenRequests->GetListeningName() : std::string();
}

void CWinApp::RegisterShellFileTypes(BOOL /*bCompat*/) {}

void CWinApp::UnregisterShellFileTypes() {}

void CWinApp::OnOpenRequest(const std::string& path) {
    m_pendingOpenRequests.push_back(path);
    OpenPendingRequests();
}

void CWinApp::OpenPendingRequests() {
    // Opening can show a message box, whose event loop may deliver the next
    // request; that one waits its turn here. One that comes while the
    // question to save is up waits for its answer and the action it was
    // asked for: the requester has been told the document opens.
    if (m_bOpeningRequests || m_bAskingToSave)
        return;
    m_bOpeningRequests = true;
    while (!m_pendingOpenRequests.empty() && !m_bEnded) {
        const std::string next = m_pendingOpenRequests.front();
        m_pendingOpenRequests.pop_front();
        OpenRequestedDocument(next);
    }
    m_pendingOpenRequests.clear();
    m_bOpeningRequests = false;
}

void CWinApp::OpenPendingRequestsLater() {
    if (m_pPendingOpenTimer == nullptr)
        m_pPendingOpenTimer = std::make_unique<CTimer>([this] { OpenPendingRequests(); });
    m_pPendingOpenTimer->Start(0);
}

void CWinApp::OpenRequestedDocument(const std::string& path) {
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->ActivateFrame();
        if (SaveAllModified())
            OpenDocumentFile(path);
        return;
    }
    OpenDocumentFile(path);
    // The first request after a "dde" start: its frame becomes the main
    // window, shown as a normal start would show it.
    CFrameWnd* frame = m_pDocTemplate != nullptr ? m_pDocTemplate->GetFrame() : nullptr;
    if (frame == nullptr) {
        // Nothing to show: the program ends unless another request waits.
        if (m_pendingOpenRequests.empty())
            EndRunning(kFailedStart);
        return;
    }
    m_pShellOpenTimer.reset();
    SetMainWindow(frame);
    frame->ShowWindow(SW_SHOW);
    frame->Invalidate();
    frame->DragAcceptFiles(TRUE);
}

} // namespace curvix
