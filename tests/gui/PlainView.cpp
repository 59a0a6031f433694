#include "PlainView.h"

#include <QPalette>

namespace curvix {

CPlainView::CPlainView() {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

} // namespace curvix
