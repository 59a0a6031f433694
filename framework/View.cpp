#include "View.h"

#include "Document.h"

namespace curvix {

CView::~CView() {
    if (m_pAttachedDocument != nullptr) {
        m_pAttachedDocument->RemoveView(this);
    }
}

void CView::OnUpdate(CView* /*sender*/, long /*hint*/, void* /*hintObject*/) {}

} // namespace curvix
