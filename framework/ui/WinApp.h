#pragma once

#include "CommandLineInfo.h"
#include "FrameWndBase.h"
#include "RecentFileList.h"
#include "RecentFileMenu.h"
#include "SettingsProfile.h"
#include "ShellOpen.h"
#include "SingleDocTemplate.h"
#include "Timer.h"
#include "Wnd.h"

#include <deque>
#include <memory>
#include <string>

namespace curvix {

class CFrameWnd;

// The application object: settings and the recent-file list, the one
// document template, the command line and the File commands New, Open,
// Save, Save As, the recent files and Exit; files dropped on the main
// window and documents other programs ask for on the open-request socket.
// The window system's application object must exist before InitInstance
// runs; the caller runs its event loop when InitInstance succeeds, and ExitInstance in either case.
class CWinApp : public CWinThread {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // Writes the recent-file list back (not after an unregister request);
    // returns the exit code: 0, or 1 after a failed start or when the
    // settings could not be written (the file is then as it was).
    virtual int ExitInstance();

    // Settings go to the per-user settings file for this organisation and
    // the application name (string AFX_IDS_APP_TITLE).
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
    // Carries out the command line. TRUE when the program goes on running:
    // with a main window, or hidden waiting for an open request ("dde").
    BOOL ProcessShellCommand(const CCommandLineInfo& rCmdInfo);

    // Lets other programs ask for documents on the per-user open-request
    // socket; listening starts once there is a main window (or at "dde").
    void EnableShellOpen();
    // Makes the desktop know the program's document type, and forgets it
    // again together with the settings. The program knows what its type
    // is; the framework knows when to do it. Registration runs at every
    // start, so it must be cheap when nothing changed and silent on failure.
    // bCompat chose the Windows form with icon and print entries; the
    // desktop's registration has only one form, so it is not read.
    virtual void RegisterShellFileTypes(BOOL bCompat = FALSE);
    virtual void UnregisterShellFileTypes();
    // How long a "dde" start waits for its first open request.
    void SetShellOpenTimeout(int milliseconds) { m_nShellOpenTimeoutMs = milliseconds; }
    // Opens the document an open request names (queued while another is
    // opening or the question to save is up). The first one after a "dde" start makes and shows the
    // main window; when that fails, the program ends.
    void OnOpenRequest(const std::string& path);
    // The socket the open requests arrive on; empty before listening.
    std::string GetOpenRequestSocket() const;

    // Leaves the event loop; ExitInstance then returns exitCode. Before the
    // loop runs, the caller must not start it when HasEnded.
    void EndRunning(int exitCode);
    bool HasEnded() const { return m_bEnded; }

    // Opens path into the document without asking about its changes:
    // whoever starts the open asks first (SaveAllModified).
    CDocument* OpenDocumentFile(const std::string& path) override;
    void AddToRecentFileList(const std::string& path);

    // Before the document is left (New, Open, Exit, closing the window):
    // true when it may go. A modified document asks "Save changes to ...?":
    // Yes saves (false when the save fails or is cancelled), No goes on,
    // Cancel gives false.
    bool SaveAllModified() override;
    void UpdateFrameTitle(const CFrameWndBase* pFrame) override;
    void OnFrameDestroyed(const CFrameWndBase* pFrame) override;
    bool SaveModified(const CDocument& document);
    // Save: to the document's file, or as Save As for an untitled one.
    bool DoFileSave(const CDocument& document);
    // Save As: asks for the name; false when cancelled or the save fails.
    bool DoSave(const CDocument& document);

    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    // The main window, the one place that holds it; the frame clears it
    // when it goes.
    CFrameWnd* m_pMainWnd = nullptr;
    CFrameWndBase* GetMainWnd() override;
    int m_nNumPreviewPages = 0;
    int m_nExitCode = 0;

    // The file dialogs; a file name, or empty when the user cancels.
    // The toolkit's own (not the desktop's) dialogs are used, so that they
    // can be driven like any other window.
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
    // The document string's filter name and extension ("Curvix Files
    // (*.cvx)", ".cvx"); empty without a template.
    std::string GetFilterName() const;
    std::string GetFilterExtension() const;
    bool FailStart();
    bool PrintDirect(const CCommandLineInfo& rCmdInfo);
    bool WaitForOpenRequest();
    bool Unregister(const CCommandLineInfo& rCmdInfo);
    void SetMainWindow(CFrameWnd* pFrame);
    bool ListenForOpenRequests();
    void OpenPendingRequests();
    void OpenPendingRequestsLater();
    void OpenRequestedDocument(const std::string& path);
    // Shows a file error in a message box captioned with the application's
    // name; an empty text shows nothing.
    void ReportError(const std::string& text);
    bool SaveDocument(const std::string& path);

    std::vector<std::string> m_arguments;
    bool m_bArgumentsSet = false;
    std::unique_ptr<CSettingsProfile> m_pProfile;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    CRecentFileMenu m_recentFileMenu;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    CCommandLineInfo::ShellCommand m_nShellCommand = CCommandLineInfo::FileNew;
    std::unique_ptr<CShellOpenServer> m_pOpenRequests;
    std::unique_ptr<CTimer> m_pShellOpenTimer;
    std::unique_ptr<CTimer> m_pPendingOpenTimer; // requests that waited for the question
    int m_nShellOpenTimeoutMs = 60000;
    std::deque<std::string> m_pendingOpenRequests;
    bool m_bOpeningRequests = false;
    bool m_bAskingToSave = false;
    bool m_bEnded = false;
};

// The one application object, or null outside its lifetime.
CWinApp* AfxGetApp();

} // namespace curvix
