#pragma once

namespace curvix {

// strtod in the C locale whatever the process's locale is: the decimal
// point is always '.'.
double StrtodCLocale(const char* text);

} // namespace curvix
