#include "WndQt.h"

namespace curvix {

CWnd::~CWnd() {
    DestroyWindow();
}

void CWnd::DestroyWindow() {
    QWidget* widget = AfxQtWidget(m_hWnd);
    m_hWnd = nullptr;
    delete widget;
}

void CWnd::ShowWindow(int nCmdShow) {
    if (QWidget* widget = AfxQtWidget(m_hWnd))
        widget->setVisible(nCmdShow != SW_HIDE);
}

bool CWnd::IsWindowVisible() const {
    const QWidget* widget = AfxQtWidget(m_hWnd);
    return widget != nullptr && !widget->isHidden();
}

void CWnd::Invalidate() {
    if (QWidget* widget = AfxQtWidget(m_hWnd))
        widget->update();
}

void CWnd::SetFocus() {
    if (QWidget* widget = AfxQtWidget(m_hWnd))
        widget->setFocus();
}

void CWnd::SetWindowText(const std::string& text) {
    if (QWidget* widget = AfxQtWidget(m_hWnd))
        widget->setWindowTitle(AfxQString(text));
}

std::string CWnd::GetWindowText() const {
    const QWidget* widget = AfxQtWidget(m_hWnd);
    return widget != nullptr ? widget->windowTitle().toStdString() : std::string();
}

CRect CWnd::GetClientRect() const {
    const QWidget* widget = AfxQtWidget(m_hWnd);
    return widget != nullptr ? CRect{0, 0, widget->width(), widget->height()} : CRect{};
}

} // namespace curvix
