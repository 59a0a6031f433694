#include "Power.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace curvix {
namespace {

// Whole powers whose correctly rounded value glibc's pow gives as well, the
// ones a product rounded at every step misses among them.
TEST(PowerTest, WholeExponentsRoundOnce) {
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double base;
        double exponent;
        double expected;
    } cases[] = {
        {2, 10, 1024},
        {-3, 3, -27},
        {10, 22, 1e22},
        {3, -2, 0.1111111111111111},
        {-1.5, -31, -3.476730033897709e-06},
        {0.7, -100, 3091690408090240.0},
        {1.1, 50, 117.39085287969579},
        {29, 29, 2.5676861531612113e+42},
        {7, 200, 1.0461838291314358e+169},
        {1.0000001, 1000000, 1.1051709126143208},
        {10, 400, infinity},
        {5, 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Power(c.base, c.exponent), c.expected) << c.base << "^" << c.exponent;
    }
}

TEST(PowerTest, OtherExponentsAreThePow) {
    EXPECT_TRUE(std::isnan(Power(-8, 1.0 / 3.0)));
    EXPECT_EQ(Power(4, 0.5), 2);
    EXPECT_EQ(Power(std::numeric_limits<double>::infinity(), -1), 0);
}

} // namespace
} // namespace curvix
