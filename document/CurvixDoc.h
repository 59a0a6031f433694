#pragma once

#include "Document.h"
#include "ExprString.h"
#include "SceneSettings.h"

namespace curvix {

// The application's one document: the formula and the eight scene numbers,
// stored in .cvx files as
//   int32 n, the formula's n bytes, a 0 byte,
//   range[0], range[1], rotation[0..2], halfExtents[0..1], step
// (little-endian; floats in IEEE single precision), 37 + n bytes in all.
class CCurvixDoc : public CDocument {
public:
    CCurvixDoc() = default;
    ~CCurvixDoc() override;

    float* GetRotation() { return m_scene.rotation; }
    float* GetHalfExtents() { return m_scene.halfExtents; }
    float* GetRange() { return m_scene.range; }
    float* GetStep() { return &m_scene.step; }
    ExprString GetFormula() const { return m_formula; }
    // The eight numbers in file order, for whoever reads or sets them all.
    std::array<float*, 8> GetFileNumbers() { return m_scene.FileOrder(); }

    // Sets the scene numbers to their defaults; the formula stays.
    bool OnNewDocument() override;
    void Serialize(CArchive& archive) override;

    // The Draw command: takes the formula bar's text as the formula, then
    // recomputes the curve.
    void OnDrawCurve();

    // What Draw does after taking the formula, and what ends a load: sample
    // it in the main frame's active view and update the views, with the
    // wait cursor and "Calculating curve..." then "Ready" in the status bar;
    // the frame shows what the run reported.
    // Nothing happens without a main frame with an active view, e.g. while
    // the application starts.
    void RecomputeCurve();

    // Draw takes the formula bar's text in here.
    void SetFormula(const ExprString& formula) { m_formula = formula; }

private:
    void Store(CArchive& archive);
    // A load that read the whole document shows its formula in the
    // formula bar and then recomputes the curve.
    void Load(CArchive& archive);
    void ShowFormulaInBar();

    SceneSettings m_scene;
    ExprString m_formula;

    DECLARE_MESSAGE_MAP()
};

} // namespace curvix
