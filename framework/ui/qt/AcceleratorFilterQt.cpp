#include "FrameWndQt.h"
#include "VirtualKeysQt.h"
#include "WndQt.h"

#include <QApplication>
#include <QDockWidget>
#include <QKeyEvent>

// The accelerator table sees a key before the focused control does, so
// the control's own editing keys (cut, paste, undo) never act when the
// table maps them to commands.

namespace curvix {

AcceleratorFilterQt::AcceleratorFilterQt(CFrameWnd& frame) : m_frame(frame) {}

bool AcceleratorFilterQt::OwnsWidget(const QObject* object) const {
    // Keys count as the frame's when they go to its own window or to one
    // of its floating bars; menus, dialogs and other windows it owns handle
    // their keys themselves.
    const QWidget* frame = AfxQtWidget(&m_frame);
    for (auto* widget = qobject_cast<const QWidget*>(object); widget != nullptr;
         widget = widget->parentWidget()) {
        if (widget == frame)
            return true;
        if (widget->isWindow() && qobject_cast<const QDockWidget*>(widget) == nullptr)
            return false;
    }
    return false;
}

bool AcceleratorFilterQt::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const CAcceleratorTable* table = m_frame.GetAccelerators();
    // While a menu or another popup is open, it has the keys to itself.
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && table != nullptr &&
        QApplication::activePopupWidget() == nullptr && OwnsWidget(watched)) {
        const UINT command = AfxTranslateKey(*table, *static_cast<QKeyEvent*>(event));
        if (command != 0) {
            if (type == QEvent::ShortcutOverride) {
                // Claim the key so that no shortcut takes it; the key press
                // itself arrives next and is translated here.
                event->accept();
                return true;
            }
            m_frame.SendCommand(command);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace curvix
