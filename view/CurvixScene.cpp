#include "CurvixScene.h"

#include "CurvixDoc.h"

namespace curvix {

CCurvixScene::~CCurvixScene() {
    m_vertices.Clear();
}

void CCurvixScene::AttachDocument(CCurvixDoc* document) {
    SetDocument(document);
    if (document != nullptr)
        SetScenePointers(document->GetRotation(), document->GetHalfExtents(), document->GetRange(),
                         document->GetStep());
}

void CCurvixScene::BeginDrag(Point point) {
    m_ptLast = point;
    m_bDragging = true;
}

bool CCurvixScene::DragTo(Point point) {
    if (!m_bDragging || m_pRotation == nullptr) {
        return false;
    }
    m_pRotation[2] += static_cast<float>(point.y - m_ptLast.y);
    m_pRotation[0] -= static_cast<float>(point.x - m_ptLast.x);
    m_ptLast = point;
    return true;
}

void CCurvixScene::ResetAngles() {
    if (m_pRotation == nullptr) {
        return;
    }
    m_pRotation[0] = 0.0F;
    m_pRotation[1] = 0.0F;
    m_pRotation[2] = 0.0F;
}

} // namespace curvix
