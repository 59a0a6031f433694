#include "ExprString.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace curvix {
namespace {

std::string Narrow(ExprString text) {
    return text.ToNarrow();
}

TEST(ExprString, EmptyStringsBehaveAlike) {
    ExprString none;
    const ExprString fromEmptyText("");
    EXPECT_EQ(none.Length(), 0);
    EXPECT_EQ(none.At(0), 0);
    EXPECT_EQ(none.ToDouble(), 0.0);
    EXPECT_STREQ(none.ToNarrow(), "");
    EXPECT_TRUE(none == fromEmptyText);
}

TEST(ExprString, FromDoubleIsFixedSixText) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {-10.0, "-10.000000"},
        {static_cast<double>(0.1F), "0.100000"},
        {1e20, "100000000000000000000.000000"},
        {-0.0, "-0.000000"},
        {0.0078125, "0.007812"}, // an exact tie rounds to even, as printf does
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(ExprString(c.value)), c.text) << c.value;
    }
    EXPECT_EQ(ExprString(1e300).Length(), 308);
}

TEST(ExprString, BytesWidenWithSignAndNarrowBack) {
    ExprString text("\xFF"
                    "a\xC9");
    EXPECT_EQ(text.At(0), 0xFFFF);
    EXPECT_EQ(text.At(2), 0xFFC9);
    EXPECT_EQ(Narrow(text), "\xFF"
                            "a\xC9");
}

TEST(ExprString, ToLowerTouchesOnlyAsciiCapitals) {
    ExprString text("SIN(X)\xC9");
    text.ToLower();
    EXPECT_EQ(Narrow(text), "sin(x)\xC9");
    EXPECT_EQ(text.At(6), 0xFFC9);
}

TEST(ExprString, MidRanges) {
    const ExprString text("abcdef");
    const struct {
        int start, end;
        const char* expected;
    } cases[] = {{2, 4, "cd"}, {2, -1, "cdef"}, {3, 3, ""},      {4, 2, ""},
                 {0, 7, ""},   {-1, 3, ""},     {0, 6, "abcdef"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(text.Mid(c.start, c.end)), c.expected) << c.start << "," << c.end;
    }
}

TEST(ExprString, InsertAtEnds) {
    ExprString front("abc");
    front.InsertAt(0, "Z");
    EXPECT_EQ(Narrow(front), "Zabc");
    ExprString back("abc");
    back.InsertAt(3, "Z");
    EXPECT_EQ(Narrow(back), "abcZ");
    ExprString self("ab");
    self.InsertAt(1, self);
    EXPECT_EQ(Narrow(self), "aabb");
}

TEST(ExprString, ReplaceAllRescansAfterEachReplacement) {
    const struct {
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"x*x+1", "x", "-2.000000", "-2.000000*-2.000000+1"},
        {"{a}", "{", "(", "(a}"},
        {"aab", "ab", "b", "b"},
        {"max", "x", "0.5", "ma0.5"},
        // A replacement holding the pattern replaces each occurrence once
        // instead of looping for ever.
        {"axa", "x", "xx", "axxa"},
        {"abc", "", "z", "abc"},
    };
    for (const auto& c : cases) {
        ExprString text(c.text);
        text.ReplaceAll(c.pattern, c.replacement);
        EXPECT_EQ(Narrow(text), c.expected) << c.text << " " << c.pattern;
    }
}

TEST(ExprString, RemoveAllResumesBeforeTheCut) {
    const struct {
        const char* text;
        const char* pattern;
        int start;
        const char* expected;
    } cases[] = {
        {"  s i n ( x )", " ", 0, "sin(x)"}, {"aabb", "ab", 0, ""}, {"xabab", "ab", 3, "xab"},
        {"abab", "ab", 9, "abab"},           {"abc", "", 0, "abc"},
    };
    for (const auto& c : cases) {
        ExprString text(c.text);
        text.RemoveAll(c.pattern, c.start);
        EXPECT_EQ(Narrow(text), c.expected) << c.text << " " << c.pattern;
    }
}

TEST(ExprString, EqualityIsUnitByUnit) {
    EXPECT_FALSE(ExprString("sqrt(") == ExprString("sqrt"));
    EXPECT_TRUE(ExprString("sqrt(") == ExprString("sqrt("));
    EXPECT_FALSE(ExprString("Sin(") == ExprString("sin("));
}

TEST(ExprString, AtOutsideTheTextIsZero) {
    const ExprString text("ab");
    EXPECT_EQ(text.At(-1), 0);
    EXPECT_EQ(text.At(2), 0);
}

TEST(ExprString, RemoveAtOutsideChangesNothing) {
    ExprString text("abc");
    text.RemoveAt(-1);
    text.RemoveAt(3);
    EXPECT_EQ(Narrow(text), "abc");
    text.RemoveAt(1);
    EXPECT_EQ(Narrow(text), "ac");
}

TEST(ExprString, CopiesAreDeepAndAppendGrows) {
    ExprString original("ab");
    ExprString copy(original);
    copy.Append(ExprString('c'));
    EXPECT_EQ(Narrow(original), "ab");
    EXPECT_EQ(Narrow(copy), "abc");
    EXPECT_EQ(Narrow(original + copy), "ababc");
    copy = original;
    EXPECT_EQ(Narrow(copy), "ab");
}

TEST(ExprString, ToDoubleReadsTheDecimalFormOnly) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"  -1.5e2xyz", -150.0}, {"+.5", 0.5}, {"1.2.3", 1.2}, {"0x1A", 0.0}, {"inf", 0.0},
        {"-nan", 0.0},           {".", 0.0},   {"5.", 5.0},    {"1e", 1.0},   {"-0", -0.0},
        {"1e400", HUGE_VAL},     {"abc", 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExprString(c.text).ToDouble(), c.expected) << c.text;
    }
}

TEST(ExprString, StreamInsertionWritesLowBytes) {
    std::ostringstream out;
    out << ExprString("f\xE9(");
    EXPECT_EQ(out.str(), "f\xE9(");
}

} // namespace
} // namespace curvix
