// The settings the program writes at exit when that cannot be done: the
// file stays byte for byte, the exit status is 1, and one line says why.

#include "AppTestSupport.h"
#include "FileAccessAsUser.h"
#include "Watchdog.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace curvix::test {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// What run writes to standard error, taken through a pipe, which a file
// size limit does not apply to.
std::string StandardErrorOf(const std::function<void()>& run) {
    int ends[2];
    if (::pipe(ends) != 0)
        return "(no pipe)";
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(ends[1], STDERR_FILENO);
    ::close(ends[1]);
    run();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(ends[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(count));
    ::close(ends[0]);
    return text;
}

class SettingsAtExitTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Folders with long names make the new file larger than any lock
        // file, so that a limit inside it lets the lock be taken and cuts
        // the settings themselves.
        QString folder = files.path();
        for (int level = 0; level < 3; ++level)
            folder += QLatin1Char('/') + QString(200, QLatin1Char(static_cast<char>('a' + level)));
        ASSERT_TRUE(QDir().mkpath(folder));
        doc = folder + QStringLiteral("/doc.cvx");
        old = files.filePath(QStringLiteral("old.cvx"));
        for (const QString& path : {doc, old}) {
            CCurvixDoc document;
            document.SetFormula("x");
            std::string error;
            ASSERT_TRUE(SaveDocumentFile(document, path.toStdString(), error)) << error;
        }
        QSettings stored(settings.ConfigFile(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("Recent File List/File1"), old);
    }

    // The settings folder's entries, hidden ones too.
    QStringList Folder() const {
        return QDir(QFileInfo(settings.ConfigFile()).absolutePath())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // The file that the exit after opening doc writes, as QSettings writes
    // it from the same start.
    QByteArray NewFile() const {
        const QString copy = files.filePath(QStringLiteral("expected.conf"));
        QFile::remove(copy);
        QFile::copy(settings.ConfigFile(), copy);
        {
            QSettings expected(copy, QSettings::IniFormat);
            expected.remove(QStringLiteral("Recent File List"));
            expected.setValue(QStringLiteral("Recent File List/File1"), doc);
            expected.setValue(QStringLiteral("Recent File List/File2"), old);
        }
        return ReadAll(copy);
    }

    // Runs the exit and checks that it failed as it must: status 1, the one
    // line with its cause, and the settings file and its folder as they
    // were before.
    void ExpectFailedExit(const std::function<int()>& exit, const QByteArray& before,
                          const QStringList& folder, const std::string& cause) const {
        int status = 0;
        const std::string error = StandardErrorOf([&] { status = exit(); });
        EXPECT_EQ(status, 1);
        EXPECT_EQ(error, "Cannot write the settings to " + settings.ConfigFile().toStdString() +
                             ": " + cause + ".\n");
        EXPECT_EQ(ReadAll(settings.ConfigFile()), before);
        EXPECT_EQ(Folder(), folder); // no temporary or lock file left
    }

    SettingsFolder settings;
    QTemporaryDir files;
    QString doc;
    QString old;
};

// A file size limit below the size of the new file.
struct LimitCase {
    const char* name;
    rlim_t (*limit)(const QByteArray& newFile);
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsFileLimitTest : public SettingsAtExitTest,
                              public ::testing::WithParamInterface<LimitCase> {};

TEST_P(SettingsFileLimitTest, AWriteCutShortKeepsTheOldFileAndFailsTheExit) {
    RunningApp run({doc.toStdString()});
    ASSERT_TRUE(run.started);
    const QByteArray before = ReadAll(settings.ConfigFile());
    const QStringList folder = Folder();
    const QByteArray newFile = NewFile();
    const rlim_t limit = GetParam().limit(newFile);
    ASSERT_LT(limit, static_cast<rlim_t>(newFile.size()));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = limit;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ExpectFailedExit(
        [&] {
            ::setrlimit(RLIMIT_FSIZE, &small);
            const int status = run.app->ExitInstance();
            ::setrlimit(RLIMIT_FSIZE, &saved);
            return status;
        },
        before, folder, "File too large");
    std::signal(SIGXFSZ, previous);
    // Without the limit the same exit writes the new file.
    EXPECT_EQ(run.app->ExitInstance(), 0);
    EXPECT_EQ(ReadAll(settings.ConfigFile()), newFile);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsFileLimitTest,
    ::testing::Values(
        LimitCase{"Nothing", [](const QByteArray&) { return rlim_t{0}; }},
        LimitCase{"InTheFirstEntry",
                  [](const QByteArray& file) {
                      const auto start = file.indexOf("File1=");
                      return static_cast<rlim_t>(start + (file.indexOf('\n', start) - start) / 2);
                  }},
        LimitCase{"OneByteShort",
                  [](const QByteArray& file) { return static_cast<rlim_t>(file.size() - 1); }}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

// A settings file the exit cannot read as settings is not replaced.
struct UnreadableCase {
    const char* name;
    void (*spoil)(const QString& path);
    const char* cause;
};

void PrintTo(const UnreadableCase& c, std::ostream* os) {
    *os << c.name;
}

class UnreadableSettingsTest : public SettingsAtExitTest,
                               public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableSettingsTest, AreLeftAsTheyAreAndFailTheExit) {
    GetParam().spoil(settings.ConfigFile());
    const QByteArray before = ReadAll(settings.ConfigFile());
    const QStringList folder = Folder();
    // The program runs with the file access of an ordinary user, root or not;
    // the test's own reads keep the run's.
    std::optional<RunningApp> run;
    {
        const FileAccessAsUser asUser;
        ASSERT_TRUE(asUser.Binds());
        run.emplace(std::vector<std::string>{doc.toStdString()});
    }
    ASSERT_TRUE(run->started);
    ExpectFailedExit(
        [&] {
            const FileAccessAsUser asUser;
            return asUser.Binds() ? run->app->ExitInstance() : -1;
        },
        before, folder, GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(Rows, UnreadableSettingsTest,
                         ::testing::Values(UnreadableCase{"ALineThatIsNoSetting",
                                                          [](const QString& path) {
                                                              QFile file(path);
                                                              ASSERT_TRUE(
                                                                  file.open(QIODevice::Append));
                                                              file.write("no setting here\n");
                                                          },
                                                          "it holds a line that is not a setting"},
                                           UnreadableCase{"NoReadPermission",
                                                          [](const QString& path) {
                                                              ASSERT_TRUE(QFile::setPermissions(
                                                                  path, QFileDevice::WriteOwner));
                                                          },
                                                          "Permission denied"},
                                           UnreadableCase{"AFolderInItsPlace",
                                                          [](const QString& path) {
                                                              ASSERT_TRUE(QFile::remove(path));
                                                              ASSERT_TRUE(QDir().mkdir(path));
                                                          },
                                                          "Is a directory"}),
                         [](const ::testing::TestParamInfo<UnreadableCase>& info) {
                             return std::string(info.param.name);
                         });

// A pipe in place of the settings file is neither waited on at the start
// nor replaced at the exit: nothing is read from it, and the exit fails as
// it does for a folder there.
TEST_F(SettingsAtExitTest, AFifoInPlaceOfTheFileIsNotWaitedOnNorReplaced) {
    const QByteArray path = QFile::encodeName(settings.ConfigFile());
    ASSERT_TRUE(QFile::remove(settings.ConfigFile()));
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
    const QStringList folder = Folder();
    std::optional<RunningApp> run;
    const std::string error = StandardErrorOf([&] {
        const Watchdog watchdog(std::chrono::seconds(10), "the start with a FIFO for settings");
        run.emplace(std::vector<std::string>{doc.toStdString()});
    });
    ASSERT_TRUE(run->started);
    EXPECT_EQ(error, "Cannot read the settings from " + settings.ConfigFile().toStdString() +
                         ": is not a regular file.\n");
    // Only the document opened now: old.cvx was in the file the FIFO replaced.
    EXPECT_EQ(run->app->GetRecentFileList()->Entries(),
              std::vector<std::string>{doc.toStdString()});
    int status = 0;
    const std::string exitError = StandardErrorOf([&] {
        const Watchdog watchdog(std::chrono::seconds(10), "the exit with a FIFO for settings");
        status = run->app->ExitInstance();
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(exitError, "Cannot write the settings to " + settings.ConfigFile().toStdString() +
                             ": is not a regular file.\n");
    EXPECT_EQ(Folder(), folder); // no temporary or lock file left
    struct stat file {};
    ASSERT_EQ(::stat(path.constData(), &file), 0);
    EXPECT_TRUE(S_ISFIFO(file.st_mode));
}

} // namespace
} // namespace curvix::test
