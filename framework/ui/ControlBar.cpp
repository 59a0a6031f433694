#include "ControlBar.h"

#include "FrameWnd.h"

namespace curvix {

CControlBar::~CControlBar() {
    DestroyWindow();
}

void CControlBar::SetWindowText(const QString& text) {
    if (m_pWindow != nullptr)
        m_pWindow->setWindowTitle(text);
}

QString CControlBar::GetWindowText() const {
    return m_pWindow != nullptr ? m_pWindow->windowTitle() : QString();
}

QSize CControlBar::GetWholeSize() const {
    return m_pWindow != nullptr ? m_pWindow->minimumSizeHint() : QSize();
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    OnDockingChanged();
}

void CControlBar::DestroyWindow() {
    if (m_pFrame != nullptr) {
        m_pFrame->RemoveControlBar(this);
        m_pFrame = nullptr;
    }
    delete m_pWindow.data();
    m_pWindow = nullptr;
}

void CControlBar::AttachToFrame(CFrameWnd* pFrame, QWidget* window, UINT nID, DWORD dwStyle) {
    m_pFrame = pFrame;
    m_pWindow = window;
    m_nID = nID;
    m_dwStyle = dwStyle;
    pFrame->AddControlBar(this);
}

} // namespace curvix
