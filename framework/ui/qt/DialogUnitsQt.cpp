#include "DialogUnitsQt.h"

#include "ResourceLoader.h"
#include "WndQt.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <cstring>

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

namespace {

QWidget* CreateControl(const DialogItemResource& item, QWidget* parent, QRect rect) {
    const QString text = QString::fromLatin1(item.text);
    if (std::strcmp(item.className, "BUTTON") == 0) {
        auto* button = new QPushButton(text, parent);
        const bool isDefault = (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        button->setDefault(isDefault);
        button->setAutoDefault(isDefault);
        button->setGeometry(rect);
        return button;
    }
    if (std::strcmp(item.className, "EDIT") == 0) {
        auto* edit = new QLineEdit(text, parent);
        edit->setFrame((item.style & WS_BORDER) != 0);
        edit->setGeometry(rect);
        return edit;
    }
    auto* label = new QLabel(parent);
    if ((item.style & SS_TYPEMASK) == SS_ICON) {
        const QPixmap icon = AfxLoadIcon(static_cast<UINT>(item.id)).pixmap(32, 32);
        label->setPixmap(icon);
        label->setGeometry(QRect(rect.topLeft(), icon.size()));
        return label;
    }
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
}

} // namespace

void AfxCreateDialogControls(const DialogResource& dialog, QWidget* parent, DialogBaseUnits units,
                             const std::function<void(const DialogItemResource&, QWidget*)>& made) {
    for (const DialogItemResource& item : dialog.items) {
        const QRect rect = AfxQRect(AfxMapDialogRect(item.x, item.y, item.cx, item.cy, units));
        QWidget* control = CreateControl(item, parent, rect);
        control->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
        if (item.id != IDC_STATIC)
            control->setObjectName(DialogItemName(item.id));
        made(item, control);
    }
}

} // namespace curvix
