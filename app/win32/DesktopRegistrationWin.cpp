#include "DesktopRegistration.h"

// Windows' shell learns of the program through the registry; until the
// program writes its document type there, there is nothing to identify
// or take back.

namespace curvix {

void IdentifyToDesktop() {}

void RegisterWithDesktop() {}

void UnregisterFromDesktop() {}

} // namespace curvix
