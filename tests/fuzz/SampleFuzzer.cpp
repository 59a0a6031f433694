// Samples the formulas in the input along the compiled and the textual
// path, each on its own engine, and stops at the first difference in curve
// bits, report bytes or variables. Bytes 0 to 3 give the range and step
// (first, width and step in units of a power of two from byte 3); the rest,
// split at 0 bytes, are formulas sampled in turn, so assignments carry over.

#include "CurveSampler.h"
#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "VertexArray.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace {

struct Path {
    Path() { engine.SetErrorStream(reports); }
    std::ostringstream reports;
    curvix::ExpressionEvaluator engine;
    curvix::VertexArray curve;
};

bool SameVariables(const curvix::VariableNode* a, const curvix::VariableNode* b) {
    for (; a && b; a = a->next.get(), b = b->next.get()) {
        if (!(a->name == b->name) || std::memcmp(&a->value, &b->value, sizeof a->value) != 0) {
            return false;
        }
    }
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const float unit = std::ldexp(1.0F, data[3] % 80 - 40);
    const float first = static_cast<float>(static_cast<std::int8_t>(data[0])) * unit;
    const float last = first + static_cast<float>(data[1]) * unit;
    const float step = static_cast<float>(data[2] + 1) * unit / 16.0F;
    Path textual;
    Path compiled;
    const char* text = reinterpret_cast<const char*>(data) + 4;
    const char* const end = reinterpret_cast<const char*>(data) + size;
    while (text <= end) {
        const void* zero = std::memchr(text, 0, static_cast<std::size_t>(end - text));
        const char* formulaEnd = zero ? static_cast<const char*>(zero) : end;
        const curvix::ExprString formula(text, static_cast<int>(formulaEnd - text));
        std::ostringstream textualProblems;
        std::ostringstream compiledProblems;
        curvix::SampleCurveTextual(textual.engine, formula, first, last, step, textual.curve,
                                   textualProblems, 300);
        curvix::SampleCurve(compiled.engine, formula, first, last, step, compiled.curve,
                            compiledProblems, 300);
        const std::size_t floats = textual.curve.Size();
        if (floats != compiled.curve.Size() ||
            (floats > 0 && std::memcmp(textual.curve.Data(), compiled.curve.Data(),
                                       floats * sizeof(float)) != 0) ||
            textual.reports.str() != compiled.reports.str() ||
            textualProblems.str() != compiledProblems.str() ||
            !SameVariables(textual.engine.FirstVariable(), compiled.engine.FirstVariable())) {
            __builtin_trap();
        }
        text = formulaEnd + 1;
    }
    return 0;
}
