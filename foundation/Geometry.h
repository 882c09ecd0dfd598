#pragma once
// Distances and angles between points. Positions are doubles in pixels with y growing
// downwards; angles are radians.

// A quarter and a full turn as the game stores them.
inline constexpr double kQuarterTurn = 1.5707965;
inline constexpr double kFullTurn = 6.283186;

double GetDistance(double x1, double y1, double x2, double y2);
// atan2(y2 - y1, x2 - x1); straight up or down (x1 == x2) gives +-1.5707965 (+ also for equal points).
double GetAngle(double x1, double y1, double x2, double y2);
// The signed short turn from angle a to angle b.
double GetAngleDiff(double a, double b);
