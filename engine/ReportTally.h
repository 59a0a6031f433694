#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>
#include <unordered_map>
#include <vector>

namespace curvix {

// One distinct report line, without its line feed, and how often it came.
struct ReportCount {
    std::string line;
    std::int64_t count = 0;
};

// The distinct report lines of a run with their counts, in the order they
// first came.
class ReportTally {
public:
    // Distinct lines kept; lines after that many distinct ones are only
    // counted (OtherLines).
    static constexpr std::size_t kMaxDistinctLines = 1000;

    void Count(const std::string& line);

    const std::vector<ReportCount>& Lines() const { return m_lines; }
    // Lines, with their repeats, that are not among the kept ones.
    std::int64_t OtherLines() const { return m_otherLines; }
    bool IsEmpty() const { return m_lines.empty() && m_otherLines == 0; }

private:
    std::vector<ReportCount> m_lines;
    std::unordered_map<std::string, std::size_t> m_index; // line -> its place in m_lines
    std::int64_t m_otherLines = 0;
};

// An error stream that passes every byte and every flush on to another
// stream unchanged and counts each complete line in a tally. Given to the
// engine (SetErrorStream) and to the sampler, it tells what a run reported
// while the reports still reach their usual stream exactly as before.
class ReportTee : public std::ostream {
public:
    ReportTee(std::ostream& target, ReportTally& tally);
    ReportTee(const ReportTee&) = delete;
    ReportTee& operator=(const ReportTee&) = delete;
    ~ReportTee() override;

private:
    // Unbuffered: each byte goes on at once, so nothing waits here when
    // the writer flushes or another stream writes in between.
    struct Buffer : std::streambuf {
        Buffer(std::ostream& target, ReportTally& tally) : target(target), tally(tally) {}
        int_type overflow(int_type ch) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;
        int sync() override;
        void Take(char c);

        std::ostream& target;
        ReportTally& tally;
        std::string pending; // the line being written
    };

    Buffer m_buffer;
};

} // namespace curvix
