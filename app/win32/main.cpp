#include "CurvixApp.h"
#include "CurvixResources.h"
#include "DpiWin.h"
#include "EventLoop.h"
#include "FrameWndWin.h"
#include "MessageLoopWin.h"
#include "StandardStreamsWin.h"
#include "StartupRequests.h"
#include "Win32Api.h"

#include <iostream>

int main(int argc, char* argv[]) {
    // A program for the Windows desktop has no console; standard error is
    // the one its parent gave it, if any.
    curvix::AttachInheritedStandardStreams();
    if (const auto status = curvix::AnswerInformationRequest(argc, argv, std::cout))
        return *status;

    // Sizes in device pixels at every monitor's scale, also where the
    // system did not take that from the manifest.
    curvix::AfxEnableDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());

    curvix::CCurvixApp app;
    // The wide command line, so that a name outside the ANSI code page
    // arrives whole.
    app.SetCommandLine(curvix::AfxGetProcessArguments());
    if (!app.InitInstance())
        return app.ExitInstance();
    if (!app.HasEnded())
        curvix::AfxRunEventLoop(curvix::AfxPreTranslateMessage, curvix::AfxIdleUpdateFrames);
    return app.ExitInstance();
}
