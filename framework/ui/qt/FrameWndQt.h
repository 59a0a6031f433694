#pragma once

#include "FrameWnd.h"

#include <QEvent>
#include <QMainWindow>
#include <QMargins>
#include <QMetaObject>

class QMenu;
class QMimeData;

namespace curvix {

// The frame's Qt window: a main window whose events go to its frame
// object.
class FrameWindowQt : public QMainWindow {
public:
    explicit FrameWindowQt(CFrameWnd& owner);

    CFrameWnd& Owner() const { return m_owner; }
    // The local files a drag carries, in its order.
    static std::vector<std::string> DroppedFiles(const QMimeData* data);
    // size, made smaller where it would not fit its screen's available
    // area (never below the minimum size); for a window not yet shown,
    // whose frame is not known.
    QSize FitOnScreen(QSize size) const;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    // Puts the first window's frame inside its screen's available area.
    // The window system's frame comes after the window is shown, and a
    // window manager may add its frame later still: the fit is done again
    // whenever the frame is not the one the last fit knew, until a fit has
    // known a frame. From then on the window is the user's to place.
    void FitFrameOnScreen();
    void PostFitOnScreen();
    static QEvent::Type OpenDroppedFilesEvent();
    static QEvent::Type FitOnScreenEvent();

    CFrameWnd& m_owner;
    std::vector<std::string> m_droppedFiles; // waiting to be opened
    bool m_bFitStarted = false;              // the first show has come
    bool m_bFitting = false;                 // the fit waits for the window system's frame
    bool m_bFitPosted = false;
    bool m_bFitDone = false;
    QMargins m_fittedMargins; // the frame the last fit knew
};

// Turns the frame's accelerator keys into commands before the focused
// control sees them.
class AcceleratorFilterQt : public QObject {
public:
    explicit AcceleratorFilterQt(CFrameWnd& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OwnsWidget(const QObject* object) const;

    CFrameWnd& m_frame;
};

struct CFrameWnd::Impl {
    explicit Impl(CFrameWnd& owner);
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl();

    FrameWindowQt* window; // the frame's window, destroyed with it
    AcceleratorFilterQt accelerators;
    QMetaObject::Connection idleConnection;
};

// The frame's Qt window.
QMainWindow* AfxQtFrameWindow(const CFrameWnd* pFrame);

// Brings one menu's items up to date, as when it opens.
void AfxUpdateMenuCmdUI(CFrameWnd* pFrame, QMenu* menu);

} // namespace curvix
