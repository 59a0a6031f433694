#pragma once

#include "WinApp.h"

namespace curvix {

// The application: settings under "Quenmark", the one template binding
// CCurvixDoc, CMainFrame and CCurvixView, and the command line.
class CCurvixApp : public CWinApp {
public:
    CCurvixApp();
    ~CCurvixApp() override;

    BOOL InitInstance() override;

    void OnAppAbout();

protected:
    DECLARE_MESSAGE_MAP()
};

} // namespace curvix
