#pragma once

namespace curvix {

class CDocument;

// The window-free part of a view, which the document works with: the
// document it is attached to and the update it receives. The view window
// derives from it. A view attached to a document (CDocument::AddView)
// detaches itself when it is destroyed.
class CViewBase {
public:
    CViewBase() = default;
    CViewBase(const CViewBase&) = delete;
    CViewBase& operator=(const CViewBase&) = delete;
    virtual ~CViewBase();

    // Called by CDocument::UpdateAllViews for every view but the sender.
    // The window side repaints from here; the base does nothing.
    virtual void OnUpdate(CViewBase* sender, long hint, void* hintObject);

    CDocument* GetAttachedDocument() const { return m_pAttachedDocument; }

private:
    friend class CDocument;
    CDocument* m_pAttachedDocument = nullptr;
};

} // namespace curvix
