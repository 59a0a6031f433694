#include "CurvixDoc.h"
#include "CurvixResources.h"
#include "CurvixView.h"
#include "MainFrame.h"
#include "Resource.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Curvix"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());

    curvix::CCurvixDoc doc;
    curvix::CMainFrame frame;
    curvix::CCreateContext context;
    context.m_pNewViewClass = [] { return new curvix::CCurvixView; };
    context.m_pCurrentDoc = &doc;
    if (!frame.LoadFrame(curvix::IDR_MAINFRAME, &context))
        return 1;
    curvix::NewDocumentFile(doc);
    curvix::AfxSetMainWnd(&frame);
    frame.show();
    return QApplication::exec();
}
