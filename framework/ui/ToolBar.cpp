#include "ToolBar.h"

#include "CmdUIQt.h"
#include "FrameWnd.h"
#include "ResourceLoader.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

namespace curvix {
namespace {

// The drag handle of a docked toolbar: two etched lines along the bar's
// short side. Mouse events are left to the dock widget, which moves and
// floats the bar.
class Gripper : public QWidget {
public:
    explicit Gripper(QWidget* parent) : QWidget(parent) { setCursor(Qt::SizeAllCursor); }
    QSize sizeHint() const override { return {8, 8}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        const bool alongHeight = height() >= width();
        for (int line = 0; line < 2; ++line) {
            const int at = 2 + line * 3;
            if (alongHeight) {
                painter.setPen(light);
                painter.drawLine(at, 2, at, height() - 3);
                painter.setPen(dark);
                painter.drawLine(at + 1, 2, at + 1, height() - 3);
            } else {
                painter.setPen(light);
                painter.drawLine(2, at, width() - 3, at);
                painter.setPen(dark);
                painter.drawLine(2, at + 1, width() - 3, at + 1);
            }
        }
    }
};

// Shows a button's prompt in the frame's message pane while the pointer
// rests on it, and the idle text when it leaves.
class FlyBy : public QObject {
public:
    FlyBy(CFrameWnd* frame, UINT nID, QObject* parent)
        : QObject(parent), m_frame(frame), m_nID(nID) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Enter)
            m_frame->SetMessageText(m_frame->GetMessageString(m_nID));
        else if (event->type() == QEvent::Leave)
            m_frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
        return QObject::eventFilter(watched, event);
    }

private:
    CFrameWnd* m_frame;
    UINT m_nID;
};

// The window a toolbar docks and floats in.
class ToolBarDock : public QDockWidget {
public:
    using QDockWidget::QDockWidget;

    // Width the style leaves for the caption text in the title bar drawn
    // by Qt; 0 while docked behind the gripper.
    int CaptionRoom() const {
        QStyleOptionDockWidget option;
        initStyleOption(&option);
        return style()->subElementRect(QStyle::SE_DockWidgetTitleBarText, &option, this).width();
    }
};

// A bar without a close button may still be asked to close (by the window
// manager's keys, say): it refuses, and a floating one docks back instead.
class KeepOpen : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dock = qobject_cast<QDockWidget*>(watched);
        if (event->type() != QEvent::Close || dock == nullptr ||
            dock->features().testFlag(QDockWidget::DockWidgetClosable))
            return QObject::eventFilter(watched, event);
        event->ignore();
        if (dock->isFloating())
            dock->setFloating(false);
        return true;
    }
};

Qt::DockWidgetAreas AreasFromStyle(DWORD style) {
    Qt::DockWidgetAreas areas;
    if (style & CBRS_ALIGN_TOP)
        areas |= Qt::TopDockWidgetArea;
    if (style & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomDockWidgetArea;
    if (style & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftDockWidgetArea;
    if (style & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightDockWidgetArea;
    return areas;
}

} // namespace

CToolBar::~CToolBar() = default;

QDockWidget* CToolBar::GetDockWidget() const {
    return qobject_cast<QDockWidget*>(m_pWindow);
}

BOOL CToolBar::CreateEx(CFrameWnd* pParentWnd, DWORD /*dwCtrlStyle*/, DWORD dwStyle,
                        QRect /*rcBorders*/, UINT nID) {
    if (pParentWnd == nullptr || m_pWindow != nullptr)
        return FALSE;
    auto* dock = new ToolBarDock(pParentWnd);
    dock->setObjectName(QStringLiteral("ToolBar%1").arg(pParentWnd->GetControlBarCount()));
    auto* bar = new QToolBar(dock);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    dock->setWidget(bar);
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setAllowedAreas(Qt::NoDockWidgetArea);
    m_pToolBar = bar;
    if (dwStyle & CBRS_GRIPPER)
        m_pGripper = new Gripper(dock);
    else
        m_pGripper = new QWidget(dock);
    dock->setTitleBarWidget(m_pGripper);
    dock->installEventFilter(new KeepOpen(dock));

    QObject::connect(dock, &QDockWidget::dockLocationChanged, dock, [this] { UpdateShape(); });
    QObject::connect(dock, &QDockWidget::topLevelChanged, dock, [this](bool floating) {
        QDockWidget* d = GetDockWidget();
        // Floating, the bar wears the window system's caption with its
        // title; docked, only the gripper.
        d->setTitleBarWidget(floating ? nullptr : m_pGripper.data());
        UpdateShape();
    });

    AttachToFrame(pParentWnd, dock, nID, dwStyle);
    Qt::DockWidgetArea area = Qt::TopDockWidgetArea;
    if (dwStyle & CBRS_ALIGN_LEFT)
        area = Qt::LeftDockWidgetArea;
    else if (dwStyle & CBRS_ALIGN_RIGHT)
        area = Qt::RightDockWidgetArea;
    else if (dwStyle & CBRS_ALIGN_BOTTOM)
        area = Qt::BottomDockWidgetArea;
    DockAt(area);
    dock->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

QSize CToolBar::GetWholeSize() const {
    return m_pWindow != nullptr ? m_pWindow->sizeHint() : QSize();
}

void CToolBar::DockAt(Qt::DockWidgetArea area) {
    QDockWidget* dock = GetDockWidget();
    if (dock == nullptr)
        return;
    dock->setFloating(false);
    m_pFrame->addDockWidget(area, dock);
    UpdateShape();
}

void CToolBar::OnDockingChanged() {
    QDockWidget* dock = GetDockWidget();
    if (dock == nullptr)
        return;
    const Qt::DockWidgetAreas areas = AreasFromStyle(m_dwDockStyle);
    dock->setAllowedAreas(areas);
    QDockWidget::DockWidgetFeatures features =
        dock->features() & QDockWidget::DockWidgetVerticalTitleBar;
    if (areas != Qt::NoDockWidgetArea)
        features |= QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable;
    // Only a bar that a View command can show again may be closed: any
    // other would be lost for good.
    if (areas != Qt::NoDockWidgetArea && m_pFrame->HasBarToggle(this))
        features |= QDockWidget::DockWidgetClosable;
    dock->setFeatures(features);
}

void CToolBar::UpdateShape() {
    QDockWidget* dock = GetDockWidget();
    if (dock == nullptr || m_pToolBar == nullptr)
        return;
    const bool floating = dock->isFloating();
    const Qt::DockWidgetArea area = m_pFrame->dockWidgetArea(dock);
    const bool vertical =
        !floating && (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea);
    m_pToolBar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    // A horizontal bar has its gripper at the left end, a vertical one on
    // top; a floating bar its caption on top.
    QDockWidget::DockWidgetFeatures features = dock->features();
    features.setFlag(QDockWidget::DockWidgetVerticalTitleBar, !floating && !vertical);
    dock->setFeatures(features);
    if (floating)
        FitFloatingWindow();
}

void CToolBar::FitFloatingWindow() {
    QDockWidget* dock = GetDockWidget();
    // One row of all buttons and separators, and room for the whole
    // caption; the caption's room grows with the window's width.
    m_pToolBar->adjustSize();
    dock->layout()->activate();
    dock->resize(dock->sizeHint().expandedTo(dock->minimumSizeHint()));
    const int missing =
        dock->fontMetrics().horizontalAdvance(dock->windowTitle()) + 2 - GetCaptionRoom();
    if (missing > 0)
        dock->resize(dock->width() + missing, dock->height());
}

int CToolBar::GetCaptionRoom() const {
    auto* dock = dynamic_cast<ToolBarDock*>(GetDockWidget());
    return dock != nullptr && dock->isFloating() ? dock->CaptionRoom() : 0;
}

void CToolBar::SetWindowText(const QString& text) {
    CControlBar::SetWindowText(text);
    if (m_pToolBar != nullptr)
        m_pToolBar->setWindowTitle(text);
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    const ToolBarResource* resource = AfxFindResource(&ResourceTable::toolbars, nIDResource);
    const QImage bitmap = AfxLoadBitmapImage(nIDResource);
    if (m_pToolBar == nullptr || resource == nullptr || bitmap.isNull() || resource->width <= 0 ||
        resource->height <= 0)
        return FALSE;
    int images = 0;
    for (UINT id : resource->items)
        // cppcheck-suppress useStlAlgorithm
        images += id != 0 ? 1 : 0;
    if (bitmap.width() < images * resource->width || bitmap.height() < resource->height)
        return FALSE;

    m_pToolBar->clear();
    m_items.clear();
    m_itemIDs.clear();
    const QSize imageSize(resource->width, resource->height);
    m_pToolBar->setIconSize(imageSize);
    int image = 0;
    for (UINT id : resource->items) {
        m_itemIDs.push_back(id);
        if (id == 0) {
            m_pToolBar->addSeparator();
            m_items.push_back(nullptr);
            continue;
        }
        const QIcon icon(QPixmap::fromImage(
            bitmap.copy(image * resource->width, 0, resource->width, resource->height)));
        ++image;
        auto* action = new QAction(icon, QString(), m_pToolBar);
        const QString tip = AfxLoadQSubString(id, 1);
        if (m_dwStyle & CBRS_TOOLTIPS)
            action->setToolTip(tip);
        CFrameWnd* frame = m_pFrame;
        QObject::connect(action, &QAction::triggered, action,
                         [frame, id] { frame->SendCommand(id); });
        m_pToolBar->addAction(action);
        if (QWidget* button = m_pToolBar->widgetForAction(action)) {
            button->setFixedSize(imageSize + QSize(7, 7));
            button->setAccessibleName(tip.isEmpty() ? m_pFrame->GetMenuItemName(id) : tip);
            if (m_dwStyle & CBRS_FLYBY)
                button->installEventFilter(new FlyBy(frame, id, button));
        }
        m_items.push_back(action);
    }
    return TRUE;
}

void CToolBar::SetButtonName(int nIndex, const QString& name) {
    if (QToolButton* button = GetItemButton(nIndex))
        button->setAccessibleName(name);
}

UINT CToolBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_itemIDs[static_cast<size_t>(nIndex)] : 0;
}

QAction* CToolBar::GetItemAction(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_items[static_cast<size_t>(nIndex)] : nullptr;
}

QToolButton* CToolBar::GetItemButton(int nIndex) const {
    QAction* action = GetItemAction(nIndex);
    return action != nullptr && m_pToolBar != nullptr
               ? qobject_cast<QToolButton*>(m_pToolBar->widgetForAction(action))
               : nullptr;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, bool bDisableIfNoHandler) {
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i] == nullptr)
            continue;
        CActionCmdUI state(m_items[i], m_itemIDs[i]);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

} // namespace curvix
