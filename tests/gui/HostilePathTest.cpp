#include "AppTestSupport.h"
#include "FileAccessAsUser.h"
#include "FileStamp.h"
#include "OpenRequestClient.h"
#include "Resource.h"
#include "TestFiles.h"
#include "Watchdog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace curvix::test {
namespace {

// Far beyond what an open that returns at once takes, far below ctest's limit.
constexpr std::chrono::milliseconds kHangLimit{10000};

QByteArray Exchange(const QString& socketName, const QByteArray& bytes) {
    return WhileProcessingEvents(
        [socketName, bytes] { return ExchangeWithServer(socketName, bytes); });
}

// Names, kinds, sizes and times of everything in folder.
QStringList Listing(const QString& folder) {
    QStringList listing;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        listing << entry.fileName() + QLatin1Char(' ') + QString::number(entry.size()) +
                       QLatin1Char(' ') + entry.lastModified().toString(Qt::ISODateWithMs);
    }
    return listing;
}

struct HostileCase {
    const char* name;
    std::string (*make)(const std::string& folder);
    const char* message; // %s: the path, as the message shows it
};

class HostilePathTest : public testing::Test {
protected:
    std::string Folder() const { return files.path().toStdString(); }

    SettingsFolder settings;
    QTemporaryDir files;
};

// The GUI's ways into the reader the tools share (whose table has every
// kind of path): the FIFO that used to hang, a folder, a name to escape.
TEST_F(HostilePathTest, OpeningEndsAtOnceWithTheCauseAndChangesNothing) {
    const HostileCase cases[] = {
        {"Fifo",
         [](const std::string& folder) {
             ::mkfifo((folder + "/fifo").c_str(), 0600);
             return folder + "/fifo";
         },
         "Failed to open document. %s is not a regular file."},
        {"Device", [](const std::string&) { return std::string("/dev/zero"); },
         "Failed to open document. %s is not a regular file."},
        {"Folder",
         [](const std::string& folder) {
             ::mkdir((folder + "/folder").c_str(), 0700);
             return folder + "/folder";
         },
         "Failed to open document. %s is a directory."},
        {"LinkLoop",
         [](const std::string& folder) {
             EXPECT_EQ(::symlink("loop", (folder + "/loop").c_str()), 0);
             return folder + "/loop";
         },
         "Failed to open document. %s: Too many levels of symbolic links."},
        {"Unreadable",
         [](const std::string& folder) {
             WriteBytes(folder + "/unreadable.cvx", Bytes(37, 0));
             ::chmod((folder + "/unreadable.cvx").c_str(), 0);
             return folder + "/unreadable.cvx";
         },
         "Access to %s was denied."},
        {"LineFeedInTheName", [](const std::string& folder) { return folder + "/gone\nname.cvx"; },
         "%s was not found."},
    };
    RunningApp run;
    ASSERT_TRUE(run.started);
    const QString socketName = Text(run.app->GetOpenRequestSocket());
    for (const HostileCase& c : cases) {
        const std::string path = c.make(Folder());
        std::string shown = path;
        if (const auto feed = shown.find('\n'); feed != std::string::npos)
            shown.replace(feed, 1, "\\x0a");
        std::string message = c.message;
        message.replace(message.find("%s"), 2, shown);
        const QStringList before = Listing(files.path());
        // The program opens with an ordinary user's access, also as root.
        const FileAccessAsUser asUser;
        ASSERT_TRUE(asUser.Binds());

        // As File > Open does once its dialog has given the name.
        MessageBoxes boxes;
        QElapsedTimer clock;
        clock.start();
        {
            const Watchdog watchdog(kHangLimit, std::string("opening ") + c.name);
            EXPECT_EQ(run.app->OpenDocumentFile(path), nullptr) << c.name;
        }
        EXPECT_LT(clock.elapsed(), 5000) << c.name;
        EXPECT_EQ(boxes.texts, QStringList{QString::fromStdString(message)}) << c.name;
        EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix")) << c.name;

        // A line feed ends a request line, so such a name cannot be asked for.
        if (path.find('\n') == std::string::npos) {
            const Watchdog watchdog(kHangLimit, std::string("the open request for ") + c.name);
            EXPECT_EQ(Exchange(socketName, QByteArray::fromStdString("open " + path + "\n")),
                      QByteArray::fromStdString("error " + message + "\n"))
                << c.name;
        }
        run.Settle();
        EXPECT_TRUE(boxes.texts.size() == 1) << c.name;
        EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix")) << c.name;
        EXPECT_EQ(Listing(files.path()), before) << c.name;
    }
}

// File names are bytes: one that is not valid UTF-8 opens every way, saves
// to itself and comes back from the recent list of the next run.
TEST_F(HostilePathTest, ANameThatIsNotUtf8OpensSavesAndReopens) {
    const std::string path = Folder() + "/plot-\xff.cvx";
    {
        CCurvixDoc doc;
        doc.SetFormula("x");
        std::string error;
        ASSERT_TRUE(SaveDocumentFile(doc, path, error)) << error;
    }
    const Bytes stored = ReadBytes(path);
    const QString caption = QString::fromUtf8("plot-\xff.cvx - Curvix"); // U+FFFD for the byte
    const QByteArray url = "file://" + QByteArray::fromStdString(path).toPercentEncoding("/");
    {
        RunningApp run({path});
        ASSERT_TRUE(run.started);
        EXPECT_EQ(run.Caption(), caption);
        EXPECT_EQ(run.Formula()->text(), QStringLiteral("x"));
        const FileStamp unsaved = StampOf(path);
        run.Frame()->SendCommand(ID_FILE_SAVE);
        EXPECT_FALSE(StampOf(path) == unsaved) << "Save wrote nothing";
        EXPECT_EQ(ReadBytes(path), stored);
        EXPECT_EQ(run.Doc()->GetPathName(), path);

        run.Frame()->SendCommand(ID_FILE_NEW);
        EXPECT_TRUE(DropOn(run.Frame(), {QUrl::fromEncoded(url)}));
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.Caption() == caption; }));
        EXPECT_EQ(run.Doc()->GetPathName(), path);

        run.Frame()->SendCommand(ID_FILE_NEW);
        EXPECT_EQ(Exchange(Text(run.app->GetOpenRequestSocket()),
                           QByteArray::fromStdString("open " + path + "\n")),
                  "ok\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.Caption() == caption; }));
        EXPECT_EQ(run.Doc()->GetPathName(), path);
        EXPECT_EQ(run.app->GetRecentFileList()->Entries().front(), path);
        EXPECT_EQ(run.app->ExitInstance(), 0);
    }
    RunningApp again;
    ASSERT_TRUE(again.started);
    ASSERT_FALSE(again.app->GetRecentFileList()->Entries().empty());
    EXPECT_EQ(again.app->GetRecentFileList()->Entries().front(), path);
    again.Frame()->SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(again.Caption(), caption);
    EXPECT_EQ(again.Doc()->GetPathName(), path);
}

} // namespace
} // namespace curvix::test
