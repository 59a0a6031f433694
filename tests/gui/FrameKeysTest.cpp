#include "TestFrame.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace curvix::test {
namespace {

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class FormulaFieldKeyTest : public ::testing::TestWithParam<KeyCase> {};

// The frame's accelerators take these keys before the field does, and no
// handler exists for their commands: the text, the selection and the
// clipboard stay as they were.
TEST_P(FormulaFieldKeyTest, EditingKeysDoNothingInTheFormulaField) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    formula->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([formula] { return formula->hasFocus(); }));
    QTest::keyClicks(formula, "sin(x)+1");
    QTest::keyClick(formula, Qt::Key_Z); // something to undo
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    formula->setSelection(0, 3);

    QTest::keyClick(formula, GetParam().key, GetParam().modifiers);
    open.RunIdle();
    EXPECT_EQ(formula->text(), "sin(x)+1z");
    EXPECT_EQ(formula->selectedText(), "sin");
    EXPECT_EQ(QApplication::clipboard()->text(), "clip");
    EXPECT_TRUE(formula->hasFocus());
    EXPECT_TRUE(open.log.entries.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Accelerators, FormulaFieldKeyTest,
    ::testing::Values(KeyCase{"CtrlX", Qt::Key_X, Qt::ControlModifier},
                      KeyCase{"CtrlV", Qt::Key_V, Qt::ControlModifier},
                      KeyCase{"CtrlZ", Qt::Key_Z, Qt::ControlModifier},
                      KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier},
                      KeyCase{"CtrlInsert", Qt::Key_Insert, Qt::ControlModifier},
                      KeyCase{"ShiftDelete", Qt::Key_Delete, Qt::ShiftModifier},
                      KeyCase{"ShiftInsert", Qt::Key_Insert, Qt::ShiftModifier},
                      KeyCase{"AltBackspace", Qt::Key_Backspace, Qt::AltModifier},
                      KeyCase{"F6", Qt::Key_F6, Qt::NoModifier},
                      KeyCase{"ShiftF6", Qt::Key_F6, Qt::ShiftModifier}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(FormulaField, ContextMenuShowsOnlyKeyHintsThatWork) {
    OpenFrame open;
    QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                            open.Formula()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(open.Formula(), &event);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QString texts;
    for (QAction* action : QApplication::activePopupWidget()->actions())
        texts += action->text() + QLatin1Char('|');
    QApplication::activePopupWidget()->close();
    for (const char* gone : {"\tCtrl+X", "\tCtrl+C", "\tCtrl+V", "\tCtrl+Z"})
        EXPECT_FALSE(texts.contains(QLatin1String(gone))) << texts.toStdString();
    EXPECT_TRUE(texts.contains("&Paste|") && texts.contains("\tCtrl+A")); // Ctrl+A works
}

TEST(FormulaField, OrdinaryEditingKeysStillWork) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    formula->setFocus();
    QTest::keyClicks(formula, "x^2");
    QTest::keyClick(formula, Qt::Key_Backspace);
    QTest::keyClick(formula, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(formula->text(), "x^");
}

// A formula wider than the field scrolls it: every character typed is
// kept and the cursor stays in sight at the end.
TEST(FormulaField, ScrollsToTakeAFormulaWiderThanItself) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    formula->setFocus();
    const QString wide = QStringLiteral("sin(x)+").repeated(40) + QStringLiteral("x");
    ASSERT_GT(formula->fontMetrics().horizontalAdvance(wide), formula->width());
    QTest::keyClicks(formula, wide);
    EXPECT_EQ(formula->text(), wide);
    EXPECT_EQ(formula->cursorPosition(), wide.size());
    // The field works out its scrolling when it paints.
    formula->repaint();
    const QRect cursor = formula->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(formula->rect().contains(cursor.center()))
        << cursor.x() << " not within " << formula->width();
}

struct AccelCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* who;
    UINT id;
};

void PrintTo(const AccelCase& c, std::ostream* os) {
    *os << c.who << " " << c.id;
}

class AcceleratorCommandTest : public ::testing::TestWithParam<AccelCase> {};

TEST_P(AcceleratorCommandTest, HandledAcceleratorsRunTheirCommandsFromTheFormulaField) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    formula->setFocus();
    QTest::keyClick(formula, GetParam().key, GetParam().modifiers);
    const std::vector<std::pair<std::string, UINT>> expected{{GetParam().who, GetParam().id}};
    EXPECT_EQ(open.log.entries, expected);
    EXPECT_EQ(formula->text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Accelerators, AcceleratorCommandTest,
    ::testing::Values(AccelCase{Qt::Key_N, Qt::ControlModifier, "app", ID_FILE_NEW},
                      AccelCase{Qt::Key_O, Qt::ControlModifier, "app", ID_FILE_OPEN},
                      AccelCase{Qt::Key_S, Qt::ControlModifier, "doc", ID_FILE_SAVE}));

TEST(Accelerators, ExactModifiersOnly) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    formula->setFocus();
    QTest::keyClick(formula, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(formula, Qt::Key_N, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_TRUE(open.log.entries.empty());
}

TEST(Accelerators, CopyKeysDoNothingInTheView) {
    OpenFrame open;
    QWidget* view = Widget(open.frame->GetActiveView());
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([view] { return view->hasFocus(); }));
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(open.log.entries.empty());
    QTest::keyClick(view, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(open.log.entries.size(), 1u);
}

TEST(FormulaBar, TabAndShiftTabCycleThroughTheEnabledControls) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    QPushButton* draw = open.Button(IDC_DRAW);
    formula->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([formula] { return formula->hasFocus(); }));
    // The greyed function buttons are skipped, as a dialog skips them.
    QTest::keyClick(formula, Qt::Key_Tab);
    EXPECT_TRUE(draw->hasFocus());
    QTest::keyClick(draw, Qt::Key_Tab);
    EXPECT_TRUE(formula->hasFocus());
    QTest::keyClick(formula, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(draw->hasFocus());
    QTest::keyClick(draw, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(formula->hasFocus());
    // Space and Enter on the focused Draw button press it.
    QTest::keyClick(formula, Qt::Key_Tab);
    QTest::keyClick(draw, Qt::Key_Space);
    QTest::keyClick(draw, Qt::Key_Return);
    EXPECT_EQ(open.doc.draws, 2);
}

TEST(FormulaBar, TabIncludesFunctionButtonsOnceTheyAreEnabled) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    formula->setFocus();
    open.Button(IDC_SQRT)->setEnabled(true);
    QTest::keyClick(formula, Qt::Key_Tab);
    EXPECT_TRUE(open.Button(IDC_SQRT)->hasFocus());
}

} // namespace
} // namespace curvix::test

namespace curvix::test {
namespace {

TEST(Accelerators, OpenMenuTakesItsKeysItself) {
    OpenFrame open;
    QMenu* file = open.Menu("&File");
    QMenuBar* bar = Window(open.frame)->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }));
    QTest::keyClick(file, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(file, Qt::Key_Escape);
    EXPECT_TRUE(open.log.entries.empty());
}

TEST(Accelerators, OtherWindowsOfTheFrameKeepTheirEditingKeys) {
    OpenFrame open;
    QDialog dialog(Window(open.frame));
    auto* edit = new QLineEdit(QStringLiteral("abc"), &dialog);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
    QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(open.log.entries.empty());
}

TEST(Accelerators, WorkInAFloatingToolbar) {
    OpenFrame open;
    QDockWidget* dock = DockOf(open.frame->m_wndFileBar);
    dock->setFloating(true);
    open.RunIdle();
    QTest::keyClick(dock, Qt::Key_O, Qt::ControlModifier);
    const std::vector<std::pair<std::string, UINT>> expected{{"app", ID_FILE_OPEN}};
    EXPECT_EQ(open.log.entries, expected);
}

} // namespace
} // namespace curvix::test
