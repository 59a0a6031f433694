#include "ResourceLoader.h"
#include "StatusBar.h"
#include "WndQt.h"

#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QStyleOption>

namespace curvix {
namespace {

// Draws the sunken frame only around the fixed panes; the message pane
// has no border.
class StatusBarCtrl : public QStatusBar {
public:
    using QStatusBar::QStatusBar;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (!label->isVisible() || label->property("curvixNoBorder").toBool())
                continue;
            QStyleOption option;
            option.initFrom(this);
            option.rect = label->geometry().adjusted(-1, -1, 1, 1);
            style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &option, &painter, label);
        }
    }
};

QLabel* PaneLabel(const CStatusBar& bar, int nIndex) {
    return qobject_cast<QLabel*>(AfxQtWidget(bar.GetPaneWindow(nIndex)));
}

} // namespace

CStatusBar::~CStatusBar() {
    DestroyBar();
}

BOOL CStatusBar::Create(CBarSite* pParentWnd, DWORD dwStyle, UINT nID) {
    auto* frame = pParentWnd != nullptr
                      ? qobject_cast<QMainWindow*>(AfxQtWidget(pParentWnd->GetSiteHwnd()))
                      : nullptr;
    if (frame == nullptr || m_hWnd != nullptr)
        return FALSE;
    auto* bar = new StatusBarCtrl(frame);
    bar->setObjectName(QStringLiteral("StatusBar"));
    frame->setStatusBar(bar);
    AttachToSite(pParentWnd, AfxHwnd(bar), nID, dwStyle);
    bar->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    auto* bar = qobject_cast<QStatusBar*>(AfxQtWidget(m_hWnd));
    if (bar == nullptr || (lpIDArray == nullptr && nIDCount > 0))
        return FALSE;
    for (const Pane& pane : m_panes)
        delete AfxQtWidget(pane.hWnd);
    m_panes.clear();
    bool ok = true;
    for (int i = 0; i < nIDCount; ++i) {
        const UINT id = lpIDArray[i];
        auto* label = new QLabel(bar);
        label->setTextFormat(Qt::PlainText);
        label->setIndent(0);
        label->setMargin(0);
        if (id == ID_SEPARATOR) {
            label->setProperty("curvixNoBorder", true);
            label->setMinimumWidth(0);
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            bar->addWidget(label, 1);
        } else {
            bool found = false;
            const QString text = AfxLoadQString(id, &found);
            ok = ok && found;
            label->setText(text);
            label->setAccessibleDescription(text);
            label->setFixedWidth(bar->fontMetrics().horizontalAdvance(text));
            bar->addPermanentWidget(label);
        }
        m_panes.push_back({id, AfxHwnd(label)});
    }
    return ok ? TRUE : FALSE;
}

bool CStatusBar::SetPaneText(int nIndex, const std::string& text, bool bUpdate) {
    QLabel* label = PaneLabel(*this, nIndex);
    if (label == nullptr)
        return false;
    label->setText(AfxQString(text));
    label->setAccessibleDescription(label->text());
    if (bUpdate && label->isVisible())
        label->repaint();
    return true;
}

void CStatusBar::SetPaneName(int nIndex, const std::string& name) {
    if (QLabel* label = PaneLabel(*this, nIndex))
        label->setAccessibleName(AfxQString(name));
}

std::string CStatusBar::GetPaneText(int nIndex) const {
    const QLabel* label = PaneLabel(*this, nIndex);
    return label != nullptr ? label->text().toStdString() : std::string();
}

// Qt lays the widgets out at the screen's scale itself.
void CStatusBar::OnDpiChanged(UINT) {}

} // namespace curvix
