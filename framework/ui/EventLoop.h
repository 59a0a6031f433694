#pragma once

#include <string>
#include <vector>

namespace curvix {

// Makes the running event loop return exitCode. Outside an event loop it
// does nothing: ending there would make every later loop (a message box's
// too) return at once.
void AfxEndEventLoop(int exitCode);

// The program's arguments as the process got them, without the program
// name.
std::vector<std::string> AfxGetProcessArguments();

} // namespace curvix
