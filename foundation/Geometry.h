#pragma once
// Distances and angles between points. Positions are doubles in pixels with y growing
// downwards; angles are radians.
#include <numbers>
#include <vector>

// Half a turn.
inline constexpr double kPi = std::numbers::pi;
// v cut toward zero, as coordinates become whole pixels (v must lie within the int range).
inline int TruncToInt(double v) { return static_cast<int>(v); }
// A quarter and a full turn as the game stores them.
inline constexpr double kQuarterTurn = 1.5707965;
inline constexpr double kFullTurn = 6.283186;

double GetDistance(double x1, double y1, double x2, double y2);
// atan2(y2 - y1, x2 - x1); straight up or down (x1 == x2) gives +-1.5707965 (+ also for equal points).
double GetAngle(double x1, double y1, double x2, double y2);
// The signed short turn from angle a to angle b.
double GetAngleDiff(double a, double b);

// ---- Overlap of shapes; every test counts touching as overlapping ----
// A quarter circle is a circle's centre, radius and quadrant: 1 opens up-left (its square lies
// left of and above the centre), 2 opens up-right.
bool IsCircleOverlap(double x1, double y1, double r1, double x2, double y2, double r2);
bool IsRectOverlap(double l1, double t1, double r1, double b1, double l2, double t2, double r2, double b2);
bool IsPointInCircle(double x, double y, double cx, double cy, double r);
bool IsPointInRect(double x, double y, double left, double top, double right, double bottom);
// Bounding test, then the centre inside the rectangle, else the rectangle's points on an 8-pixel
// grid (edges included) tested for lying in the circle.
bool IsCircleRectOverlap(double cx, double cy, double r, double left, double top, double right,
                         double bottom);
bool IsPointInQuarterCircle(double x, double y, double cx, double cy, double r, int quadrant);
bool IsQuarterCircleCircleOverlap(double qx, double qy, double qr, int quadrant, double cx, double cy,
                                  double r);
bool IsQuarterCircleRectOverlap(double qx, double qy, double qr, int quadrant, double left, double top,
                                double right, double bottom);
bool IsQuarterCircleOverlap(double x1, double y1, double r1, int q1, double x2, double y2, double r2, int q2);

// Where rectangle A (l1, t1, r1, b1) meets rectangle B, with a tolerance of 4 pixels, tested in
// this order: 0 A above B, 1 A below B, 2 A left of B, 3 A right of B, else 4.
int GetContactSide(double l1, double t1, double r1, double b1, double l2, double t2, double r2, double b2);
// The same, but a deep overlap is settled by the centres, so the answer is always 0..3.
int GetContactSideByCentre(double l1, double t1, double r1, double b1, double l2, double t2, double r2,
                           double b2);
// 0 when the rectangles overlap; the gap along the axis beside, above or below; the corner
// distance in the diagonal zones.
double GetRectDistance(double l1, double t1, double r1, double b1, double l2, double t2, double r2,
                       double b2);

// The horizontal speed that carries a jump from (x, y) with vertical speed vy (up is negative) under
// gravity g to land at (targetX, targetY): the time to the top of the arc plus the fall from there,
// the distance over that time, held to ±maxSpeed. A gravity or a flight time of 0 counts as 0.001.
double CalcLandingSpeedX(double x, double y, double targetX, double targetY, double vy, double g,
                         double maxSpeed);

// A cell of a grid.
struct GridPoint {
    int x = 0, y = 0;
    bool operator==(const GridPoint&) const = default;
};
// The cells of the line from (x1, y1) to (x2, y2): as many samples as the points are apart, each
// cell once in a row, the end cell last; a single cell when the points are less than 1 apart.
std::vector<GridPoint> GetLineCells(int x1, int y1, int x2, int y2);
