#include "Dialog.h"

#include "DialogUnits.h"
#include "ResourceLoader.h"

#include <QPushButton>

namespace curvix {

CDialog::CDialog(UINT nIDTemplate, QWidget* pParentWnd)
    : QDialog(pParentWnd), m_nIDTemplate(nIDTemplate) {}

CDialog::~CDialog() = default;

bool CDialog::CreateFromTemplate() {
    if (m_bCreated)
        return true;
    const DialogResource* dialog = AfxFindResource(&ResourceTable::dialogs, m_nIDTemplate);
    if (dialog == nullptr)
        return false;
    setWindowTitle(QString::fromLatin1(dialog->caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const QFont font = AfxGetDialogFont(dialog->fontName, dialog->pointSize);
    setFont(font);
    const DialogBaseUnits units = AfxGetDialogBaseUnits(font);
    setFixedSize(AfxMapDialogRect(0, 0, dialog->cx, dialog->cy, units).size());

    const auto wire = [this](const DialogItemResource& item, QWidget* control) {
        auto* button = qobject_cast<QPushButton*>(control);
        if (button == nullptr)
            return;
        const int id = item.id;
        connect(button, &QPushButton::clicked, this, [this, id] {
            if (id == static_cast<int>(IDOK))
                OnOK();
            else if (id == static_cast<int>(IDCANCEL))
                OnCancel();
        });
    };
    AfxCreateDialogControls(*dialog, this, units, wire);
    m_bCreated = true;
    return true;
}

int CDialog::DoModal() {
    if (!CreateFromTemplate())
        return -1;
    return exec();
}

QWidget* CDialog::GetDlgItem(int nID) const {
    return findChild<QWidget*>(DialogItemName(nID));
}

void CDialog::OnOK() {
    done(static_cast<int>(IDOK));
}

void CDialog::OnCancel() {
    done(static_cast<int>(IDCANCEL));
}

} // namespace curvix
