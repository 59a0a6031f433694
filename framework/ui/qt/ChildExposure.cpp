#include "ChildExposure.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace curvix {

ChildExposure::ChildExposure(QWidget* child) : QObject(child), m_child(child) {}

void ChildExposure::WatchTopLevel() {
    QWindow* top = m_child->window()->windowHandle();
    if (top == m_topLevel)
        return;
    if (m_topLevel != nullptr)
        m_topLevel->removeEventFilter(this);
    m_topLevel = top;
    if (top != nullptr)
        top->installEventFilter(this);
    ExposeIfMissed();
}

void ChildExposure::ExposeIfMissed() {
    QWindow* window = m_child->windowHandle();
    if (window == nullptr || window->isExposed() || !m_child->isVisible() ||
        m_topLevel == nullptr || !m_topLevel->isExposed() || window == m_asked)
        return;
    // Once per window: a child that is still not exposed afterwards is one
    // the compositor hides (its frames unanswered), which Qt itself exposes
    // again when the compositor shows it.
    m_asked = window;
    const QSize size = window->size();
    window->resize(size.width(), size.height() + 1);
    window->resize(size);
}

bool ChildExposure::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_topLevel && event->type() == QEvent::Expose)
        ExposeIfMissed();
    return false;
}

} // namespace curvix
