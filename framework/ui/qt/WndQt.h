#pragma once

#include "Wnd.h"

#include <QRect>
#include <QSize>
#include <QWidget>

// A window's handle is its QWidget.

namespace curvix {

inline QWidget* AfxQtWidget(HWND hWnd) {
    return reinterpret_cast<QWidget*>(hWnd);
}

inline HWND AfxHwnd(QWidget* widget) {
    return reinterpret_cast<HWND>(widget);
}

// The widget of a window object, or null before it is made.
inline QWidget* AfxQtWidget(const CWnd* pWnd) {
    return pWnd != nullptr ? AfxQtWidget(pWnd->GetSafeHwnd()) : nullptr;
}

inline QRect AfxQRect(const CRect& rect) {
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

inline CRect AfxCRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

inline CSize AfxCSize(const QSize& size) {
    return {size.width(), size.height()};
}

inline QString AfxQString(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace curvix
