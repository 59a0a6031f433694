#pragma once

#include <QApplication>
#include <memory>

namespace curvix {

// Makes the application object, which opens the display. When the display
// cannot be opened (no server answers, or Qt's platform plugin for it is
// missing), Qt prints several lines of its own and of the platform
// libraries and aborts; instead the program then ends with status 1 and the
// one line of UnreachableDisplayText on standard error. What the libraries
// print while the display opens well still reaches standard error.
std::unique_ptr<QApplication> ConnectToDisplay(int& argc, char** argv);

} // namespace curvix
