#include "NumberText.h"

#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "ProcessLocale.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>

namespace curvix {
namespace {

bool SameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(NumberText, RoundTripMatchesTheSixDecimalText) {
    const struct {
        double value;
        double expected;
    } cases[] = {
        {0.49999962, 0.5},
        {1.0 / 3.0, 0.333333},
        {0.0078125, 0.007812}, // exact tie: to even
        {0.0234375, 0.023438}, // exact tie: to even, upwards
        {-0.0000004, -0.0},    // "-0.000000"
        {-0.0, -0.0},
        {1e-300, 0.0},
        {4503599627370497.0, 4503599627370497.0}, // 2^52 + 1: whole, kept exactly
        {9007199254740993.0, 9007199254740993.0},
        {1e20, 1e20},
        {123456789.1234565, 123456789.123456}, // stored as ...1234564999
        {12345678901.5, 12345678901.5},        // beyond the integer shortcut: printed and read
        {HUGE_VAL, 0.0},
        {-HUGE_VAL, 0.0},
        {std::nan(""), 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(SameDouble(RoundTripFixedSix(c.value), c.expected))
            << c.value << " gave " << RoundTripFixedSix(c.value);
    }
}

TEST(NumberText, FormatFixedSixNonFinite) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{HUGE_VAL, "inf"}, {-HUGE_VAL, "-inf"}, {std::nan(""), "nan"}};
    for (const auto& c : cases) {
        char text[kFixedSixMaxChars];
        EXPECT_EQ(std::string(text, FormatFixedSix(c.value, text)), c.text);
    }
}

// Under a comma-decimal locale "%f" and atof would change; the engine and
// its conversions must not.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        // The locale's Windows name where the C library wants that one.
        m_locale = std::make_unique<testing::ScopedProcessLocale>("de_DE.UTF-8");
        if (!m_locale->Active()) {
            if (testing::LocaleRequired()) {
                FAIL() << "the de_DE.UTF-8 locale is missing";
            }
            GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
        }
    }
    void TearDown() override { m_locale.reset(); }

private:
    std::unique_ptr<testing::ScopedProcessLocale> m_locale;
};

TEST_F(CommaLocale, ConversionsStayInTheCLocaleForm) {
    char text[kFixedSixMaxChars];
    EXPECT_EQ(std::string(text, FormatFixedSix(-2.5, text)), "-2.500000");
    EXPECT_EQ(ReadDecimal("1.5", 3), 1.5);
    EXPECT_EQ(ExprString(0.25).ToDouble(), 0.25);
    ExprString value(-10.0);
    EXPECT_STREQ(value.ToNarrow(), "-10.000000");
}

TEST_F(CommaLocale, EvaluationIsUnchanged) {
    ExpressionEvaluator engine;
    std::ostringstream reports;
    engine.SetErrorStream(reports);
    const struct {
        const char* formula;
        double result;
    } cases[] = {
        {"1+sin(-30)", -0.484809}, {"1/3*3", 0.111111}, {"2.5*2", 5}, {"tan(90)", 753695.995141}};
    for (const auto& c : cases) {
        ExprString formula(c.formula);
        EXPECT_EQ(engine.Evaluate(formula), c.result) << c.formula;
    }
    EXPECT_EQ(reports.str(), "");
}

} // namespace
} // namespace curvix
