#pragma once

#include <cmath>
#include <stdexcept>

namespace kavrell {

// Raised by the warp arithmetic when it meets a zero divisor, an invalid
// operation or an overflow; the sequence driver turns it into the message
// about overlapping control points.
class WarpFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// numerator / denominator, failing on a zero denominator or a result that is
// not finite.
inline double CheckedDivide(double numerator, double denominator) {
    if (denominator == 0.0) throw WarpFailure("division by zero");
    const double quotient = numerator / denominator;
    if (!std::isfinite(quotient)) throw WarpFailure("overflow");
    return quotient;
}

}  // namespace kavrell
