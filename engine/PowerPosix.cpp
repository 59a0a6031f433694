#include "Power.h"

#include <cmath>

namespace curvix {

double Power(double base, double exponent) {
    return std::pow(base, exponent);
}

} // namespace curvix
