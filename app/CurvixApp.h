#pragma once

#include "WinApp.h"

namespace curvix {

// The application: settings under "Quenmark", the one template binding
// CCurvixDoc, CMainFrame and CCurvixView, the desktop's knowledge of .cvx
// documents, and the command line.
class CCurvixApp : public CWinApp {
public:
    CCurvixApp();
    ~CCurvixApp() override;

    BOOL InitInstance() override;
    // The MIME type, icons and desktop entry of the user's data folder.
    void RegisterShellFileTypes(BOOL bCompat = FALSE) override;
    void UnregisterShellFileTypes() override;

    void OnAppAbout();

protected:
    DECLARE_MESSAGE_MAP()
};

} // namespace curvix
