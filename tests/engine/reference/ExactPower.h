#pragma once

namespace curvix::reference {

// base^exponent for a whole exponent and a finite, nonzero base, computed
// with integers wide enough to round once to the nearest double (ties to
// even), overflow to infinity and subnormal or zero results included.
struct WholePower {
    bool decided; // false for other arguments, and where even the widest
                  // working precision leaves the rounding open
    bool exact;   // the power is value itself, no rounding needed
    double value;
};

WholePower ExactWholePower(double base, double exponent);

// The reference's '^': the C library's pow, except for the whole powers that
// the engine rounds exactly once (see the source).
double ReferencePower(double base, double exponent);

} // namespace curvix::reference
