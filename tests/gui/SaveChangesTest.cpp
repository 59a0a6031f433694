// Leaving a document in every way the program offers, with and without
// changes: the question to save comes only for a modified document, and each
// answer writes or keeps the file and carries out or stops the action.

#include "AppTestSupport.h"
#include "OpenRequestClient.h"
#include "Resource.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// The bytes Save writes for formula with the default numbers.
QByteArray DocumentBytes(const char* formula) {
    CCurvixDoc doc;
    doc.SetFormula(formula);
    const std::string bytes = doc.StoredBytes();
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

void WriteDocument(const QString& path, const char* formula) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(DocumentBytes(formula));
}

enum class Leave { fileNew, fileOpen, recentFile, drop, openRequest, exit, close };
// None: the document is not modified, so nothing may ask.
enum class Answer { none, yes, no, cancel };

struct LeaveCase {
    std::string name;
    Leave way;
    Answer answer;
};

void PrintTo(const LeaveCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveChangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDocument(Lin(), "x");
        WriteDocument(Other(), "-x");
    }
    QString File(const char* name) const { return files.path() + QLatin1Char('/') + name; }
    QString Lin() const { return File("lin.cvx"); }
    QString Other() const { return File("other.cvx"); }

    SettingsFolder settings;
    QTemporaryDir files;
};

class LeaveDocumentTest : public SaveChangesTest, public ::testing::WithParamInterface<LeaveCase> {
protected:
    // Starts leaving lin.cvx in this way.
    static void Start(const RunningApp& run, Leave way, const QString& other) {
        switch (way) {
        case Leave::fileNew:
            run.Frame()->SendCommand(ID_FILE_NEW);
            break;
        case Leave::fileOpen:
            AnswerFileDialog(other);
            run.Frame()->SendCommand(ID_FILE_OPEN);
            break;
        case Leave::recentFile:
            run.app->GetRecentFileList()->Add(other.toStdString());
            run.Frame()->SendCommand(ID_FILE_MRU_FILE1);
            break;
        case Leave::drop:
            EXPECT_TRUE(DropOn(run.Frame(), {QUrl::fromLocalFile(other)}));
            break;
        case Leave::openRequest:
            EXPECT_TRUE(WhileProcessingEvents(
                [&] { return SendOpenRequest(other, 5000, run.app->GetOpenRequestSocket()); }));
            break;
        case Leave::exit:
            run.Frame()->SendCommand(ID_APP_EXIT);
            break;
        case Leave::close:
            run.Frame()->close();
            break;
        }
    }

    // Whether the way of leaving has been carried out.
    static bool CarriedOut(const RunningApp& run, Leave way) {
        switch (way) {
        case Leave::fileNew:
            return run.Caption() == QStringLiteral("Untitled - Curvix");
        case Leave::exit:
        case Leave::close:
            return !run.Frame()->isVisible();
        default:
            return run.Caption() == QStringLiteral("other.cvx - Curvix") &&
                   run.Doc()->GetFormula() == ExprString("-x");
        }
    }
};

TEST_P(LeaveDocumentTest, AsksOnlyWhenModifiedAndDoesWhatTheAnswerSays) {
    const LeaveCase& c = GetParam();
    const QByteArray original = Bytes(Lin());
    RunningApp run({Lin().toStdString()});
    ASSERT_TRUE(run.started);
    if (c.answer != Answer::none) {
        run.EnterFormula(QStringLiteral("x/3"));
        EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx* - Curvix"));
    }
    const QMessageBox::StandardButton button = c.answer == Answer::yes  ? QMessageBox::Yes
                                               : c.answer == Answer::no ? QMessageBox::No
                                                                        : QMessageBox::Cancel;
    MessageBoxes boxes(button);
    Start(run, c.way, Other());
    // An open request is carried out later, from the event loop.
    const bool stops = c.answer == Answer::cancel;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return QApplication::activeModalWidget() == nullptr &&
               (stops ? !boxes.texts.isEmpty() : CarriedOut(run, c.way));
    }));
    run.Settle();

    if (c.answer == Answer::none)
        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(QLatin1Char('|')).toStdString();
    else
        EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Save changes to lin.cvx?")});
    EXPECT_EQ(Bytes(Lin()), c.answer == Answer::yes ? DocumentBytes("x/3") : original);

    EXPECT_EQ(CarriedOut(run, c.way), !stops);
    if (stops) {
        EXPECT_TRUE(run.Frame()->isVisible());
        EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx* - Curvix"));
        EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x/3"));
    }
}

std::vector<LeaveCase> LeaveCases() {
    struct Way {
        const char* name;
        Leave way;
    };
    const Way ways[] = {{"New", Leave::fileNew},         {"Open", Leave::fileOpen},
                        {"Recent", Leave::recentFile},   {"Drop", Leave::drop},
                        {"Request", Leave::openRequest}, {"Exit", Leave::exit},
                        {"Close", Leave::close}};
    const std::pair<const char*, Answer> answers[] = {{"Unmodified", Answer::none},
                                                      {"Yes", Answer::yes},
                                                      {"No", Answer::no},
                                                      {"Cancel", Answer::cancel}};
    std::vector<LeaveCase> cases;
    for (const Way& way : ways) {
        for (const auto& [answerName, answer] : answers)
            cases.push_back({std::string(way.name) + answerName, way.way, answer});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Rows, LeaveDocumentTest, ::testing::ValuesIn(LeaveCases()),
                         [](const ::testing::TestParamInfo<LeaveCase>& info) {
                             return info.param.name;
                         });

// Yes for an untitled document is Save As; the action goes on only when the
// document was saved.
TEST_F(SaveChangesTest, YesForAnUntitledDocumentSavesAsAndACancelledDialogKeepsTheWindow) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x/3"));
    EXPECT_EQ(run.Caption(), QStringLiteral("Untitled* - Curvix"));
    {
        MessageBoxes boxes(QMessageBox::Yes);
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog != nullptr)
                dialog->reject();
            return dialog != nullptr;
        });
        run.Frame()->close();
        EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Save changes to Untitled?")});
    }
    EXPECT_TRUE(run.Frame()->isVisible());
    EXPECT_EQ(run.Caption(), QStringLiteral("Untitled* - Curvix"));

    MessageBoxes boxes(QMessageBox::Yes);
    AnswerFileDialog(File("third"));
    run.Frame()->close();
    EXPECT_FALSE(run.Frame()->isVisible());
    EXPECT_EQ(Bytes(File("third.cvx")), DocumentBytes("x/3"));
}

// A save that fails after Yes is reported and stops the action.
TEST_F(SaveChangesTest, AFailedSaveAfterYesIsReportedAndKeepsTheDocument) {
    const QString folder = File("gone");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/lin.cvx");
    WriteDocument(path, "x");
    RunningApp run({path.toStdString()});
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x/3"));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    MessageBoxes boxes(QMessageBox::Yes);
    run.Frame()->SendCommand(ID_FILE_NEW);
    EXPECT_EQ(boxes.texts,
              (QStringList{QStringLiteral("Save changes to lin.cvx?"), path + " was not found."}));
    EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx* - Curvix"));
    EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x/3"));
}

// Modified means differing from the file: a drag marks the document, the
// double click that turns it back unmarks it, and Save still writes an
// unmodified document.
TEST_F(SaveChangesTest, TurningBackMakesTheDocumentUnmodifiedAndSaveStillWrites) {
    RunningApp run({Lin().toStdString()});
    ASSERT_TRUE(run.started);
    CCurvixView* view = run.View();
    const QPoint at = view->rect().center();
    QTest::mousePress(view, Qt::LeftButton, {}, at);
    QTest::mouseMove(view, at + QPoint(20, 0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at + QPoint(20, 0));
    run.Settle();
    EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx* - Curvix"));
    QTest::mouseDClick(view, Qt::LeftButton, {}, at);
    QTest::mouseRelease(view, Qt::LeftButton, {}, at);
    run.Settle();
    EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx - Curvix"));

    ASSERT_TRUE(QFile::remove(Lin()));
    run.Frame()->SendCommand(ID_FILE_SAVE);
    EXPECT_EQ(Bytes(Lin()), DocumentBytes("x"));
    MessageBoxes boxes;
    run.Frame()->SendCommand(ID_FILE_NEW);
    EXPECT_TRUE(boxes.texts.isEmpty());
}

// A document named on the command line, or in the first request after
// "/dde", shows its curve without a Draw, as File > Open shows it.
TEST_F(SaveChangesTest, ADocumentOpenedAtStartShowsTheCurveFileOpenShows) {
    QImage opened;
    {
        RunningApp run;
        ASSERT_TRUE(run.started);
        AnswerFileDialog(Lin());
        run.Frame()->SendCommand(ID_FILE_OPEN);
        ASSERT_EQ(run.Caption(), QStringLiteral("lin.cvx - Curvix"));
        opened = run.Grab();
        ASSERT_TRUE(run.GreenNear(opened, 5, 5));
    }
    {
        RunningApp run({Lin().toStdString()});
        ASSERT_TRUE(run.started);
        EXPECT_EQ(run.View()->GetVertices().Size(), 400U);
        EXPECT_EQ(run.Status(), QStringLiteral("Ready"));
        EXPECT_EQ(run.Grab(), opened);
    }
    RunningApp run({"/dde"});
    ASSERT_TRUE(run.started);
    EXPECT_TRUE(WhileProcessingEvents(
        [&] { return SendOpenRequest(Lin(), 5000, run.app->GetOpenRequestSocket()); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.Frame() != nullptr; }, 15000));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(run.Frame()));
    EXPECT_EQ(run.Grab(), opened);
}

// Typing right after the start goes into the formula field.
TEST_F(SaveChangesTest, TheFormulaFieldHasTheFocusAtStart) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_EQ(focus, run.Formula());
    QTest::keyClicks(focus, QStringLiteral("x"));
    QTest::keyClick(focus, Qt::Key_Return);
    run.Settle();
    EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x"));
    EXPECT_TRUE(run.GreenNear(run.Grab(), 5, 5));
}

} // namespace
} // namespace curvix::test
