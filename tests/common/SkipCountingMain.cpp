// The main of the test programs where a whole program is one ctest entry:
// 1 when anything failed, else 77 (ctest's SKIP_RETURN_CODE) when a test
// was skipped, each skipped test named on a line of its own, else 0.
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string SkipReason(const ::testing::TestResult& result) {
    for (int i = 0; i < result.total_part_count(); ++i) {
        const ::testing::TestPartResult& part = result.GetTestPartResult(i);
        if (part.skipped()) {
            std::string reason = part.message();
            for (char& c : reason) {
                c = c == '\n' ? ' ' : c;
            }
            return reason;
        }
    }
    return "no reason given";
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (status != 0 || !unit.Passed() || unit.failed_test_count() != 0) {
        return 1;
    }
    if (unit.skipped_test_count() == 0) {
        return 0;
    }
    for (int s = 0; s < unit.total_test_suite_count(); ++s) {
        const ::testing::TestSuite& suite = *unit.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t) {
            const ::testing::TestInfo& test = *suite.GetTestInfo(t);
            if (test.should_run() && test.result()->Skipped()) {
                std::printf("SKIPPED: %s.%s: %s\n", suite.name(), test.name(),
                            SkipReason(*test.result()).c_str());
            }
        }
    }
    std::fflush(stdout);
    return 77;
}
