#include "IniSettings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix {
namespace {

// A change: a string or a number set, or a key removed.
struct Change {
    enum Kind { String, Number, Remove } kind;
    std::u16string key;
    std::u16string text;
    int number;
};

Change Set(std::u16string key, std::u16string text) {
    return {Change::String, std::move(key), std::move(text), 0};
}

Change Number(std::u16string key, int number) {
    return {Change::Number, std::move(key), {}, number};
}

Change Removal(std::u16string key) {
    return {Change::Remove, std::move(key), {}, 0};
}

struct TextCase {
    const char* name;
    std::string start;
    std::vector<Change> changes;
    std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

// Changes QSettings-made files do not show: the comparison with QSettings
// itself (tests/app/SettingsFileTest.cpp) covers the spelling of keys and
// values and the reading of files.
class IniSettingsTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(IniSettingsTextTest, WritesTheStartWithTheChanges) {
    const TextCase& c = GetParam();
    CIniSettings settings;
    settings.Read(c.start);
    for (const Change& change : c.changes) {
        if (change.kind == Change::String)
            settings.SetString(change.key, change.text);
        else if (change.kind == Change::Number)
            settings.SetNumber(change.key, change.number);
        else
            settings.Remove(change.key);
    }
    EXPECT_EQ(settings.Text(), c.expected);
}

const std::string kOldFile = "[Recent%20File%20List]\nFile1=/home/u/old.cvx\n";
const std::string kCanonical = "[General]\ntop=@@at\n\n[Alpha]\na=\"x, y\"\nlist=a, b, \" c\"\n\n"
                               "[Settings]\nOther=@ByteArray(\\x1\\xff)\nPreviewPages=2\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, IniSettingsTextTest,
    testing::Values(
        TextCase{"GeneralSectionsAndSlashesInKeys",
                 "",
                 {Number(u"top", 1), Number(u"General/x", 2), Number(u"/A//b/c/", -3)},
                 "[General]\ntop=1\n\n[A]\nb\\c=-3\n\n[%General]\nx=2\n"},
        TextCase{"RemovingASectionTakesOnlyItsKeys",
                 "[Recent%20File%20List]\nFile1=/a\nFile2=/b\n[Recent%20File%20ListX]\nk=1\n"
                 "[Settings]\nPreviewPages=2\n",
                 {Removal(u"Recent File List"), Set(u"Recent File List/File1", u"/c")},
                 "[Recent%20File%20List]\nFile1=/c\n\n[Recent%20File%20ListX]\nk=1\n\n"
                 "[Settings]\nPreviewPages=2\n"},
        TextCase{"KeysSetBeforeARemoveGoWithIt",
                 "",
                 {Set(u"A/x", u"1"), Removal(u"A"), Set(u"B/y", u"2")},
                 "[B]\ny=2\n"},
        TextCase{"RemovingTheEmptyKeyTakesAll",
                 kCanonical,
                 {Removal(u""), Number(u"Settings/PreviewPages", 1)},
                 "[Settings]\nPreviewPages=1\n"},
        TextCase{"OtherKeysKeepTheirSpelling",
                 kCanonical,
                 {Number(u"Settings/PreviewPages", 2)},
                 kCanonical},
        TextCase{"AFileOfTheOldProgramIsWrittenAgainAsItWas",
                 kOldFile,
                 {Removal(u"Recent File List"), Set(u"Recent File List/File1", u"/home/u/old.cvx")},
                 kOldFile}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(IniSettingsTest, OnlyChangesThatMatterNeedWriting) {
    CIniSettings settings;
    settings.Read("[A]\nx=1\n");
    settings.Remove(u"Recent File List");
    EXPECT_FALSE(settings.HasChanges());
    settings.Remove(u"A");
    EXPECT_TRUE(settings.HasChanges());
    EXPECT_EQ(settings.Text(), "");

    settings.SetString(u"B/y", u"2");
    settings.Commit();
    EXPECT_FALSE(settings.HasChanges());
    EXPECT_EQ(settings.Text(), "[B]\ny=2\n");
}

TEST(IniSettingsTest, ChangesApplyToTheFileReadLast) {
    CIniSettings settings;
    settings.Read("[A]\nx=1\n");
    settings.Remove(u"A");
    settings.SetString(u"B/y", u"2");
    // Another program wrote the file meanwhile: its keys stay, except the
    // ones removed here.
    ASSERT_TRUE(settings.Read("[A]\nx=1\n[C]\nz=3\n"));
    EXPECT_EQ(settings.Text(), "[B]\ny=2\n\n[C]\nz=3\n");
}

} // namespace
} // namespace curvix
