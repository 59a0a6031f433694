#pragma once

#include <string>

namespace curvix {

class ReportTally;

// Distinct lines listed at most; the rest are summed up in one line.
inline constexpr int kMaxListedReports = 20;
// Characters shown of a longer line, the last one an ellipsis.
inline constexpr int kMaxReportLineLength = 160;

// What a run reported, for people, as UTF-8: one line per distinct report
// in the order they first came, "<report> — <n> times" ("— 1 time" for
// one), then "and <n> more reports" for those not listed. Empty for no
// reports.
std::string ReportListText(const ReportTally& reports);

} // namespace curvix
