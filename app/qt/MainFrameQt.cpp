#include "FieldMark.h"
#include "MainFrame.h"
#include "ReportList.h"
#include "ReportTally.h"
#include "Resource.h"
#include "WndQt.h"

#include <QApplication>
#include <QLineEdit>

// The formula field holds 8-bit text, as the engine reads it, and the wait
// cursor is the application's.

namespace curvix {

namespace {

QLineEdit* FormulaField(const CDialogBar& bar) {
    return qobject_cast<QLineEdit*>(AfxQtWidget(bar.GetDlgItem(IDC_FORMULA)));
}

} // namespace

void CMainFrame::FocusFormulaField() {
    if (QWidget* formula = AfxQtWidget(m_wndFormulaBar.GetDlgItem(IDC_FORMULA)))
        formula->setFocus();
}

std::string CMainFrame::GetFormulaText() {
    std::string text;
    if (QLineEdit* edit = FormulaField(m_wndFormulaBar))
        text = edit->text().toLatin1().toStdString();
    return text;
}

void CMainFrame::SetFormulaText(const std::string& text) {
    QLineEdit* edit = FormulaField(m_wndFormulaBar);
    if (edit == nullptr)
        return;
    const QString formula = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    // A field cuts what it is given at its length limit; a loaded formula
    // must come back whole at the next Draw.
    if (formula.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(formula.size()));
    edit->setText(formula);
    edit->setCursorPosition(0);
}

void CMainFrame::ShowReports(const ReportTally& reports) {
    QWidget* field = AfxQtWidget(m_wndFormulaBar.GetDlgItem(IDC_FORMULA));
    if (reports.IsEmpty())
        UnmarkField(field);
    else
        MarkField(field, QString::fromStdString(ReportListText(reports)));
}

void CMainFrame::SetStatusText(std::string text) {
    // The engine's texts are 8-bit.
    m_wndStatusBar.SetWindowText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toStdString());
}

void CMainFrame::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CMainFrame::RestoreWaitCursor() {
    QApplication::changeOverrideCursor(Qt::WaitCursor);
}

void CMainFrame::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace curvix
