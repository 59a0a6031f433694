#include "CurvixApp.h"
#include "CurvixIdentity.h"
#include "CurvixResources.h"
#include "StartupRequests.h"

#include <QApplication>
#include <iostream>
#include <memory>

int main(int argc, char* argv[]) {
    if (const auto status = curvix::AnswerInformationRequest(argc, argv, std::cout))
        return *status;
    const std::unique_ptr<QCoreApplication> qtApp =
        curvix::RunsWithoutDisplay(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                               : std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Curvix"));
    QApplication::setApplicationVersion(QLatin1String(curvix::kCurvixVersion));
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());

    curvix::CCurvixApp app;
    if (!app.InitInstance())
        return app.ExitInstance();
    if (!app.HasEnded())
        QApplication::exec();
    return app.ExitInstance();
}
