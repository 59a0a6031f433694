#pragma once

#include "Document.h"
#include "ExprString.h"
#include "SceneSettings.h"

#include <string>

namespace curvix {

// The application's one document: the formula and the eight scene numbers,
// stored in .cvx files as
//   int32 n, the formula's n bytes, a 0 byte,
//   range[0], range[1], rotation[0..2], halfExtents[0..1], step
// (little-endian; floats in IEEE single precision), 37 + n bytes in all.
class CCurvixDoc : public CDocument {
public:
    CCurvixDoc();
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

    // Modified: what Save would write differs from the bytes last loaded,
    // saved or given by New. Turning the scene back can end it.
    bool IsModified() const override;
    void SetModifiedFlag(bool modified = true) override;
    // The bytes Save would write now.
    std::string StoredBytes() const;

    // The Draw command: takes the formula bar's text as the formula, then
    // recomputes the curve.
    void OnDrawCurve();

    // What Draw does after taking the formula, and what ends a load: sample
    // it in the main frame's active view and update the views, with the
    // wait cursor and "Calculating curve..." then "Ready" in the status bar;
    // the frame shows what the run reported. Without a main frame with an
    // active view (while the application starts) nothing happens yet:
    // DrawPendingCurve does it later.
    void RecomputeCurve();
    // Once the frame is the main window: the curve of a document loaded
    // before, as the load would have drawn it.
    void DrawPendingCurve();

    // Draw takes the formula bar's text in here.
    void SetFormula(const ExprString& formula) { m_formula = formula; }

private:
    void Store(CArchive& archive) const;
    // A load that read the whole document shows its formula in the
    // formula bar and then recomputes the curve.
    void Load(CArchive& archive);
    void ShowFormulaInBar();

    SceneSettings m_scene;
    ExprString m_formula;
    std::string m_cleanBytes; // what the file holds, or what New gave
    bool m_bCurvePending = false;

    DECLARE_MESSAGE_MAP()
};

} // namespace curvix
