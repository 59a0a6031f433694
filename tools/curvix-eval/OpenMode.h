#pragma once

#include <ostream>
#include <string>

namespace curvix {

// Opens a .cvx file as the application does and prints its formula on one
// line and its eight numbers in file order (shortest float text) on the
// next. On failure prints the framework's error text on errors and returns
// 1; else 0.
int OpenAndPrint(const std::string& path, std::ostream& out, std::ostream& errors);

} // namespace curvix
