#include "CurveSampler.h"
#include "CurvixDoc.h"
#include "CurvixScene.h"
#include "ReportTally.h"

namespace curvix {

void CCurvixScene::ComputeCurve() {
    SampleInto(m_evaluator.GetErrorStream());
}

void CCurvixScene::ComputeCurve(ReportTally& reports) {
    std::ostream& own = m_evaluator.GetErrorStream();
    ReportTee tee(own, reports);
    m_evaluator.SetErrorStream(tee);
    SampleInto(tee);
    m_evaluator.SetErrorStream(own);
}

void CCurvixScene::SampleInto(std::ostream& errors) {
    if (m_pDocument == nullptr || m_pRange == nullptr || m_pStep == nullptr) {
        m_vertices.Clear(); // not attached to a document yet: no curve
        return;
    }
    SampleCurve(m_evaluator, m_pDocument->GetFormula(), m_pRange[0], m_pRange[1], *m_pStep,
                m_vertices, errors);
}

} // namespace curvix
