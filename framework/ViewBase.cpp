#include "ViewBase.h"

#include "Document.h"

namespace curvix {

CViewBase::~CViewBase() {
    if (m_pAttachedDocument != nullptr) {
        m_pAttachedDocument->RemoveView(this);
    }
}

void CViewBase::OnUpdate(CViewBase* /*sender*/, long /*hint*/, void* /*hintObject*/) {}

} // namespace curvix
