#pragma once

#include "Document.h"
#include "ViewBase.h"
#include "Wnd.h"

namespace curvix {

// A view: the window inside the frame that shows a document. Commands
// reach the view first and then its document; the document's update of its
// views repaints the whole window. The window system's events arrive at
// the On... handlers.
class CView : public CWnd, public virtual CViewBase {
public:
    CView();
    ~CView() override;

    // Makes the view's window as the frame's client; false when it cannot
    // be made.
    bool Create(CWnd* pParentWnd);
    // The frame the view lies in.
    CWnd* GetParent() const { return m_pParent; }

    // Attaches the view to pDocument (null detaches it).
    void SetDocument(CDocument* pDocument);
    CDocument* GetDocument() const { return GetAttachedDocument(); }

    // Called by the frame once the view is its child and attached to its
    // document; -1 fails the frame's creation.
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);

    // Called once the frame the view lies in has become the main window
    // with its document in place; the base repaints from the document.
    virtual void OnInitialUpdate();

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnUpdate(CViewBase* sender, long hint, void* hintObject) override;

    // A view that draws its whole window itself (with OpenGL) gets a
    // native window of its own, which the window system never paints or
    // erases; it paints in OnPaint. Read when the window is made.
    virtual bool PaintsOwnSurface() const { return false; }

    // The window's events. Sizes and the scale are in device pixels,
    // points in logical ones, from the window's top left corner.
    virtual void OnPaint() {}
    virtual void OnSize(int /*cx*/, int /*cy*/) {}
    virtual void OnLButtonDown(CPoint /*point*/) {}
    virtual void OnLButtonUp(CPoint /*point*/) {}
    virtual void OnMouseMove(CPoint /*point*/) {}
    virtual void OnLButtonDblClk(CPoint /*point*/) {}
    // The window's device pixels per logical pixel changed (a move to
    // another screen); the base repaints.
    virtual void OnScaleChanged();

    // The client area in device pixels: on a scaled display the logical
    // size times the scale.
    CSize GetClientDeviceSize() const;
    // What screen readers call the view.
    void SetAccessibleName(const std::string& name);

protected:
    // Pane switching needs a split window; a plain view has none, so the
    // commands stay disabled and do nothing.
    void OnNextPaneCmd(UINT nID);
    void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pParent = nullptr;
};

} // namespace curvix
