#include "CurvixResources.h"
#include "DialogUnitsQt.h"
#include "TestFrame.h"

#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

namespace curvix::test {
namespace {

QRect InFrame(const TestFrame& frame, const QWidget* widget) {
    return QRect(widget->mapTo(Window(frame), QPoint(0, 0)), widget->size());
}

TEST(FrameLayout, OpensAt600By600WithTitleAndIcon) {
    OpenFrame open;
    EXPECT_EQ(Window(open.frame)->size(), QSize(600, 600));
    EXPECT_EQ(Window(open.frame)->windowTitle(), "Curvix");
    EXPECT_FALSE(Window(open.frame)->windowIcon().isNull());
}

TEST(FrameLayout, BarsSitWhereTheirCreationOrderPutsThem) {
    OpenFrame open;
    const TestFrame& frame = *open.frame;
    const QRect menu = InFrame(frame, Window(frame)->menuBar());
    const QRect file = InFrame(frame, DockOf(frame.m_wndFileBar));
    const QRect scene = InFrame(frame, DockOf(frame.m_wndSceneBar));
    const QRect formula = InFrame(frame, Widget(frame.m_wndFormulaBar));
    const QRect status = InFrame(frame, Widget(frame.m_wndStatusBar));
    const QRect view = InFrame(frame, Widget(frame.GetActiveView()));

    // Status bar along the bottom edge, formula bar right above it, both
    // across the full width.
    EXPECT_EQ(status.bottom(), Window(frame)->height() - 1);
    EXPECT_EQ(status.left(), 0);
    EXPECT_EQ(status.width(), Window(frame)->width());
    EXPECT_EQ(formula.bottom() + 1, status.top());
    EXPECT_EQ(formula.left(), 0);
    EXPECT_EQ(formula.width(), Window(frame)->width());
    // File toolbar across the top under the menu; Scene toolbar down the
    // left edge between the File toolbar and the formula bar.
    EXPECT_EQ(file.top(), menu.bottom() + 1);
    EXPECT_EQ(file.left(), 0);
    EXPECT_EQ(file.width(), Window(frame)->width());
    EXPECT_EQ(scene.left(), 0);
    EXPECT_GT(scene.top(), file.bottom());
    EXPECT_LT(scene.bottom(), formula.top());
    // The view fills the rest.
    EXPECT_GT(view.left(), scene.right());
    EXPECT_GT(view.top(), file.bottom());
    EXPECT_LT(view.bottom(), formula.top());
    EXPECT_GT(view.width(), 450);
    EXPECT_GT(view.height(), 350);
}

TEST(FormulaBar, ControlsInTemplateOrderAndAllInsideTheFrame) {
    OpenFrame open;
    const TestFrame& frame = *open.frame;
    QWidget* page = PageOf(frame.m_wndFormulaBar);
    QLabel* label = page->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "f(x)= ");
    EXPECT_TRUE(label->isEnabled());

    struct Button {
        UINT id;
        const char* text;
    };
    int previousRight = InFrame(frame, open.Formula()).right();
    EXPECT_GT(InFrame(frame, open.Formula()).left(), InFrame(frame, label).left());
    for (const Button& b :
         {Button{IDC_SQRT, "&sqrt"}, Button{IDC_COS, "&cos"}, Button{IDC_SIN, "s&in"},
          Button{IDC_TAN, "&tan"}, Button{IDC_DRAW, "&Draw!"}}) {
        QPushButton* button = open.Button(b.id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), b.text);
        const QRect r = InFrame(frame, button);
        EXPECT_GT(r.left(), previousRight);
        EXPECT_TRUE(button->isVisible());
        previousRight = r.right();
    }
    EXPECT_LT(previousRight, Window(frame)->width());
    EXPECT_TRUE(open.Button(IDC_DRAW)->isDefault());
    EXPECT_EQ(frame.m_wndFormulaBar.GetWindowText(), "Function");
}

TEST(FormulaBar, CannotBeMovedOrFloated) {
    OpenFrame open;
    auto* holder = qobject_cast<QToolBar*>(Widget(open.frame->m_wndFormulaBar));
    ASSERT_NE(holder, nullptr);
    EXPECT_FALSE(holder->isMovable());
    EXPECT_FALSE(holder->isFloatable());
    EXPECT_EQ(Window(open.frame)->toolBarArea(holder), Qt::BottomToolBarArea);
}

TEST(FrameLayout, Screenshot) {
    OpenFrame open;
    open.Formula()->setText("sin(x)*x/2");
    open.frame->ShowViewSize(584, 412);
    open.RunIdle();
    const QString path = QDir::current().absoluteFilePath("curvix-frame.png");
    ASSERT_TRUE(Window(open.frame)->grab().save(path));
    std::printf("screenshot: %s\n", qPrintable(path));
}

} // namespace
} // namespace curvix::test

namespace curvix::test {
namespace {

struct DialogRectCase {
    QRect units;
    DialogBaseUnits base;
    QRect pixels;
};

class DialogRectTest : public ::testing::TestWithParam<DialogRectCase> {};

void PrintTo(const DialogRectCase& c, std::ostream* os) {
    *os << c.units.x() << "_" << c.units.width() << "_at_" << c.base.cx << "x" << c.base.cy;
}

TEST_P(DialogRectTest, EdgesRoundToTheNearestPixel) {
    const DialogRectCase& c = GetParam();
    EXPECT_EQ(AfxQRect(AfxMapDialogRect(c.units.x(), c.units.y(), c.units.width(), c.units.height(),
                                        c.base)),
              c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, DialogRectTest,
    ::testing::Values(DialogRectCase{{338, 1, 35, 14}, {6, 13}, {507, 2, 53, 22}},
                      DialogRectCase{{23, 1, 228, 14}, {6, 13}, {35, 2, 342, 22}},
                      DialogRectCase{{5, 4, 18, 8}, {6, 13}, {8, 7, 27, 13}},
                      DialogRectCase{{0, 0, 376, 17}, {6, 13}, {0, 0, 564, 28}},
                      DialogRectCase{{0, 0, 376, 17}, {5, 13}, {0, 0, 470, 28}},
                      DialogRectCase{{254, 1, 17, 14}, {7, 16}, {445, 2, 29, 28}}));

// The edit field takes the width the template leaves free; the buttons
// right of it keep their size and move with its right edge, down to the
// frame's minimum width (0 below).
class FormulaBarWidthTest : public ::testing::TestWithParam<int> {};

TEST_P(FormulaBarWidthTest, ControlsSitAtTheirTemplatePlacesWithTheFieldStretched) {
    OpenFrame open;
    const DialogResource* dialog =
        ResourceTable::FindIn(GetCurvixResources().dialogs, IDD_FORMULABAR);
    ASSERT_NE(dialog, nullptr);
    const int width = GetParam() == 0 ? Window(open.frame)->minimumWidth() : GetParam();
    Window(open.frame)->resize(width, Window(open.frame)->height());
    QTest::qWait(50);
    ASSERT_EQ(Window(open.frame)->width(), std::max(width, Window(open.frame)->minimumWidth()));
    QWidget* page = PageOf(open.frame->m_wndFormulaBar);
    const DialogBaseUnits base = AfxGetDialogBaseUnits(page->font());
    const QRect pageRect = AfxQRect(AfxMapDialogRect(0, 0, dialog->cx, dialog->cy, base));
    EXPECT_EQ(page->height(), pageRect.height());
    const QRect editTemplate = AfxQRect(AfxMapDialogRect(23, 1, 228, 14, base));
    const int shift = open.Formula()->width() - editTemplate.width();
    EXPECT_EQ(shift, std::max(page->width() - pageRect.width(),
                              editTemplate.width() / 3 - editTemplate.width()));
    for (const DialogItemResource& item : dialog->items) {
        if (item.id == IDC_STATIC)
            continue;
        QWidget* control = ItemOf(open.frame->m_wndFormulaBar, item.id);
        ASSERT_NE(control, nullptr) << item.id;
        QRect expected = AfxQRect(AfxMapDialogRect(item.x, item.y, item.cx, item.cy, base));
        if (item.id == IDC_FORMULA)
            expected.setWidth(expected.width() + shift);
        else
            expected.translate(shift, 0);
        EXPECT_EQ(control->geometry(), expected) << item.id;
        EXPECT_LE(InFrame(*open.frame, control).right(), Window(open.frame)->width() - 1)
            << item.id;
        EXPECT_TRUE(control->isVisible()) << item.id;
    }
}

INSTANTIATE_TEST_SUITE_P(FrameWidths, FormulaBarWidthTest,
                         ::testing::Values(0, 450, 550, 600, 900));

// At its minimum size the frame still shows every bar whole: each toolbar
// button, the formula bar's controls and both status panes, also with a
// toolbar docked on another side.
TEST(FrameLayout, EveryBarShowsWholeAtTheMinimumSize) {
    OpenFrame open;
    TestFrame& frame = *open.frame;
    const int sizePaneWidth = PaneOf(frame.m_wndStatusBar, 1)->width();
    for (const DWORD sceneSide : {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP}) {
        frame.m_wndSceneBar.DockAt(sceneSide);
        QTest::qWait(50);
        Window(frame)->resize(1, 1);
        QTest::qWait(50);
        EXPECT_EQ(Window(frame)->size(), Window(frame)->minimumSize()) << sceneSide;
        EXPECT_GT(Window(frame)->width(), 100);
        const QRect inside = Window(frame)->rect();
        for (const CToolBar* bar : {&frame.m_wndFileBar, &frame.m_wndSceneBar}) {
            for (int i = 0; i < bar->GetCount(); ++i) {
                const QWidget* button = ButtonOf(*bar, i);
                if (button == nullptr)
                    continue; // a separator
                EXPECT_TRUE(button->isVisible()) << sceneSide << " " << i;
                EXPECT_TRUE(inside.contains(InFrame(frame, button))) << sceneSide << " " << i;
            }
        }
        for (UINT id : {IDC_SQRT, IDC_DRAW})
            EXPECT_TRUE(inside.contains(InFrame(frame, open.Button(id)))) << id;
        EXPECT_GT(open.Formula()->width(), 0);
        const QWidget* sizePane = PaneOf(frame.m_wndStatusBar, 1);
        EXPECT_TRUE(inside.contains(InFrame(frame, sizePane)));
        EXPECT_EQ(sizePane->width(), sizePaneWidth);
    }
}

} // namespace
} // namespace curvix::test
