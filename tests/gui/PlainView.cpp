#include "PlainView.h"

#include "WndQt.h"

#include <QPalette>

namespace curvix {

int CPlainView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    QWidget* window = AfxQtWidget(this);
    QPalette colours = window->palette();
    colours.setColor(QPalette::Window, Qt::black);
    window->setPalette(colours);
    window->setAutoFillBackground(true);
    return CView::OnCreate(lpCreateStruct);
}

} // namespace curvix
