#pragma once

namespace curvix {

// base^exponent as C's pow, the same double on every system: glibc's pow
// rounds correctly, and where the system's does not, a whole exponent is
// raised with twice a double's precision.
double Power(double base, double exponent);

} // namespace curvix
