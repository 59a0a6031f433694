// Which dock site a dragged bar's pointer picks, the sites' rectangles, a
// floating bar's place and the first side a bar docks at: the rules both
// window systems' frames share, without windows.

#include "DockSite.h"

#include <gtest/gtest.h>
#include <ostream>

namespace curvix {
namespace {

struct PickCase {
    const char* name;
    CPoint pointer;
    std::array<int, 4> thickness; // top, bottom, left, right
    DWORD allowed;
    DWORD side;
};

void PrintTo(const PickCase& c, std::ostream* os) {
    *os << c.name;
}

class PickDockSideTest : public ::testing::TestWithParam<PickCase> {};

// The sites of a 400 x 300 area starting at (50, 40), reached from 10
// pixels away.
TEST_P(PickDockSideTest, PicksTheNearestAllowedSiteWithinReach) {
    const PickCase& c = GetParam();
    const DockSites sites = MakeDockSites({50, 40, 450, 340}, c.thickness);
    EXPECT_EQ(PickDockSide(c.pointer, sites, c.allowed, 10), c.side);
}

constexpr std::array<int, 4> kFileAndScene{30, 0, 25, 0};
constexpr std::array<int, 4> kEmpty{0, 0, 0, 0};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pointers, PickDockSideTest, ::testing::Values(
    PickCase{"InsideTheTopBar", {250, 55}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
    PickCase{"JustBelowTheTopBar", {250, 79}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
    PickCase{"BeyondReachOfEverySite", {250, 80}, kFileAndScene, CBRS_ALIGN_ANY, 0},
    PickCase{"InsideTheLeftBar", {55, 200}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT},
    PickCase{"NearTheEmptyRightSite", {441, 200}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_RIGHT},
    PickCase{"PastTheRightEdge", {459, 200}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_RIGHT},
    PickCase{"TooFarPastTheRightEdge", {460, 200}, kFileAndScene, CBRS_ALIGN_ANY, 0},
    PickCase{"NearTheEmptyBottomSite", {250, 335}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_BOTTOM},
    PickCase{"AboveTheFrame", {250, 31}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
    PickCase{"TooFarAboveTheFrame", {250, 29}, kFileAndScene, CBRS_ALIGN_ANY, 0},
    // Where two sites hold the pointer, the nearer edge wins.
    PickCase{"CornerNearerTheTop", {80, 62}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
    PickCase{"CornerNearerTheLeft", {52, 65}, kFileAndScene, CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT},
    // Equally near: top before left.
    PickCase{"TieGoesToTheTop", {53, 43}, kEmpty, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
    PickCase{"TieGoesToTheBottomBeforeRight", {447, 337}, kEmpty, CBRS_ALIGN_ANY, CBRS_ALIGN_BOTTOM},
    // Only the sides allowed.
    PickCase{"TopNotAllowed", {250, 55}, kFileAndScene, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT, 0},
    PickCase{"CornerWithTheTopNotAllowed", {80, 62}, kFileAndScene, CBRS_ALIGN_LEFT, CBRS_ALIGN_LEFT},
    PickCase{"NothingAllowed", {55, 200}, kFileAndScene, 0, 0},
    PickCase{"MiddleOfTheView", {250, 200}, kEmpty, CBRS_ALIGN_ANY, 0}),
    [](const ::testing::TestParamInfo<PickCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(DockSites, LeftAndRightLieBetweenTopAndBottom) {
    const DockSites sites = MakeDockSites({10, 20, 110, 220}, {30, 40, 15, 25});
    EXPECT_EQ(sites.sites[0], (CRect{10, 20, 110, 50}));
    EXPECT_EQ(sites.sites[1], (CRect{10, 180, 110, 220}));
    EXPECT_EQ(sites.sites[2], (CRect{10, 50, 25, 180}));
    EXPECT_EQ(sites.sites[3], (CRect{85, 50, 110, 180}));
}

TEST(DockSites, ThickerThanTheAreaNeverTurnInsideOut) {
    for (const CRect& area : {CRect{0, 0, 50, 40}, CRect{0, 0, 0, 0}}) {
        const DockSites sites = MakeDockSites(area, {30, 30, 40, 40});
        for (const CRect& site : sites.sites) {
            EXPECT_GE(site.Width(), 0);
            EXPECT_GE(site.Height(), 0);
        }
        EXPECT_LE(sites.sites[0].bottom, sites.sites[1].top);
        EXPECT_LE(sites.sites[2].right, sites.sites[3].left);
    }
}

struct FloatCase {
    const char* name;
    CPoint grab;
    CRect place; // for the pointer at (500, 400) and a 120 x 50 window
};

class FloatingPlaceTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatingPlaceTest, KeepsThePointerOnTheWindow) {
    const FloatCase& c = GetParam();
    EXPECT_EQ(FloatingPlace({500, 400}, c.grab, {120, 50}), c.place);
}

INSTANTIATE_TEST_SUITE_P(
    Grabs, FloatingPlaceTest,
    ::testing::Values(FloatCase{"Inside", {4, 14}, {496, 386, 616, 436}},
                      // A column's gripper far down its length.
                      FloatCase{"BelowTheWindow", {12, 300}, {488, 351, 608, 401}},
                      FloatCase{"RightOfTheWindow", {400, 3}, {381, 397, 501, 447}},
                      FloatCase{"BeforeTheWindow", {-5, -7}, {500, 400, 620, 450}}),
    [](const ::testing::TestParamInfo<FloatCase>& info) { return std::string(info.param.name); });

TEST(FirstDockSide, TopBottomLeftRightInThatOrder) {
    const std::pair<DWORD, DWORD> cases[] = {
        {CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
        {CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT, CBRS_ALIGN_LEFT},
        {CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM, CBRS_ALIGN_BOTTOM},
        {CBRS_ALIGN_RIGHT, CBRS_ALIGN_RIGHT},
        {CBRS_LEFT, CBRS_ALIGN_LEFT}, // its border flags are no side
        {CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM, 0},
        {0, 0},
    };
    for (const auto& [sides, first] : cases)
        EXPECT_EQ(FirstDockSide(sides), first) << std::hex << sides;
}

} // namespace
} // namespace curvix
