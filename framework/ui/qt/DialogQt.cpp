#include "Dialog.h"
#include "DialogUnitsQt.h"
#include "ResourceLoader.h"
#include "WndQt.h"

#include <QDialog>
#include <QPushButton>

namespace curvix {

namespace {

// Esc and the close box end the dialog through its owner's OnCancel.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog& owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

protected:
    void reject() override { m_owner.OnCancel(); }

private:
    CDialog& m_owner;
};

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    DestroyWindow();
}

bool CDialog::CreateFromTemplate() {
    if (m_hWnd != nullptr)
        return true;
    const DialogResource* dialog = AfxFindResource(&ResourceTable::dialogs, m_nIDTemplate);
    if (dialog == nullptr)
        return false;
    auto* window = new DialogWindow(*this, AfxQtWidget(m_pParentWnd));
    m_hWnd = AfxHwnd(window);
    window->setWindowTitle(QString::fromLatin1(dialog->caption));
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const QFont font = AfxGetDialogFont(dialog->fontName, dialog->pointSize);
    window->setFont(font);
    const DialogBaseUnits units = AfxGetDialogBaseUnits(font);
    window->setFixedSize(AfxQRect(AfxMapDialogRect(0, 0, dialog->cx, dialog->cy, units)).size());

    const auto wire = [this, window](const DialogItemResource& item, QWidget* control) {
        auto* button = qobject_cast<QPushButton*>(control);
        if (button == nullptr)
            return;
        const int id = item.id;
        QObject::connect(button, &QPushButton::clicked, window, [this, id] {
            if (id == static_cast<int>(IDOK))
                OnOK();
            else if (id == static_cast<int>(IDCANCEL))
                OnCancel();
        });
    };
    AfxCreateDialogControls(*dialog, window, units, wire);
    return true;
}

int CDialog::DoModal() {
    if (!CreateFromTemplate())
        return -1;
    return static_cast<QDialog*>(AfxQtWidget(m_hWnd))->exec();
}

HWND CDialog::GetDlgItem(int nID) const {
    const QWidget* window = AfxQtWidget(m_hWnd);
    return window != nullptr ? AfxHwnd(window->findChild<QWidget*>(DialogItemName(nID))) : nullptr;
}

void CDialog::EndDialog(int nResult) {
    if (auto* window = static_cast<QDialog*>(AfxQtWidget(m_hWnd)))
        window->done(nResult);
}

} // namespace curvix
