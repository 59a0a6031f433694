#include "WinApp.h"

#include "DialogState.h"
#include "OpenRequestServer.h"
#include "ResourceLoader.h"
#include "ShownName.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <iostream>

namespace curvix {

namespace {

constexpr const char* kRecentFileSection = "Recent File List";
constexpr const char* kRecentFileEntry = "File%d";
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kPreviewPagesEntry = "PreviewPages";
constexpr const char* kUnregisterDone =
    "System registry entries have been removed and the INI file (if any) was deleted.";
constexpr int kFailedStart = 1;
constexpr const char* kAskToSave = "Save changes to %1?";

// File names are bytes: made absolute and clean without a round trip
// through text, which would lose a name that is not valid UTF-8.
std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    std::string clean = absolute.lexically_normal().string();
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
            std::cerr << "Cannot write the settings to " << m_pProfile->FileName().toStdString()
                      << ": " << m_pProfile->GetFlushError() << ".\n";
            return m_nExitCode != 0 ? m_nExitCode : kFailedStart;
        }
    }
    return m_nExitCode;
}

void CWinApp::SetRegistryKey(const char* company) {
    m_pProfile = std::make_unique<CSettingsProfile>(QString::fromLatin1(company),
                                                    AfxLoadQString(AFX_IDS_APP_TITLE));
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
    if (!m_bArgumentsSet) {
        const QStringList all = QCoreApplication::arguments();
        m_arguments.clear();
        for (qsizetype i = 1; i < all.size(); ++i)
            m_arguments.push_back(all[i].toLocal8Bit().toStdString());
    }
    rCmdInfo.ParseCommandLine(m_arguments);
}

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
                     "the socket cannot be made.\n";
        return FailStart();
    }
    m_pShellOpenTimer = std::make_unique<QTimer>();
    m_pShellOpenTimer->setSingleShot(true);
    QObject::connect(m_pShellOpenTimer.get(), &QTimer::timeout, m_pShellOpenTimer.get(), [this] {
        if (m_pMainWnd == nullptr)
            EndRunning(0);
    });
    m_pShellOpenTimer->start(m_nShellOpenTimeoutMs);
    return true;
}

bool CWinApp::Unregister(const CCommandLineInfo& rCmdInfo) {
    UnregisterShellFileTypes();
    if (!rCmdInfo.m_bRunEmbedded) {
        QMessageBox box(QMessageBox::Information, AfxLoadQString(AFX_IDS_APP_TITLE),
                        QString::fromLatin1(kUnregisterDone), QMessageBox::Ok);
        box.exec();
    }
    return false;
}

void CWinApp::SetMainWindow(CFrameWnd* pFrame) {
    m_pMainWnd = pFrame;
    if (CView* view = pFrame->GetActiveView())
        view->OnInitialUpdate();
    ListenForOpenRequests();
}

void CWinApp::EnableShellOpen() {
    if (m_pOpenRequests != nullptr)
        return;
    m_pOpenRequests = std::make_unique<COpenRequestServer>(
        [this](const std::string& path) { OnOpenRequest(path); });
}

bool CWinApp::ListenForOpenRequests() {
    if (m_pOpenRequests == nullptr)
        return false;
    if (!m_pOpenRequests->FullServerName().isEmpty())
        return true;
    const QString program = AfxLoadQString(AFX_IDS_APP_TITLE).toLower();
    return m_pOpenRequests->Listen(OpenRequestSocketName(program));
}

QString CWinApp::GetOpenRequestSocket() const {
    return m_pOpenRequests != nullptr ? m_pOpenRequests->FullServerName() : QString();
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
    if (m_pPendingOpenTimer == nullptr) {
        m_pPendingOpenTimer = std::make_unique<QTimer>();
        m_pPendingOpenTimer->setSingleShot(true);
        QObject::connect(m_pPendingOpenTimer.get(), &QTimer::timeout, m_pPendingOpenTimer.get(),
                         [this] { OpenPendingRequests(); });
    }
    m_pPendingOpenTimer->start(0);
}

void CWinApp::OpenRequestedDocument(const std::string& path) {
    const bool hadMainWindow = m_pMainWnd != nullptr;
    if (hadMainWindow) {
        m_pMainWnd->raise();
        m_pMainWnd->activateWindow();
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
    frame->show();
    frame->update();
    frame->DragAcceptFiles(TRUE);
}

void CWinApp::EndRunning(int exitCode) {
    m_bEnded = true;
    m_nExitCode = exitCode;
    // Outside an event loop, exit() would make every later loop (a message
    // box's too) return at once; whoever runs the loop asks HasEnded first.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(exitCode);
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
    const QScopedValueRollback asking(m_bAskingToSave, true);
    // Requests that came meanwhile open from the event loop, once the
    // action that asked is done.
    const auto openWaiting = qScopeGuard([this] {
        if (!m_pendingOpenRequests.empty())
            OpenPendingRequestsLater();
    });
    const std::string title = document.GetTitle().empty() ? kUntitled : document.GetTitle();
    QWidget* parent = m_pMainWnd != nullptr && m_pMainWnd->isVisible() ? m_pMainWnd : nullptr;
    QMessageBox box(
        QMessageBox::Question, AfxLoadQString(AFX_IDS_APP_TITLE),
        QString::fromLatin1(kAskToSave).arg(QString::fromStdString(ShownFileName(title))),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return DoFileSave(document);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
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
    if (text.empty())
        return;
    QWidget* parent = m_pMainWnd != nullptr && m_pMainWnd->isVisible() ? m_pMainWnd : nullptr;
    QMessageBox box(QMessageBox::Warning, AfxLoadQString(AFX_IDS_APP_TITLE),
                    QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}

void CWinApp::AddToRecentFileList(const std::string& path) {
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(path);
}

QString CWinApp::FileFilter() const {
    QString filter;
    if (m_pDocTemplate != nullptr) {
        filter =
            QString::fromStdString(m_pDocTemplate->GetDocString(CSingleDocTemplate::filterName));
    }
    if (!filter.isEmpty())
        filter += QStringLiteral(";;");
    return filter + QStringLiteral("All Files (*)");
}

std::string CWinApp::PromptOpenFileName() {
    const DialogStateOutOfHome dialogState;
    QFileDialog dialog(m_pMainWnd, QStringLiteral("Open"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(FileFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toLocal8Bit().toStdString();
}

std::string CWinApp::PromptSaveFileName(const std::string& initial) {
    const DialogStateOutOfHome dialogState;
    QFileDialog dialog(m_pMainWnd, QStringLiteral("Save As"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(FileFilter());
    if (m_pDocTemplate != nullptr) {
        // A name typed without an extension gets the document's.
        QString extension =
            QString::fromStdString(m_pDocTemplate->GetDocString(CSingleDocTemplate::filterExt));
        if (extension.startsWith(QLatin1Char('.')))
            extension.remove(0, 1);
        dialog.setDefaultSuffix(extension);
    }
    if (!initial.empty())
        dialog.selectFile(QString::fromLocal8Bit(initial.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toLocal8Bit().toStdString();
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
        m_pMainWnd->close();
}

} // namespace curvix
