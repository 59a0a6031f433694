#include "ErrorSink.h"

#include <iostream>

namespace curvix {

namespace {
CErrorSink* g_sink = nullptr;
} // namespace

CErrorSink* SetErrorSink(CErrorSink* sink) {
    CErrorSink* previous = g_sink;
    g_sink = sink;
    return previous;
}

void ReportError(const std::string& text) {
    if (g_sink != nullptr) {
        g_sink->ReportError(text);
    } else {
        std::cerr << text << '\n' << std::flush;
    }
}

} // namespace curvix
