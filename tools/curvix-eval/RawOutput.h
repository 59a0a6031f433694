#pragma once

#include <cstddef>

namespace curvix {

// Writes up to count bytes to the descriptor: how many were written, or -1
// with errno set.
long long WriteToDescriptor(int descriptor, const char* bytes, std::size_t count);

// Standard input, output and error pass every byte as it is, so that the
// program reads and prints the same bytes on every system (no "\r\n" for
// "\n").
void UseBinaryStandardStreams();

} // namespace curvix
