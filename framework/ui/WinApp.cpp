#include "WinApp.h"

#include "CmdUIQt.h"
#include "ResourceLoader.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

namespace curvix {

namespace {

constexpr const char* kCommandProperty = "curvixCommand";
constexpr const char* kRecentFileSection = "Recent File List";
constexpr const char* kRecentFileEntry = "File%d";
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kPreviewPagesEntry = "PreviewPages";

// File errors in message boxes captioned with the application's name.
class CMessageBoxSink : public CErrorSink {
public:
    explicit CMessageBoxSink(CWinApp& app) : m_app(app) {}
    void ReportError(const std::string& text) override {
        QWidget* parent = m_app.m_pMainWnd != nullptr && m_app.m_pMainWnd->isVisible()
                              ? m_app.m_pMainWnd
                              : nullptr;
        QMessageBox box(QMessageBox::Warning, AfxLoadQString(AFX_IDS_APP_TITLE),
                        QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok, parent);
        box.exec();
    }

private:
    CWinApp& m_app;
};

std::string AbsolutePath(const std::string& path) {
    return QFileInfo(QString::fromLocal8Bit(path.c_str()))
        .absoluteFilePath()
        .toLocal8Bit()
        .toStdString();
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

CWinApp::CWinApp() : m_pErrorSink(std::make_unique<CMessageBoxSink>(*this)) {
    AfxSetAppCmdTarget(this);
    m_pPreviousSink = SetErrorSink(m_pErrorSink.get());
}

CWinApp::~CWinApp() {
    if (m_pMainWnd != nullptr && AfxGetMainWnd() == m_pMainWnd)
        AfxSetMainWnd(nullptr);
    m_pMainWnd = nullptr;
    m_pDocTemplate.reset();
    SetErrorSink(m_pPreviousSink);
    if (AfxGetAppCmdTarget() == this)
        AfxSetAppCmdTarget(nullptr);
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    if (m_pRecentFileList != nullptr && m_pProfile != nullptr) {
        m_pRecentFileList->WriteList(*m_pProfile);
        if (m_nNumPreviewPages != 0)
            m_pProfile->WriteInt(kSettingsSection, kPreviewPagesEntry, m_nNumPreviewPages);
        m_pProfile->Flush();
    }
    return 0;
}

void CWinApp::SetRegistryKey(const char* company) {
    m_strRegistryKey = company;
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
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        break;
    case CCommandLineInfo::FileOpen:
        OpenDocumentFile(rCmdInfo.m_strFileName);
        break;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::AppUnregister:
        // Printing, the shell's open requests and unregistering are not
        // offered: the program ends at once.
        return FALSE;
    }
    if (m_pDocTemplate == nullptr || m_pDocTemplate->GetFrame() == nullptr)
        return FALSE;
    m_pMainWnd = m_pDocTemplate->GetFrame();
    AfxSetMainWnd(m_pMainWnd);
    return TRUE;
}

CDocument* CWinApp::OpenDocumentFile(const std::string& path) {
    if (m_pDocTemplate == nullptr)
        return nullptr;
    const std::string fullPath = AbsolutePath(path);
    CDocument* document = m_pDocTemplate->OpenDocumentFile(fullPath.c_str());
    if (document != nullptr)
        AddToRecentFileList(fullPath);
    return document;
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
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    const std::string path = PromptOpenFileName();
    if (!path.empty())
        OpenDocumentFile(path);
}

void CWinApp::OnFileSave() {
    CDocument* document = m_pDocTemplate != nullptr ? m_pDocTemplate->GetDocument() : nullptr;
    if (document == nullptr)
        return;
    if (document->GetPathName().empty()) {
        OnFileSaveAs();
        return;
    }
    m_pDocTemplate->SaveDocument(document->GetPathName());
}

void CWinApp::OnFileSaveAs() {
    CDocument* document = m_pDocTemplate != nullptr ? m_pDocTemplate->GetDocument() : nullptr;
    if (document == nullptr)
        return;
    const std::string initial =
        document->GetPathName().empty() ? document->GetTitle() : document->GetPathName();
    const std::string chosen = PromptSaveFileName(initial);
    if (chosen.empty())
        return;
    const std::string path = AbsolutePath(chosen);
    if (m_pDocTemplate->SaveDocument(path))
        AddToRecentFileList(path);
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == nullptr)
        return;
    const std::size_t index = nID - ID_FILE_MRU_FILE1;
    if (index >= m_pRecentFileList->Entries().size())
        return;
    const std::string path = m_pRecentFileList->Entries()[index];
    // A file that cannot be opened any more (its message has been shown)
    // leaves the list.
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(index);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (pCmdUI->m_nID != ID_FILE_MRU_FILE1) {
        pCmdUI->Enable(true);
        return;
    }
    const bool empty = m_pRecentFileList == nullptr || m_pRecentFileList->IsEmpty();
    if (auto* item = dynamic_cast<CActionCmdUI*>(pCmdUI)) {
        if (QAction* placeholder = item->GetAction())
            RebuildRecentFileMenu(qobject_cast<QMenu*>(placeholder->parent()), placeholder);
    }
    pCmdUI->Enable(!empty);
}

void CWinApp::RebuildRecentFileMenu(QMenu* menu, QAction* placeholder) {
    if (menu == nullptr)
        return;
    for (QAction* action : menu->actions()) {
        const UINT id = action->property(kCommandProperty).toUInt();
        if (id > ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const std::vector<std::string> entries =
        m_pRecentFileList != nullptr ? m_pRecentFileList->Entries() : std::vector<std::string>{};
    if (entries.empty()) {
        placeholder->setText(QStringLiteral("Recent File"));
        return;
    }
    const std::string folder = QDir::currentPath().toLocal8Bit().toStdString();
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(placeholder);
    QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QString name = QString::fromLocal8Bit(m_pRecentFileList->GetDisplayName(i, folder).c_str());
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(name);
        if (i == 0) {
            placeholder->setText(text);
            continue;
        }
        const UINT id = ID_FILE_MRU_FILE1 + static_cast<UINT>(i);
        auto* action = new QAction(text, menu);
        action->setProperty(kCommandProperty, id);
        menu->insertAction(before, action);
        QObject::connect(action, &QAction::triggered, menu, [this, id] {
            if (m_pMainWnd != nullptr)
                m_pMainWnd->SendCommand(id);
        });
    }
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->close();
}

} // namespace curvix
