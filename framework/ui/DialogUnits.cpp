#include "DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

namespace curvix {

QFont AfxGetDialogFont(const char* faceName, int pointSize) {
    static const bool substituted = [] {
        const QStringList narrow{QStringLiteral("DejaVu Sans Condensed")};
        QFont::insertSubstitutions(QStringLiteral("Tahoma"), narrow);
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), narrow);
        QFont::insertSubstitutions(QStringLiteral("MS Shell Dlg"), narrow);
        return true;
    }();
    (void)substituted;
    QFont font(QString::fromLatin1(faceName));
    font.setPointSize(pointSize);
    return font;
}

DialogBaseUnits AfxGetDialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Average width of the 52 letters, rounded to the nearest pixel.
    return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect AfxMapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits units) {
    // Rounded to the nearest pixel, edge by edge, as the window system does.
    auto across = [&](int v) { return (v * units.cx + 2) / 4; };
    auto down = [&](int v) { return (v * units.cy + 4) / 8; };
    const int left = across(x);
    const int top = down(y);
    return {left, top, across(x + cx) - left, down(y + cy) - top};
}

} // namespace curvix
