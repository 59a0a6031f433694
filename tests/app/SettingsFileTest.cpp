// The settings file the program writes at exit against the one QSettings
// writes for the same start and the same changes: byte for byte the same.

#include "CoreApp.h"
#include "IniSettings.h"
#include "SettingsProfile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// What the program does to its settings at exit: the recent-file list
// replaced, the preview page count written unless it is 0.
struct ExitChanges {
    std::vector<std::string> recentFiles;
    int previewPages = 0;
};

void ChangeWithQSettings(QSettings& settings, const ExitChanges& changes) {
    settings.remove(QStringLiteral("Recent File List"));
    for (std::size_t i = 0; i < changes.recentFiles.size(); ++i) {
        settings.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1),
                          QString::fromStdString(changes.recentFiles[i]));
    }
    if (changes.previewPages != 0)
        settings.setValue(QStringLiteral("Settings/PreviewPages"), changes.previewPages);
}

void ChangeProfile(CSettingsProfile& profile, const ExitChanges& changes) {
    profile.RemoveSection("Recent File List");
    for (std::size_t i = 0; i < changes.recentFiles.size(); ++i)
        profile.WriteString("Recent File List", "File" + std::to_string(i + 1),
                            changes.recentFiles[i]);
    if (changes.previewPages != 0)
        profile.WriteInt("Settings", "PreviewPages", changes.previewPages);
}

// QSettings' own file after the changes, from a start with bytes in it
// (no file for a null array).
QByteArray WrittenByQSettings(const QByteArray& start, const ExitChanges& changes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("reference.conf"));
    if (!start.isNull())
        WriteAll(path, start);
    {
        QSettings settings(path, QSettings::IniFormat);
        ChangeWithQSettings(settings, changes);
        settings.sync();
        EXPECT_EQ(settings.status(), QSettings::NoError);
    }
    return ReadAll(path);
}

struct ProfileCase {
    const char* name;
    const char* start; // the file at start, or none
    ExitChanges changes;
};

void PrintTo(const ProfileCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsProfileFileTest : public testing::TestWithParam<ProfileCase> {
protected:
    void SetUp() override {
        test::CoreApp();
        ASSERT_TRUE(m_home.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
    }

    QString ConfigFile() const { return m_home.filePath(QStringLiteral("Quenmark/Curvix.conf")); }

    QTemporaryDir m_home;
};

TEST_P(SettingsProfileFileTest, ExitWritesTheBytesQSettingsWrites) {
    const ProfileCase& c = GetParam();
    const QByteArray start = c.start != nullptr ? QByteArray(c.start) : QByteArray();
    if (!start.isNull())
        WriteAll(ConfigFile(), start);
    {
        CSettingsProfile profile(QStringLiteral("Quenmark"), QStringLiteral("Curvix"));
        ASSERT_EQ(profile.FileName(), ConfigFile());
        ChangeProfile(profile, c.changes);
        EXPECT_TRUE(profile.Flush());
    }
    const QByteArray written = ReadAll(ConfigFile());
    EXPECT_EQ(written, WrittenByQSettings(start, c.changes));
    // Written again with the same changes, the file stays as it is.
    {
        CSettingsProfile profile(QStringLiteral("Quenmark"), QStringLiteral("Curvix"));
        ChangeProfile(profile, c.changes);
        EXPECT_TRUE(profile.Flush());
    }
    EXPECT_EQ(ReadAll(ConfigFile()), written);
}

const char* const kOldFile = "[Recent%20File%20List]\nFile1=/home/u/old.cvx\n";
const char* const kOtherGroups =
    "[Alpha]\nz=1\na=\"x, y\"\n\n[General]\ntop=@@at\n\n[Recent%20File%20List]\n"
    "File1=/home/u/old.cvx\nFile3=/home/u/gone.cvx\n\n[Settings]\nOther=@ByteArray(\\x1\\xff)\n"
    "PreviewPages=2\n\n[zeta]\nlist=a, b, c\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsProfileFileTest,
    testing::Values(
        ProfileCase{"NoFileYet", nullptr, {{"/home/u/doc.cvx"}, 0}},
        ProfileCase{"NothingToWrite", nullptr, {{}, 0}},
        ProfileCase{"OldFile", kOldFile, {{"/home/u/doc.cvx", "/home/u/old.cvx"}, 0}},
        ProfileCase{"ListEmptied", kOldFile, {{}, 0}},
        ProfileCase{"PreviewPages", kOldFile, {{"/home/u/old.cvx"}, 3}},
        ProfileCase{"NegativePreviewPages", nullptr, {{"/a.cvx"}, -12}},
        ProfileCase{"OtherGroupsStay", kOtherGroups, {{"/new.cvx", "/home/u/old.cvx"}, 0}},
        ProfileCase{"FourEntries", kOtherGroups, {{"/1.cvx", "/2.cvx", "/3.cvx", "/4.cvx"}, 5}},
        ProfileCase{"Spaces", nullptr, {{"/home/u/my doc.cvx", " lead.cvx", "trail.cvx "}, 0}},
        ProfileCase{"CommaSemicolonEquals", nullptr, {{"/a,b.cvx", "/a;b.cvx", "/100%=x.cvx"}, 0}},
        ProfileCase{"QuotesAndBackslashes", nullptr, {{"/a\"b\".cvx", "/a\\b\\\\c.cvx"}, 0}},
        ProfileCase{"Percent", nullptr, {{"/50%.cvx", "%41%U0041.cvx"}, 0}},
        ProfileCase{"AtSigns", nullptr, {{"@home/x.cvx", "@@x.cvx", "@Invalid()", "/@x.cvx"}, 0}},
        ProfileCase{"AtForms", nullptr, {{"@ByteArray(x)", "@Variant(x)", "@String(x)"}, 0}},
        ProfileCase{"NonAscii",
                    nullptr,
                    {{"/home/\xC3\xBC/Gr\xC3\xBC\xC3\x9F"
                      "e \xE2\x82\xAC.cvx",
                      "/\xF0\x9F\x98\x80.cvx", "/\xEF\xBF\xBE.cvx"},
                     0}},
        ProfileCase{
            "NotUtf8",
            nullptr,
            {{"/home/\xFF\xFE/latin\xE9.cvx", "/cut\xE2\x82", "/\xED\xA0\x80x", "/\xC0\xAFy"}, 0}},
        ProfileCase{"ControlCharacters",
                    nullptr,
                    {{"/a\tb\x01"
                      "c.cvx",
                      "/a\nb\rc.cvx", "/del\x7F.cvx",
                      "/x\x1F"
                      "F"},
                     0}},
        ProfileCase{"Nul", nullptr, {{std::string("/a\0b.cvx", 8), std::string("@\0", 2)}, 0}}),
    [](const testing::TestParamInfo<ProfileCase>& info) { return std::string(info.param.name); });

// A file as found, however it was written, read and then written with the
// program's changes: the same bytes as QSettings writes, and the same
// judgement on whether every line could be read.
struct FileCase {
    const char* name;
    std::string start;
};

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

class IniFileAsQSettingsTest : public testing::TestWithParam<FileCase> {};

TEST_P(IniFileAsQSettingsTest, ReadAndWrittenAsQSettingsDoes) {
    test::CoreApp();
    const FileCase& c = GetParam();
    const ExitChanges changes{{"/home/u/doc.cvx"}, 0};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("reference.conf"));
    WriteAll(path, QByteArray::fromStdString(c.start));
    bool readWell = false;
    {
        QSettings settings(path, QSettings::IniFormat);
        ChangeWithQSettings(settings, changes);
        settings.sync();
        readWell = settings.status() == QSettings::NoError;
    }

    CIniSettings file;
    EXPECT_EQ(file.Read(c.start), readWell);
    file.Remove(u"Recent File List");
    file.SetString(u"Recent File List/File1", u"/home/u/doc.cvx");
    // The file is read again before writing, as QSettings does.
    EXPECT_EQ(file.Read(c.start), readWell);
    EXPECT_EQ(QByteArray::fromStdString(file.Text()), ReadAll(path));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniFileAsQSettingsTest,
    testing::Values(
        FileCase{"Empty", ""},
        FileCase{"SectionsOutOfOrder", "[zeta]\nb=2\na=1\n[Alpha]\nx=1\n[alpha]\ny=2\n"},
        FileCase{"GeneralSections", "top=1\n[General]\ny=2\n[%General]\nz=3\n[general]\nw=4\n"},
        FileCase{"SectionTwice", "[A]\nx=1\n[B]\ny=2\n[A]\nz=3\nx=4\n"},
        FileCase{"SlashesInKeys", "[A]\nb\\c=1\n[A%2Fb]\nc=2\nd=3\ne\\f\\g=4\n"},
        FileCase{"EscapedKeys",
                 "[Sp%20ace]\nk%E9%U20AC=1\n%U0x41=2\nk% 1=3\nj%0x=4\nm%+1=5\n%=6\n"},
        FileCase{"Comments", "; top\n[A]\n;x=1\n  ; indented\ny=2 ; after\nz=\"a;b\"\n"},
        FileCase{"Blanks", "  [ A ]  \n  k  =   v w   \n\t\tq=\t\"  quoted  \"  \n"},
        FileCase{"LineEnds", "[A]\r\nx=1\r\ny=2\rz=3\n\n\n"},
        FileCase{"Continued", "[A]\nk=a\\\nb\nq=\"x\ny\"\nr=c\\\r\nd\n"},
        FileCase{"ByteOrderMark", "\xEF\xBB\xBF[A]\n\xEF\xBB\xBFk=\xEF\xBB\xBFv\n"},
        FileCase{"ByteOrderMarkBeforeAKey", "\xEF\xBB\xBFk=1\n[A]\nx=1\n"},
        FileCase{"NotUtf8",
                 "[A\xE9]\nk\xE9=\xE9t\xE9\nc=ab\xC3\nd=a\xC3\"\"\xA9z\ne=\xF0\x9F\"x\n"},
        FileCase{"Escapes", "[A]\na=\\a\\b\\f\\n\\r\\t\\v\\\"\\?\\'\\\\\nb=\\x41\\x4g\\101\\0\\q\n"
                            "c=\\xd83d\\\\b\nd=\\xdc00x\ne=\\x10000\nf=x\\\ng=a\\x20  \n"},
        FileCase{"Lists", "[A]\na=1,2\nb=\" x \", y ,z\nc=a,\nd=,\ne=\"a,b\"\nf=a, @b, @@c\n"},
        FileCase{"AtForms",
                 "[A]\na=@foo\nb=@@foo\nc=@String(x)\nd=@String(@x)\ne=@ByteArray(\\x100z)\n"
                 "f=@Rect(01 2 3 4)\ng=@Rect(1 2 3)\nh=@Invalid()\ni=@Size(+1 x)\n"
                 "j=@Point(-3 2147483648)\nk=@\nl=@)\nm=@Rect(1  2 3 4)\nn=@String(\\0)\n"},
        FileCase{"EmptyKeysAndValues", "[A]\n=v\nk=\nq=\"\"\n[B]\n"},
        FileCase{"RecentListOfAnother", "[Recent%20File%20List]\nFile9=/x\nFile1=/y\n"},
        FileCase{"UnclosedSection", "[A\nx=1\n[B]\ny=2\n"},
        FileCase{"LineWithoutEquals", "[A]\nx=1\ngarbage\ny=2\n"},
        FileCase{"QuotedEquals", "[A]\n\"k=1\"\nq=\"=\"=x\n"}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace curvix
