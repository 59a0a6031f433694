#include "CurveSampler.h"
#include "CurvixDoc.h"
#include "CurvixScene.h"

#include <iostream>

namespace curvix {

void CCurvixScene::ComputeCurve() {
    if (m_pDocument == nullptr || m_pRange == nullptr || m_pStep == nullptr) {
        m_vertices.Clear(); // not attached to a document yet: no curve
        return;
    }
    SampleCurve(m_evaluator, m_pDocument->GetFormula(), m_pRange[0], m_pRange[1], *m_pStep,
                m_vertices, std::cerr);
}

} // namespace curvix
