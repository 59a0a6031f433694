#include "ReportList.h"

#include "ReportTally.h"

#include <QStringList>
#include <cstdint>

namespace curvix {
namespace {

QString Times(std::int64_t count) {
    return count == 1 ? QStringLiteral("1 time") : QStringLiteral("%1 times").arg(count);
}

QString Shown(const std::string& line) {
    // The engine writes each unit of a name as one byte, as the formula
    // field's Latin-1 text gave it.
    QString text = QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    if (text.size() > kMaxReportLineLength) {
        text.truncate(kMaxReportLineLength - 1);
        text += QChar(0x2026);
    }
    return text;
}

} // namespace

QString ReportListText(const ReportTally& reports) {
    QStringList lines;
    std::int64_t unlisted = reports.OtherLines();
    for (const ReportCount& report : reports.Lines()) {
        if (lines.size() < kMaxListedReports)
            lines << Shown(report.line) + QStringLiteral(" \u2014 ") + Times(report.count);
        else
            unlisted += report.count;
    }
    if (unlisted > 0)
        lines << (unlisted == 1 ? QStringLiteral("and 1 more report")
                                : QStringLiteral("and %1 more reports").arg(unlisted));
    return lines.join(QLatin1Char('\n'));
}

} // namespace curvix
