#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace curvix {

class ExpressionEvaluator;

struct SampleRequest {
    float first = 0.0F;
    float last = 0.0F;
    float step = 0.0F;
    std::string formula;
};

// Reads "XMIN XMAX STEP FORMULA": three numbers (from_chars into floats, so
// inf and nan too) separated by blanks, then the rest of the line after the
// one blank that follows STEP. False when the numbers are not all there.
bool ParseSampleLine(const std::string& line, SampleRequest& request);

// Samples every line's request with the one engine, printing "X Y" per
// sample in shortest float text and an empty line after each run. The
// sampler's problems go to errors. Returns the exit status: 1 if a line
// could not be read (it is reported on errors and skipped), else 0. A
// failed write to out ends it at once with 1, out left failed (its cause
// in errno) for the caller to report.
int SampleLines(ExpressionEvaluator& engine, std::istream& in, std::ostream& out,
                std::ostream& errors);

} // namespace curvix
