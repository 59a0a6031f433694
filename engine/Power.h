#pragma once

namespace curvix {

// base^exponent as C's pow. On Linux it is glibc's pow. Elsewhere a whole
// exponent is raised with twice a double's precision and rounded once, so
// the result is the correctly rounded power; glibc's is that too but for
// about one whole power in 1,350, where it is the neighbouring double.
double Power(double base, double exponent);

} // namespace curvix
