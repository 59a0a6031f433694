#include "TestFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace curvix::test {
namespace {

TEST(StatusBar, StartsWithReadyAndTheSizeText) {
    OpenFrame open;
    CStatusBar& bar = open.frame->m_wndStatusBar;
    ASSERT_EQ(bar.GetCount(), 2);
    EXPECT_EQ(bar.GetItemID(0), ID_SEPARATOR);
    EXPECT_EQ(bar.GetItemID(1), ID_INDICATOR_SIZE);
    EXPECT_EQ(open.MessagePane(), "Ready");
    EXPECT_EQ(open.SizePane(), "1024x1024");
}

TEST(StatusBar, SizePaneIsAsWideAsItsTextAndTheMessagePaneTakesTheRest) {
    OpenFrame open;
    CStatusBar& bar = open.frame->m_wndStatusBar;
    QLabel* message = PaneOf(bar, 0);
    QLabel* size = PaneOf(bar, 1);
    const int textWidth = StatusOf(bar)->fontMetrics().horizontalAdvance("1024x1024");
    EXPECT_EQ(size->contentsRect().width(), textWidth);
    EXPECT_EQ(size->width(), textWidth);
    EXPECT_LT(message->geometry().right(), size->geometry().left());
    EXPECT_GT(message->width(), StatusOf(bar)->width() - textWidth - 60);
}

struct SizeCase {
    int cx;
    int cy;
    const char* text;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.cx << "x" << c.cy;
}

class ShowViewSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ShowViewSizeTest, WritesTheSizeWithABlankBeforeSmallSizes) {
    OpenFrame open;
    open.frame->ShowViewSize(GetParam().cx, GetParam().cy);
    EXPECT_EQ(open.SizePane().toStdString(), GetParam().text);
    EXPECT_EQ(open.MessagePane(), "Ready");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ShowViewSizeTest,
    ::testing::Values(SizeCase{600, 400, " 600x400"}, SizeCase{1000, 400, "1000x400"},
                      SizeCase{999, 1000, "999x1000"}, SizeCase{0, 0, " 0x0"},
                      SizeCase{999, 999, " 999x999"}, SizeCase{-5, 3, " -5x3"},
                      SizeCase{2147483647, -2147483647 - 1, "2147483647x-2147483648"}));

TEST(StatusBar, ShowViewSizeBeforeTheStatusBarExistsDoesNothing) {
    TestFrame frame;
    frame.ShowViewSize(600, 400);
    EXPECT_EQ(Widget(frame.m_wndStatusBar), nullptr);
    EXPECT_EQ(frame.GetFormulaText(), "");
    frame.SetStatusText("ignored");
}

TEST(StatusBar, SetStatusTextShowsAtOnceAndStaysUntilReplaced) {
    OpenFrame open;
    open.frame->SetStatusText("Calculating curve...");
    EXPECT_EQ(open.MessagePane(), "Calculating curve...");
    open.RunIdle();
    EXPECT_EQ(open.MessagePane(), "Calculating curve...");
    open.frame->SetStatusText("Ready");
    EXPECT_EQ(open.MessagePane(), "Ready");
    EXPECT_EQ(open.SizePane(), "1024x1024");
}

TEST(FormulaText, LongTextIsReturnedWhole) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    const std::string text = "sin(x)" + std::string(500, '+') + "x";
    formula->setText(QString::fromStdString(text));
    EXPECT_GT(formula->fontMetrics().horizontalAdvance(formula->text()), formula->width());
    EXPECT_EQ(open.frame->GetFormulaText(), text);
}

TEST(FormulaText, TextIsReturnedUntrimmedAsEightBitCharacters) {
    OpenFrame open;
    open.Formula()->setText(QString::fromUtf8("  x\xc2\xb2 "));
    EXPECT_EQ(open.frame->GetFormulaText(), std::string("  x\xb2 "));
}

// What a load puts into the bar comes back byte for byte at the next Draw:
// every byte value but 0, and texts beyond the field's typing limit.
TEST(FormulaText, ALoadedFormulaComesBackWhole) {
    OpenFrame open;
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    const int typingLimit = open.Formula()->maxLength();
    for (const std::string& text : {std::string(), std::string("x^2"), everyByte,
                                    std::string(static_cast<std::size_t>(typingLimit) + 10, 'x')}) {
        open.frame->SetFormulaText(text);
        EXPECT_EQ(open.frame->GetFormulaText(), text) << text.size();
        EXPECT_EQ(open.Formula()->cursorPosition(), 0);
    }
}

} // namespace
} // namespace curvix::test
