#pragma once

namespace curvix {

class CDocument;

// Base of the views a document updates. A view attached to a document
// (CDocument::AddView) detaches itself when it is destroyed.
class CView {
public:
    CView() = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    virtual ~CView();

    // Called by CDocument::UpdateAllViews for every view but the sender.
    // The window side repaints from here; the base does nothing.
    virtual void OnUpdate(CView* sender, long hint, void* hintObject);

    CDocument* GetAttachedDocument() const { return m_pAttachedDocument; }

private:
    friend class CDocument;
    CDocument* m_pAttachedDocument = nullptr;
};

} // namespace curvix
