#pragma once

#include "CommandLineInfo.h"
#include "ErrorSink.h"
#include "RecentFileList.h"
#include "SettingsProfile.h"
#include "SingleDocTemplate.h"

#include <memory>
#include <string>

class QMenu;

namespace curvix {

// The application object: settings and the recent-file list, the one
// document template, the command line and the File commands New, Open,
// Save, Save As, the recent files and Exit. The QApplication must exist
// before InitInstance runs; the caller runs its event loop and then
// ExitInstance.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // Writes the recent-file list back; returns the exit code.
    virtual int ExitInstance();

    // Settings go to QSettings under this organisation and the
    // application name (string AFX_IDS_APP_TITLE).
    void SetRegistryKey(const char* company);
    // The recent-file list with nMaxMRU entries, read from the settings,
    // then "Settings"/"PreviewPages".
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    // The application keeps the template from here on.
    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    // The program's arguments, without the program name.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Replaces the process's arguments as ParseCommandLine reads them.
    void SetCommandLine(std::vector<std::string> arguments) {
        m_arguments = std::move(arguments);
        m_bArgumentsSet = true;
    }
    BOOL ProcessShellCommand(const CCommandLineInfo& rCmdInfo);

    CDocument* OpenDocumentFile(const std::string& path);
    void AddToRecentFileList(const std::string& path);

    CProfile* GetProfile() const { return m_pProfile.get(); }
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    CFrameWnd* m_pMainWnd = nullptr;
    int m_nNumPreviewPages = 0;

    // The file dialogs; a file name, or empty when the user cancels.
    // Qt's own (not the desktop's) dialogs are used, so that they can be
    // driven like any other window.
    virtual std::string PromptOpenFileName();
    virtual std::string PromptSaveFileName(const std::string& initial);

protected:
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    QString FileFilter() const;
    void RebuildRecentFileMenu(QMenu* menu, QAction* placeholder);

    std::string m_strRegistryKey;
    std::vector<std::string> m_arguments;
    bool m_bArgumentsSet = false;
    std::unique_ptr<CSettingsProfile> m_pProfile;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::unique_ptr<CErrorSink> m_pErrorSink;
    CErrorSink* m_pPreviousSink = nullptr;
};

} // namespace curvix
