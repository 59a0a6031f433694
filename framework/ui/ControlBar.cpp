#include "ControlBar.h"

namespace curvix {

CControlBar::~CControlBar() {
    DestroyBar();
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    OnDockingChanged();
}

void CControlBar::DestroyBar() {
    if (m_pSite != nullptr) {
        m_pSite->RemoveControlBar(this);
        m_pSite = nullptr;
    }
    DestroyWindow();
}

void CControlBar::AttachToSite(CBarSite* pSite, HWND hWnd, UINT nID, DWORD dwStyle) {
    m_pSite = pSite;
    m_hWnd = hWnd;
    m_nID = nID;
    m_dwStyle = dwStyle;
    pSite->AddControlBar(this);
}

} // namespace curvix
