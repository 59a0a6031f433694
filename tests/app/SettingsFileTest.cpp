// The settings file the program writes at exit against the one QSettings
// writes for the same start and the same changes: byte for byte the same.

#include "CoreApp.h"
#include "SettingsProfile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
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

// Settings in a home folder of the test's own.
class HomeSettingsTest : public testing::Test {
protected:
    void SetUp() override {
        test::CoreApp();
        ASSERT_TRUE(m_home.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
    }

    QString ConfigFile() const { return m_home.filePath(QStringLiteral("Quenmark/Curvix.conf")); }

    QTemporaryDir m_home;
};

class SettingsProfileFileTest : public HomeSettingsTest,
                                public testing::WithParamInterface<ProfileCase> {};

TEST_P(SettingsProfileFileTest, ExitWritesTheBytesQSettingsWrites) {
    const ProfileCase& c = GetParam();
    const QByteArray start = c.start != nullptr ? QByteArray(c.start) : QByteArray();
    if (!start.isNull())
        WriteAll(ConfigFile(), start);
    {
        CSettingsProfile profile("Quenmark", "Curvix");
        ASSERT_EQ(QString::fromStdString(profile.FileName()), ConfigFile());
        ChangeProfile(profile, c.changes);
        EXPECT_TRUE(profile.Flush());
    }
    const QByteArray written = ReadAll(ConfigFile());
    EXPECT_EQ(written, WrittenByQSettings(start, c.changes));
    // Written again with the same changes, the file stays as it is.
    {
        CSettingsProfile profile("Quenmark", "Curvix");
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

// Where a file size limit cuts the file QSettings writes: whichever way
// the copy comes out short, reading it back shows it.
struct CutCase {
    const char* name;
    qsizetype (*limit)(const QByteArray& newFile);
};

void PrintTo(const CutCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsCutCopyTest : public HomeSettingsTest, public testing::WithParamInterface<CutCase> {};

TEST_P(SettingsCutCopyTest, FailsTheFlushAndKeepsTheFile) {
    const QString path = ConfigFile();
    const QByteArray start =
        "[Recent%20File%20List]\nFile1=/old.cvx\n\n[zeta]\nkept=" + QByteArray(150, 'z') + "\n";
    WriteAll(path, start);
    const ExitChanges changes{{"/" + std::string(300, 'd') + ".cvx", "/old.cvx"}, 0};
    const QByteArray newFile = WrittenByQSettings(start, changes);
    CSettingsProfile profile("Quenmark", "Curvix");
    ChangeProfile(profile, changes);
    const QDir folder(QFileInfo(path).absolutePath());
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = static_cast<rlim_t>(GetParam().limit(newFile));
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool flushed = profile.Flush();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(flushed);
    EXPECT_EQ(profile.GetFlushError(), "File too large");
    EXPECT_EQ(ReadAll(path), start);
    EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::Hidden), entries);
    // Without the limit the same changes are written whole.
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(ReadAll(path), newFile);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsCutCopyTest,
    testing::Values(
        // The keys of the last line are missing.
        CutCase{"AtALineEnd",
                [](const QByteArray& file) { return file.lastIndexOf('\n', file.size() - 2) + 1; }},
        // Every key reads back as meant; only the last line end is missing.
        CutCase{"TheLastLineEnd", [](const QByteArray& file) { return file.size() - 1; }}),
    [](const testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace curvix
