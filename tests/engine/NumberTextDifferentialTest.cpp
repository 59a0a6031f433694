// Checks the engine's fast number conversions against the C library's
// "%f" and strtod in the C locale on millions of values.
#include "Bits.h"
#include "NumberText.h"
#include "ProcessLocale.h"
#include "SanitizedBuild.h"
#include "reference/ReferenceNumbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace curvix {
namespace {

using test::Describe;
using testing::kSanitizedBuild;
constexpr int kScale = kSanitizedBuild ? 20 : 1;

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Counts mismatches and describes the first few, so a systematic fault
// does not flood the log.
class Tally {
public:
    void Record(const std::string& problem) {
        ++m_checked;
        if (problem.empty()) {
            return;
        }
        if (++m_failures <= 10) {
            ADD_FAILURE() << problem;
        }
    }
    Tally() = default;
    Tally(const Tally&) = delete;
    Tally& operator=(const Tally&) = delete;
    ~Tally() { EXPECT_EQ(m_failures, 0) << "mismatches among " << m_checked << " checks"; }

private:
    long m_checked = 0;
    long m_failures = 0;
};

std::string CheckValue(double value) {
    const std::string expectedText = reference::PrintFixed(value);
    char out[kFixedSixMaxChars];
    const std::size_t length = FormatFixedSix(value, out);
    if (length != expectedText.size() || std::memcmp(out, expectedText.data(), length) != 0) {
        return "FormatFixedSix(" + Describe(value) + ") = \"" +
               std::string(out, std::min(length, kFixedSixMaxChars)) + "\", want \"" +
               expectedText + "\"";
    }
    const double expected = reference::ReadAtof(expectedText);
    const double actual = RoundTripFixedSix(value);
    if (!SameBits(expected, actual)) {
        return "RoundTripFixedSix(" + Describe(value) + ") = " + Describe(actual) + ", want " +
               Describe(expected) + " from \"" + expectedText + "\"";
    }
    return std::string();
}

void CheckBothSigns(Tally& tally, double value) {
    tally.Record(CheckValue(value));
    tally.Record(CheckValue(-value));
}

TEST(NumberTextDifferentialTest, RandomBitPatterns) {
    std::mt19937_64 random(1);
    Tally tally;
    for (int i = 0; i < 300000 / kScale; ++i) {
        const std::uint64_t bits = random();
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        tally.Record(CheckValue(value));
    }
}

TEST(NumberTextDifferentialTest, RandomMagnitudes) {
    std::mt19937_64 random(2);
    std::uniform_real_distribution<double> exponent(-12.0, 22.0);
    Tally tally;
    for (int i = 0; i < 1000000 / kScale; ++i) {
        CheckBothSigns(tally, std::pow(10.0, exponent(random)));
    }
}

// Values with an exact decimal form just beyond six places round on a tie;
// their neighbours one bit away must round away from it.
TEST(NumberTextDifferentialTest, ValuesNearTies) {
    std::mt19937_64 random(3);
    Tally tally;
    for (int i = 0; i < 250000 / kScale; ++i) {
        const int n = static_cast<int>(random() % 24) + 1;
        const double scale = std::ldexp(1.0, -n);
        const auto k = static_cast<double>(random() % (std::uint64_t{1} << std::min(n + 20, 52)));
        const double dyadic = k * scale;
        const double halfMicro = static_cast<double>(random() % 100000000000ULL) * 0.5e-6;
        for (const double value : {dyadic, halfMicro}) {
            CheckBothSigns(tally, value);
            CheckBothSigns(tally, std::nextafter(value, 0.0));
            CheckBothSigns(tally, std::nextafter(value, HUGE_VAL));
        }
    }
}

TEST(NumberTextDifferentialTest, SpecialValues) {
    std::mt19937_64 random(4);
    Tally tally;
    const double specials[] = {0.0,
                               DBL_MIN,
                               DBL_TRUE_MIN,
                               DBL_MAX,
                               DBL_EPSILON,
                               0.5e-6,
                               1.5e-6,
                               2.5e-6,
                               0.0000005,
                               0.0000015,
                               0.4999999999e-6,
                               9.9999995,
                               999999.9999995,
                               4503599627370496.5,
                               9007199254740993.0,
                               0x1p52,
                               0x1p52 + 1,
                               0x1.8p52,
                               0x1p53 - 1,
                               0x1p53,
                               1e17,
                               1e22,
                               1e23,
                               std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    for (const double value : specials) {
        CheckBothSigns(tally, value);
    }
    for (int i = 0; i < 100000 / kScale; ++i) {
        const std::uint64_t subnormalBits = random() & ((std::uint64_t{1} << 52) - 1);
        double subnormal = 0.0;
        std::memcpy(&subnormal, &subnormalBits, sizeof subnormal);
        CheckBothSigns(tally, subnormal);
        // NaNs with every payload and sign.
        const std::uint64_t nanBits = (random() | (std::uint64_t{0x7FF} << 52)) | 1;
        double nan = 0.0;
        std::memcpy(&nan, &nanBits, sizeof nan);
        tally.Record(CheckValue(nan));
    }
}

// Random texts built from the pieces of decimal numbers and of the
// spellings strtod also knows but atof's decimal form does not.
std::string RandomText(std::mt19937_64& random) {
    static constexpr std::string_view kPieces[] = {"0",
                                                   "1",
                                                   "5",
                                                   "9",
                                                   "00",
                                                   "123",
                                                   "4567",
                                                   ".",
                                                   ".",
                                                   "e",
                                                   "E",
                                                   "+",
                                                   "-",
                                                   " ",
                                                   "\t",
                                                   "\n",
                                                   "\v",
                                                   "\f",
                                                   "\r",
                                                   "x",
                                                   "X",
                                                   "0x",
                                                   "0X1",
                                                   "p",
                                                   "inf",
                                                   "INF",
                                                   "nan",
                                                   "NaN",
                                                   "infinity",
                                                   "a",
                                                   "f",
                                                   ",",
                                                   "e-",
                                                   "e+",
                                                   "e3",
                                                   "e-7",
                                                   "e308",
                                                   "e-320",
                                                   "e400",
                                                   "1e-400",
                                                   "99999999999999999999"};
    std::string text;
    const auto pieces = static_cast<int>(random() % 8);
    for (int i = 0; i < pieces; ++i) {
        text += kPieces[random() % std::size(kPieces)];
    }
    return text;
}

bool HasNonDecimalSpelling(const std::string& text) {
    return text.find_first_of("xXiInN") != std::string::npos;
}

TEST(NumberTextDifferentialTest, ReadDecimalMatchesAtof) {
    std::mt19937_64 random(5);
    Tally tally;
    for (int i = 0; i < 1000000 / kScale; ++i) {
        const std::string text = RandomText(random);
        // The text may end anywhere in a longer buffer: reading must stop at
        // the given length. The buffer has no terminator, so an overread
        // shows under the address sanitizer.
        const std::size_t length = random() % (text.size() + 1);
        const auto buffer = std::make_unique<char[]>(std::max<std::size_t>(length, 1));
        std::memcpy(buffer.get(), text.data(), length);
        const std::string used = text.substr(0, length);
        const double expected = reference::ReadAtof(used);
        const double actual = ReadDecimal(buffer.get(), length);
        std::string problem;
        if (!SameBits(expected, actual)) {
            problem = "ReadDecimal(\"" + used + "\") = " + Describe(actual) + ", want " +
                      Describe(expected);
        } else if (!HasNonDecimalSpelling(used) && !SameBits(expected, reference::StrtodC(used))) {
            problem = "reference atof disagrees with strtod on \"" + used + "\"";
        }
        tally.Record(problem);
    }
}

TEST(NumberTextDifferentialTest, ReadDecimalReadsEveryFixedText) {
    std::mt19937_64 random(6);
    std::uniform_real_distribution<double> exponent(-8.0, 25.0);
    Tally tally;
    for (int i = 0; i < 300000 / kScale; ++i) {
        const double value = (random() % 2 == 0 ? 1 : -1) * std::pow(10.0, exponent(random));
        const std::string text = reference::PrintFixed(value);
        const double actual = ReadDecimal(text.data(), text.size());
        tally.Record(SameBits(actual, reference::StrtodC(text))
                         ? std::string()
                         : "ReadDecimal(\"" + text + "\") = " + Describe(actual));
    }
}

// Under a locale with a decimal comma the C library would write and read
// commas; the engine's conversions must not follow it.
TEST(NumberTextDifferentialTest, ConversionsIgnoreGermanLocale) {
    CURVIX_ENTER_GERMAN_LOCALE(german);
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-12.0, 22.0);
    Tally tally;
    for (int i = 0; i < 100000 / kScale; ++i) {
        CheckBothSigns(tally, std::pow(10.0, exponent(random)));
        const std::string text = RandomText(random);
        tally.Record(SameBits(ReadDecimal(text.data(), text.size()), reference::ReadAtof(text))
                         ? std::string()
                         : "ReadDecimal(\"" + text + "\") differs under de_DE");
    }
    const char comma[] = "1,5";
    EXPECT_EQ(ReadDecimal(comma, 3), 1.0);
}

} // namespace
} // namespace curvix
