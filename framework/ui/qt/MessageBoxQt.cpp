#include "FrameWndBase.h"
#include "MessageBox.h"
#include "ResourceLoader.h"
#include "WndQt.h"

#include <QMessageBox>

namespace curvix {

int AfxMessageBox(const std::string& text, UINT nType) {
    QWidget* window = AfxQtWidget(dynamic_cast<const CWnd*>(AfxGetMainWnd()));
    QWidget* parent = window != nullptr && window->isVisible() ? window : nullptr;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (nType & MB_ICONMASK) {
    case MB_ICONQUESTION:
        icon = QMessageBox::Question;
        break;
    case MB_ICONWARNING:
        icon = QMessageBox::Warning;
        break;
    case MB_ICONINFORMATION:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    const bool question = (nType & MB_TYPEMASK) == MB_YESNOCANCEL;
    QMessageBox box(icon, AfxLoadQString(AFX_IDS_APP_TITLE), QString::fromStdString(text),
                    question ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                             : QMessageBox::Ok,
                    parent);
    if (question) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Ok:
        return IDOK;
    default:
        return IDCANCEL;
    }
}

} // namespace curvix
