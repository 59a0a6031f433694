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

// Qt's own dialog, for one existing file or any name, with the document
// filter; its state kept out of the home folder while it lives.
struct FileDialog {
    FileDialog(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode,
               const std::string& filterName)
        : dialog(parent, title) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
        dialog.setNameFilter(FileFilter(filterName));
    }

    const DialogStateOutOfHome state;
    QFileDialog dialog;
};

std::string ChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toLocal8Bit().toStdString();
}

} // namespace

std::string CWinApp::PromptOpenFileName() {
    FileDialog open(AfxQtWidget(m_pMainWnd), QStringLiteral("Open"), QFileDialog::AcceptOpen,
                    GetFilterName());
    return ChosenFile(open.dialog);
}

std::string CWinApp::PromptSaveFileName(const std::string& initial) {
    FileDialog save(AfxQtWidget(m_pMainWnd), QStringLiteral("Save As"), QFileDialog::AcceptSave,
                    GetFilterName());
    QFileDialog& dialog = save.dialog;
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
