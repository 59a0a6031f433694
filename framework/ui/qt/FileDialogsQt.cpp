#include "DialogState.h"
#include "FrameWnd.h"
#include "WinApp.h"
#include "WndQt.h"

#include <QFileDialog>

// The Open and Save As dialogs: Qt's own, not the desktop's, so that they
// can be driven like any other window.

namespace curvix {

namespace {

QString FileFilter(const std::string& filterName) {
    QString filter = QString::fromStdString(filterName);
    if (!filter.isEmpty())
        filter += QStringLiteral(";;");
    return filter + QStringLiteral("All Files (*)");
}

std::string ChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toLocal8Bit().toStdString();
}

} // namespace

std::string CWinApp::PromptOpenFileName() {
    const DialogStateOutOfHome dialogState;
    QFileDialog dialog(AfxQtWidget(m_pMainWnd), QStringLiteral("Open"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(FileFilter(GetFilterName()));
    return ChosenFile(dialog);
}

std::string CWinApp::PromptSaveFileName(const std::string& initial) {
    const DialogStateOutOfHome dialogState;
    QFileDialog dialog(AfxQtWidget(m_pMainWnd), QStringLiteral("Save As"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(FileFilter(GetFilterName()));
    // A name typed without an extension gets the document's.
    QString extension = QString::fromStdString(GetFilterExtension());
    if (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);
    if (!initial.empty())
        dialog.selectFile(QString::fromLocal8Bit(initial.c_str()));
    return ChosenFile(dialog);
}

} // namespace curvix
