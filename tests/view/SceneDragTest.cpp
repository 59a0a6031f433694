#include "CurvixDoc.h"
#include "CurvixScene.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix {
namespace {

// One mouse event of a drag on the window-free view.
struct DragEvent {
    enum Kind { press, move, release } kind;
    int x = 0;
    int y = 0;
};

struct DragCase {
    const char* name;
    std::vector<DragEvent> events;
    float first;
    float third;
};

class SceneDragTest : public ::testing::TestWithParam<DragCase> {
protected:
    SceneDragTest() {
        scene.SetScenePointers(doc.GetRotation(), doc.GetHalfExtents(), doc.GetRange(),
                               doc.GetStep());
    }
    CCurvixDoc doc;
    CCurvixScene scene;
};

TEST_P(SceneDragTest, TurnsOneDegreePerPixelOnlyWhileDragging) {
    for (const DragEvent& event : GetParam().events) {
        switch (event.kind) {
        case DragEvent::press:
            scene.BeginDrag({event.x, event.y});
            break;
        case DragEvent::move:
            scene.DragTo({event.x, event.y});
            break;
        case DragEvent::release:
            scene.EndDrag();
            break;
        }
    }
    EXPECT_EQ(doc.GetRotation()[0], GetParam().first);
    EXPECT_EQ(doc.GetRotation()[1], 0.0F);
    EXPECT_EQ(doc.GetRotation()[2], GetParam().third);
}

using E = DragEvent;
INSTANTIATE_TEST_SUITE_P(
    Drags, SceneDragTest,
    ::testing::Values(
        DragCase{
            "RightAndDown", {{E::press, 100, 100}, {E::move, 130, 110}, {E::release}}, -30, 10},
        DragCase{"InSteps",
                 {{E::press, 0, 0}, {E::move, 10, 3}, {E::move, 20, 7}, {E::move, 30, 10}},
                 -30,
                 10},
        DragCase{"OutsideTheWindow", {{E::press, 5, 5}, {E::move, -20, -40}}, 25, -45},
        DragCase{"MoveWithoutPressDoesNothing", {{E::move, 50, 50}}, 0, 0},
        DragCase{"MoveAfterReleaseDoesNothing",
                 {{E::press, 0, 0}, {E::release}, {E::move, 50, 50}},
                 0,
                 0},
        DragCase{"SecondPressIsANewAnchor",
                 {{E::press, 0, 0}, {E::move, 10, 0}, {E::press, 100, 100}, {E::move, 105, 100}},
                 -15,
                 0}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.name); });

TEST(SceneResetTest, ResetSetsAllThreeAnglesToZeroAndLeavesTheDragAlone) {
    CCurvixDoc doc;
    CCurvixScene scene;
    scene.SetScenePointers(doc.GetRotation(), doc.GetHalfExtents(), doc.GetRange(), doc.GetStep());
    doc.GetRotation()[0] = 12;
    doc.GetRotation()[1] = 34;
    doc.GetRotation()[2] = -56;
    scene.ResetAngles();
    EXPECT_EQ(doc.GetRotation()[0], 0.0F);
    EXPECT_EQ(doc.GetRotation()[1], 0.0F);
    EXPECT_EQ(doc.GetRotation()[2], 0.0F);
    EXPECT_FALSE(scene.IsDragging());
}

TEST(SceneResetTest, WithoutADocumentNothingIsTurned) {
    CCurvixScene scene;
    scene.BeginDrag({0, 0});
    EXPECT_FALSE(scene.DragTo({5, 5}));
    scene.ResetAngles();
}

} // namespace
} // namespace curvix
