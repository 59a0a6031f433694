#include "ResourceLoader.h"

#include <QPixmap>

namespace curvix {

QImage AfxLoadBitmapImage(UINT nID) {
    const BitmapResource* bitmap = AfxFindResource(&ResourceTable::bitmaps, nID);
    return bitmap != nullptr ? QImage(bitmap->xpm) : QImage();
}

QIcon AfxLoadIcon(UINT nID) {
    const IconResource* icon = AfxFindResource(&ResourceTable::icons, nID);
    QIcon result;
    if (icon != nullptr) {
        for (XpmData image : icon->images)
            result.addPixmap(QPixmap::fromImage(QImage(image)));
    }
    return result;
}

QString AfxLoadQString(UINT nID, bool* pFound) {
    std::string text;
    const bool found = AfxLoadString(nID, text);
    if (pFound != nullptr)
        *pFound = found;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString AfxLoadQSubString(UINT nID, int index) {
    return QString::fromLatin1(AfxLoadSubString(nID, index));
}

QString AfxPlainText(const QString& text) {
    QString plain;
    const QString shown = text.section(QLatin1Char('\t'), 0, 0);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == QLatin1Char('&') && ++i == shown.size())
            break;
        plain += shown[i];
    }
    return plain;
}

} // namespace curvix
