#include "CurvixApp.h"
#include "CurvixResources.h"
#include "DisplayCheck.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (!curvix::HasDisplay(argc, argv)) {
        std::fprintf(stderr, "%s\n", curvix::kNoDisplayText);
        return 1;
    }
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Curvix"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());

    curvix::CCurvixApp app;
    if (!app.InitInstance())
        return app.ExitInstance();
    if (!app.HasEnded())
        QApplication::exec();
    return app.ExitInstance();
}
