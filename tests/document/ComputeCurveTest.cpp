#include "CapturedStandardError.h"
#include "CurvixDoc.h"
#include "CurvixScene.h"

#include <gtest/gtest.h>
#include <iostream>
#include <limits>
#include <sstream>

namespace curvix {
namespace {

using test::CapturedStandardError;

class ComputeCurveTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetDocument(&doc);
        view.SetScenePointers(doc.GetRotation(), doc.GetHalfExtents(), doc.GetRange(),
                              doc.GetStep());
    }
    CCurvixDoc doc;
    CCurvixScene view;
};

TEST_F(ComputeCurveTest, SamplesTheDocumentsFormulaOverItsRange) {
    doc.SetFormula("x^2");
    view.ComputeCurve();
    const VertexArray& curve = view.GetVertices();
    ASSERT_EQ(curve.Size(), 400U);
    EXPECT_EQ(curve[0], -10.0F);
    EXPECT_EQ(curve[1], 100.0F);
    EXPECT_NEAR(curve[398], 9.900003, 1e-6);
}

TEST_F(ComputeCurveTest, ReadsRangeAndStepInPlace) {
    doc.SetFormula("x");
    doc.GetRange()[0] = 0.0F;
    doc.GetRange()[1] = 2.0F;
    *doc.GetStep() = 1.0F;
    view.ComputeCurve();
    EXPECT_EQ(view.GetVertices().Size(), 6U);
}

TEST_F(ComputeCurveTest, RefusedSettingsLeaveAnEmptyCurveAndOneLineOnStandardError) {
    doc.SetFormula("x");
    view.ComputeCurve();
    ASSERT_FALSE(view.GetVertices().IsEmpty());
    *doc.GetStep() = std::numeric_limits<float>::quiet_NaN();
    CapturedStandardError errors;
    view.ComputeCurve();
    EXPECT_TRUE(view.GetVertices().IsEmpty());
    EXPECT_EQ(errors.Text(),
              "Error: Cannot sample the curve: the step nan is not a positive finite number\n");
}

TEST(ComputeCurveWithoutDocumentTest, GivesAnEmptyCurve) {
    CCurvixScene view;
    view.ComputeCurve();
    EXPECT_TRUE(view.GetVertices().IsEmpty());
}

} // namespace
} // namespace curvix
