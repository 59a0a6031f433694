// The program as the desktop and other programs start and talk to it: every
// kind of command line, open requests on its socket, and dropped files.

#include "AppTestSupport.h"
#include "FileStamp.h"
#include "OpenRequestClient.h"
#include "OpenRequestServer.h"
#include "Resource.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

constexpr char kUnregistered[] =
    "System registry entries have been removed and the INI file (if any) was deleted.";

// Counts the frame windows that are shown while it lives.
class FrameShows : public QObject {
public:
    FrameShows() { qApp->installEventFilter(this); }
    ~FrameShows() override { qApp->removeEventFilter(this); }

    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && dynamic_cast<FrameWindowQt*>(watched) != nullptr)
            ++count;
        return false;
    }
};

QByteArray Exchange(const QString& socketName, const QByteArray& bytes) {
    return WhileProcessingEvents(
        [socketName, bytes] { return ExchangeWithServer(socketName, bytes); });
}

bool RequestOpen(const QString& socketName, const QString& path) {
    return WhileProcessingEvents(
        [socketName, path] { return SendOpenRequest(path, 5000, socketName); });
}

QString DataHome() {
    return qEnvironmentVariable("XDG_DATA_HOME");
}

QString DesktopEntryPath() {
    return DataHome() + QStringLiteral("/applications/org.quenmark.Curvix.desktop");
}

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDocument(Doc(), "x");
        WriteDocument(Old(), "x");
        QFile broken(Broken());
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("xx") == 2);
        QSettings stored(settings.ConfigFile(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("Recent File List/File1"), Old());
    }

    QString File(const char* name) const { return files.path() + QLatin1Char('/') + name; }
    QString Doc() const { return File("doc.cvx"); }
    QString Old() const { return File("old.cvx"); }
    QString Missing() const { return File("missing.cvx"); }
    // A file too short for a document: it opens, and its load fails.
    QString Broken() const { return File("broken.cvx"); }

    static void WriteDocument(const QString& path, const char* formula) {
        CCurvixDoc doc;
        doc.SetFormula(formula);
        std::string error;
        ASSERT_TRUE(SaveDocumentFile(doc, path.toStdString(), error)) << error;
    }

    // File1 of the stored recent-file list; "(no settings)" when the
    // settings file is gone.
    QString StoredRecentFile() const {
        if (!QFile::exists(settings.ConfigFile()))
            return QStringLiteral("(no settings)");
        QSettings stored(settings.ConfigFile(), QSettings::IniFormat);
        return stored.value(QStringLiteral("Recent File List/File1")).toString();
    }

    SettingsFolder settings;
    QTemporaryDir files;
};

// One command line: what the program does with it, and what it leaves.
struct CommandLineCase {
    const char* name;
    std::vector<std::string> arguments; // "DOC", "MISSING" stand for files
    bool runs;                          // goes on to the event loop
    bool frameShown;
    int exitCode;
    const char* message;    // the end of the one message box's text, or none
    const char* recentFile; // File1 stored at exit: "DOC", "OLD", or "GONE"
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandLineTest : public AppShellTest,
                        public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineTest, StartsRunsAndEndsAsTheCommandLineSays) {
    const CommandLineCase& c = GetParam();
    std::vector<std::string> arguments;
    for (const std::string& argument : c.arguments) {
        arguments.push_back(argument == "DOC"       ? Doc().toStdString()
                            : argument == "MISSING" ? Missing().toStdString()
                                                    : argument);
    }
    FrameShows shows;
    MessageBoxes boxes;
    {
        RunningApp run(arguments);
        EXPECT_EQ(run.started, c.runs);
        QTest::qWait(50);
        EXPECT_EQ(shows.count > 0, c.frameShown);
        EXPECT_EQ(run.app->ExitInstance(), c.exitCode);
    }
    if (c.message == nullptr) {
        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('|').toStdString();
    } else {
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_TRUE(boxes.texts[0].endsWith(QLatin1String(c.message)))
            << boxes.texts[0].toStdString();
    }
    const std::string recent = c.recentFile;
    const QString expected = recent == "DOC"   ? Doc()
                             : recent == "OLD" ? Old()
                                               : QStringLiteral("(no settings)");
    EXPECT_EQ(StoredRecentFile(), expected);
    // Registration runs at every start; unregistering takes it away.
    EXPECT_EQ(QFile::exists(DesktopEntryPath()), recent != "GONE");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"Empty", {}, true, true, 0, nullptr, "OLD"},
        CommandLineCase{"FileName", {"DOC"}, true, true, 0, nullptr, "DOC"},
        CommandLineCase{
            "MissingFile", {"MISSING"}, false, false, 1, "missing.cvx was not found.", "OLD"},
        CommandLineCase{"Print", {"/p", "DOC"}, false, false, 0, nullptr, "DOC"},
        CommandLineCase{"PrintDash", {"-p", "DOC"}, false, false, 0, nullptr, "DOC"},
        CommandLineCase{"PrintTo",
                        {"/pt", "DOC", "Printer", "Driver", "Port"},
                        false,
                        false,
                        0,
                        nullptr,
                        "DOC"},
        CommandLineCase{"PrintMissing",
                        {"/p", "MISSING"},
                        false,
                        false,
                        1,
                        "missing.cvx was not found.",
                        "OLD"},
        CommandLineCase{"UpperCasePIsNoSwitch", {"/P", "DOC"}, true, true, 0, nullptr, "DOC"},
        CommandLineCase{"Dde", {"/dde"}, true, false, 0, nullptr, "OLD"},
        CommandLineCase{"Unregister", {"/Unregister"}, false, false, 0, kUnregistered, "GONE"},
        CommandLineCase{"UnregserverEmbedded",
                        {"-UNREGSERVER", "/Embedding"},
                        false,
                        false,
                        0,
                        nullptr,
                        "GONE"},
        CommandLineCase{
            "UnregisterAnyCase", {"/unregister", "-eMbEdDiNg"}, false, false, 0, nullptr, "GONE"}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(AppShellTest, AStartRegistersThisProgramForCvxDocuments) {
    QFile::remove(DesktopEntryPath());
    RunningApp run;
    ASSERT_TRUE(run.started);
    QFile entry(DesktopEntryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    EXPECT_TRUE(
        text.contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" %f\n"))
        << text.toStdString();
    EXPECT_TRUE(QFile::exists(DataHome() + QStringLiteral("/mime/packages/curvix-document.xml")));
    QFile mimeApps(settings.Path() + QStringLiteral("/mimeapps.list"));
    ASSERT_TRUE(mimeApps.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        mimeApps.readAll().contains("application/x-curvix-document=org.quenmark.Curvix.desktop;"));
}

TEST_F(AppShellTest, ARunningProgramOpensARequestedDocumentAsFileOpenWould) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    const QString socketName = Text(run.app->GetOpenRequestSocket());
    ASSERT_FALSE(socketName.isEmpty());
    EXPECT_TRUE(RequestOpen(socketName, Doc()));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return run.Caption() == QStringLiteral("doc.cvx - Curvix"); }));
    // The main window exists, so the load draws the curve at once.
    EXPECT_EQ(run.View()->GetVertices().Size(), 400U);
    EXPECT_TRUE(run.GreenNear(run.Grab(), 5, 5));
    EXPECT_EQ(run.app->GetRecentFileList()->Entries().front(), Doc().toStdString());
}

// A request that arrives while the previous one's message box is up waits
// until that open is over: after "dde", the failed first open drops its
// frame before the second one makes the window.
TEST_F(AppShellTest, ARequestDuringAnotherOpenWaitsItsTurn) {
    RunningApp run({"/dde"});
    ASSERT_TRUE(run.started);
    const QString socketName = Text(run.app->GetOpenRequestSocket());
    QString firstMessage;
    bool secondAccepted = false;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr)
            return false;
        firstMessage = box->text();
        secondAccepted = RequestOpen(socketName, Doc());
        box->accept();
        return true;
    });
    EXPECT_TRUE(RequestOpen(socketName, Broken()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.Frame() != nullptr; }, 15000));
    EXPECT_TRUE(secondAccepted);
    EXPECT_EQ(firstMessage, QStringLiteral("Unexpected file format."));
    EXPECT_FALSE(run.app->HasEnded());
    ASSERT_NE(run.Frame(), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Window(run.Frame())));
    EXPECT_EQ(run.Caption(), QStringLiteral("doc.cvx - Curvix"));
    EXPECT_EQ(run.app->GetDocTemplate()->GetFrame(), run.Frame());
}

// A request that is not "open <absolute path>\n" within the length limit
// is dropped unanswered, and nothing is opened.
TEST_F(AppShellTest, MalformedRequestsAreIgnored) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    const QString socketName = Text(run.app->GetOpenRequestSocket());
    const QByteArray doc = Doc().toUtf8();
    const QList<QByteArray> requests = {
        "open doc.cvx\n",
        "print " + doc + "\n",
        "OPEN " + doc + "\n",
        "open " + doc + QByteArray("\0x\n", 3),
        "open /" + QByteArray(kOpenRequestMaxLength, 'a') + "\n",
        "\n",
    };
    for (const QByteArray& request : requests) {
        EXPECT_EQ(Exchange(socketName, request), QByteArray()) << request.left(40).toStdString();
        run.Settle();
        EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix"));
    }
    EXPECT_EQ(run.app->GetRecentFileList()->Entries().front(), Old().toStdString());
    // The server still answers a good request afterwards.
    EXPECT_EQ(Exchange(socketName, "open " + doc + "\n"), QByteArray("ok\n"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return run.Caption() == QStringLiteral("doc.cvx - Curvix"); }));
}

TEST_F(AppShellTest, DdeOpensTheFirstRequestedDocumentInANewShownFrame) {
    FrameShows shows;
    RunningApp run({"/dde"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.Frame(), nullptr);
    EXPECT_TRUE(RequestOpen(Text(run.app->GetOpenRequestSocket()), Doc()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.Frame() != nullptr; }, 15000));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Window(run.Frame())));
    EXPECT_EQ(shows.count, 1);
    EXPECT_EQ(run.Caption(), QStringLiteral("doc.cvx - Curvix"));
    EXPECT_EQ(AfxGetMainWnd(), run.Frame());
    EXPECT_TRUE(Window(run.Frame())->acceptDrops());
    EXPECT_FALSE(run.app->HasEnded());
    // A second request reuses the frame.
    EXPECT_TRUE(RequestOpen(Text(run.app->GetOpenRequestSocket()), Old()));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return run.Caption() == QStringLiteral("old.cvx - Curvix"); }));
    EXPECT_EQ(shows.count, 1);
}

TEST_F(AppShellTest, DdeEndsByItselfWhenNoRequestComes) {
    auto app = std::make_unique<CCurvixApp>();
    app->SetCommandLine({"/dde"});
    app->SetShellOpenTimeout(300);
    ASSERT_TRUE(app->InitInstance());
    EXPECT_FALSE(app->HasEnded());
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->HasEnded(); }, 5000));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(app->ExitInstance(), 0);
}

TEST_F(AppShellTest, DdeEndsAsAFailedStartWhenTheRequestedDocumentCannotOpen) {
    MessageBoxes boxes;
    RunningApp run({"/dde"});
    ASSERT_TRUE(run.started);
    // A file that cannot be read is refused to the requester; the program
    // goes on waiting.
    const QString socketName = Text(run.app->GetOpenRequestSocket());
    EXPECT_EQ(Exchange(socketName, "open " + Missing().toUtf8() + "\n"),
              "error " + Missing().toUtf8() + " was not found.\n");
    run.Settle();
    EXPECT_FALSE(run.app->HasEnded());
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_TRUE(RequestOpen(socketName, Broken()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.app->HasEnded(); }));
    EXPECT_EQ(run.Frame(), nullptr);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("Unexpected file format."));
    EXPECT_EQ(run.app->ExitInstance(), 1);
}

TEST_F(AppShellTest, DdeFailsAtOnceWhenAnotherInstanceReceivesTheRequests) {
    COpenRequestServer other([](const std::string&) {});
    ASSERT_TRUE(other.Listen(OpenRequestSocketName(QStringLiteral("curvix"))));
    RunningApp run({"/dde"});
    EXPECT_FALSE(run.started);
    EXPECT_EQ(run.app->ExitInstance(), 1);
}

TEST_F(AppShellTest, DroppedFilesOpenInTurnAndTheLastStaysOpen) {
    const QString second = File("second.cvx");
    WriteDocument(second, "x");
    RunningApp run;
    ASSERT_TRUE(run.started);
    MessageBoxes boxes;
    EXPECT_TRUE(DropOn(run.Frame(), {QUrl::fromLocalFile(Doc()), QUrl::fromLocalFile(Missing()),
                                     QUrl::fromLocalFile(second)}));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return run.Caption() == QStringLiteral("second.cvx - Curvix"); }));
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].endsWith(QStringLiteral("missing.cvx was not found.")));
    const std::vector<std::string> recent = run.app->GetRecentFileList()->Entries();
    ASSERT_GE(recent.size(), 2U);
    EXPECT_EQ(recent[0], second.toStdString());
    EXPECT_EQ(recent[1], Doc().toStdString());
    EXPECT_EQ(run.View()->GetVertices().Size(), 400U);
}

TEST_F(AppShellTest, ADragWithoutLocalFilesIsRefused) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(DropOn(run.Frame(), {QUrl(QStringLiteral("https://example.org/doc.cvx"))}));
    run.Settle();
    EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix"));
}

// Every way of opening a document puts its formula into the formula bar, so
// that Tab, Enter (Draw) and Ctrl+S draw the document's own curve and write
// the file back byte for byte.
enum class OpenWay { commandLine, fileOpen, recentFile, drop, openRequest, dde };

struct OpenWayCase {
    const char* name;
    OpenWay way;
};

void PrintTo(const OpenWayCase& c, std::ostream* os) {
    *os << c.name;
}

class OpenWayTest : public AppShellTest, public ::testing::WithParamInterface<OpenWayCase> {
protected:
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_P(OpenWayTest, TheBarShowsTheLoadedFormulaAndDrawAndSaveKeepIt) {
    const OpenWay way = GetParam().way;
    const QString path = File("kept.cvx");
    {
        CCurvixDoc doc;
        doc.SetFormula("x");
        doc.GetRotation()[1] = 33.25F; // turns nothing that is drawn
        doc.GetRange()[0] = -9.87654F;
        std::string error;
        ASSERT_TRUE(SaveDocumentFile(doc, path.toStdString(), error)) << error;
    }
    const QByteArray original = Bytes(path);
    const FileStamp unsaved = StampOf(path.toStdString());
    std::vector<std::string> arguments;
    if (way == OpenWay::commandLine)
        arguments.push_back(path.toStdString());
    if (way == OpenWay::dde)
        arguments.emplace_back("/dde");
    RunningApp run(arguments);
    ASSERT_TRUE(run.started);
    if (way != OpenWay::commandLine && way != OpenWay::dde) {
        // Another curve and another text in the bar before the open.
        run.EnterFormula(QStringLiteral("-x"));
        ASSERT_TRUE(run.GreenNear(run.Grab(), 5, -5));
    }
    MessageBoxes boxes(QMessageBox::No); // the untitled curve is not saved
    switch (way) {
    case OpenWay::commandLine:
        break;
    case OpenWay::fileOpen:
        AnswerFileDialog(path);
        run.Frame()->SendCommand(ID_FILE_OPEN);
        break;
    case OpenWay::recentFile:
        run.app->GetRecentFileList()->Add(path.toStdString());
        run.Frame()->SendCommand(ID_FILE_MRU_FILE1);
        break;
    case OpenWay::drop:
        EXPECT_TRUE(DropOn(run.Frame(), {QUrl::fromLocalFile(path)}));
        break;
    case OpenWay::openRequest:
    case OpenWay::dde:
        EXPECT_TRUE(RequestOpen(Text(run.app->GetOpenRequestSocket()), path));
        ASSERT_TRUE(QTest::qWaitFor([&] { return run.Frame() != nullptr; }, 15000));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Window(run.Frame())));
        break;
    }
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return run.Caption() == QStringLiteral("kept.cvx - Curvix"); }));
    EXPECT_EQ(run.Formula()->text(), QStringLiteral("x"));

    Window(run.Frame())->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window(run.Frame())));
    run.Formula()->setFocus();
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Tab), QKeyCombination(Qt::Key_Return),
                                      QKeyCombination(Qt::ControlModifier, Qt::Key_S)}) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key.key(), key.keyboardModifiers());
    }
    EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x"));
    const QImage image = run.Grab();
    EXPECT_TRUE(run.GreenNear(image, 5, 5));
    EXPECT_FALSE(run.GreenNear(image, 5, -5));
    EXPECT_FALSE(StampOf(path.toStdString()) == unsaved) << "Ctrl+S wrote nothing";
    EXPECT_EQ(Bytes(path), original);
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenWayTest,
                         ::testing::Values(OpenWayCase{"CommandLine", OpenWay::commandLine},
                                           OpenWayCase{"FileOpen", OpenWay::fileOpen},
                                           OpenWayCase{"RecentFile", OpenWay::recentFile},
                                           OpenWayCase{"Drop", OpenWay::drop},
                                           OpenWayCase{"OpenRequest", OpenWay::openRequest},
                                           OpenWayCase{"Dde", OpenWay::dde}),
                         [](const ::testing::TestParamInfo<OpenWayCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace curvix::test
