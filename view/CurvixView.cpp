#include "CurvixView.h"

namespace curvix {

CCurvixView::~CCurvixView() {
    m_vertices.Clear();
}

} // namespace curvix
