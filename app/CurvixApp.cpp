#include "CurvixApp.h"

#include "AboutDlg.h"
#include "CurvixDoc.h"
#include "CurvixView.h"
#include "MainFrame.h"
#include "Resource.h"

namespace curvix {

BEGIN_MESSAGE_MAP(CCurvixApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, &CCurvixApp::OnAppAbout)
END_MESSAGE_MAP()

CCurvixApp::CCurvixApp() = default;

CCurvixApp::~CCurvixApp() = default;

BOOL CCurvixApp::InitInstance() {
    SetRegistryKey("Quenmark");
    LoadStdProfileSettings(4);

    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CCurvixDoc; }, [] { return new CMainFrame; },
        [] { return new CCurvixView; }));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->show();
    m_pMainWnd->update();
    return TRUE;
}

void CCurvixApp::OnAppAbout() {
    CAboutDlg aboutDlg(m_pMainWnd);
    aboutDlg.DoModal();
}

} // namespace curvix
