#include "MainFrame.h"

#include "FieldMark.h"
#include "ReportList.h"
#include "ReportTally.h"
#include "Resource.h"

#include <QApplication>
#include <QLineEdit>
#include <cstdio>

namespace curvix {
namespace {

const UINT indicators[] = {
    ID_SEPARATOR,      // messages and prompts
    ID_INDICATOR_SIZE, // the view's size
};

// What screen readers call the Scene buttons that have neither a tooltip
// nor a menu item, by button index; they say what the images show.
struct ButtonName {
    int index;
    const char* name;
};
constexpr ButtonName kSceneToolNames[] = {
    {0, "Turn About X"}, {1, "Turn About Y"}, {3, "Zoom"}, {4, "Move"}, {9, "Axes"},
};

constexpr DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.cx = 600;
    cs.cy = 600;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (!m_wndFileBar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle | CBRS_TOP, QRect(),
                               AFX_IDW_TOOLBAR) ||
        !m_wndFileBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndFileBar.SetWindowText(QStringLiteral("File"));

    if (!m_wndSceneBar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle | CBRS_LEFT, QRect(),
                                AFX_IDW_TOOLBAR) ||
        !m_wndSceneBar.LoadToolBar(IDR_SCENEBAR))
        return -1;
    m_wndSceneBar.SetWindowText(QStringLiteral("Scene"));
    for (const ButtonName& button : kSceneToolNames)
        m_wndSceneBar.SetButtonName(button.index, QString::fromLatin1(button.name));

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, sizeof(indicators) / sizeof(UINT)))
        return -1;
    m_wndStatusBar.SetPaneName(0, QStringLiteral("Message"));
    m_wndStatusBar.SetPaneName(1, QStringLiteral("View Size"));

    // The formula bar is optional: without it the program still runs.
    m_wndFormulaBar.Create(this, IDD_FORMULABAR, CBRS_BOTTOM, IDD_FORMULABAR);
    m_wndFormulaBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndFormulaBar.SetWindowText(QStringLiteral("Function"));
    // Typing right after the start goes into the formula field.
    if (QWidget* formula = m_wndFormulaBar.GetDlgItem(IDC_FORMULA))
        formula->setFocus();

    m_wndFileBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndSceneBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndFileBar);
    DockControlBar(&m_wndSceneBar);
    return 0;
}

std::string CMainFrame::GetFormulaText() {
    std::string text;
    if (auto* edit = qobject_cast<QLineEdit*>(m_wndFormulaBar.GetDlgItem(IDC_FORMULA)))
        text = edit->text().toLatin1().toStdString();
    return text;
}

void CMainFrame::SetFormulaText(const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(m_wndFormulaBar.GetDlgItem(IDC_FORMULA));
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
    QWidget* field = m_wndFormulaBar.GetDlgItem(IDC_FORMULA);
    if (reports.IsEmpty())
        UnmarkField(field);
    else
        MarkField(field, QString::fromStdString(ReportListText(reports)));
}

void CMainFrame::SetStatusText(std::string text) {
    m_wndStatusBar.SetWindowText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void CMainFrame::ShowViewSize(int cx, int cy) {
    if (m_wndStatusBar.GetSafeHwnd() == nullptr)
        return;
    const char* prefix = cx < 1000 && cy < 1000 ? " " : "";
    char text[40];
    std::snprintf(text, sizeof text, "%s%dx%d", prefix, cx, cy);
    m_wndStatusBar.SetPaneText(1, QString::fromLatin1(text), true);
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
