#include "Power.h"

#include "reference/ExactPower.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>

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
        {-3, 4, 81},
        {10, 22, 1e22},
        {3, -2, 0.1111111111111111},
        {-1.5, -31, -3.476730033897709e-06},
        {0.7, -100, 3091690408090240.0},
        {0.1, 3, 0.0010000000000000002},
        {1.1, 50, 117.39085287969579},
        {29, 29, 2.5676861531612113e+42},
        {7, 200, 1.0461838291314358e+169},
        {1.0000001, 1000000, 1.1051709126143208},
        {10, 400, infinity},
        {10, -400, 0},
        {0, 3, 0},
        {0, -3, infinity},
        {5, 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Power(c.base, c.exponent), c.expected) << c.base << "^" << c.exponent;
    }
}

// Where Power promises one rounding of every whole power (the double-double
// of Windows), it must be the exact power's; glibc's pow only promises an
// error below one unit in the last place, so exact results bit for bit and
// the others a neighbour at most.
#ifdef _WIN32
constexpr bool kRoundsOnce = true;
#else
constexpr bool kRoundsOnce = false;
#endif

double Neighbour(double value, double direction) {
    return std::nextafter(value, direction);
}

TEST(PowerTest, WholePowersAgreeWithTheExactPower) {
    using Random = std::mt19937_64; // the same numbers with every library
    const struct {
        const char* kind;
        double (*base)(Random&);
        double (*exponent)(Random&);
    } kinds[] = {
        {"whole bases, results beyond 2^53",
         [](Random& r) {
             return static_cast<double>(static_cast<int>(r() % 1000) + 1) *
                    ((r() & 1U) != 0 ? -1 : 1);
         },
         [](Random& r) { return static_cast<double>(static_cast<int>(r() % 200) - 40); }},
        {"bases in (0, 4), overflow and underflow",
         [](Random& r) { return std::ldexp(static_cast<double>(r() >> 11U), -51); },
         [](Random& r) { return static_cast<double>(static_cast<int>(r() % 2001) - 1000); }},
        {"bases near 1, exponents to 10^8",
         [](Random& r) {
             return 1 +
                    std::ldexp(static_cast<double>(static_cast<int>(r() % 2000001) - 1000000), -40);
         },
         [](Random& r) {
             return static_cast<double>(static_cast<int>(r() % 200000001) - 100000000);
         }},
        {"any finite base, subnormal results",
         [](Random& r) {
             double base = 0;
             do {
                 base = std::ldexp(static_cast<double>(r() >> 11U),
                                   static_cast<int>(r() % 2097) - 1126);
             } while (base == 0);
             return (r() & 1U) != 0 ? -base : base;
         },
         [](Random& r) { return static_cast<double>(static_cast<int>(r() % 21) - 10); }},
    };
    Random random(20261209);
    for (const auto& kind : kinds) {
        int mismatches = 0;
        int misrounded = 0;
        for (int i = 0; i < 20000; ++i) {
            const double base = kind.base(random);
            const double exponent = kind.exponent(random);
            const reference::WholePower exact = reference::ExactWholePower(base, exponent);
            ASSERT_TRUE(exact.decided) << base << "^" << exponent;
            const double power = Power(base, exponent);
            if (power == exact.value && std::signbit(power) == std::signbit(exact.value)) {
                continue;
            }
            const bool neighbour = power == Neighbour(exact.value, HUGE_VAL) ||
                                   power == Neighbour(exact.value, -HUGE_VAL);
            if (!kRoundsOnce && !exact.exact && neighbour) {
                ++misrounded;
                continue;
            }
            if (++mismatches <= 10) {
                ADD_FAILURE() << kind.kind << ": " << std::hexfloat << base << "^"
                              << std::defaultfloat << exponent << " is " << std::hexfloat << power
                              << ", exactly rounded " << exact.value;
            }
        }
        EXPECT_EQ(mismatches, 0) << kind.kind;
        if (misrounded > 0) {
            std::printf("%s: the C library's pow misrounds %d of 20000\n", kind.kind, misrounded);
        }
    }
}

TEST(PowerTest, OtherExponentsAreThePow) {
    EXPECT_TRUE(std::isnan(Power(-8, 1.0 / 3.0)));
    EXPECT_EQ(Power(4, 0.5), 2);
    EXPECT_EQ(Power(std::numeric_limits<double>::infinity(), -1), 0);
}

} // namespace
} // namespace curvix
