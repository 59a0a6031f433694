#include "DialogTemplate.h"

#include "DialogUnits.h"
#include "ResourceLoader.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstring>

namespace curvix {

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
        const QRect rect = AfxMapDialogRect(item.x, item.y, item.cx, item.cy, units);
        QWidget* control = CreateControl(item, parent, rect);
        control->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
        if (item.id != IDC_STATIC)
            control->setObjectName(DialogItemName(item.id));
        made(item, control);
    }
}

} // namespace curvix
