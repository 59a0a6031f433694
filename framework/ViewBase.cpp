#include "ViewBase.h"

namespace curvix {

void CViewBase::OnUpdate(CViewBase* /*sender*/, long /*hint*/, void* /*hintObject*/) {}

} // namespace curvix
