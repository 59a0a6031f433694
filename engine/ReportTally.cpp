#include "ReportTally.h"

namespace curvix {

void ReportTally::Count(const std::string& line) {
    const auto found = m_index.find(line);
    if (found != m_index.end()) {
        ++m_lines[found->second].count;
    } else if (m_lines.size() < kMaxDistinctLines) {
        m_index.emplace(line, m_lines.size());
        m_lines.push_back({line, 1});
    } else {
        ++m_otherLines;
    }
}

ReportTee::ReportTee(std::ostream& target, ReportTally& tally)
    : std::ostream(nullptr), m_buffer(target, tally) {
    rdbuf(&m_buffer);
}

ReportTee::~ReportTee() = default;

// The target's own failures stay its own: counting goes on, as the writer
// would go on writing to the target directly.

ReportTee::Buffer::int_type ReportTee::Buffer::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) {
        return traits_type::not_eof(ch);
    }
    const char c = traits_type::to_char_type(ch);
    target.put(c);
    Take(c);
    return ch;
}

std::streamsize ReportTee::Buffer::xsputn(const char* text, std::streamsize count) {
    target.write(text, count);
    for (std::streamsize i = 0; i < count; ++i) {
        Take(text[i]);
    }
    return count;
}

int ReportTee::Buffer::sync() {
    target.flush();
    return 0;
}

void ReportTee::Buffer::Take(char c) {
    if (c == '\n') {
        tally.Count(pending);
        pending.clear();
    } else {
        pending.push_back(c);
    }
}

} // namespace curvix
