#include "CurvixResources.h"
#include "MainFrame.h"
#include "PlainView.h"
#include "Resource.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Curvix"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());

    curvix::CMainFrame frame;
    curvix::CCreateContext context;
    context.m_pNewViewClass = [] { return new curvix::CPlainView; };
    if (!frame.LoadFrame(curvix::IDR_MAINFRAME, &context))
        return 1;
    frame.show();
    return QApplication::exec();
}
