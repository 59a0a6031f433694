#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

namespace curvix {

// Gets a native child widget the expose event that Qt paints it after.
//
// Qt's Wayland plugin (Qt 6.4) makes a native child a subsurface and sends
// it an expose event only from a geometry change made while the top-level
// is exposed. The view's window is made and laid out before the frame is
// first configured, so without help it is never exposed, never painted and
// the compositor shows nothing there. When the top-level is exposed and the
// child's window still is not, this changes the child window's size and
// sets it back, which makes the plugin send the missing expose; Qt then
// paints the child as usual. Where the child is exposed by itself (X11)
// this does nothing.
class ChildExposure : public QObject {
public:
    explicit ChildExposure(QWidget* child);

    // Follows the top-level window the child lies in now; called whenever
    // that may have changed (the child shown or given a native window).
    void WatchTopLevel();

    // Asks for the child's expose if it is due and has not come.
    void ExposeIfMissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_child;
    QPointer<QWindow> m_topLevel;
    QPointer<QWindow> m_asked; // the child window whose expose was asked for
};

} // namespace curvix
