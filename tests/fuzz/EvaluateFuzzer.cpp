// Feeds arbitrary bytes to one engine: the input is split at 0 bytes into
// formulas evaluated in turn, so that assignments carry over as they do
// across samples and Draw commands.

#include "ExprString.h"
#include "ExpressionEvaluator.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    curvix::ExpressionEvaluator engine;
    std::ostringstream reports;
    engine.SetErrorStream(reports);
    const char* text = reinterpret_cast<const char*>(data);
    const char* const end = text + size;
    while (text <= end) {
        const void* zero = std::memchr(text, 0, static_cast<std::size_t>(end - text));
        const char* formulaEnd = zero ? static_cast<const char*>(zero) : end;
        curvix::ExprString formula(text, static_cast<int>(formulaEnd - text));
        engine.Evaluate(formula);
        text = formulaEnd + 1;
    }
    return 0;
}
