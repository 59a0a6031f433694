#include "SampleMode.h"

#include "CurveSampler.h"
#include "ExprString.h"
#include "VertexArray.h"

#include <charconv>

namespace curvix {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void WriteFloat(std::ostream& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.write(text, result.ptr - text);
}

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
            WriteFloat(out, curve[i]);
            out << ' ';
            WriteFloat(out, curve[i + 1]);
            out << '\n';
        }
        out << '\n' << std::flush;
    }
    return status;
}

} // namespace curvix
