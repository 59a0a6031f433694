#include "TickLimits.h"

#include <cmath>

namespace curvix {

bool TickLoopEnds(float halfExtent) {
    if (!std::isfinite(halfExtent)) {
        return false;
    }
    const double span = 2.0 * static_cast<double>(halfExtent) - 2.0;
    return span < 0.0 || std::floor(span) + 1.0 <= kMaxTicksPerAxis;
}

} // namespace curvix
