#pragma once

#include <string>

namespace curvix {

// Where the framework's error texts go. The GUI installs a sink that shows
// each text in a message box; tests install one that records them. Without
// a sink the texts go to standard error, one line each.
class CErrorSink {
public:
    virtual ~CErrorSink() = default;
    virtual void ReportError(const std::string& text) = 0;
};

// Installs sink (null: standard error) and returns the one it replaces.
CErrorSink* SetErrorSink(CErrorSink* sink);
void ReportError(const std::string& text);

} // namespace curvix
