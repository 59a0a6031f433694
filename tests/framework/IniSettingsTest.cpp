#include "IniSettings.h"

#include "IniText.h"

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
        TextCase{"PathsWithSpacesCommasQuotesAndBackslashes",
                 "",
                 {Set(u"Recent File List/File1", u"/home/u/my doc.cvx"),
                  Set(u"Recent File List/File2", u" lead"),
                  Set(u"Recent File List/File3", u"/a,b;c=d%"),
                  Set(u"Recent File List/File4", u"/q\"b\\s")},
                 "[Recent%20File%20List]\nFile1=/home/u/my doc.cvx\nFile2=\" lead\"\n"
                 "File3=\"/a,b;c=d%\"\nFile4=/q\\\"b\\\\s\n"},
        TextCase{"ControlCharactersAndTheHexDigitsAfterThem",
                 "",
                 {Set(u"A/k", u"a\tb\x01"
                              u"cdg\n")},
                 "[A]\nk=a\\tb\\x1\\x63\\x64g\\n\n"},
        TextCase{"AtSignsAndNul",
                 "",
                 {Set(u"A/a", u"@x"), Set(u"A/n", std::u16string(u"a\0"
                                                                 u"1)",
                                                                 4))},
                 "[A]\na=@@x\nn=@String(a\\0\\x31))\n"},
        TextCase{"NonAsciiValuesInUtf8KeysEscaped",
                 "",
                 {Set(u"A/\u00e9\u20ac", u"Gr\u00fc\u00dfe \U0001F600")},
                 "[A]\n%E9%U20AC=Gr\xC3\xBC\xC3\x9F"
                 "e \xF0\x9F\x98\x80\n"},
        TextCase{"GeneralSectionsAndSlashesInKeys",
                 "",
                 {Number(u"top", 1), Number(u"General/x", 2), Number(u"/A//b/c/", -3)},
                 "[General]\ntop=1\n\n[A]\nb\\c=-3\n\n[%General]\nx=2\n"},
        TextCase{"SectionsAndKeysInNameOrder",
                 "[b]\nz=1\ny=2\n[a]\nx=1\n[B]\nw=1\n",
                 {Number(u"b/a", 1)},
                 "[B]\nw=1\n\n[a]\nx=1\n\n[b]\na=1\ny=2\nz=1\n"},
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
                 kOldFile},
        TextCase{"HandWrittenLinesAreSpeltAsQSettingsSpellsThem",
                 "\n; note\n[A]\n k = v w  \nq=\"a\" ; c\nr=@foo\nl=1,2\n",
                 {Set(u"A/s", u"t")},
                 "[A]\nk=v w\nl=1, 2\nq=a\nr=@@foo\ns=t\n"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(IniSettingsTest, ReadSaysWhetherEveryLineWasRead) {
    const struct {
        std::string bytes;
        bool ok;
    } cases[] = {
        {"", true},
        {"[A]\nx=1\n", true},
        {"; comment only\n\n", true},
        {"[A\nx=1\n", false},
        {"[A]\ngarbage\n", false},
        {"\xEF\xBB\xBF[A]\nx=1\n", false}, // QSettings reads the mark as a line
    };
    for (const auto& c : cases) {
        CIniSettings settings;
        EXPECT_EQ(settings.Read(c.bytes), c.ok) << c.bytes;
    }
}

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

TEST(IniTextTest, InvalidUtf8BecomesOneReplacementPerByte) {
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"a\xE0\x80z\xC3", u"a\uFFFD\uFFFDz\uFFFD"},
        {"\xEF\xBB\xBFx\xEF\xBB\xBF", u"x\uFEFF"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // a surrogate
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xEF\xBF\xBE", u"\uFFFE"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf16FromUtf8(c.bytes), c.text) << c.bytes;
}

} // namespace
} // namespace curvix
