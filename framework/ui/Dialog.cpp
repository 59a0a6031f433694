#include "Dialog.h"

#include "DialogUnits.h"
#include "ResourceLoader.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstring>

namespace curvix {

CDialog::CDialog(UINT nIDTemplate, QWidget* pParentWnd)
    : QDialog(pParentWnd), m_nIDTemplate(nIDTemplate) {}

CDialog::~CDialog() = default;

bool CDialog::CreateFromTemplate() {
    if (m_bCreated)
        return true;
    const ResourceTable* table = AfxGetResourceTable();
    const DialogResource* dialog = table != nullptr ? table->FindDialog(m_nIDTemplate) : nullptr;
    if (dialog == nullptr)
        return false;
    setWindowTitle(QString::fromLatin1(dialog->caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const QFont font = AfxGetDialogFont(dialog->fontName, dialog->pointSize);
    setFont(font);
    const DialogBaseUnits units = AfxGetDialogBaseUnits(font);
    setFixedSize(AfxMapDialogRect(0, 0, dialog->cx, dialog->cy, units).size());

    for (const DialogItemResource& item : dialog->items) {
        QWidget* control = nullptr;
        const QString text = QString::fromLatin1(item.text);
        const QRect rect = AfxMapDialogRect(item.x, item.y, item.cx, item.cy, units);
        if (std::strcmp(item.className, "BUTTON") == 0) {
            auto* button = new QPushButton(text, this);
            const bool isDefault = (item.style & 0x0F) == BS_DEFPUSHBUTTON;
            button->setDefault(isDefault);
            button->setAutoDefault(isDefault);
            const int id = item.id;
            connect(button, &QPushButton::clicked, this, [this, id] {
                if (id == static_cast<int>(IDOK))
                    OnOK();
                else if (id == static_cast<int>(IDCANCEL))
                    OnCancel();
            });
            control = button;
        } else if (std::strcmp(item.className, "EDIT") == 0) {
            control = new QLineEdit(text, this);
        } else {
            auto* label = new QLabel(this);
            if ((item.style & SS_TYPEMASK) == SS_ICON) {
                // An icon keeps its own size at the template's corner.
                const QPixmap icon = AfxLoadIcon(static_cast<UINT>(item.id)).pixmap(32, 32);
                label->setPixmap(icon);
                label->setGeometry(QRect(rect.topLeft(), icon.size()));
                control = label;
                control->setObjectName(QStringLiteral("Icon"));
                continue;
            }
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            control = label;
        }
        control->setGeometry(rect);
        control->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
        if (item.id != IDC_STATIC)
            control->setObjectName(QStringLiteral("Item%1").arg(item.id));
    }
    m_bCreated = true;
    return true;
}

int CDialog::DoModal() {
    if (!CreateFromTemplate())
        return -1;
    return exec();
}

QWidget* CDialog::GetDlgItem(int nID) const {
    return findChild<QWidget*>(QStringLiteral("Item%1").arg(nID));
}

void CDialog::OnOK() {
    done(static_cast<int>(IDOK));
}

void CDialog::OnCancel() {
    done(static_cast<int>(IDCANCEL));
}

} // namespace curvix
