#include "foundation/Geometry.h"

#include <cmath>

double GetDistance(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

double GetAngle(double x1, double y1, double x2, double y2) {
    if (x1 == x2) return y2 >= y1 ? kQuarterTurn : -kQuarterTurn;
    return std::atan2(y2 - y1, x2 - x1);
}

namespace {
// Brings an angle into [0, full turn).
double WrapAngle(double a) {
    if (!std::isfinite(a)) return 0.0;
    if (std::fabs(a) > 1.0e6) a = std::fmod(a, kFullTurn);
    while (a < 0.0) a += kFullTurn;
    while (a >= kFullTurn) a -= kFullTurn;
    return a;
}
}  // namespace

double GetAngleDiff(double a, double b) {
    if (a == b) return 0.0;
    a = WrapAngle(a);
    b = WrapAngle(b);
    if (a == b) return 0.0;
    const double d1 = b - a;
    const double d2 = b > a ? d1 - kFullTurn : d1 + kFullTurn;
    return std::fabs(d2) >= std::fabs(d1) ? d1 : d2;
}
