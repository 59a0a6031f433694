#pragma once

#include <optional>
#include <ostream>

namespace curvix {

// Command lines answered before the application starts: no display, no
// settings, no desktop registration.

// "--help" or "--version" anywhere on the command line: the text goes to
// out and the exit status comes back (1, with the cause on standard error,
// when it cannot be written); nothing otherwise.
std::optional<int> AnswerInformationRequest(int argc, const char* const* argv, std::ostream& out);

// Unregistering with "Embedding" shows nothing, so it runs without a
// display.
bool RunsWithoutDisplay(int argc, const char* const* argv);

} // namespace curvix
