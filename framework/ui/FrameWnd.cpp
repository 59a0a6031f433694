#include "FrameWnd.h"

#include "CmdUIQt.h"
#include "ResourceLoader.h"
#include "ScreenFit.h"
#include "ToolBar.h"
#include "WinApp.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QScreen>
#include <QUrl>
#include <QWindow>
#include <algorithm>

namespace curvix {
namespace {
// Greyed menu items can still be highlighted, so that their prompts show.
class MenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CCmdTarget)
ON_WM_CREATE()
ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    QObject::disconnect(m_idleConnection);
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
    for (CControlBar* bar : m_controlBars)
        bar->DestroyWindow();
    m_pViewActive = nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.style == 0)
        cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return TRUE;
}

bool CFrameWnd::LoadFrame(UINT nIDResource, CCreateContext* pContext) {
    CREATESTRUCT cs;
    cs.lpszName = AfxLoadQSubString(nIDResource, 0).toStdString();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
        return false;

    setWindowTitle(QString::fromStdString(cs.lpszName));
    const QIcon icon = AfxLoadIcon(nIDResource);
    if (!icon.isNull())
        setWindowIcon(icon);
    // The window keeps its default place unless asked for another.
    if (cs.cx != CW_USEDEFAULT && cs.cy != CW_USEDEFAULT)
        resize(FitOnScreen(QSize(cs.cx, cs.cy)));
    if (cs.x != CW_USEDEFAULT && cs.y != CW_USEDEFAULT)
        move(cs.x, cs.y);
    LoadMenu(nIDResource);
    m_bHasAccelerators = m_accelerators.Load(nIDResource);
    if (m_bHasAccelerators)
        qApp->installEventFilter(this);

    long result = 0;
    if (OnWndMsg(WM_CREATE, &cs, &result) && result == -1)
        return false;

    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        m_idleConnection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                            this, [this] { OnIdleUpdateCmdUI(); });
    }
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    OnIdleUpdateCmdUI();
    UpdateMinimumSize();
    return true;
}

bool CFrameWnd::OnWndMsg(UINT message, void* pExtra, long* pResult) {
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
    if (entry == nullptr)
        return false;
    const long result = entry->pfn(this, 0, pExtra);
    if (pResult != nullptr)
        *pResult = result;
    return true;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    auto* context = lpCreateStruct != nullptr
                        ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams)
                        : nullptr;
    if (context != nullptr && context->m_pNewViewClass) {
        CView* view = context->m_pNewViewClass();
        if (view == nullptr)
            return -1;
        view->setObjectName(QStringLiteral("View"));
        view->SetDocument(context->m_pCurrentDoc);
        setCentralWidget(view);
        if (view->OnCreate(lpCreateStruct) == -1)
            return -1;
        SetActiveView(view);
    }
    return 0;
}

void CFrameWnd::LoadMenu(UINT nIDResource) {
    const MenuResource* resource = AfxFindResource(&ResourceTable::menus, nIDResource);
    if (resource == nullptr)
        return;
    QMenuBar* bar = menuBar();
    bar->clear();
    auto* menuStyle = new MenuStyle;
    menuStyle->setParent(bar);
    QMenu* popup = nullptr;
    for (const MenuItemResource& item : resource->items) {
        const QString text = QString::fromLatin1(item.text);
        if (item.flags & MF_POPUP) {
            popup = bar->addMenu(text);
            popup->setStyle(menuStyle);
            connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenuCmdUI(popup); });
            connect(popup, &QMenu::hovered, this, [this](QAction* action) {
                const UINT id = action->property(kCommandProperty).toUInt();
                SetMessageText(id != 0 ? GetMessageString(id) : QString());
            });
            connect(popup, &QMenu::aboutToHide, this,
                    [this] { SetMessageText(AFX_IDS_IDLEMESSAGE); });
            continue;
        }
        if (popup == nullptr)
            continue;
        if (item.flags & MF_SEPARATOR) {
            popup->addSeparator();
            continue;
        }
        QAction* action = popup->addAction(text);
        action->setProperty(kCommandProperty, item.id);
        if (item.flags & MF_CHECKED) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        if (item.flags & MF_GRAYED)
            action->setEnabled(false);
        const UINT id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
    }
}

void CFrameWnd::UpdateMenuCmdUI(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        const UINT id = action->property(kCommandProperty).toUInt();
        if (id == 0)
            continue;
        CActionCmdUI state(action, id);
        state.DoUpdate(this, true);
    }
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    OnUpdateFrameTitle();
    for (CControlBar* bar : m_controlBars) {
        if (bar->IsVisible())
            bar->OnUpdateCmdUI(this, true);
    }
    for (QAction* item : menuBar()->actions()) {
        if (QMenu* menu = item->menu())
            UpdateMenuCmdUI(menu);
    }
}

void CFrameWnd::OnUpdateFrameTitle() {
    CWinApp* app = AfxGetApp();
    CSingleDocTemplate* docTemplate = app != nullptr ? app->GetDocTemplate() : nullptr;
    if (isVisible() && docTemplate != nullptr && docTemplate->GetFrame() == this)
        docTemplate->UpdateFrameTitle();
}

bool CFrameWnd::CanCloseFrame() {
    CWinApp* app = AfxGetApp();
    return app == nullptr || app->m_pMainWnd != this || app->SaveAllModified();
}

void CFrameWnd::closeEvent(QCloseEvent* event) {
    if (!CanCloseFrame()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CFrameWnd::SendCommand(UINT nID) {
    // A command whose element would be disabled is dropped, whoever sends
    // it; so is one without a handler.
    CCmdUI state;
    state.m_nID = nID;
    state.DoUpdate(this, true);
    if (!state.m_bEnabled)
        return;
    OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
}

bool CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CView* view = GetActiveView();
        view != nullptr && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    CCmdTarget* app = AfxGetAppCmdTarget();
    return app != nullptr && app != this && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    setDockOptions(QMainWindow::AnimatedDocks);
    setCorner(Qt::TopLeftCorner, Qt::TopDockWidgetArea);
    setCorner(Qt::TopRightCorner, Qt::TopDockWidgetArea);
    setCorner(Qt::BottomLeftCorner, Qt::BottomDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, const QRect*) {
    auto* toolBar = dynamic_cast<CToolBar*>(pBar);
    if (toolBar == nullptr)
        return;
    DWORD side = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        side = CBRS_ALIGN_TOP;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        side = CBRS_ALIGN_BOTTOM;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        side = CBRS_ALIGN_LEFT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        side = CBRS_ALIGN_RIGHT;
        break;
    default:
        break;
    }
    side &= m_dwDockStyle & pBar->GetDockingStyle();
    if (side & CBRS_ALIGN_TOP)
        toolBar->DockAt(Qt::TopDockWidgetArea);
    else if (side & CBRS_ALIGN_BOTTOM)
        toolBar->DockAt(Qt::BottomDockWidgetArea);
    else if (side & CBRS_ALIGN_LEFT)
        toolBar->DockAt(Qt::LeftDockWidgetArea);
    else if (side & CBRS_ALIGN_RIGHT)
        toolBar->DockAt(Qt::RightDockWidgetArea);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const {
    for (CControlBar* bar : m_controlBars) {
        // cppcheck-suppress useStlAlgorithm
        if (bar->GetDlgCtrlID() == nID)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, bool bShow) {
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pBar->GetSafeHwnd()->setVisible(bShow);
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    m_controlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    m_controlBars.erase(std::remove(m_controlBars.begin(), m_controlBars.end(), pBar),
                        m_controlBars.end());
}

bool CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr)
        return false;
    ShowControlBar(bar, !bar->IsVisible());
    return true;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    pCmdUI->Enable(bar != nullptr);
    pCmdUI->SetCheck(bar != nullptr && bar->IsVisible() ? 1 : 0);
}

QString CFrameWnd::GetMessageString(UINT nID) const {
    return AfxLoadQSubString(nID, 0);
}

QString CFrameWnd::GetMenuItemName(UINT nID) const {
    for (QAction* item : menuBar()->actions()) {
        const QMenu* menu = item->menu();
        if (menu == nullptr)
            continue;
        for (const QAction* action : menu->actions()) {
            if (action->property(kCommandProperty).toUInt() != nID)
                continue;
            return AfxPlainText(action->text());
        }
    }
    return {};
}

bool CFrameWnd::IsAcceleratorKey(QKeyCombination key) const {
    return m_bHasAccelerators && m_accelerators.Translate(key) != 0;
}

bool CFrameWnd::HasBarToggle(const CControlBar* pBar) const {
    const UINT id = pBar->GetDlgCtrlID();
    return (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR) && GetControlBar(id) == pBar;
}

void CFrameWnd::SetMessageText(const QString& text) {
    if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR))
        bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(UINT nID) {
    SetMessageText(AfxLoadQString(nID));
}

bool CFrameWnd::OwnsWidget(const QObject* object) const {
    // Keys count as the frame's when they go to its own window or to one
    // of its floating bars; menus, dialogs and other windows it owns handle
    // their keys themselves.
    for (auto* widget = qobject_cast<const QWidget*>(object); widget != nullptr;
         widget = widget->parentWidget()) {
        if (widget == this)
            return true;
        if (widget->isWindow() && qobject_cast<const QDockWidget*>(widget) == nullptr)
            return false;
    }
    return false;
}

bool CFrameWnd::event(QEvent* event) {
    if (event->type() == OpenDroppedFilesEvent()) {
        std::vector<std::string> files;
        files.swap(m_droppedFiles);
        if (!files.empty())
            OnDropFiles(files);
        return true;
    }
    // Prompts come from the frame's own fly-by handling, not from Qt's
    // status tips.
    if (event->type() == QEvent::StatusTip)
        return true;
    // The window system's frame is known once the window is shown, or when
    // the window manager has framed it, which moves the window.
    if (event->type() == QEvent::Show && !m_bFitStarted) {
        m_bFitStarted = true;
        m_bFitting = true;
        PostFitOnScreen();
    }
    if (m_bFitting && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        PostFitOnScreen();
    if (event->type() == FitOnScreenEvent()) {
        m_bFitPosted = false;
        FitFrameOnScreen();
        return true;
    }
    const bool handled = QMainWindow::event(event);
    // A bar shown, hidden, docked elsewhere or floated changes the room the
    // bars need.
    if (event->type() == QEvent::LayoutRequest)
        UpdateMinimumSize();
    return handled;
}

QSize CFrameWnd::FitOnScreen(QSize size) const {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return size;
    return FitFrameInto(QRect(screen->availableGeometry().topLeft(), size), QMargins(),
                        screen->availableGeometry(), minimumSize())
        .size();
}

void CFrameWnd::PostFitOnScreen() {
    if (m_bFitPosted)
        return;
    m_bFitPosted = true;
    QCoreApplication::postEvent(this, new QEvent(FitOnScreenEvent()));
}

void CFrameWnd::FitFrameOnScreen() {
    const QWindow* window = windowHandle();
    const QScreen* screen = this->screen();
    if (!m_bFitting || window == nullptr || screen == nullptr || !isVisible())
        return;
    const QMargins margins = window->frameMargins();
    if (m_bFitDone && margins == m_fittedMargins)
        return;
    m_bFitDone = true;
    m_fittedMargins = margins;
    if (!margins.isNull())
        m_bFitting = false;
    if (isMaximized() || isFullScreen())
        return;
    const QRect client = geometry();
    const QRect fitted = FitFrameInto(client, margins, screen->availableGeometry(), minimumSize());
    if (fitted.size() != client.size())
        resize(fitted.size());
    // A window's position is its frame's.
    if (fitted.topLeft() != client.topLeft())
        move(fitted.topLeft() - QPoint(margins.left(), margins.top()));
}

void CFrameWnd::UpdateMinimumSize() {
    // A docked bar may not be made smaller than its contents; the frame's
    // layout then keeps the frame large enough for all of them. A floating
    // bar sizes its own window.
    for (CControlBar* bar : m_controlBars) {
        QWidget* window = bar->GetSafeHwnd();
        if (window == nullptr)
            continue;
        const QSize needed = window->isWindow() ? QSize(0, 0) : bar->GetWholeSize();
        if (window->minimumSize() != needed)
            window->setMinimumSize(needed);
    }
}

bool CFrameWnd::eventFilter(QObject* watched, QEvent* event) {
    // The accelerator table sees a key before the focused control does,
    // so the control's own editing keys (cut, paste, undo) never act when
    // the table maps them to commands.
    const QEvent::Type type = event->type();
    // While a menu or another popup is open, it has the keys to itself.
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && m_bHasAccelerators &&
        QApplication::activePopupWidget() == nullptr && OwnsWidget(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const UINT command = m_accelerators.Translate(*key);
        if (command != 0) {
            if (type == QEvent::ShortcutOverride) {
                // Claim the key so that no shortcut takes it; the key press
                // itself arrives next and is translated here.
                event->accept();
                return true;
            }
            SendCommand(command);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

std::vector<std::string> CFrameWnd::DroppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        // The bytes of the file's name from the URL's own percent-encoding:
        // a name that is not valid UTF-8 would not survive toLocalFile().
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                                .toStdString());
    }
    return files;
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CFrameWnd::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CFrameWnd::dropEvent(QDropEvent* event) {
    std::vector<std::string> files = DroppedFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: an open can show a message box, whose
    // event loop must not run inside the drag-and-drop exchange.
    m_droppedFiles.insert(m_droppedFiles.end(), files.begin(), files.end());
    QCoreApplication::postEvent(this, new QEvent(OpenDroppedFilesEvent()));
}

QEvent::Type CFrameWnd::FitOnScreenEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QEvent::Type CFrameWnd::OpenDroppedFilesEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void CFrameWnd::OnDropFiles(const std::vector<std::string>& files) {
    raise();
    activateWindow();
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !app->SaveAllModified())
        return;
    for (const std::string& file : files)
        app->OpenDocumentFile(file);
}

} // namespace curvix
