#include "FrameWnd.h"

#include "DockSite.h"
#include "FrameWndBase.h"

#include <algorithm>

namespace curvix {

BEGIN_MESSAGE_MAP(CFrameWnd, CCmdTarget)
ON_WM_CREATE()
ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.style == 0)
        cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return TRUE;
}

bool CFrameWnd::LoadFrame(UINT nIDResource, CCreateContext* pContext) {
    CREATESTRUCT cs;
    cs.lpszName = AfxLoadSubString(nIDResource, 0);
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs) || !CreateFrameWindow(cs, nIDResource))
        return false;
    LoadMenu(nIDResource);
    m_bHasAccelerators = m_accelerators.Load(nIDResource);
    if (m_bHasAccelerators)
        WatchAcceleratorKeys();

    long result = 0;
    if (OnWndMsg(WM_CREATE, &cs, &result) && result == -1)
        return false;

    WatchIdleTime();
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    OnIdleUpdateCmdUI();
    UpdateMinimumSize();
    return true;
}

bool CFrameWnd::OnWndMsg(UINT message, void* pExtra, long* pResult) {
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
    if (entry == nullptr)
        return false;
    const long result = entry->pfn(this, 0, pExtra);
    if (pResult != nullptr)
        *pResult = result;
    return true;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    auto* context = lpCreateStruct != nullptr
                        ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams)
                        : nullptr;
    if (context != nullptr && context->m_pNewViewClass) {
        m_pView.reset(context->m_pNewViewClass());
        CView* view = m_pView.get();
        if (view == nullptr || !view->Create(this))
            return -1;
        view->SetDocument(context->m_pCurrentDoc);
        AttachView(view);
        if (view->OnCreate(lpCreateStruct) == -1)
            return -1;
        SetActiveView(view);
    }
    return 0;
}

void CFrameWnd::OnUpdateFrameTitle() {
    CWinThread* app = AfxGetThread();
    if (IsWindowVisible() && app != nullptr)
        app->UpdateFrameTitle(this);
}

bool CFrameWnd::CanCloseFrame() {
    CWinThread* app = AfxGetThread();
    return app == nullptr || app->GetMainWnd() != this || app->SaveAllModified();
}

void CFrameWnd::SendCommand(UINT nID) {
    // A command whose element would be disabled is dropped, whoever sends
    // it; so is one without a handler.
    CCmdUI state;
    state.m_nID = nID;
    state.DoUpdate(this, true);
    if (!state.m_bEnabled)
        return;
    OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
}

bool CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CView* view = GetActiveView();
        view != nullptr && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    CCmdTarget* app = AfxGetAppCmdTarget();
    return app != nullptr && app != this && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, const CRect*) {
    DWORD side = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        side = CBRS_ALIGN_TOP;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        side = CBRS_ALIGN_BOTTOM;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        side = CBRS_ALIGN_LEFT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        side = CBRS_ALIGN_RIGHT;
        break;
    default:
        break;
    }
    // The first side allowed, in the order top, bottom, left, right.
    if (const DWORD first = FirstDockSide(side & m_dwDockStyle & pBar->GetDockingStyle()))
        pBar->DockAt(first);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const {
    for (CControlBar* bar : m_controlBars) {
        // cppcheck-suppress useStlAlgorithm
        if (bar->GetDlgCtrlID() == nID)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, bool bShow) {
    if (pBar != nullptr)
        pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    m_controlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    m_controlBars.erase(std::remove(m_controlBars.begin(), m_controlBars.end(), pBar),
                        m_controlBars.end());
}

bool CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr)
        return false;
    ShowControlBar(bar, !bar->IsVisible());
    return true;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    pCmdUI->Enable(bar != nullptr);
    pCmdUI->SetCheck(bar != nullptr && bar->IsVisible() ? 1 : 0);
}

std::string CFrameWnd::GetMessageString(UINT nID) const {
    return AfxLoadSubString(nID, 0);
}

bool CFrameWnd::IsAcceleratorKey(UINT vk, UINT modifiers) const {
    return m_bHasAccelerators && m_accelerators.Translate(vk, modifiers) != 0;
}

bool CFrameWnd::HasBarToggle(const CControlBar* pBar) const {
    const UINT id = pBar->GetDlgCtrlID();
    return (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR) && GetControlBar(id) == pBar;
}

void CFrameWnd::SetMessageText(const std::string& text) {
    if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR))
        bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(UINT nID) {
    SetMessageText(AfxLoadString(nID));
}

void CFrameWnd::ShowPrompt(UINT nID) {
    if (nID == 0)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
        SetMessageText(GetMessageString(nID));
}

void CFrameWnd::OnDropFiles(const std::vector<std::string>& files) {
    ActivateFrame();
    CWinThread* app = AfxGetThread();
    if (app == nullptr || !app->SaveAllModified())
        return;
    for (const std::string& file : files)
        app->OpenDocumentFile(file);
}

} // namespace curvix
