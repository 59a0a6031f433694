#include "ShellRegistration.h"

#include "CoreApp.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace curvix {
namespace {

const QString kProgram = QStringLiteral("/opt/curvix test/bin/curvix");

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
            if (path.startsWith(QStringLiteral("icons/")) ||
                path == QStringLiteral("applications/curvix.desktop") ||
                path.startsWith(QStringLiteral("mime/packages/")))
                files[path] = content;
        return files;
    }

    QTemporaryDir m_home;
    ShellPaths m_paths;
};

TEST_F(ShellRegistrationTest, WritesTypeIconsEntryAndDefault) {
    const ShellRegistrationStats stats = RegisterShellFileTypes(m_paths);
    EXPECT_EQ(stats.filesWritten, 8);

    const auto files = OurFiles();
    std::vector<QString> names;
    for (const auto& entry : files)
        names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<QString>{
                         "applications/curvix.desktop",
                         "icons/hicolor/16x16/apps/curvix.png",
                         "icons/hicolor/16x16/mimetypes/application-x-curvix-document.png",
                         "icons/hicolor/32x32/apps/curvix.png",
                         "icons/hicolor/32x32/mimetypes/application-x-curvix-document.png",
                         "icons/hicolor/scalable/apps/curvix.svg",
                         "mime/packages/curvix-document.xml",
                     }));
    EXPECT_EQ(files.at("mime/packages/curvix-document.xml"), SourceFile("curvix-document.xml"));
    EXPECT_EQ(files.at("icons/hicolor/scalable/apps/curvix.svg"), SourceFile("curvix.svg"));
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()),
              "[Default Applications]\napplication/x-curvix-document=curvix.desktop;\n");

    const QByteArray entry = files.at("applications/curvix.desktop");
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    for (const char* line :
         {"\nType=Application\n", "\nName=Curvix\n", "\nExec=\"/opt/curvix test/bin/curvix\" %f\n",
          "\nIcon=curvix\n", "\nCategories=Education;Math;\n",
          "\nMimeType=application/x-curvix-document;\n"})
        EXPECT_TRUE(entry.contains(line)) << line;
}

struct IconCase {
    const char* installed;
    const char* xpm;
    int size;
};

TEST_F(ShellRegistrationTest, PngIconsHaveTheXpmPixels) {
    RegisterShellFileTypes(m_paths);
    for (const IconCase& icon :
         {IconCase{"icons/hicolor/16x16/apps/curvix.png", "CurvixIcon16.xpm", 16},
          IconCase{"icons/hicolor/32x32/apps/curvix.png", "CurvixIcon32.xpm", 32},
          IconCase{"icons/hicolor/16x16/mimetypes/application-x-curvix-document.png",
                   "DocumentIcon16.xpm", 16},
          IconCase{"icons/hicolor/32x32/mimetypes/application-x-curvix-document.png",
                   "DocumentIcon32.xpm", 32}}) {
        const QImage png(Data(icon.installed), "PNG");
        const QImage xpm(QStringLiteral(CURVIX_RESOURCES_DIR "/images/") + QLatin1String(icon.xpm),
                         "XPM");
        ASSERT_FALSE(png.isNull()) << icon.installed;
        ASSERT_FALSE(xpm.isNull()) << icon.xpm;
        EXPECT_EQ(png.size(), QSize(icon.size, icon.size)) << icon.installed;
        EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32),
                  xpm.convertToFormat(QImage::Format_ARGB32))
            << icon.installed;
        EXPECT_TRUE(png.hasAlphaChannel()) << icon.installed;
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
    EXPECT_TRUE(
        ReadAll(Data("applications/curvix.desktop")).contains("\nExec=\"/usr/bin/curvix\" %f\n"));
}

TEST_F(ShellRegistrationTest, ForeignDefaultStaysByteForByte) {
    const QByteArray foreign = "# my choices\r\n[Added Associations]\r\n"
                               "application/x-curvix-document=curvix.desktop;\r\n\r\n"
                               "[Default Applications]\r\n"
                               "text/plain=gedit.desktop;\r\n"
                               "application/x-curvix-document = other.desktop;curvix.desktop;\r\n";
    WriteAll(m_paths.MimeAppsList(), foreign);

    EXPECT_EQ(RegisterShellFileTypes(m_paths).filesWritten, 7);
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), foreign);
    UnregisterShellFileTypes(m_paths);
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), foreign);
}

TEST_F(ShellRegistrationTest, OwnDefaultIsKeptAndOthersKept) {
    const QByteArray list = "[Default Applications]\ntext/plain=gedit.desktop;\n";
    WriteAll(m_paths.MimeAppsList(), list);
    RegisterShellFileTypes(m_paths);
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()),
              "[Default Applications]\napplication/x-curvix-document=curvix.desktop;\n"
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
    EXPECT_EQ(stats.filesRemoved, 8); // seven files and the settings
    EXPECT_EQ(OurFiles().size(), 1u); // the other program's package
    EXPECT_TRUE(QFileInfo::exists(Data("mime/packages/other.xml")));
    EXPECT_TRUE(QFileInfo::exists(Data("applications/other.desktop")));
    EXPECT_FALSE(QFileInfo::exists(m_paths.SettingsFolder()));
    EXPECT_EQ(ReadAll(m_paths.MimeAppsList()), "[Default Applications]\n");
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
}

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
