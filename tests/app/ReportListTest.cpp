// The report list's text as bytes: Latin-1 report lines come out as UTF-8,
// and the cut and the limits count characters, not bytes.
#include "ReportList.h"

#include "ReportTally.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix {
namespace {

const std::string kDashOnce = " \xE2\x80\x94 1 time";
const std::string kEllipsis = "\xE2\x80\xA6";
const std::string kLatinE = "\xE9";    // é in Latin-1, as the engine writes it
const std::string kUtf8E = "\xC3\xA9"; // é in UTF-8
const auto kLimit = static_cast<std::size_t>(kMaxReportLineLength);

std::string Repeated(std::size_t n, const std::string& piece) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
        text += piece;
    return text;
}

struct LineCase {
    const char* name;
    std::string reported;
    std::string shown;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class ReportLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ReportLineTest, ShowsTheLineAsUtf8) {
    ReportTally tally;
    tally.Count(GetParam().reported);
    EXPECT_EQ(ReportListText(tally), GetParam().shown + kDashOnce);
}

INSTANTIATE_TEST_SUITE_P(
    ReportList, ReportLineTest,
    testing::Values(
        LineCase{"Ascii", "Error: Unknown function foo", "Error: Unknown function foo"},
        LineCase{"Latin1Letters", "Error: Unknown variable " + kLatinE + "\xFC",
                 "Error: Unknown variable " + kUtf8E + "\xC3\xBC"},
        LineCase{"Latin1Ends", "\x80-\x7F-\xFF", "\xC2\x80-\x7F-\xC3\xBF"},
        LineCase{"FullLengthAscii", std::string(kLimit, 'a'), std::string(kLimit, 'a')},
        LineCase{"OneOverAscii", std::string(kLimit + 1, 'a'),
                 std::string(kLimit - 1, 'a') + kEllipsis},
        // Two bytes each in UTF-8, one character each all the same.
        LineCase{"FullLengthLatin1", Repeated(kLimit, kLatinE), Repeated(kLimit, kUtf8E)},
        LineCase{"OneOverLatin1", Repeated(kLimit + 1, kLatinE),
                 Repeated(kLimit - 1, kUtf8E) + kEllipsis},
        LineCase{"CutBeforeALatin1Letter", std::string(kLimit - 1, 'a') + kLatinE + kLatinE,
                 std::string(kLimit - 1, 'a') + kEllipsis}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(ReportList, OneLineOverTheLimitIsOneMoreReport) {
    ReportTally tally;
    for (int i = 0; i <= kMaxListedReports; ++i)
        tally.Count("line " + std::to_string(i));
    const std::vector<std::string> lines = SplitLines(ReportListText(tally));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kMaxListedReports) + 1);
    EXPECT_EQ(lines[kMaxListedReports - 1], "line 19" + kDashOnce);
    EXPECT_EQ(lines.back(), "and 1 more report");
}

TEST(ReportList, LinesTheTallyOnlyCountedAreSummedUpToo) {
    ReportTally tally;
    for (std::size_t i = 0; i < ReportTally::kMaxDistinctLines + 2; ++i)
        tally.Count("line " + std::to_string(i));
    ASSERT_EQ(tally.OtherLines(), 2);
    const std::vector<std::string> lines = SplitLines(ReportListText(tally));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kMaxListedReports) + 1);
    EXPECT_EQ(lines.back(), "and 982 more reports");
}

} // namespace
} // namespace curvix
