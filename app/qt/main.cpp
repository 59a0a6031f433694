#include "CurvixApp.h"
#include "CurvixIdentity.h"
#include "CurvixResources.h"
#include "DisplayCheck.h"
#include "DisplayConnection.h"
#include "StartupRequests.h"

#include <QApplication>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    if (const auto status = curvix::AnswerInformationRequest(argc, argv, std::cout))
        return *status;
    const bool windowless = curvix::RunsWithoutDisplay(argc, argv);
    if (!windowless && !curvix::HasDisplay(argc, argv)) {
        std::fprintf(stderr, "%s\n", curvix::kNoDisplayText);
        return 1;
    }
    const std::unique_ptr<QCoreApplication> qtApp =
        windowless ? std::make_unique<QCoreApplication>(argc, argv)
                   : curvix::ConnectToDisplay(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Curvix"));
    QApplication::setApplicationVersion(QLatin1String(curvix::kCurvixVersion));
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());

    curvix::CCurvixApp app;
    // Qt has taken its own options out of argv. The rest go on as bytes:
    // QCoreApplication::arguments() would lose a file name that is not
    // valid UTF-8.
    app.SetCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!app.InitInstance())
        return app.ExitInstance();
    if (!app.HasEnded())
        QApplication::exec();
    return app.ExitInstance();
}
