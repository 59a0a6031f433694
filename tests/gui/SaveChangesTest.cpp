// Leaving a document in every way the program offers: the question to save
// comes only for a modified document, and each answer writes or keeps the
// file and carries out or stops the action.

#include "AppTestSupport.h"
#include "OpenRequestClient.h"
#include "Resource.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

namespace curvix::test {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// What Save writes for formula with the default numbers.
QByteArray DocumentBytes(const char* formula) {
    CCurvixDoc doc;
    doc.SetFormula(formula);
    const std::string bytes = doc.StoredBytes();
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

enum class Leave { fileNew, fileOpen, recentFile, drop, openRequest, exit, close };

struct LeaveCase {
    std::string name;
    Leave way;
    QMessageBox::StandardButton answer; // NoButton: not modified, nothing may ask
};

void PrintTo(const LeaveCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveChangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [path, formula] : {std::pair{Lin(), "x"}, std::pair{Other(), "-x"}}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(DocumentBytes(formula)) > 0);
        }
    }
    QString File(const char* name) const { return files.path() + QLatin1Char('/') + name; }
    QString Lin() const { return File("lin.cvx"); }
    QString Other() const { return File("other.cvx"); }

    // Starts leaving the document in this way; the open it leads to is
    // other.cvx.
    void Start(const RunningApp& run, Leave way) const {
        CMainFrame* frame = run.Frame();
        switch (way) {
        case Leave::fileNew:
            return frame->SendCommand(ID_FILE_NEW);
        case Leave::fileOpen:
            AnswerFileDialog(Other());
            return frame->SendCommand(ID_FILE_OPEN);
        case Leave::recentFile:
            run.app->GetRecentFileList()->Add(Other().toStdString());
            return frame->SendCommand(ID_FILE_MRU_FILE1);
        case Leave::drop:
            EXPECT_TRUE(DropOn(frame, {QUrl::fromLocalFile(Other())}));
            return;
        case Leave::openRequest:
            EXPECT_TRUE(WhileProcessingEvents([&] {
                return SendOpenRequest(Other(), 5000, Text(run.app->GetOpenRequestSocket()));
            }));
            return;
        case Leave::exit:
            return frame->SendCommand(ID_APP_EXIT);
        case Leave::close:
            Window(frame)->close();
            return;
        }
    }

    static bool CarriedOut(const RunningApp& run, Leave way) {
        if (way == Leave::exit || way == Leave::close)
            return !Window(run.Frame())->isVisible();
        if (way == Leave::fileNew)
            return run.Caption() == QStringLiteral("Untitled - Curvix");
        return run.Caption() == QStringLiteral("other.cvx - Curvix") &&
               run.Doc()->GetFormula() == ExprString("-x");
    }

    SettingsFolder settings;
    QTemporaryDir files;
};

class LeaveTest : public SaveChangesTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveTest, AsksOnlyWhenModifiedAndDoesWhatTheAnswerSays) {
    const LeaveCase& c = GetParam();
    const bool modified = c.answer != QMessageBox::NoButton;
    const bool stops = c.answer == QMessageBox::Cancel;
    RunningApp run({Lin().toStdString()});
    ASSERT_TRUE(run.started);
    if (modified) {
        run.EnterFormula(QStringLiteral("x/3"));
        EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx* - Curvix"));
    }
    MessageBoxes boxes(c.answer);
    Start(run, c.way);
    // An open request is carried out later, from the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return QApplication::activeModalWidget() == nullptr &&
               (stops ? !boxes.texts.isEmpty() : CarriedOut(run, c.way));
    }));
    run.Settle();
    EXPECT_EQ(boxes.texts,
              modified ? QStringList{QStringLiteral("Save changes to lin.cvx?")} : QStringList());
    EXPECT_EQ(Bytes(Lin()), DocumentBytes(c.answer == QMessageBox::Yes ? "x/3" : "x"));
    EXPECT_EQ(CarriedOut(run, c.way), !stops);
    if (stops) {
        EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx* - Curvix"));
        EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x/3"));
    }
}

std::vector<LeaveCase> LeaveCases() {
    const std::pair<const char*, Leave> ways[] = {
        {"New", Leave::fileNew}, {"Open", Leave::fileOpen},       {"Recent", Leave::recentFile},
        {"Drop", Leave::drop},   {"Request", Leave::openRequest}, {"Exit", Leave::exit},
        {"Close", Leave::close}};
    const std::pair<const char*, QMessageBox::StandardButton> answers[] = {
        {"Unmodified", QMessageBox::NoButton},
        {"Yes", QMessageBox::Yes},
        {"No", QMessageBox::No},
        {"Cancel", QMessageBox::Cancel}};
    std::vector<LeaveCase> cases;
    for (const auto& [wayName, way] : ways)
        for (const auto& [answerName, answer] : answers)
            cases.push_back({std::string(wayName) + answerName, way, answer});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Ways, LeaveTest, ::testing::ValuesIn(LeaveCases()),
                         [](const ::testing::TestParamInfo<LeaveCase>& info) {
                             return info.param.name;
                         });

// Yes saves an untitled document as Save As does; when no save happens (the
// dialog cancelled, the document's folder gone) the window stays.
TEST_F(SaveChangesTest, YesGoesOnOnlyWhenTheDocumentWasSaved) {
    const QString gone = File("gone");
    ASSERT_TRUE(QDir().mkpath(gone) && QFile::copy(Lin(), gone + QStringLiteral("/lin.cvx")));
    const struct {
        const char* name;
        QString start;  // the document at start; empty for an untitled one
        QString saveAs; // typed into the Save As dialog; empty: cancelled
        QStringList texts;
    } cases[] = {
        {"saved as", {}, File("third"), {QStringLiteral("Save changes to Untitled?")}},
        {"dialog cancelled", {}, {}, {QStringLiteral("Save changes to Untitled?")}},
        {"folder gone",
         gone + QStringLiteral("/lin.cvx"),
         {},
         {QStringLiteral("Save changes to lin.cvx?"),
          gone + QStringLiteral("/lin.cvx was not found.")}},
    };
    for (const auto& c : cases) {
        RunningApp run(c.start.isEmpty() ? std::vector<std::string>{}
                                         : std::vector<std::string>{c.start.toStdString()});
        ASSERT_TRUE(run.started) << c.name;
        run.EnterFormula(QStringLiteral("x/3"));
        if (!c.start.isEmpty()) {
            ASSERT_TRUE(QDir(gone).removeRecursively());
        }
        MessageBoxes boxes(QMessageBox::Yes);
        if (!c.saveAs.isEmpty()) {
            AnswerFileDialog(c.saveAs);
        } else if (c.start.isEmpty()) {
            WhenModal([](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                if (dialog != nullptr)
                    dialog->reject();
                return dialog != nullptr;
            });
        }
        Window(run.Frame())->close();
        EXPECT_EQ(boxes.texts, c.texts) << c.name;
        EXPECT_EQ(Window(run.Frame())->isVisible(), c.saveAs.isEmpty()) << c.name;
        if (!c.saveAs.isEmpty()) {
            EXPECT_EQ(Bytes(c.saveAs + QStringLiteral(".cvx")), DocumentBytes("x/3"));
        }
    }
}

// An open request that comes while the question is up waits for the answer
// and the action that asked, then opens: its sender was told it would.
TEST_F(SaveChangesTest, AnOpenRequestDuringTheQuestionOpensOnceItIsAnswered) {
    RunningApp run({Lin().toStdString()});
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x/3"));
    bool asked = false;
    bool accepted = false;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr || std::exchange(asked, true)) // the timer fires again inside
            return false;
        EXPECT_EQ(box->text(), QStringLiteral("Save changes to lin.cvx?"));
        accepted = WhileProcessingEvents(
            [&] { return SendOpenRequest(Other(), 5000, Text(run.app->GetOpenRequestSocket())); });
        box->button(QMessageBox::No)->click();
        return true;
    });
    run.Frame()->SendCommand(ID_FILE_NEW);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(QTest::qWaitFor([&] { return CarriedOut(run, Leave::fileOpen); }));
    EXPECT_EQ(Bytes(Lin()), DocumentBytes("x"));
}

// Modified means differing from the file: the double click that turns a
// drag back unmarks the document. Save still writes an unmodified one.
TEST_F(SaveChangesTest, TurningBackUnmarksTheDocumentAndSaveStillWrites) {
    RunningApp run({Lin().toStdString()});
    ASSERT_TRUE(run.started);
    const QPoint at = Widget(run.View())->rect().center();
    QTest::mousePress(Widget(run.View()), Qt::LeftButton, {}, at);
    QTest::mouseMove(Widget(run.View()), at + QPoint(20, 0));
    QTest::mouseRelease(Widget(run.View()), Qt::LeftButton, {}, at + QPoint(20, 0));
    run.Settle();
    EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx* - Curvix"));
    QTest::mouseDClick(Widget(run.View()), Qt::LeftButton, {}, at);
    QTest::mouseRelease(Widget(run.View()), Qt::LeftButton, {}, at);
    run.Settle();
    EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx - Curvix"));
    ASSERT_TRUE(QFile::remove(Lin()));
    run.Frame()->SendCommand(ID_FILE_SAVE);
    EXPECT_EQ(Bytes(Lin()), DocumentBytes("x"));
}

// A document named on the command line, or in the first request after
// "/dde", shows the curve File > Open shows, with no Draw; and typing right
// after the start goes into the formula field.
TEST_F(SaveChangesTest, AtStartTheCurveIsDrawnAndTheFormulaFieldHasTheFocus) {
    QImage opened;
    {
        RunningApp run;
        ASSERT_TRUE(run.started);
        ASSERT_EQ(QApplication::focusWidget(), run.Formula());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(run.Doc()->GetFormula(), ExprString("-x"));
        MessageBoxes boxes(QMessageBox::No);
        AnswerFileDialog(Lin());
        run.Frame()->SendCommand(ID_FILE_OPEN);
        opened = run.Grab();
        ASSERT_TRUE(run.GreenNear(opened, 5, 5));
    }
    for (const std::string& argument : {Lin().toStdString(), std::string("/dde")}) {
        RunningApp run({argument});
        ASSERT_TRUE(run.started);
        if (argument == "/dde") {
            EXPECT_TRUE(WhileProcessingEvents([&] {
                return SendOpenRequest(Lin(), 5000, Text(run.app->GetOpenRequestSocket()));
            }));
            ASSERT_TRUE(QTest::qWaitFor([&] { return run.Frame() != nullptr; }, 15000));
            EXPECT_TRUE(QTest::qWaitForWindowExposed(Window(run.Frame())));
        }
        EXPECT_EQ(run.Caption(), QStringLiteral("lin.cvx - Curvix"));
        EXPECT_EQ(run.Grab(), opened) << argument;
    }
}

} // namespace
} // namespace curvix::test
