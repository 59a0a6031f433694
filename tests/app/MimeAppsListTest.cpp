#include "MimeAppsList.h"

#include <gtest/gtest.h>

namespace curvix {
namespace {

const std::string kType = "application/x-curvix-document";
const std::string kOurs = "curvix.desktop";

struct DefaultCase {
    const char* name;
    std::string text;
    std::string expected;
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << c.name;
}

class DefaultApplicationTest : public testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultApplicationTest, ReadsFirstListedId) {
    EXPECT_EQ(DefaultApplicationFor(GetParam().text, kType), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    MimeAppsList, DefaultApplicationTest,
    testing::Values(
        DefaultCase{"Empty", "", ""},
        DefaultCase{"Single", "[Default Applications]\n" + kType + "=other.desktop;\n",
                    "other.desktop"},
        DefaultCase{"List", "[Default Applications]\n" + kType + "=a.desktop;b.desktop\n",
                    "a.desktop"},
        DefaultCase{"BlanksAndCr", "[Default Applications]\r\n " + kType + " = a.desktop \r\n",
                    "a.desktop"},
        DefaultCase{"EmptyValue", "[Default Applications]\n" + kType + "=\n", ""},
        DefaultCase{"OtherGroupOnly", "[Added Associations]\n" + kType + "=a.desktop;\n", ""},
        DefaultCase{"AfterOtherGroup",
                    "[Added Associations]\n" + kType + "=a.desktop;\n[Default Applications]\n" +
                        kType + "=b.desktop;\n",
                    "b.desktop"},
        DefaultCase{"OtherType", "[Default Applications]\ntext/plain=a.desktop;\n", ""},
        DefaultCase{"PrefixOfType", "[Default Applications]\n" + kType + "-x=a.desktop;\n", ""},
        DefaultCase{"Comment", "[Default Applications]\n#" + kType + "=a.desktop;\n", ""},
        DefaultCase{"NoFinalNewline", "[Default Applications]\n" + kType + "=a.desktop;",
                    "a.desktop"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EditCase {
    const char* name;
    std::string before;
    std::string after;
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.name;
}

class WithDefaultTest : public testing::TestWithParam<EditCase> {};

TEST_P(WithDefaultTest, SetsOnlyTheTypeLine) {
    EXPECT_EQ(WithDefaultApplication(GetParam().before, kType, kOurs), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    MimeAppsList, WithDefaultTest,
    testing::Values(
        EditCase{"EmptyFile", "", "[Default Applications]\n" + kType + "=curvix.desktop;\n"},
        EditCase{"NoGroup", "[Added Associations]\ntext/plain=a.desktop;",
                 "[Added Associations]\ntext/plain=a.desktop;\n[Default Applications]\n" + kType +
                     "=curvix.desktop;\n"},
        EditCase{"GroupFirstLine",
                 "# mine\n[Default Applications]\r\ntext/plain=a.desktop;\r\n\r\n[X]\n",
                 "# mine\n[Default Applications]\r\n" + kType +
                     "=curvix.desktop;\ntext/plain=a.desktop;\r\n\r\n[X]\n"},
        EditCase{"EmptyValueReplaced", "[Default Applications]\na=b\n" + kType + "=\nc=d\n",
                 "[Default Applications]\na=b\n" + kType + "=curvix.desktop;\nc=d\n"},
        EditCase{"HeaderWithoutNewline", "[Default Applications]",
                 "[Default Applications]\n" + kType + "=curvix.desktop;\n"}),
    [](const auto& info) { return std::string(info.param.name); });

class WithoutDefaultTest : public testing::TestWithParam<EditCase> {};

TEST_P(WithoutDefaultTest, RemovesOnlyOurId) {
    EXPECT_EQ(WithoutDefaultApplication(GetParam().before, kType, kOurs), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    MimeAppsList, WithoutDefaultTest,
    testing::Values(
        EditCase{"OursAlone", "[Default Applications]\r\na=b\r\n" + kType + "=curvix.desktop;\nc=d",
                 "[Default Applications]\r\na=b\r\nc=d"},
        EditCase{"Foreign", "[Default Applications]\n" + kType + "=other.desktop;\n",
                 "[Default Applications]\n" + kType + "=other.desktop;\n"},
        EditCase{"OursAmongOthers",
                 "[Default Applications]\n" + kType + "=curvix.desktop;other.desktop;\n",
                 "[Default Applications]\n" + kType + "=other.desktop;\n"},
        EditCase{"OursSecond",
                 "[Default Applications]\n" + kType + "=other.desktop;curvix.desktop;\n",
                 "[Default Applications]\n" + kType + "=other.desktop;curvix.desktop;\n"},
        EditCase{"SimilarName", "[Default Applications]\n" + kType + "=curvix.desktop.old;\n",
                 "[Default Applications]\n" + kType + "=curvix.desktop.old;\n"},
        EditCase{"OtherGroup", "[Added Associations]\n" + kType + "=curvix.desktop;\n",
                 "[Added Associations]\n" + kType + "=curvix.desktop;\n"},
        EditCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MimeAppsList, SetThenRemoveGivesTheFileBack) {
    const std::string original = "[Default Applications]\ntext/plain=a.desktop;\n\n[Added]\nx=y\n";
    const std::string set = WithDefaultApplication(original, kType, kOurs);
    EXPECT_EQ(DefaultApplicationFor(set, kType), kOurs);
    EXPECT_EQ(WithoutDefaultApplication(set, kType, kOurs), original);
}

TEST(MimeAppsList, ReadsTheListOfAnyGroup) {
    const std::string cache = "[MIME Cache]\n" + kType + "=a.desktop;b.desktop;\n";
    EXPECT_EQ(ApplicationsListed(cache, "[MIME Cache]", kType),
              (std::vector<std::string>{"a.desktop", "b.desktop"}));
    EXPECT_TRUE(ApplicationsListed(cache, "[Default Applications]", kType).empty());
}

struct EmptinessCase {
    std::string text;
    bool empty;
};

TEST(MimeAppsList, HoldsNoEntriesOnlyWithHeadersAndBlankLines) {
    for (const EmptinessCase& c :
         {EmptinessCase{"", true}, EmptinessCase{"[Default Applications]\n", true},
          EmptinessCase{"[A]\r\n \n\t\n[B]", true},
          EmptinessCase{"# mine\n[Default Applications]\n", false},
          EmptinessCase{"[A]\nx=y", false}})
        EXPECT_EQ(HoldsNoEntries(c.text), c.empty) << c.text;
}

} // namespace
} // namespace curvix
