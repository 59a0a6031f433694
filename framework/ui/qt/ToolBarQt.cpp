#include "CmdUIQt.h"
#include "ResourceLoader.h"
#include "ToolBar.h"
#include "WndQt.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
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
    FlyBy(CBarSite* site, UINT nID, QObject* parent) : QObject(parent), m_site(site), m_nID(nID) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Enter)
            m_site->ShowPrompt(m_nID);
        else if (event->type() == QEvent::Leave)
            m_site->ShowPrompt(0);
        return QObject::eventFilter(watched, event);
    }

private:
    CBarSite* m_site;
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

QMainWindow* SiteWindow(const CBarSite* site) {
    return site != nullptr ? qobject_cast<QMainWindow*>(AfxQtWidget(site->GetSiteHwnd())) : nullptr;
}

bool IsOneDockArea(Qt::DockWidgetArea area) {
    return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea ||
           area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
}

} // namespace

// The dock window is the bar's window; it holds the row of buttons.
struct CToolBar::Impl {
    QDockWidget* Dock(const CToolBar& bar) const {
        return qobject_cast<QDockWidget*>(AfxQtWidget(bar.m_hWnd));
    }
    void UpdateShape(CToolBar& bar);
    void FitFloatingWindow(CToolBar& bar);

    QPointer<QToolBar> toolBar;
    QPointer<QWidget> gripper;
    std::vector<QAction*> items; // null for separators
};

CToolBar::CToolBar() : m_pImpl(std::make_unique<Impl>()) {}

CToolBar::~CToolBar() {
    DestroyBar();
}

HWND CToolBar::GetToolBarCtrl() const {
    return AfxHwnd(m_pImpl->toolBar.data());
}

BOOL CToolBar::CreateEx(CBarSite* pParentWnd, DWORD /*dwCtrlStyle*/, DWORD dwStyle,
                        CRect /*rcBorders*/, UINT nID) {
    QMainWindow* frame = SiteWindow(pParentWnd);
    if (frame == nullptr || m_hWnd != nullptr)
        return FALSE;
    auto* dock = new ToolBarDock(frame);
    dock->setObjectName(QStringLiteral("ToolBar%1").arg(pParentWnd->GetControlBarCount()));
    auto* bar = new QToolBar(dock);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    dock->setWidget(bar);
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setAllowedAreas(Qt::NoDockWidgetArea);
    m_pImpl->toolBar = bar;
    if (dwStyle & CBRS_GRIPPER)
        m_pImpl->gripper = new Gripper(dock);
    else
        m_pImpl->gripper = new QWidget(dock);
    dock->setTitleBarWidget(m_pImpl->gripper);
    dock->installEventFilter(new KeepOpen(dock));

    QObject::connect(dock, &QDockWidget::dockLocationChanged, dock,
                     [this] { m_pImpl->UpdateShape(*this); });
    QObject::connect(dock, &QDockWidget::topLevelChanged, dock, [this](bool floating) {
        QDockWidget* d = m_pImpl->Dock(*this);
        // Floating, the bar wears the window system's caption with its
        // title; docked, only the gripper.
        d->setTitleBarWidget(floating ? nullptr : m_pImpl->gripper.data());
        m_pImpl->UpdateShape(*this);
    });

    AttachToSite(pParentWnd, AfxHwnd(dock), nID, dwStyle);
    DockAt(FirstSide(dwStyle));
    dock->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

CSize CToolBar::GetWholeSize() const {
    const QWidget* dock = AfxQtWidget(m_hWnd);
    const QSize size = dock != nullptr ? dock->sizeHint() : QSize();
    return {size.width(), size.height()};
}

void CToolBar::DockAt(DWORD side) {
    QDockWidget* dock = m_pImpl->Dock(*this);
    QMainWindow* frame = SiteWindow(m_pSite);
    // One side: a single dock area.
    const auto area = static_cast<Qt::DockWidgetArea>(AreasFromStyle(side).toInt());
    if (dock == nullptr || frame == nullptr || !IsOneDockArea(area))
        return;
    dock->setFloating(false);
    frame->addDockWidget(area, dock);
    m_pImpl->UpdateShape(*this);
}

DWORD CToolBar::GetDockedSide() const {
    QDockWidget* dock = m_pImpl->Dock(*this);
    QMainWindow* frame = SiteWindow(m_pSite);
    if (dock == nullptr || frame == nullptr || dock->isFloating())
        return 0;
    switch (frame->dockWidgetArea(dock)) {
    case Qt::TopDockWidgetArea:
        return CBRS_ALIGN_TOP;
    case Qt::BottomDockWidgetArea:
        return CBRS_ALIGN_BOTTOM;
    case Qt::LeftDockWidgetArea:
        return CBRS_ALIGN_LEFT;
    case Qt::RightDockWidgetArea:
        return CBRS_ALIGN_RIGHT;
    default:
        return 0;
    }
}

bool CToolBar::IsFloating() const {
    const QDockWidget* dock = m_pImpl->Dock(*this);
    return dock != nullptr && dock->isFloating();
}

void CToolBar::FloatAt(CPoint topLeft) {
    QDockWidget* dock = m_pImpl->Dock(*this);
    if (dock == nullptr || !dock->features().testFlag(QDockWidget::DockWidgetFloatable))
        return;
    dock->setFloating(true);
    dock->move(topLeft.x, topLeft.y);
}

void CToolBar::OnDockingChanged() {
    QDockWidget* dock = m_pImpl->Dock(*this);
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
    if (areas != Qt::NoDockWidgetArea && m_pSite->HasBarToggle(this))
        features |= QDockWidget::DockWidgetClosable;
    dock->setFeatures(features);
}

void CToolBar::Impl::UpdateShape(CToolBar& bar) {
    QDockWidget* dock = Dock(bar);
    QMainWindow* frame = SiteWindow(bar.m_pSite);
    if (dock == nullptr || toolBar == nullptr || frame == nullptr)
        return;
    const bool floating = dock->isFloating();
    const Qt::DockWidgetArea area = frame->dockWidgetArea(dock);
    const bool vertical =
        !floating && (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea);
    toolBar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    // A horizontal bar has its gripper at the left end, a vertical one on
    // top; a floating bar its caption on top.
    QDockWidget::DockWidgetFeatures features = dock->features();
    features.setFlag(QDockWidget::DockWidgetVerticalTitleBar, !floating && !vertical);
    dock->setFeatures(features);
    if (floating)
        FitFloatingWindow(bar);
}

void CToolBar::Impl::FitFloatingWindow(CToolBar& bar) {
    QDockWidget* dock = Dock(bar);
    // One row of all buttons and separators, and room for the whole
    // caption; the caption's room grows with the window's width.
    toolBar->adjustSize();
    dock->layout()->activate();
    dock->resize(dock->sizeHint().expandedTo(dock->minimumSizeHint()));
    const int missing =
        dock->fontMetrics().horizontalAdvance(dock->windowTitle()) + 2 - bar.GetCaptionRoom();
    if (missing > 0)
        dock->resize(dock->width() + missing, dock->height());
}

int CToolBar::GetCaptionRoom() const {
    auto* dock = dynamic_cast<ToolBarDock*>(m_pImpl->Dock(*this));
    return dock != nullptr && dock->isFloating() ? dock->CaptionRoom() : 0;
}

void CToolBar::SetWindowText(const std::string& text) {
    CControlBar::SetWindowText(text);
    if (m_pImpl->toolBar != nullptr)
        m_pImpl->toolBar->setWindowTitle(AfxQString(text));
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    const ToolBarResource* resource = AfxFindResource(&ResourceTable::toolbars, nIDResource);
    const QImage bitmap = AfxLoadBitmapImage(nIDResource);
    QToolBar* toolBar = m_pImpl->toolBar;
    if (toolBar == nullptr || resource == nullptr || bitmap.isNull() || resource->width <= 0 ||
        resource->height <= 0)
        return FALSE;
    int images = 0;
    for (UINT id : resource->items)
        // cppcheck-suppress useStlAlgorithm
        images += id != 0 ? 1 : 0;
    if (bitmap.width() < images * resource->width || bitmap.height() < resource->height)
        return FALSE;

    toolBar->clear();
    m_pImpl->items.clear();
    m_itemIDs.clear();
    const QSize imageSize(resource->width, resource->height);
    toolBar->setIconSize(imageSize);
    int image = 0;
    for (UINT id : resource->items) {
        m_itemIDs.push_back(id);
        if (id == 0) {
            toolBar->addSeparator();
            m_pImpl->items.push_back(nullptr);
            continue;
        }
        const QIcon icon(QPixmap::fromImage(
            bitmap.copy(image * resource->width, 0, resource->width, resource->height)));
        ++image;
        auto* action = new QAction(icon, QString(), toolBar);
        const QString tip = AfxLoadQSubString(id, 1);
        if (m_dwStyle & CBRS_TOOLTIPS)
            action->setToolTip(tip);
        CBarSite* site = m_pSite;
        QObject::connect(action, &QAction::triggered, action,
                         [site, id] { site->SendCommand(id); });
        toolBar->addAction(action);
        if (QWidget* button = toolBar->widgetForAction(action)) {
            button->setFixedSize(imageSize + QSize(7, 7));
            button->setAccessibleName(tip.isEmpty() ? AfxQString(site->GetMenuItemName(id)) : tip);
            if (m_dwStyle & CBRS_FLYBY)
                button->installEventFilter(new FlyBy(site, id, button));
        }
        m_pImpl->items.push_back(action);
    }
    return TRUE;
}

void CToolBar::SetButtonName(int nIndex, const std::string& name) {
    if (QWidget* button = AfxQtWidget(GetItemButton(nIndex)))
        button->setAccessibleName(AfxQString(name));
}

HWND CToolBar::GetItemButton(int nIndex) const {
    QAction* action =
        nIndex >= 0 && nIndex < GetCount() ? m_pImpl->items[static_cast<size_t>(nIndex)] : nullptr;
    return action != nullptr && m_pImpl->toolBar != nullptr
               ? AfxHwnd(m_pImpl->toolBar->widgetForAction(action))
               : nullptr;
}

void CToolBar::OnUpdateCmdUI(CCmdTarget* pTarget, bool bDisableIfNoHandler) {
    const std::vector<QAction*>& items = m_pImpl->items;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == nullptr)
            continue;
        CActionCmdUI state(items[i], m_itemIDs[i]);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

// Qt lays the widgets out at the screen's scale itself.
void CToolBar::OnDpiChanged(UINT) {}

} // namespace curvix
