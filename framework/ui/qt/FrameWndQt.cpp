#include "FrameWndQt.h"

#include "ResourceLoader.h"
#include "ScreenFit.h"
#include "WndQt.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QWindow>

namespace curvix {

namespace {

CMargins MarginsOf(const QMargins& margins) {
    return {margins.left(), margins.top(), margins.right(), margins.bottom()};
}

} // namespace

CFrameWnd::Impl::Impl(CFrameWnd& owner) : window(new FrameWindowQt(owner)), accelerators(owner) {}

CFrameWnd::Impl::~Impl() = default;

CFrameWnd::CFrameWnd() : m_pImpl(std::make_unique<Impl>(*this)) {
    m_hWnd = AfxHwnd(m_pImpl->window);
}

CFrameWnd::~CFrameWnd() {
    if (CWinThread* app = AfxGetThread())
        app->OnFrameDestroyed(this);
    QObject::disconnect(m_pImpl->idleConnection);
    if (qApp != nullptr)
        qApp->removeEventFilter(&m_pImpl->accelerators);
    const std::vector<CControlBar*> bars = m_controlBars;
    for (CControlBar* bar : bars)
        bar->DestroyBar();
    m_pViewActive = nullptr;
    m_pView.reset();
    DestroyWindow();
}

QMainWindow* AfxQtFrameWindow(const CFrameWnd* pFrame) {
    return qobject_cast<QMainWindow*>(AfxQtWidget(pFrame));
}

bool CFrameWnd::CreateFrameWindow(const CREATESTRUCT& cs, UINT nIDResource) {
    FrameWindowQt* window = m_pImpl->window;
    window->setWindowTitle(AfxQString(cs.lpszName));
    const QIcon icon = AfxLoadIcon(nIDResource);
    if (!icon.isNull())
        window->setWindowIcon(icon);
    // The window keeps its default place unless asked for another.
    if (cs.cx != CW_USEDEFAULT && cs.cy != CW_USEDEFAULT)
        window->resize(window->FitOnScreen(QSize(cs.cx, cs.cy)));
    if (cs.x != CW_USEDEFAULT && cs.y != CW_USEDEFAULT)
        window->move(cs.x, cs.y);
    return true;
}

void CFrameWnd::WatchAcceleratorKeys() {
    qApp->installEventFilter(&m_pImpl->accelerators);
}

void CFrameWnd::WatchIdleTime() {
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        m_pImpl->idleConnection =
            QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, m_pImpl->window,
                             [this] { OnIdleUpdateCmdUI(); });
    }
}

void CFrameWnd::AttachView(CView* pView) {
    QWidget* view = AfxQtWidget(pView);
    view->setObjectName(QStringLiteral("View"));
    m_pImpl->window->setCentralWidget(view);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    OnUpdateFrameTitle();
    for (CControlBar* bar : m_controlBars) {
        if (bar->IsVisible())
            bar->OnUpdateCmdUI(this, true);
    }
    for (QAction* item : m_pImpl->window->menuBar()->actions()) {
        if (QMenu* menu = item->menu())
            AfxUpdateMenuCmdUI(this, menu);
    }
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    QMainWindow* window = m_pImpl->window;
    window->setDockOptions(QMainWindow::AnimatedDocks);
    window->setCorner(Qt::TopLeftCorner, Qt::TopDockWidgetArea);
    window->setCorner(Qt::TopRightCorner, Qt::TopDockWidgetArea);
    window->setCorner(Qt::BottomLeftCorner, Qt::BottomDockWidgetArea);
    window->setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
}

void CFrameWnd::UpdateMinimumSize() {
    // A docked bar may not be made smaller than its contents; the frame's
    // layout then keeps the frame large enough for all of them. A floating
    // bar sizes its own window.
    for (CControlBar* bar : m_controlBars) {
        QWidget* window = AfxQtWidget(bar);
        if (window == nullptr)
            continue;
        const CSize whole = window->isWindow() ? CSize{} : bar->GetWholeSize();
        const QSize needed(whole.cx, whole.cy);
        if (window->minimumSize() != needed)
            window->setMinimumSize(needed);
    }
}

void CFrameWnd::ActivateFrame() {
    m_pImpl->window->raise();
    m_pImpl->window->activateWindow();
}

void CFrameWnd::RequestClose() {
    m_pImpl->window->close();
}

void CFrameWnd::DragAcceptFiles(BOOL bAccept) {
    m_pImpl->window->setAcceptDrops(bAccept != FALSE);
}

FrameWindowQt::FrameWindowQt(CFrameWnd& owner) : m_owner(owner) {}

void FrameWindowQt::closeEvent(QCloseEvent* event) {
    if (!m_owner.CanCloseFrame()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool FrameWindowQt::event(QEvent* event) {
    if (event->type() == OpenDroppedFilesEvent()) {
        std::vector<std::string> files;
        files.swap(m_droppedFiles);
        if (!files.empty())
            m_owner.OnDropFiles(files);
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
        m_owner.UpdateMinimumSize();
    return handled;
}

QSize FrameWindowQt::FitOnScreen(QSize size) const {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return size;
    const QRect available = screen->availableGeometry();
    const CRect client{available.left(), available.top(), available.left() + size.width(),
                       available.top() + size.height()};
    return AfxQRect(FitFrameInto(client, CMargins{}, AfxCRect(available), AfxCSize(minimumSize())))
        .size();
}

void FrameWindowQt::PostFitOnScreen() {
    if (m_bFitPosted)
        return;
    m_bFitPosted = true;
    QCoreApplication::postEvent(this, new QEvent(FitOnScreenEvent()));
}

void FrameWindowQt::FitFrameOnScreen() {
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
    const QRect fitted =
        AfxQRect(FitFrameInto(AfxCRect(client), MarginsOf(margins),
                              AfxCRect(screen->availableGeometry()), AfxCSize(minimumSize())));
    if (fitted.size() != client.size())
        resize(fitted.size());
    // A window's position is its frame's.
    if (fitted.topLeft() != client.topLeft())
        move(fitted.topLeft() - QPoint(margins.left(), margins.top()));
}

std::vector<std::string> FrameWindowQt::DroppedFiles(const QMimeData* data) {
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

void FrameWindowQt::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void FrameWindowQt::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void FrameWindowQt::dropEvent(QDropEvent* event) {
    std::vector<std::string> files = DroppedFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: an open can show a message box, whose
    // event loop must not run inside the drag-and-drop exchange.
    m_droppedFiles.insert(m_droppedFiles.end(), files.begin(), files.end());
    QCoreApplication::postEvent(this, new QEvent(OpenDroppedFilesEvent()));
}

QEvent::Type FrameWindowQt::FitOnScreenEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QEvent::Type FrameWindowQt::OpenDroppedFilesEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace curvix
