// The whole program as a user works it: started as main() starts it, driven
// by keys, the mouse and its real dialogs, checked on the pixels the X
// server shows and on the files and settings it writes.

#include "AppTestSupport.h"
#include "Archive.h"
#include "Resource.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

float FloatAt(const QByteArray& bytes, qsizetype offset) {
    float value = 0;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

// Records the next message box's text and presses its OK.
void AnswerMessageBox(QString* caption, QString* text) {
    WhenModal([caption, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr)
            return false;
        *caption = box->windowTitle();
        *text = box->text();
        box->accept();
        return true;
    });
}

class AppEndToEndTest : public ::testing::Test {
protected:
    QString File(const char* name) const { return files.path() + QLatin1Char('/') + name; }

    // A document file written by the program's own document code.
    void WriteDocument(const QString& path, const char* formula, float firstAngle = 0) {
        CCurvixDoc doc;
        doc.SetFormula(formula);
        doc.GetRotation()[0] = firstAngle;
        std::string error;
        ASSERT_TRUE(SaveDocumentFile(doc, path.toStdString(), error)) << error;
    }

    SettingsFolder settings;
    QTemporaryDir files;
};

TEST_F(AppEndToEndTest, StartsUntitledWithTheDefaultsAndShowsTheAxes) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix"));
    EXPECT_EQ(run.Status(), QStringLiteral("Ready"));
    CCurvixDoc* doc = run.Doc();
    EXPECT_EQ(doc->GetHalfExtents()[0], 10.0F);
    EXPECT_EQ(doc->GetRange()[0], -10.0F);
    EXPECT_EQ(*run.Doc()->GetStep(), 0.1F);
    const QImage image = run.Grab();
    EXPECT_TRUE(run.GreenNear(image, 0, 5));  // y axis
    EXPECT_TRUE(run.GreenNear(image, 5, 0));  // x axis
    EXPECT_FALSE(run.GreenNear(image, 5, 5)); // no curve yet
}

TEST_F(AppEndToEndTest, EnterInTheFormulaBarDrawsTheCurve) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x"));
    EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x"));
    EXPECT_EQ(run.View()->GetVertices().Size(), 400U);
    EXPECT_EQ(run.Status(), QStringLiteral("Ready"));
    const QImage image = run.Grab();
    EXPECT_TRUE(run.GreenNear(image, 5, 5));
    EXPECT_TRUE(run.GreenNear(image, -5, -5));
    EXPECT_FALSE(run.GreenNear(image, 5, -5));
}

TEST_F(AppEndToEndTest, TheSineExampleDrawsInDegrees) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("sin(x)*5"));
    EXPECT_EQ(run.Status(), QStringLiteral("Ready"));
    const QImage image = run.Grab();
    // 5 sin(9 degrees) = 0.78; the curve rises to the right of the y axis.
    EXPECT_TRUE(run.GreenNear(image, 9, 0.78));
    EXPECT_FALSE(run.GreenNear(image, 9, -0.78));
    EXPECT_TRUE(run.GreenNear(image, -9, -0.78));
    // For a look at the whole window, e.g. as a CI artifact.
    const QByteArray folder = qgetenv("CURVIX_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        Window(run.Frame())
            ->screen()
            ->grabWindow(Window(run.Frame())->winId())
            .save(QString::fromLocal8Bit(folder) + QStringLiteral("/curvix-sine.png"));
    }
}

TEST_F(AppEndToEndTest, DraggingTurnsTheSceneOneDegreePerPixelAndIsSaved) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x"));
    CCurvixView* view = run.View();
    const QPoint start = Widget(view)->rect().center();
    QTest::mousePress(Widget(view), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 3; ++step)
        QTest::mouseMove(Widget(view), start + QPoint(10 * step, step * 10 / 3));
    QTest::mouseMove(Widget(view), start + QPoint(30, 10));
    QTest::mouseRelease(Widget(view), Qt::LeftButton, {}, start + QPoint(30, 10));
    const float* rotation = run.Doc()->GetRotation();
    EXPECT_EQ(rotation[0], -30.0F);
    EXPECT_EQ(rotation[1], 0.0F);
    EXPECT_EQ(rotation[2], 10.0F);

    // (5, 5) turned by -30 degrees about x, then 10 about z.
    const QImage image = run.Grab();
    EXPECT_TRUE(run.GreenNear(image, 4.172, 5.132));
    EXPECT_FALSE(run.GreenNear(image, 5, 5));

    const QString path = File("turned");
    AnswerFileDialog(path);
    run.Frame()->SendCommand(ID_FILE_SAVE_AS);
    const QByteArray bytes = ReadFile(path + QStringLiteral(".cvx"));
    ASSERT_EQ(bytes.size(), 38);
    EXPECT_EQ(FloatAt(bytes, 14), -30.0F);
    EXPECT_EQ(FloatAt(bytes, 22), 10.0F);
    EXPECT_EQ(run.Caption(), QStringLiteral("turned.cvx - Curvix"));
}

TEST_F(AppEndToEndTest, DragKeepsTurningOutsideTheWindow) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    CCurvixView* view = run.View();
    QTest::mousePress(Widget(view), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(Widget(view), QPoint(-15, -40));
    QTest::mouseRelease(Widget(view), Qt::LeftButton, {}, QPoint(-15, -40));
    EXPECT_EQ(run.Doc()->GetRotation()[0], 35.0F);
    EXPECT_EQ(run.Doc()->GetRotation()[2], -60.0F);
}

TEST_F(AppEndToEndTest, DoubleClickResetsAllAnglesAndStartsNoDrag) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x"));
    float* rotation = run.Doc()->GetRotation();
    rotation[0] = 40;
    rotation[1] = 7;
    rotation[2] = -20;
    CCurvixView* view = run.View();
    const QPoint at = Widget(view)->rect().center();
    // The first click of the pair, then the second press as Qt reports it.
    QTest::mousePress(Widget(view), Qt::LeftButton, {}, at);
    QTest::mouseRelease(Widget(view), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Widget(view), Qt::LeftButton, {}, at);
    QTest::mouseMove(Widget(view), at + QPoint(25, 25));
    EXPECT_EQ(rotation[0], 0.0F);
    EXPECT_EQ(rotation[1], 0.0F);
    EXPECT_EQ(rotation[2], 0.0F);
    QTest::mouseRelease(Widget(view), Qt::LeftButton, {}, at + QPoint(25, 25));
    EXPECT_TRUE(run.GreenNear(run.Grab(), 5, 5));
}

TEST_F(AppEndToEndTest, SaveAsThenOpenRecomputesFromTheLoadedFormula) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x"));
    const QString path = File("line.cvx");
    AnswerFileDialog(path);
    run.Frame()->SendCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadFile(path).size(), 37 + 1);

    run.EnterFormula(QStringLiteral("-x"));
    EXPECT_TRUE(run.GreenNear(run.Grab(), 5, -5));

    MessageBoxes boxes(QMessageBox::No); // the changed formula is not saved
    AnswerFileDialog(path);
    run.Frame()->SendCommand(ID_FILE_OPEN);
    run.Settle();
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Save changes to line.cvx?")});
    // The dialogs' state is not in the QtProject.conf all Qt programs share,
    // and per-user settings opened afterwards are in the home again.
    const QString shared =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QtProject"))
            .fileName();
    EXPECT_EQ(shared, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                          QStringLiteral("/QtProject.conf"));
    EXPECT_FALSE(QFileInfo::exists(shared));
    EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x"));
    // The bar shows the loaded formula, so the next Draw keeps it.
    EXPECT_EQ(run.Formula()->text(), QStringLiteral("x"));
    EXPECT_EQ(run.Status(), QStringLiteral("Ready"));
    EXPECT_EQ(run.Caption(), QStringLiteral("line.cvx - Curvix"));
    const QImage image = run.Grab();
    EXPECT_TRUE(run.GreenNear(image, 5, 5));
    EXPECT_FALSE(run.GreenNear(image, 5, -5));
}

TEST_F(AppEndToEndTest, NewKeepsTheOldCurveUntilTheNextDraw) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.EnterFormula(QStringLiteral("x"));
    run.Doc()->GetRotation()[2] = 90;
    MessageBoxes boxes(QMessageBox::No);
    run.Frame()->SendCommand(ID_FILE_NEW);
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Save changes to Untitled?")});
    EXPECT_EQ(run.Doc()->GetRotation()[2], 0.0F);
    EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix"));
    EXPECT_TRUE(run.GreenNear(run.Grab(), 5, 5));
}

TEST_F(AppEndToEndTest, TheLastFourOpenedFilesAreKeptNewestFirst) {
    QStringList paths;
    for (const char* name : {"a.cvx", "b.cvx", "c.cvx", "d.cvx", "e.cvx"}) {
        paths << File(name);
        WriteDocument(paths.back(), "x");
    }
    {
        RunningApp run;
        ASSERT_TRUE(run.started);
        QMenu* fileMenu = Window(run.Frame())->menuBar()->actions().front()->menu();
        AfxUpdateMenuCmdUI(run.Frame(), fileMenu);
        QAction* placeholder = fileMenu->actions()[5];
        EXPECT_EQ(placeholder->text(), QStringLiteral("Recent File"));
        EXPECT_FALSE(placeholder->isEnabled());
        for (const QString& path : paths) {
            AnswerFileDialog(path);
            run.Frame()->SendCommand(ID_FILE_OPEN);
        }
        AfxUpdateMenuCmdUI(run.Frame(), fileMenu);
        EXPECT_TRUE(fileMenu->actions()[5]->isEnabled());
        EXPECT_TRUE(fileMenu->actions()[5]->text().startsWith(QStringLiteral("&1 ")));
        EXPECT_TRUE(fileMenu->actions()[5]->text().endsWith(QStringLiteral("e.cvx")));
        EXPECT_TRUE(fileMenu->actions()[8]->text().startsWith(QStringLiteral("&4 ")));
        run.Frame()->SendCommand(ID_APP_EXIT);
        run.app->ExitInstance();
    }
    QSettings stored(settings.ConfigFile(), QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Recent File List"));
    EXPECT_EQ(stored.value(QStringLiteral("File1")).toString(), paths[4]);
    EXPECT_EQ(stored.value(QStringLiteral("File2")).toString(), paths[3]);
    EXPECT_EQ(stored.value(QStringLiteral("File3")).toString(), paths[2]);
    EXPECT_EQ(stored.value(QStringLiteral("File4")).toString(), paths[1]);
    EXPECT_FALSE(stored.contains(QStringLiteral("File5")));
}

TEST_F(AppEndToEndTest, ARecentFileReopensWithItsCurveAfterARestart) {
    const QString path = File("sine.cvx");
    {
        RunningApp run;
        ASSERT_TRUE(run.started);
        run.EnterFormula(QStringLiteral("x"));
        AnswerFileDialog(path);
        run.Frame()->SendCommand(ID_FILE_SAVE_AS);
        run.Frame()->SendCommand(ID_APP_EXIT);
        run.app->ExitInstance();
    }
    RunningApp run;
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.GreenNear(run.Grab(), 5, 5));
    run.Frame()->SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(run.Caption(), QStringLiteral("sine.cvx - Curvix"));
    EXPECT_TRUE(run.GreenNear(run.Grab(), 5, 5));
}

TEST_F(AppEndToEndTest, ARecentFileThatHasGoneIsReportedAndDropped) {
    const QString kept = File("kept.cvx");
    const QString gone = File("gone.cvx");
    WriteDocument(kept, "x");
    WriteDocument(gone, "x");
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.app->OpenDocumentFile(kept.toStdString());
    run.app->OpenDocumentFile(gone.toStdString());
    ASSERT_TRUE(QFile::remove(gone));
    QString caption;
    QString text;
    AnswerMessageBox(&caption, &text);
    run.Frame()->SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(caption, QStringLiteral("Curvix"));
    EXPECT_TRUE(text.contains(QStringLiteral("gone.cvx"))) << text.toStdString();
    ASSERT_EQ(run.app->GetRecentFileList()->Entries().size(), 1U);
    EXPECT_EQ(run.app->GetRecentFileList()->Entries()[0], kept.toStdString());
}

TEST_F(AppEndToEndTest, AFileOnTheCommandLineIsLoadedAndDrawnAtOnce) {
    const QString path = File("given.cvx");
    WriteDocument(path, "x", 0);
    RunningApp run({path.toStdString()});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.Caption(), QStringLiteral("given.cvx - Curvix"));
    EXPECT_EQ(run.Doc()->GetFormula(), ExprString("x"));
    EXPECT_EQ(run.View()->GetVertices().Size(), 400U);
    EXPECT_TRUE(run.GreenNear(run.Grab(), 5, 5));
}

TEST_F(AppEndToEndTest, AMissingFileOnTheCommandLineEndsTheProgram) {
    QString caption;
    QString text;
    AnswerMessageBox(&caption, &text);
    RunningApp run({File("missing.cvx").toStdString()});
    EXPECT_FALSE(run.started);
    EXPECT_EQ(caption, QStringLiteral("Curvix"));
    EXPECT_FALSE(text.isEmpty());
}

TEST_F(AppEndToEndTest, ATruncatedFileIsReportedAndLeavesANewUntitledDocument) {
    const QString path = File("cut.cvx");
    WriteDocument(path, "x", 45);
    QByteArray bytes = ReadFile(path);
    bytes.chop(3);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    RunningApp run;
    ASSERT_TRUE(run.started);
    run.Doc()->GetRotation()[0] = 12;
    MessageBoxes boxes(QMessageBox::No);
    AnswerFileDialog(path);
    run.Frame()->SendCommand(ID_FILE_OPEN);
    EXPECT_EQ(boxes.texts, (QStringList{QStringLiteral("Save changes to Untitled?"),
                                        QStringLiteral("Unexpected file format.")}));
    EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix"));
    EXPECT_EQ(run.Doc()->GetRotation()[0], 0.0F);
}

// How the About box is closed, and what the dialog returns for it.
struct AboutClose {
    const char* name;
    std::function<void(QDialog*)> close;
};

void PrintTo(const AboutClose& close, std::ostream* os) {
    *os << close.name;
}

class AboutBoxTest : public AppEndToEndTest, public ::testing::WithParamInterface<AboutClose> {};

TEST_P(AboutBoxTest, ShowsTheProgramAndEndsOnOkEscAndTheCloseBox) {
    RunningApp run;
    ASSERT_TRUE(run.started);
    QString caption;
    QStringList texts;
    bool iconShown = false;
    bool okIsDefault = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (dialog == nullptr)
            return false;
        caption = dialog->windowTitle();
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                texts << label->text();
            // Whole, at any display scale (ctest runs this at 2 too).
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width());
            if (!label->pixmap().isNull())
                iconShown = true;
        }
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            okIsDefault =
                okIsDefault || (button->text() == QStringLiteral("OK") && button->isDefault());
        GetParam().close(dialog);
        return true;
    });
    run.Frame()->SendCommand(ID_APP_ABOUT);
    EXPECT_EQ(caption, QStringLiteral("About Curvix"));
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], QStringLiteral("Curvix Version 1.0"));
    EXPECT_FALSE(texts[1].isEmpty());
    EXPECT_TRUE(iconShown);
    EXPECT_TRUE(okIsDefault);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(run.Caption(), QStringLiteral("Untitled - Curvix"));
}

INSTANTIATE_TEST_SUITE_P(
    Closes, AboutBoxTest,
    ::testing::Values(AboutClose{"Ok",
                                 [](QDialog* dialog) {
                                     for (QPushButton* button :
                                          dialog->findChildren<QPushButton*>())
                                         if (button->text() == QStringLiteral("OK"))
                                             QTest::mouseClick(button, Qt::LeftButton);
                                 }},
                      AboutClose{"Escape",
                                 [](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
                      AboutClose{"CloseBox", [](QDialog* dialog) { dialog->close(); }}),
    [](const ::testing::TestParamInfo<AboutClose>& info) { return std::string(info.param.name); });

} // namespace
} // namespace curvix::test
