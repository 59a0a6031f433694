#include "ReportList.h"

#include "ReportTally.h"

#include <cstddef>
#include <cstdint>

namespace curvix {
namespace {

// Written as UTF-8 bytes, whatever the compiler's own character set.
const char* const kEmDash = "\xE2\x80\x94";
const char* const kEllipsis = "\xE2\x80\xA6";

std::string Times(std::int64_t count) {
    return count == 1 ? std::string("1 time") : std::to_string(count) + " times";
}

// Latin-1 character c in UTF-8: one byte below 0x80, else two.
void AppendLatin1(std::string& text, unsigned char c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Shown(const std::string& line) {
    // The engine writes each unit of a name as one byte, as the formula
    // field's Latin-1 text gave it: one byte is one character.
    const auto limit = static_cast<std::size_t>(kMaxReportLineLength);
    const bool cut = line.size() > limit;
    const std::size_t kept = cut ? limit - 1 : line.size();
    std::string text;
    text.reserve(2 * kept + 3);
    for (std::size_t i = 0; i < kept; ++i)
        AppendLatin1(text, static_cast<unsigned char>(line[i]));
    if (cut)
        text += kEllipsis;
    return text;
}

} // namespace

std::string ReportListText(const ReportTally& reports) {
    std::string text;
    int listed = 0;
    const auto addLine = [&text, &listed](const std::string& line) {
        if (listed++ > 0)
            text += '\n';
        text += line;
    };
    std::int64_t unlisted = reports.OtherLines();
    for (const ReportCount& report : reports.Lines()) {
        if (listed < kMaxListedReports)
            addLine(Shown(report.line) + " " + kEmDash + " " + Times(report.count));
        else
            unlisted += report.count;
    }
    if (unlisted > 0)
        addLine(unlisted == 1 ? std::string("and 1 more report")
                              : "and " + std::to_string(unlisted) + " more reports");
    return text;
}

} // namespace curvix
