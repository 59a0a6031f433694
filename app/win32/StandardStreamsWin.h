#pragma once

namespace curvix {

// Connects standard output and standard error to the handles the parent
// process gave (a redirection, a pipe), where the C library has not; in
// binary mode, so that the report lines end in a line feed alone, as on
// Linux. Streams without a handle stay closed.
void AttachInheritedStandardStreams();

} // namespace curvix
