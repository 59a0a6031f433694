#pragma once

namespace curvix {

// Replaces the arguments main() was given by their UTF-8 spelling: on
// Windows those are in the ANSI code page, which cannot spell every file
// name; elsewhere they stay as they are.
void UseUtf8Arguments(int& argc, char**& argv);

} // namespace curvix
