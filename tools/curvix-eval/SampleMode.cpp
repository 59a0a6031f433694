#include "SampleMode.h"

#include "CurveSampler.h"
#include "ExprString.h"
#include "VertexArray.h"

#include <charconv>
#include <vector>

namespace curvix {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The sampled points go out through one buffer, in blocks of at least
// kBlockSize bytes, instead of one stream insertion per number.
class BlockWriter {
public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

    explicit BlockWriter(std::ostream& out) : m_out(out), m_buffer(kBlockSize + kLongestLine) {}

    // "X Y" and a line feed, both in shortest float text. False once a
    // write has failed.
    bool WritePoint(float x, float y) {
        char* out = m_buffer.data() + m_used;
        char* const end = m_buffer.data() + m_buffer.size();
        out = std::to_chars(out, end, x).ptr;
        *out++ = ' ';
        out = std::to_chars(out, end, y).ptr;
        *out++ = '\n';
        m_used = static_cast<std::size_t>(out - m_buffer.data());
        return m_used < kBlockSize || WriteBlock();
    }

    // The empty line after a curve, then everything out and the stream
    // flushed. False when this or an earlier write failed.
    bool EndCurve() {
        m_buffer[m_used++] = '\n';
        return WriteBlock() && m_out.flush();
    }

private:
    // Two floats ("-1.17549435e-38" is the longest), a blank, a line feed.
    static constexpr std::size_t kLongestLine = 40;

    bool WriteBlock() {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_used));
        m_used = 0;
        return static_cast<bool>(m_out);
    }

    std::ostream& m_out;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
};

} // namespace

bool ParseSampleLine(const std::string& line, SampleRequest& request) {
    const char* p = line.data();
    const char* const end = p + line.size();
    const auto readNumber = [&p, end](float& number) {
        while (p != end && IsBlank(*p)) {
            ++p;
        }
        const auto result = std::from_chars(p, end, number);
        if (result.ec != std::errc() || (result.ptr != end && !IsBlank(*result.ptr))) {
            return false;
        }
        p = result.ptr;
        return true;
    };
    if (!readNumber(request.first) || !readNumber(request.last) || !readNumber(request.step)) {
        return false;
    }
    request.formula.assign(p == end ? end : p + 1, end);
    return true;
}

int SampleLines(ExpressionEvaluator& engine, std::istream& in, std::ostream& out,
                std::ostream& errors) {
    int status = 0;
    std::string line;
    SampleRequest request;
    VertexArray curve;
    BlockWriter writer(out);
    for (long number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!ParseSampleLine(line, request)) {
            errors << "curvix-eval: line " << number << ": expected XMIN XMAX STEP FORMULA\n"
                   << std::flush;
            status = 1;
            continue;
        }
        const ExprString formula(request.formula.data(), static_cast<int>(request.formula.size()));
        SampleCurve(engine, formula, request.first, request.last, request.step, curve, errors);
        for (std::size_t i = 0; i + 1 < curve.Size(); i += 2) {
            if (!writer.WritePoint(curve[i], curve[i + 1])) {
                return 1;
            }
        }
        if (!writer.EndCurve()) {
            return 1;
        }
    }
    return status;
}

} // namespace curvix
