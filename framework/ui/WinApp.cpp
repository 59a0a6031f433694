#include "WinApp.h"

#include "EventLoop.h"
#include "FrameWnd.h"
#include "MessageBox.h"
#include "PathName.h"
#include "ShownName.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace curvix {

namespace {

constexpr const char* kRecentFileSection = "Recent File List";
constexpr const char* kRecentFileEntry = "File%d";
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kPreviewPagesEntry = "PreviewPages";
constexpr int kFailedExit = 1;
constexpr const char* kAskToSave = "Save changes to ";

// File names are made absolute and clean as the system's own paths: on
// Linux without a round trip through text, which would lose a name that is
// not valid UTF-8; on Windows from UTF-8, not the ANSI code page.
std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(PathFromName(path), error);
    if (error)
        return path;
    std::string clean = NameFromPath(absolute.lexically_normal());
    while (clean.size() > 1 && clean.back() == '/')
        clean.pop_back();
    return clean;
}

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_SAVE, &CWinApp::OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, &CWinApp::OnFileSaveAs)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, &CWinApp::OnOpenRecentFile)
ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, &CWinApp::OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
END_MESSAGE_MAP()

CWinApp* AfxGetApp() {
    return dynamic_cast<CWinApp*>(AfxGetAppCmdTarget());
}

CWinApp::CWinApp()
    : m_recentFileMenu([this](UINT nID) {
          if (m_pMainWnd != nullptr)
              m_pMainWnd->SendCommand(nID);
      }) {
    AfxSetAppCmdTarget(this);
}

CWinApp::~CWinApp() {
    m_pShellOpenTimer.reset();
    m_pPendingOpenTimer.reset();
    m_pOpenRequests.reset();
    m_pMainWnd = nullptr;
    m_pDocTemplate.reset();
    if (AfxGetAppCmdTarget() == this)
        AfxSetAppCmdTarget(nullptr);
}

CFrameWndBase* CWinApp::GetMainWnd() {
    return m_pMainWnd;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    // After unregistering, the settings are gone and must stay gone.
    const bool unregistered = m_nShellCommand == CCommandLineInfo::AppUnregister;
    if (!unregistered && m_pRecentFileList != nullptr && m_pProfile != nullptr) {
        m_pRecentFileList->WriteList(*m_pProfile);
        if (m_nNumPreviewPages != 0)
            m_pProfile->WriteInt(kSettingsSection, kPreviewPagesEntry, m_nNumPreviewPages);
        if (!m_pProfile->Flush()) {
            // The old settings are still there; the run's changes are lost.
            std::cerr << "Cannot write the settings to " << m_pProfile->FileName() << ": "
                      << m_pProfile->GetFlushError() << ".\n";
            return m_nExitCode != 0 ? m_nExitCode : kFailedExit;
        }
    }
    return m_nExitCode;
}

void CWinApp::SetRegistryKey(const char* company) {
    m_pProfile = std::make_unique<CSettingsProfile>(company, AfxLoadString(AFX_IDS_APP_TITLE));
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (m_pProfile == nullptr)
        return;
    if (nMaxMRU != 0) {
        m_pRecentFileList =
            std::make_unique<CRecentFileList>(kRecentFileSection, kRecentFileEntry, nMaxMRU);
        m_pRecentFileList->ReadList(*m_pProfile);
    }
    m_nNumPreviewPages = m_pProfile->GetInt(kSettingsSection, kPreviewPagesEntry, 0);
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate) {
    m_pDocTemplate.reset(pTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    if (!m_bArgumentsSet)
        m_arguments = AfxGetProcessArguments();
    rCmdInfo.ParseCommandLine(m_arguments);
}

void CWinApp::EndRunning(int exitCode) {
    m_bEnded = true;
    m_nExitCode = exitCode;
    // Whoever runs the loop later asks HasEnded first.
    AfxEndEventLoop(exitCode);
}

CDocument* CWinApp::OpenDocumentFile(const std::string& path) {
    if (m_pDocTemplate == nullptr)
        return nullptr;
    const std::string fullPath = AbsolutePath(path);
    std::string error;
    CDocument* document = m_pDocTemplate->OpenDocumentFile(fullPath.c_str(), error);
    if (document != nullptr)
        AddToRecentFileList(fullPath);
    ReportError(error);
    return document;
}

bool CWinApp::SaveAllModified() {
    CDocument* document = m_pDocTemplate != nullptr ? m_pDocTemplate->GetDocument() : nullptr;
    return document == nullptr || SaveModified(*document);
}

bool CWinApp::SaveModified(const CDocument& document) {
    if (!document.IsModified())
        return true;
    // Nothing asks a second time over the question (open requests wait).
    if (m_bAskingToSave)
        return false;
    m_bAskingToSave = true;
    const std::string title = document.GetTitle().empty() ? kUntitled : document.GetTitle();
    const int answer =
        AfxMessageBox(kAskToSave + ShownFileName(title) + "?", MB_YESNOCANCEL | MB_ICONQUESTION);
    bool leave = answer == IDNO;
    if (answer == IDYES)
        leave = DoFileSave(document);
    m_bAskingToSave = false;
    // Requests that came meanwhile open from the event loop, once the
    // action that asked is done.
    if (!m_pendingOpenRequests.empty())
        OpenPendingRequestsLater();
    return leave;
}

bool CWinApp::DoFileSave(const CDocument& document) {
    if (document.GetPathName().empty())
        return DoSave(document);
    return SaveDocument(document.GetPathName());
}

bool CWinApp::DoSave(const CDocument& document) {
    const std::string initial =
        document.GetPathName().empty() ? document.GetTitle() : document.GetPathName();
    const std::string chosen = PromptSaveFileName(initial);
    if (chosen.empty())
        return false;
    const std::string path = AbsolutePath(chosen);
    if (!SaveDocument(path))
        return false;
    AddToRecentFileList(path);
    return true;
}

bool CWinApp::SaveDocument(const std::string& path) {
    std::string error;
    const bool saved = m_pDocTemplate->SaveDocument(path, error);
    ReportError(error);
    return saved;
}

void CWinApp::ReportError(const std::string& text) {
    if (!text.empty())
        AfxMessageBox(text, MB_OK | MB_ICONWARNING);
}

void CWinApp::UpdateFrameTitle(const CFrameWndBase* pFrame) {
    if (m_pDocTemplate != nullptr && m_pDocTemplate->GetFrame() == pFrame)
        m_pDocTemplate->UpdateFrameTitle();
}

void CWinApp::OnFrameDestroyed(const CFrameWndBase* pFrame) {
    if (m_pMainWnd == pFrame)
        m_pMainWnd = nullptr;
}

void CWinApp::AddToRecentFileList(const std::string& path) {
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(path);
}

std::string CWinApp::GetFilterName() const {
    return m_pDocTemplate != nullptr ? m_pDocTemplate->GetDocString(CSingleDocTemplate::filterName)
                                     : std::string();
}

std::string CWinApp::GetFilterExtension() const {
    return m_pDocTemplate != nullptr ? m_pDocTemplate->GetDocString(CSingleDocTemplate::filterExt)
                                     : std::string();
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate == nullptr || !SaveAllModified())
        return;
    std::string error;
    m_pDocTemplate->OpenDocumentFile(nullptr, error);
    ReportError(error);
}

void CWinApp::OnFileOpen() {
    const std::string path = PromptOpenFileName();
    if (!path.empty() && SaveAllModified())
        OpenDocumentFile(path);
}

void CWinApp::OnFileSave() {
    if (CDocument* document = m_pDocTemplate != nullptr ? m_pDocTemplate->GetDocument() : nullptr)
        DoFileSave(*document);
}

void CWinApp::OnFileSaveAs() {
    if (CDocument* document = m_pDocTemplate != nullptr ? m_pDocTemplate->GetDocument() : nullptr)
        DoSave(*document);
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == nullptr)
        return;
    const std::size_t index = nID - ID_FILE_MRU_FILE1;
    if (index >= m_pRecentFileList->Entries().size())
        return;
    const std::string path = m_pRecentFileList->Entries()[index];
    if (!SaveAllModified())
        return;
    // A file that cannot be opened any more (its message has been shown)
    // leaves the list. A Save As before may have moved its entry.
    if (OpenDocumentFile(path) != nullptr)
        return;
    const std::vector<std::string>& entries = m_pRecentFileList->Entries();
    const auto found = std::find(entries.begin(), entries.end(), path);
    if (found != entries.end())
        m_pRecentFileList->Remove(static_cast<std::size_t>(found - entries.begin()));
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    m_recentFileMenu.OnUpdate(pCmdUI, m_pRecentFileList.get());
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->RequestClose();
}

} // namespace curvix
