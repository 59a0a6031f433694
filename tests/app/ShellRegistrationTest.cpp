#include "ShellRegistration.h"

#include "CoreApp.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/resource.h>

namespace curvix {
namespace {

const QString kProgram = QStringLiteral("/opt/curvix test/bin/curvix");
const QString kEntry = QStringLiteral("applications/") + QLatin1String(kCurvixDesktopId);
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray SourceFile(const char* name) {
    return ReadAll(QStringLiteral(CURVIX_RESOURCES_DIR "/") + QLatin1String(name));
}

// Every regular file under root, relative path to content.
std::map<QString, QByteArray> Tree(const QString& root) {
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(root).relativeFilePath(path)] = ReadAll(path);
    }
    return files;
}

class ShellRegistrationTest : public testing::Test {
protected:
    void SetUp() override {
        test::CoreApp();
        ASSERT_TRUE(m_home.isValid());
        m_paths.dataHome = m_home.filePath(QStringLiteral("data"));
        m_paths.configHome = m_home.filePath(QStringLiteral("config"));
        m_paths.program = kProgram;
    }

    QString Data(const char* relative) const {
        return m_paths.dataHome + QLatin1Char('/') + QLatin1String(relative);
    }

    // The files registration owns, database caches left out.
    std::map<QString, QByteArray> OurFiles() const {
        std::map<QString, QByteArray> files;
        for (const auto& [path, content] : Tree(m_paths.dataHome))
            if (path.startsWith(QStringLiteral("icons/")) || path == kEntry ||
                path.startsWith(QStringLiteral("mime/packages/")))
                files[path] = content;
        return files;
    }

    QTemporaryDir m_home;
    ShellPaths m_paths;
};

TEST_F(ShellRegistrationTest, WritesTypeIconsEntryAndDefault) {
    const ShellRegistrationStats stats = RegisterShellFileTypes(m_paths);
    EXPECT_EQ(stats.filesWritten, 21);
    EXPECT_EQ(stats.filesFailed, 0);

    const auto files = OurFiles();
    std::vector<QString> names;
    for (const auto& entry : files)
        names.push_back(entry.first);
    std::vector<QString> expected{kEntry};
    for (const int size : {128, 16, 22, 24, 256, 32, 48, 64})
        for (const char* icon : {"apps/curvix", "mimetypes/application-x-curvix-document"})
            expected.push_back(QStringLiteral("icons/hicolor/%1x%1/%2.png").arg(size).arg(icon));
    expected.push_back(QStringLiteral("icons/hicolor/scalable/apps/curvix.svg"));
    expected.push_back(
        QStringLiteral("icons/hicolor/scalable/mimetypes/application-x-curvix-document.svg"));
    expected.push_back(QStringLiteral("mime/packages/curvix-document.xml"));
    EXPECT_EQ(names, expected);
    EXPECT_EQ(files.at("mime/packages/curvix-document.xml"), SourceFile("curvix-document.xml"));
    EXPECT_EQ(files.at("icons/hicolor/scalable/apps/curvix.svg"), SourceFile("curvix.svg"));
    EXPECT_EQ(files.at("icons/hicolor/scalable/mimetypes/application-x-curvix-document.svg"),
              SourceFile("curvix-document.svg"));
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), QByteArray("[Default Applications]\n"
                                                          "application/x-curvix-document=") +
                                                   kCurvixDesktopId + ";\n");

    // The installed entry, but for the program file it runs.
    QByteArray installed = SourceFile("curvix.desktop");
    installed.replace("\nExec=curvix %f\n", "\nExec=\"/opt/curvix test/bin/curvix\" %f\n");
    installed += "X-Curvix-Registration=per-user\n";
    EXPECT_EQ(files.at(kEntry), installed);
}

// Each size is the file the build drew from the scalable icon, not the
// small images' pixels repeated: at 48 pixels and more it has more shades
// than a block copy of the largest image that divides it could have.
TEST_F(ShellRegistrationTest, PngIconsAreDrawnAtEverySize) {
    RegisterShellFileTypes(m_paths);
    for (const int size : kIconSizes) {
        for (const auto& [installed, xpmName] :
             {std::pair{"apps/curvix", "CurvixIcon"},
              std::pair{"mimetypes/application-x-curvix-document", "DocumentIcon"}}) {
            const QString name =
                QStringLiteral("hicolor/%1x%1/%2.png").arg(size).arg(QLatin1String(installed));
            const QString path = m_paths.dataHome + QStringLiteral("/icons/") + name;
            EXPECT_EQ(ReadAll(path), ReadAll(QStringLiteral(CURVIX_ICONS_DIR "/") + name))
                << name.toStdString();
            const QImage png(path, "PNG");
            ASSERT_EQ(png.size(), QSize(size, size)) << name.toStdString();
            EXPECT_TRUE(png.hasAlphaChannel()) << name.toStdString();
            if (size < 48)
                continue;
            const QImage xpm(QStringLiteral(CURVIX_RESOURCES_DIR "/images/%1%2.xpm")
                                 .arg(QLatin1String(xpmName))
                                 .arg(size % 32 == 0 ? 32 : 16),
                             "XPM");
            ASSERT_FALSE(xpm.isNull()) << xpmName;
            std::set<QRgb> drawn;
            std::set<QRgb> small;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    drawn.insert(png.pixel(x, y));
            for (int y = 0; y < xpm.height(); ++y)
                for (int x = 0; x < xpm.width(); ++x)
                    small.insert(xpm.pixel(x, y));
            EXPECT_GT(drawn.size(), small.size()) << name.toStdString();
        }
    }
}

TEST_F(ShellRegistrationTest, SecondRunWritesNothing) {
    RegisterShellFileTypes(m_paths);
    const QDateTime old = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    std::vector<QString> paths{m_paths.MimeAppsList()};
    for (const auto& entry : OurFiles())
        paths.push_back(m_paths.dataHome + QLatin1Char('/') + entry.first);
    for (const QString& path : paths) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }

    EXPECT_EQ(RegisterShellFileTypes(m_paths).filesWritten, 0);
    for (const QString& path : paths)
        EXPECT_EQ(QFileInfo(path).lastModified().toUTC(), old) << path.toStdString();
}

TEST_F(ShellRegistrationTest, RepairsChangedFilesOnly) {
    RegisterShellFileTypes(m_paths);
    const auto before = OurFiles();
    WriteAll(Data("mime/packages/curvix-document.xml"), "broken");
    QFile::remove(Data("icons/hicolor/16x16/apps/curvix.png"));

    EXPECT_EQ(RegisterShellFileTypes(m_paths).filesWritten, 2);
    EXPECT_EQ(OurFiles(), before);
}

TEST_F(ShellRegistrationTest, MovedProgramRewritesTheEntry) {
    RegisterShellFileTypes(m_paths);
    m_paths.program = QStringLiteral("/usr/bin/curvix");
    EXPECT_EQ(RegisterShellFileTypes(m_paths).filesWritten, 1);
    EXPECT_TRUE(ReadAll(m_paths.dataHome + QLatin1Char('/') + kEntry)
                    .contains("\nExec=\"/usr/bin/curvix\" %f\n"));
}

TEST_F(ShellRegistrationTest, ForeignDefaultStaysByteForByte) {
    const QByteArray foreign =
        "# my choices\r\n[Added Associations]\r\n"
        "application/x-curvix-document=org.quenmark.Curvix.desktop;\r\n\r\n"
        "[Default Applications]\r\n"
        "text/plain=gedit.desktop;\r\n"
        "application/x-curvix-document = other.desktop;org.quenmark.Curvix.desktop;\r\n";
    WriteAll(m_paths.MimeAppsList(), foreign);

    EXPECT_EQ(RegisterShellFileTypes(m_paths).filesWritten, 20);
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), foreign);
    UnregisterShellFileTypes(m_paths);
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), foreign);
}

TEST_F(ShellRegistrationTest, OwnDefaultIsKeptAndOthersKept) {
    const QByteArray list = "[Default Applications]\ntext/plain=gedit.desktop;\n";
    WriteAll(m_paths.MimeAppsList(), list);
    RegisterShellFileTypes(m_paths);
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()),
              "[Default Applications]\napplication/x-curvix-document=org.quenmark.Curvix.desktop;\n"
              "text/plain=gedit.desktop;\n");
    UnregisterShellFileTypes(m_paths);
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), list);
}

TEST_F(ShellRegistrationTest, UnregisterRemovesWhatRegisterWrote) {
    WriteAll(Data("mime/packages/other.xml"), "<mime-info/>");
    WriteAll(Data("applications/other.desktop"), "[Desktop Entry]\n");
    WriteAll(m_paths.SettingsFile(), "[Recent%20File%20List]\nFile1=/tmp/a.cvx\n");
    RegisterShellFileTypes(m_paths);

    const ShellRegistrationStats stats = UnregisterShellFileTypes(m_paths);
    // twenty files, the settings and the mimeapps.list left with no entry
    EXPECT_EQ(stats.filesRemoved, 22);
    EXPECT_EQ(OurFiles().size(), 1u); // the other program's package
    EXPECT_TRUE(QFileInfo::exists(Data("mime/packages/other.xml")));
    EXPECT_TRUE(QFileInfo::exists(Data("applications/other.desktop")));
    EXPECT_FALSE(QFileInfo::exists(m_paths.SettingsFolder()));
    EXPECT_FALSE(QFileInfo::exists(m_paths.MimeAppsList()));
}

TEST_F(ShellRegistrationTest, UnregisterKeepsANonEmptyQuenmarkFolder) {
    WriteAll(m_paths.SettingsFile(), "x");
    WriteAll(m_paths.SettingsFolder() + QStringLiteral("/Other.conf"), "y");
    UnregisterShellFileTypes(m_paths);
    EXPECT_FALSE(QFileInfo::exists(m_paths.SettingsFile()));
    EXPECT_EQ(ReadAll(m_paths.SettingsFolder() + QStringLiteral("/Other.conf")), "y");
}

TEST_F(ShellRegistrationTest, UnregisterWithNothingRegisteredChangesNothing) {
    const ShellRegistrationStats stats = UnregisterShellFileTypes(m_paths);
    EXPECT_EQ(stats.filesRemoved, 0);
    EXPECT_EQ(stats.filesWritten, 0);
    EXPECT_FALSE(QFileInfo::exists(m_paths.MimeAppsList()));
}

TEST_F(ShellRegistrationTest, UnwritableFolderFailsSilently) {
    WriteAll(m_home.filePath(QStringLiteral("file")), "not a folder");
    m_paths.dataHome = m_home.filePath(QStringLiteral("file/data"));
    m_paths.configHome = m_home.filePath(QStringLiteral("file/config"));
    const ShellRegistrationStats stats = RegisterShellFileTypes(m_paths);
    EXPECT_EQ(stats.filesWritten, 0);
    EXPECT_EQ(stats.filesFailed, 21);
}

// Writes that fail half-way (here: the file size limit) are counted as
// failures, and every old file stays as it was.
TEST_F(ShellRegistrationTest, FailedWritesKeepTheOldFiles) {
    RegisterShellFileTypes(m_paths);
    std::map<QString, QByteArray> old;
    for (const auto& entry : OurFiles()) {
        // An old entry of ours: one the user made would not be replaced.
        old[entry.first] =
            entry.first == kEntry ? CurvixDesktopEntry(QStringLiteral("/old/curvix")) : "old";
        WriteAll(m_paths.dataHome + QLatin1Char('/') + entry.first, old[entry.first]);
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const ShellRegistrationStats stats = RegisterShellFileTypes(m_paths);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(stats.filesWritten, 0);
    EXPECT_EQ(stats.filesFailed, 20);
    EXPECT_EQ(OurFiles(), old);
}

// A home that held nothing holds nothing again: no MIME database, desktop
// cache, mimeapps.list or empty folder stays behind.
TEST_F(ShellRegistrationTest, UnregisterEmptiesAHomeThatWasEmpty) {
    m_paths.home = m_home.path();
    m_paths.dataHome = m_home.filePath(QStringLiteral(".local/share"));
    m_paths.configHome = m_home.filePath(QStringLiteral(".config"));
    RegisterShellFileTypes(m_paths);
    WriteAll(m_paths.SettingsFile(), "[Recent%20File%20List]\nFile1=/tmp/a.cvx\n");
    ASSERT_TRUE(QFileInfo::exists(Data("mime/mime.cache")) ||
                QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty());

    UnregisterShellFileTypes(m_paths);
    EXPECT_EQ(QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
}

// An installation in XDG_DATA_DIRS gives the desktop our files: nothing is
// copied, and .cvx is claimed only when nothing else would open it.
struct InstalledCase {
    const char* name;
    const char* userList;   // the user's mimeapps.list, nullptr: none
    const char* systemList; // mimeapps.list of XDG_CONFIG_DIRS
    const char* cache;      // the installation's mimeinfo.cache
    const char* afterwards; // the user's mimeapps.list, nullptr: none
};

void PrintTo(const InstalledCase& c, std::ostream* os) {
    *os << c.name;
}

class InstalledProgramTest : public ShellRegistrationTest,
                             public testing::WithParamInterface<InstalledCase> {};

QByteArray DefaultList(const char* id) {
    return QByteArray("[Default Applications]\napplication/x-curvix-document=") + id + ";\n";
}

TEST_P(InstalledProgramTest, WritesNoCopies) {
    const InstalledCase& c = GetParam();
    QTemporaryDir installation;
    ShellPaths elsewhere = m_paths;
    elsewhere.dataHome = installation.path();
    elsewhere.configHome = installation.filePath(QStringLiteral("config"));
    RegisterShellFileTypes(elsewhere);
    QFile::remove(installation.filePath(QStringLiteral("applications/mimeinfo.cache")));
    if (c.cache != nullptr)
        WriteAll(installation.filePath(QStringLiteral("applications/mimeinfo.cache")),
                 QByteArray("[MIME Cache]\napplication/x-curvix-document=") + c.cache + ";\n");
    const QString systemConfig = m_home.filePath(QStringLiteral("etc-xdg"));
    if (c.systemList != nullptr)
        WriteAll(systemConfig + QStringLiteral("/mimeapps.list"), DefaultList(c.systemList));
    if (c.userList != nullptr)
        WriteAll(m_paths.MimeAppsList(), DefaultList(c.userList));
    m_paths.dataDirs = QStringList{m_home.filePath(QStringLiteral("nothing")), installation.path()};
    m_paths.configDirs = QStringList{systemConfig};

    RegisterShellFileTypes(m_paths);
    EXPECT_FALSE(QFileInfo::exists(m_paths.dataHome));
    if (c.afterwards == nullptr)
        EXPECT_FALSE(QFileInfo::exists(m_paths.MimeAppsList()));
    else
        EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), DefaultList(c.afterwards));
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, InstalledProgramTest,
    testing::Values(
        InstalledCase{"OpensWithUsAlready", nullptr, nullptr, kCurvixDesktopId, nullptr},
        InstalledCase{"NothingOpensIt", nullptr, nullptr, nullptr, kCurvixDesktopId},
        InstalledCase{"AnotherOpensItUnchosen", nullptr, nullptr, "other.desktop",
                      kCurvixDesktopId},
        InstalledCase{"SystemDefaultIsAnother", nullptr, "other.desktop", kCurvixDesktopId,
                      nullptr},
        InstalledCase{"UserDefaultIsAnother", "other.desktop", nullptr, nullptr, "other.desktop"},
        InstalledCase{"UserDefaultIsUs", kCurvixDesktopId, nullptr, nullptr, kCurvixDesktopId}),
    [](const auto& info) { return std::string(info.param.name); });

// Per-user copies another Curvix (a build tree) wrote, found when a Curvix
// starts: an installed one removes them when their entry is one a Curvix
// wrote, marked or from before entries were marked; an entry the user made
// stays byte for byte, and so do the files beside it.
struct OtherCopyCase {
    const char* name;
    bool installed;
    const char* entry; // nullptr: the entry as registration wrote it
    bool stripMark;
    bool copiesStay;
};

void PrintTo(const OtherCopyCase& c, std::ostream* os) {
    *os << c.name;
}

class OtherCopyTest : public ShellRegistrationTest,
                      public testing::WithParamInterface<OtherCopyCase> {};

constexpr char kUsersEntry[] = "[Desktop Entry]\nType=Application\nName=My Curvix\n"
                               "Exec=/home/me/curvix %f\nMimeType=application/x-curvix-document;\n";

TEST_P(OtherCopyTest, InstalledCurvixRemovesOnlyWhatACurvixWrote) {
    const OtherCopyCase& c = GetParam();
    QTemporaryDir installation;
    ShellPaths elsewhere = m_paths;
    elsewhere.dataHome = installation.path();
    RegisterShellFileTypes(elsewhere);
    m_paths.program = QStringLiteral("/home/me/src/curvix/build/app/curvix");
    RegisterShellFileTypes(m_paths);
    const QString entry = m_paths.dataHome + QLatin1Char('/') + kEntry;
    if (c.entry != nullptr)
        WriteAll(entry, c.entry);
    if (c.stripMark)
        WriteAll(entry, ReadAll(entry).replace("X-Curvix-Registration=per-user\n", ""));
    const auto before = OurFiles();

    m_paths.program = QStringLiteral("/usr/bin/curvix");
    if (c.installed)
        m_paths.dataDirs = QStringList{installation.path()};
    RegisterShellFileTypes(m_paths);
    if (c.copiesStay) {
        EXPECT_EQ(OurFiles(), before);
    } else {
        EXPECT_EQ(OurFiles(), (std::map<QString, QByteArray>{}));
        EXPECT_EQ(Tree(m_paths.dataHome), (std::map<QString, QByteArray>{}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Repair, OtherCopyTest,
    testing::Values(OtherCopyCase{"MarkedEntry", true, nullptr, false, false},
                    OtherCopyCase{"EntryFromBeforeMarks", true, nullptr, true, false},
                    OtherCopyCase{"UsersOwnEntry", true, kUsersEntry, false, true},
                    OtherCopyCase{"UsersOwnEntryNotInstalled", false, kUsersEntry, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExecCase {
    const char* program;
    const char* exec;
};

void PrintTo(const ExecCase& c, std::ostream* os) {
    *os << c.program;
}

class DesktopEntryExecTest : public testing::TestWithParam<ExecCase> {};

TEST_P(DesktopEntryExecTest, QuotesTheProgramPath) {
    const QByteArray entry = CurvixDesktopEntry(QString::fromUtf8(GetParam().program));
    EXPECT_TRUE(entry.contains(QByteArray("\nExec=") + GetParam().exec + " %f\n")) << entry.data();
}

INSTANTIATE_TEST_SUITE_P(Quoting, DesktopEntryExecTest,
                         testing::Values(ExecCase{"/usr/bin/curvix", R"("/usr/bin/curvix")"},
                                         ExecCase{"/a b/curvix", R"("/a b/curvix")"},
                                         ExecCase{"/a\"b/curvix", R"("/a\\"b/curvix")"},
                                         ExecCase{"/a$b`c/curvix", R"("/a\\$b\\`c/curvix")"},
                                         ExecCase{"/a\\b/curvix", R"("/a\\\\b/curvix")"},
                                         ExecCase{"/100%/curvix", R"("/100%%/curvix")"},
                                         ExecCase{"/pi/\xcf\x80/curvix",
                                                  "\"/pi/\xcf\x80/curvix\""}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

struct EnvironmentCase {
    const char* name;
    const char* dataHome; // nullptr: unset
    const char* configHome;
    const char* expectedData; // relative to HOME when not absolute
    const char* expectedConfig;
};

void PrintTo(const EnvironmentCase& c, std::ostream* os) {
    *os << c.name;
}

class ShellPathsTest : public testing::TestWithParam<EnvironmentCase> {};

TEST_P(ShellPathsTest, FollowsTheXdgRules) {
    const EnvironmentCase& c = GetParam();
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", "/home/tester");
    c.dataHome ? qputenv("XDG_DATA_HOME", c.dataHome) : qunsetenv("XDG_DATA_HOME");
    c.configHome ? qputenv("XDG_CONFIG_HOME", c.configHome) : qunsetenv("XDG_CONFIG_HOME");

    const ShellPaths paths = ShellPaths::FromEnvironment(QStringLiteral("/opt/x/../bin/curvix"));
    EXPECT_EQ(paths.dataHome.toStdString(), c.expectedData);
    EXPECT_EQ(paths.configHome.toStdString(), c.expectedConfig);
    EXPECT_EQ(paths.program.toStdString(), "/opt/bin/curvix");
    EXPECT_EQ(paths.SettingsFile().toStdString(),
              std::string(c.expectedConfig) + "/Quenmark/Curvix.conf");

    qputenv("HOME", savedHome);
    savedData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedData);
    savedConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", savedConfig);
}

// Installed files are looked for where the desktop looks: relative
// entries do not count, and without any the XDG defaults apply.
TEST(ShellPathsDirs, FollowTheXdgRules) {
    const QByteArray savedData = qgetenv("XDG_DATA_DIRS");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_DATA_DIRS", "/a/:relative:/b//c");
    qputenv("XDG_CONFIG_DIRS", "relative");
    const ShellPaths set = ShellPaths::FromEnvironment(kProgram);
    qunsetenv("XDG_DATA_DIRS");
    const ShellPaths unset = ShellPaths::FromEnvironment(kProgram);
    qputenv("XDG_DATA_DIRS", savedData);
    savedConfig.isNull() ? qunsetenv("XDG_CONFIG_DIRS") : qputenv("XDG_CONFIG_DIRS", savedConfig);
    if (savedData.isNull())
        qunsetenv("XDG_DATA_DIRS");

    EXPECT_EQ(set.dataDirs, (QStringList{"/a", "/b/c"}));
    EXPECT_EQ(set.configDirs, QStringList{"/etc/xdg"});
    EXPECT_EQ(unset.dataDirs, (QStringList{"/usr/local/share", "/usr/share"}));
}

INSTANTIATE_TEST_SUITE_P(
    Environment, ShellPathsTest,
    testing::Values(EnvironmentCase{"Unset", nullptr, nullptr, "/home/tester/.local/share",
                                    "/home/tester/.config"},
                    EnvironmentCase{"Set", "/x/data/", "/x/config", "/x/data", "/x/config"},
                    EnvironmentCase{"Empty", "", "", "/home/tester/.local/share",
                                    "/home/tester/.config"},
                    EnvironmentCase{"Relative", "data", "config", "/home/tester/.local/share",
                                    "/home/tester/.config"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace curvix
