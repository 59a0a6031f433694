#pragma once

namespace curvix {

// Most tick marks drawn on one axis; more would cost a frame more than the
// picture gains.
inline constexpr double kMaxTicksPerAxis = 10000.0;

// Whether the tick loop for a half-extent ends within the limit. Ticks run
// from 1 - e to e - 1 in steps of 1; for a finite e those single-precision
// values are exact below 2^23, so the loop draws floor(2e - 2) + 1 ticks.
// Not-a-number, infinity and values too large to count in steps of 1 are
// refused, and the axis is drawn without ticks.
bool TickLoopEnds(float halfExtent);

} // namespace curvix
