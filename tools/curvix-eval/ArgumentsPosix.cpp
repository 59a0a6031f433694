#include "Arguments.h"

namespace curvix {

void UseUtf8Arguments(int& /*argc*/, char**& /*argv*/) {}

} // namespace curvix
