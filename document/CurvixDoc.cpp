#include "CurvixDoc.h"

#include "Archive.h"
#include "CurveFrame.h"
#include "CurveView.h"
#include "FrameWndBase.h"
#include "ReportTally.h"
#include "Resource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace curvix {

BEGIN_MESSAGE_MAP(CCurvixDoc, CDocument)
ON_COMMAND(IDC_DRAW, &CCurvixDoc::OnDrawCurve)
END_MESSAGE_MAP()

CCurvixDoc::CCurvixDoc() : m_cleanBytes(StoredBytes()) {}

CCurvixDoc::~CCurvixDoc() = default;

bool CCurvixDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    m_scene.SetDefaults();
    SetModifiedFlag(false);
    return true;
}

bool CCurvixDoc::IsModified() const {
    return CDocument::IsModified() || StoredBytes() != m_cleanBytes;
}

void CCurvixDoc::SetModifiedFlag(bool modified) {
    CDocument::SetModifiedFlag(modified);
    if (!modified) {
        m_cleanBytes = StoredBytes();
    }
}

std::string CCurvixDoc::StoredBytes() const {
    std::string bytes;
    CArchive archive(bytes);
    Store(archive);
    return bytes;
}

void CCurvixDoc::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        Store(archive);
    } else {
        Load(archive);
    }
}

void CCurvixDoc::Store(CArchive& archive) const {
    ExprString formula = m_formula; // its 8-bit form is made in a buffer of its own
    const std::int32_t length = formula.Length();
    archive << length;
    archive.Write(formula.ToNarrow(), static_cast<std::size_t>(length) + 1);
    for (const float* number : m_scene.FileOrder()) {
        archive << *number;
    }
}

void CCurvixDoc::Load(CArchive& archive) {
    std::int32_t length = 0;
    archive >> length;
    if (archive.Failed()) {
        return;
    }
    // A length beyond what the file still holds can never load: refused
    // before anything is read or allocated for it.
    if (length < 0 || (archive.BytesLeft() >= 0 && length > archive.BytesLeft())) {
        archive.SetError(CArchive::Error::badFormat);
        return;
    }
    // The text and its terminating byte; a file that ends early gives
    // fewer bytes here and fails on the numbers below. Reading grows with
    // the bytes really there, so a huge length allocates nothing extra.
    const std::string bytes(archive.ReadUpTo(std::int64_t{length} + 1));
    if (archive.Failed()) {
        return;
    }
    const std::size_t limit = std::min(bytes.size(), static_cast<std::size_t>(length));
    const auto end =
        std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(limit), '\0');
    m_formula = ExprString(bytes.data(), static_cast<int>(end - bytes.begin()));

    SceneSettings loaded = m_scene;
    for (float* number : loaded.FileOrder()) {
        archive >> *number;
    }
    if (archive.Failed()) {
        return;
    }
    m_scene = loaded;
    ShowFormulaInBar();
    RecomputeCurve();
}

namespace {

// The main frame's active view, when it can sample a curve.
CCurveView* ActiveCurveView() {
    CFrameWndBase* frame = AfxGetMainWnd();
    return frame != nullptr ? dynamic_cast<CCurveView*>(frame->GetActiveView()) : nullptr;
}

} // namespace

void CCurvixDoc::ShowFormulaInBar() {
    // The frame of the document's own view first: while the application
    // starts, that frame is not yet the main window.
    CCurveFrame* frame = nullptr;
    for (CViewBase* view : GetViews()) {
        if (const auto* curveView = dynamic_cast<const CCurveView*>(view)) {
            frame = curveView->GetCurveFrame();
        }
        if (frame != nullptr) {
            break;
        }
    }
    if (frame == nullptr) {
        frame = AfxGetCurveFrame();
    }
    if (frame != nullptr) {
        frame->SetFormulaText(
            std::string(m_formula.ToNarrow(), static_cast<std::size_t>(m_formula.Length())));
    }
}

void CCurvixDoc::OnDrawCurve() {
    if (ActiveCurveView() == nullptr) {
        return;
    }
    if (CCurveFrame* frame = AfxGetCurveFrame()) {
        m_formula = ExprString(frame->GetFormulaText().c_str());
    }
    RecomputeCurve();
}

void CCurvixDoc::RecomputeCurve() {
    CCurveView* view = ActiveCurveView();
    m_bCurvePending = view == nullptr;
    if (view == nullptr) {
        return;
    }
    CCurveFrame* frame = AfxGetCurveFrame();
    if (frame != nullptr) {
        frame->BeginWaitCursor();
        frame->SetStatusText("Calculating curve...");
    }
    ReportTally reports;
    view->ComputeCurve(reports);
    UpdateAllViews(nullptr, 0, nullptr);
    if (frame != nullptr) {
        frame->RestoreWaitCursor();
        frame->ShowReports(reports);
        frame->SetStatusText("Ready");
        frame->EndWaitCursor();
    }
}

void CCurvixDoc::DrawPendingCurve() {
    if (m_bCurvePending) {
        RecomputeCurve();
    }
}

} // namespace curvix
