#include "CurvixApp.h"

#include "AboutDlg.h"
#include "CurvixDoc.h"
#include "CurvixIdentity.h"
#include "CurvixView.h"
#include "DesktopRegistration.h"
#include "MainFrame.h"
#include "Resource.h"

namespace curvix {

BEGIN_MESSAGE_MAP(CCurvixApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, &CCurvixApp::OnAppAbout)
END_MESSAGE_MAP()

CCurvixApp::CCurvixApp() = default;

CCurvixApp::~CCurvixApp() = default;

BOOL CCurvixApp::InitInstance() {
    // Qt draws its controls in the desktop's style; there is no 3-D
    // control library to turn on.
    SetRegistryKey(kCurvixOrganisation);
    IdentifyToDesktop();
    LoadStdProfileSettings(4);

    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CCurvixDoc; }, [] { return new CMainFrame; },
        [] { return new CCurvixView; }));

    EnableShellOpen();

    // The command line is read first so that unregistering does not
    // register again just before.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::AppUnregister)
        RegisterShellFileTypes(TRUE);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    // After "/dde" there is no window yet: the first open request makes
    // and shows it.
    if (m_pMainWnd == nullptr)
        return TRUE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->Invalidate();
    m_pMainWnd->DragAcceptFiles(TRUE);
    return TRUE;
}

void CCurvixApp::RegisterShellFileTypes(BOOL /*bCompat*/) {
    RegisterWithDesktop();
}

void CCurvixApp::UnregisterShellFileTypes() {
    UnregisterFromDesktop();
}

void CCurvixApp::OnAppAbout() {
    CAboutDlg aboutDlg(m_pMainWnd);
    aboutDlg.DoModal();
}

} // namespace curvix
