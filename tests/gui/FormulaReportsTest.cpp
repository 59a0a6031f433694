// What a Draw or an open reported, shown at the formula field: its red
// frame, tooltip and accessible description, with standard error as before.

#include "AppTestSupport.h"
#include "CapturedStandardError.h"
#include "FieldMark.h"
#include "ReportList.h"
#include "ReportTally.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace curvix::test {
namespace {

std::string Repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line + "\n";
    return text;
}

// Whether the field as it paints shows the mark's colour on its left edge.
bool RedOnTheLeftEdge(QLineEdit* field) {
    const QImage image = field->grab().toImage();
    const QColor mark{QRgb(kFieldMarkColor)};
    const QColor seen = image.pixelColor(0, image.height() / 2);
    return seen.red() == mark.red() && seen.green() == mark.green() && seen.blue() == mark.blue();
}

void ExpectUnmarked(QLineEdit* field) {
    EXPECT_FALSE(IsFieldMarked(field));
    EXPECT_EQ(field->toolTip(), QString());
    EXPECT_EQ(field->accessibleDescription(), QString());
    EXPECT_FALSE(RedOnTheLeftEdge(field));
}

struct DrawCase {
    const char* formula;
    const char* reports; // the field's tooltip and description
    std::string errors;  // standard error, byte for byte
};

void PrintTo(const DrawCase& c, std::ostream* os) {
    *os << c.formula;
}

class DrawReports : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawReports, MarkTheFieldAndKeepStandardErrorAsItWas) {
    SettingsFolder settings;
    RunningApp run;
    ASSERT_TRUE(run.started);
    QLineEdit* field = run.Formula();
    ExpectUnmarked(field);
    std::string errors;
    {
        CapturedStandardError captured;
        run.EnterFormula(QString::fromLatin1(GetParam().formula));
        errors = captured.Text();
    }
    EXPECT_EQ(errors, GetParam().errors);
    EXPECT_TRUE(IsFieldMarked(field));
    EXPECT_EQ(field->toolTip(), QString::fromUtf8(GetParam().reports));
    EXPECT_EQ(field->accessibleDescription(), QString::fromUtf8(GetParam().reports));
    EXPECT_TRUE(RedOnTheLeftEdge(field));
    EXPECT_EQ(run.Status(), QStringLiteral("Ready"));

    run.EnterFormula(QStringLiteral("x"));
    ExpectUnmarked(field);
}

const std::string kUndeclared = "Error: Variable 'y' is undeclared. It is used as 0.0 .";
const std::string kUndefined = "Error: Undefined function 'foo()'. Returns 0.0 .";

INSTANTIATE_TEST_SUITE_P(
    Formulas, DrawReports,
    ::testing::Values(
        DrawCase{"1/0", "Error: Divide by zero! \u2014 200 times",
                 Repeated("Error: Divide by zero!", 200)},
        // Distinct lines in the order they first came.
        DrawCase{"foo(y)",
                 "Error: Variable 'y' is undeclared. It is used as 0.0 . \u2014 200 times\n"
                 "Error: Undefined function 'foo()'. Returns 0.0 . \u2014 200 times",
                 Repeated(kUndeclared + "\n" + kUndefined, 200)}));

TEST(OpenReports, ASamplerRefusalMarksTheFieldAndACleanOpenClearsIt) {
    SettingsFolder settings;
    QTemporaryDir files;
    const auto write = [&](const char* name, float step) {
        CCurvixDoc doc;
        doc.OnNewDocument();
        doc.SetFormula("x");
        *doc.GetStep() = step;
        const QString path = files.filePath(QLatin1String(name));
        std::string error;
        EXPECT_TRUE(SaveDocumentFile(doc, path.toStdString(), error)) << error;
        return path.toStdString();
    };
    const std::string stepZero = write("step0.cvx", 0.0F);
    const std::string clean = write("clean.cvx", 0.1F);
    RunningApp run;
    ASSERT_TRUE(run.started);
    QLineEdit* field = run.Formula();

    const std::string line =
        "Error: Cannot sample the curve: the step 0 is not a positive finite number";
    {
        CapturedStandardError captured;
        ASSERT_NE(run.app->OpenDocumentFile(stepZero), nullptr);
        run.Settle();
        EXPECT_EQ(captured.Text(), line + "\n");
    }
    EXPECT_TRUE(IsFieldMarked(field));
    EXPECT_EQ(field->toolTip(), QString::fromStdString(line) + QStringLiteral(" \u2014 1 time"));
    EXPECT_EQ(field->accessibleDescription(), field->toolTip());
    EXPECT_TRUE(RedOnTheLeftEdge(field));

    ASSERT_NE(run.app->OpenDocumentFile(clean), nullptr);
    run.Settle();
    ExpectUnmarked(field);
}

TEST(FieldMark, KeepsMarkupPlainAndGivesBackWhatTheFieldHadBefore) {
    QLineEdit field;
    field.setToolTip(QStringLiteral("Formula"));
    field.setStyleSheet(QStringLiteral("QLineEdit { color: blue; }"));
    MarkField(&field, QStringLiteral("first"));
    MarkField(&field, QStringLiteral("a<b>c</b>"));
    EXPECT_TRUE(field.toolTip().contains(QStringLiteral("a&lt;b&gt;c")));
    UnmarkField(&field);
    EXPECT_EQ(field.toolTip(), QStringLiteral("Formula"));
    EXPECT_EQ(field.styleSheet(), QStringLiteral("QLineEdit { color: blue; }"));
}

TEST(ReportList, ListsTwentyLinesShortensLongOnesAndSumsUpTheRest) {
    ReportTally tally;
    tally.Count(std::string(200, 'a'));
    for (int i = 1; i <= 24; ++i) {
        for (int n = 0; n < i; ++n)
            tally.Count("line " + std::to_string(i));
    }
    const QStringList lines =
        QString::fromStdString(ReportListText(tally)).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), kMaxListedReports + 1);
    EXPECT_EQ(lines[0], QString(kMaxReportLineLength - 1, QLatin1Char('a')) +
                            QStringLiteral("\u2026 \u2014 1 time"));
    EXPECT_EQ(lines[1], QStringLiteral("line 1 \u2014 1 time"));
    EXPECT_EQ(lines[2], QStringLiteral("line 2 \u2014 2 times"));
    // Lines 20 to 24 are not listed: 20 + 21 + 22 + 23 + 24 reports.
    EXPECT_EQ(lines[20], QStringLiteral("and 110 more reports"));
    EXPECT_EQ(QString::fromStdString(ReportListText(ReportTally())), QString());
}

} // namespace
} // namespace curvix::test
