#include "SingleFloat.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace curvix {
namespace {

struct Conversion {
    double in;
    float out;
};

TEST(SingleFloatTest, RoundsAsIeeeConversionDoes) {
    const float inf = std::numeric_limits<float>::infinity();
    const Conversion cases[] = {
        {1.0, 1.0F},
        {0.1, 0.1F},
        {1e39, inf},
        {-1e39, -inf},
        {1e300, inf},
        {-DBL_MAX, -inf},
        {FLT_MAX, FLT_MAX},
        {0x1.fffffefp127, FLT_MAX}, // above FLT_MAX, below half an ulp
        {-0x1.fffffefp127, -FLT_MAX},
        {0x1.ffffffp127, inf}, // the tie goes to the even 2^128
        {-0x1.ffffffp127, -inf},
        {1e-50, 0.0F},
        {std::numeric_limits<double>::infinity(), inf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToSingle(c.in), c.out) << c.in;
    }
    EXPECT_TRUE(std::signbit(ToSingle(-1e-50)));
    EXPECT_TRUE(std::isnan(ToSingle(std::nan(""))));
}

} // namespace
} // namespace curvix
