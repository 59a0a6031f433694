#pragma once

#include "DialogBar.h"
#include "FrameWndQt.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "WndQt.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <memory>
#include <string>

// The Qt widgets behind the framework's window objects, for tests that
// drive and inspect them.

namespace curvix::test {

inline QWidget* Widget(const CWnd* window) {
    return AfxQtWidget(window);
}

inline QWidget* Widget(const CWnd& window) {
    return AfxQtWidget(&window);
}

inline QWidget* Widget(HWND hWnd) {
    return AfxQtWidget(hWnd);
}

inline QMainWindow* Window(const CFrameWnd* frame) {
    return AfxQtFrameWindow(frame);
}

inline QMainWindow* Window(const CFrameWnd& frame) {
    return AfxQtFrameWindow(&frame);
}

template <typename T> QMainWindow* Window(const std::unique_ptr<T>& frame) {
    return AfxQtFrameWindow(frame.get());
}

inline QDockWidget* DockOf(const CToolBar& bar) {
    return qobject_cast<QDockWidget*>(Widget(bar));
}

inline QToolBar* ButtonRowOf(const CToolBar& bar) {
    return qobject_cast<QToolBar*>(Widget(bar.GetToolBarCtrl()));
}

inline QToolButton* ButtonOf(const CToolBar& bar, int index) {
    return qobject_cast<QToolButton*>(Widget(bar.GetItemButton(index)));
}

inline QAction* ActionOf(const CToolBar& bar, int index) {
    QToolButton* button = ButtonOf(bar, index);
    return button != nullptr ? button->defaultAction() : nullptr;
}

inline QLabel* PaneOf(const CStatusBar& bar, int index) {
    return qobject_cast<QLabel*>(Widget(bar.GetPaneWindow(index)));
}

inline QStatusBar* StatusOf(const CStatusBar& bar) {
    return qobject_cast<QStatusBar*>(Widget(bar));
}

inline QWidget* ItemOf(const CDialogBar& bar, int id) {
    return Widget(bar.GetDlgItem(id));
}

inline QWidget* PageOf(const CDialogBar& bar) {
    return Widget(bar.GetPage());
}

inline QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace curvix::test
