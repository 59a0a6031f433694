#include "StatusBar.h"

#include "FrameWnd.h"
#include "ResourceLoader.h"

#include <QLabel>
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

} // namespace

CStatusBar::~CStatusBar() = default;

QStatusBar* CStatusBar::GetStatusBarCtrl() const {
    return qobject_cast<QStatusBar*>(m_pWindow);
}

BOOL CStatusBar::Create(CFrameWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (pParentWnd == nullptr || m_pWindow != nullptr)
        return FALSE;
    auto* bar = new StatusBarCtrl(pParentWnd);
    bar->setObjectName(QStringLiteral("StatusBar"));
    pParentWnd->setStatusBar(bar);
    AttachToFrame(pParentWnd, bar, nID, dwStyle);
    bar->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    QStatusBar* bar = GetStatusBarCtrl();
    if (bar == nullptr || (lpIDArray == nullptr && nIDCount > 0))
        return FALSE;
    for (const Pane& pane : m_panes)
        delete pane.label;
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
        m_panes.push_back({id, label});
    }
    return ok ? TRUE : FALSE;
}

int CStatusBar::CommandToIndex(UINT nID) const {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nID)
            return static_cast<int>(i);
    }
    return -1;
}

QLabel* CStatusBar::GetPaneLabel(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].label
                                              : nullptr;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

bool CStatusBar::SetPaneText(int nIndex, const QString& text, bool bUpdate) {
    QLabel* label = GetPaneLabel(nIndex);
    if (label == nullptr)
        return false;
    label->setText(text);
    label->setAccessibleDescription(text);
    if (bUpdate && label->isVisible())
        label->repaint();
    return true;
}

void CStatusBar::SetPaneName(int nIndex, const QString& name) {
    if (QLabel* label = GetPaneLabel(nIndex))
        label->setAccessibleName(name);
}

QString CStatusBar::GetPaneText(int nIndex) const {
    QLabel* label = GetPaneLabel(nIndex);
    return label != nullptr ? label->text() : QString();
}

void CStatusBar::SetWindowText(const QString& text) {
    const int index = CommandToIndex(ID_SEPARATOR);
    if (index >= 0)
        SetPaneText(index, text, true);
}

} // namespace curvix
