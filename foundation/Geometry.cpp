#include "foundation/Geometry.h"

#include <algorithm>
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

bool IsCircleOverlap(double x1, double y1, double r1, double x2, double y2, double r2) {
    const double dx = x2 - x1, dy = y2 - y1, rr = r1 + r2;
    return rr * rr >= dx * dx + dy * dy;
}

bool IsRectOverlap(double l1, double t1, double r1, double b1, double l2, double t2, double r2, double b2) {
    return l1 <= r2 && l2 <= r1 && t1 <= b2 && t2 <= b1;
}

bool IsPointInCircle(double x, double y, double cx, double cy, double r) {
    const double dx = x - cx, dy = y - cy;
    return r * r >= dx * dx + dy * dy;
}

bool IsPointInRect(double x, double y, double left, double top, double right, double bottom) {
    return left <= x && x <= right && top <= y && y <= bottom;
}

bool IsCircleRectOverlap(double cx, double cy, double r, double left, double top, double right,
                         double bottom) {
    if (!IsRectOverlap(cx - r, cy - r, cx + r, cy + r, left, top, right, bottom)) return false;
    if (IsPointInRect(cx, cy, left, top, right, bottom)) return true;
    // The grid's last line lies on the far edge, so thin rectangles are sampled too.
    for (double px = left;; px += 8.0) {
        const double sx = px < right ? px : right;
        for (double py = top;; py += 8.0) {
            const double sy = py < bottom ? py : bottom;
            if (IsPointInCircle(sx, sy, cx, cy, r)) return true;
            if (sy >= bottom) break;
        }
        if (sx >= right) break;
    }
    return false;
}

namespace {
// The square of side r on the quadrant's side of the centre.
void QuarterSquare(double x, double y, double r, int quadrant, double& l, double& t, double& rt, double& b) {
    l = quadrant == 1 ? x - r : x;
    rt = quadrant == 1 ? x : x + r;
    t = y - r;
    b = y;
}
}  // namespace

bool IsPointInQuarterCircle(double x, double y, double cx, double cy, double r, int quadrant) {
    if (!IsPointInCircle(x, y, cx, cy, r)) return false;
    double l, t, rt, b;
    QuarterSquare(cx, cy, r, quadrant, l, t, rt, b);
    return IsPointInRect(x, y, l, t, rt, b);
}

bool IsQuarterCircleCircleOverlap(double qx, double qy, double qr, int quadrant, double cx, double cy,
                                  double r) {
    if (!IsCircleOverlap(qx, qy, qr, cx, cy, r)) return false;
    double l, t, rt, b;
    QuarterSquare(qx, qy, qr, quadrant, l, t, rt, b);
    return IsCircleRectOverlap(cx, cy, r, l, t, rt, b);
}

bool IsQuarterCircleRectOverlap(double qx, double qy, double qr, int quadrant, double left, double top,
                                double right, double bottom) {
    if (!IsCircleRectOverlap(qx, qy, qr, left, top, right, bottom)) return false;
    double l, t, rt, b;
    QuarterSquare(qx, qy, qr, quadrant, l, t, rt, b);
    return IsRectOverlap(l, t, rt, b, left, top, right, bottom);
}

bool IsQuarterCircleOverlap(double x1, double y1, double r1, int q1, double x2, double y2, double r2,
                            int q2) {
    if (!IsCircleOverlap(x1, y1, r1, x2, y2, r2)) return false;
    double l1, t1, rt1, b1, l2, t2, rt2, b2;
    QuarterSquare(x1, y1, r1, q1, l1, t1, rt1, b1);
    QuarterSquare(x2, y2, r2, q2, l2, t2, rt2, b2);
    return IsRectOverlap(l1, t1, rt1, b1, l2, t2, rt2, b2);
}

namespace {
constexpr double kContactTolerance = 4.0;
}

int GetContactSide(double l1, double t1, double r1, double b1, double l2, double t2, double r2, double b2) {
    if (t2 + kContactTolerance >= b1) return 0;
    if (t1 + kContactTolerance >= b2) return 1;
    if (l2 + kContactTolerance >= r1) return 2;
    if (l1 + kContactTolerance >= r2) return 3;
    return 4;
}

int GetContactSideByCentre(double l1, double t1, double r1, double b1, double l2, double t2, double r2,
                           double b2) {
    const int side = GetContactSide(l1, t1, r1, b1, l2, t2, r2, b2);
    if (side != 4) return side;
    // Deep overlap: the axis along which the centres lie further apart, relative to the sizes.
    const double dx = (l2 + r2) * 0.5 - (l1 + r1) * 0.5;
    const double dy = (t2 + b2) * 0.5 - (t1 + b1) * 0.5;
    const double overlapX = std::fmin(r1, r2) - std::fmax(l1, l2);
    const double overlapY = std::fmin(b1, b2) - std::fmax(t1, t2);
    if (overlapY <= overlapX) return dy >= 0 ? 0 : 1;
    return dx >= 0 ? 2 : 3;
}

double GetRectDistance(double l1, double t1, double r1, double b1, double l2, double t2, double r2,
                       double b2) {
    const double gx = l2 > r1 ? l2 - r1 : (l1 > r2 ? l1 - r2 : 0.0);
    const double gy = t2 > b1 ? t2 - b1 : (t1 > b2 ? t1 - b2 : 0.0);
    if (gx == 0.0) return gy;
    if (gy == 0.0) return gx;
    return std::sqrt(gx * gx + gy * gy);
}

double CalcLandingSpeedX(double x, double y, double targetX, double targetY, double vy, double g,
                         double maxSpeed) {
    if (g == 0.0) g = 0.001;
    const double rise = -vy / g;
    const double apex = y + rise * (0.5 * g * rise + vy);
    const double fall = std::sqrt(2.0 * std::max(0.0, targetY - apex) / g);
    double total = rise + fall;
    if (total == 0.0) total = 0.001;
    const double speed = (targetX - x) / total;
    if (std::fabs(speed) > maxSpeed) return speed < 0 ? -maxSpeed : maxSpeed;
    return speed;
}

std::vector<GridPoint> GetLineCells(int x1, int y1, int x2, int y2) {
    std::vector<GridPoint> cells;
    const double d = GetDistance(x1, y1, x2, y2);
    if (d < 1.0) return {GridPoint{x1, y1}};
    for (int i = 0; i < d; ++i) {
        const double t = i / d;
        const GridPoint p{int((x2 - x1) * t) + x1, int((y2 - y1) * t) + y1};
        if (cells.empty() || !(cells.back() == p)) cells.push_back(p);
    }
    cells.push_back(GridPoint{x2, y2});
    return cells;
}
