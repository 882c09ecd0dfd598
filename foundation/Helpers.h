#pragma once
// Free helpers shared by the whole game: random numbers, distances and angles, shape tests of
// the collision pass, rectangle relations, the cells of a line, number and text conversions.
// Positions, lengths and angles are doubles (pixels, radians; y grows downwards); rectangles are
// passed as left, top, right, bottom.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// ---- Constants as the game stores them ----------------------------------------------------
inline constexpr double kQuarterTurn = 1.5707965;
inline constexpr double kFullTurn = 6.283186;
inline constexpr double kContactTolerance = 4.0;
inline constexpr double kSampleStep = 8.0;
inline constexpr double kZeroDivisor = 0.001;

// ---- Random -------------------------------------------------------------------------------
// The game's own generator: 15-bit results 0..32767, seeded once at start (and by tests).
void SeedRandom(uint32_t seed);
int RandomRaw();  // 0..32767
// lo + trunc(RandomRaw() x (hi - lo + 1) / 32768): lo..hi inclusive.
int RandomRange(int lo, int hi);
// True when RandomRange(0, 9999) < percent x 100: 0 never, 100 always.
bool RandomChance(double percent);

// ---- Distances and angles -----------------------------------------------------------------
double GetDistance(double x1, double y1, double x2, double y2);
// atan2(y2 - y1, x2 - x1); straight up or down (x1 == x2) gives +-1.5707965 (+ also for equal points).
double GetAngle(double x1, double y1, double x2, double y2);
// The signed short turn from angle a to angle b.
double GetAngleDiff(double a, double b);
double CalcAcceleratedDistance(double speed, double acceleration, double t);
// The horizontal speed with which a jump from (x0, y0) with upward speed vy under gravity g
// lands at (x1, y1), limited to +-maxSpeed.
double CalcLandingSpeedX(double x0, double y0, double x1, double y1, double vy, double g, double maxSpeed);

double MinOf2(double a, double b);
double MinOf3(double a, double b, double c);
double MinOf4(double a, double b, double c, double d);
double MaxOf2(double a, double b);
double MaxOf3(double a, double b, double c);
double MaxOf4(double a, double b, double c, double d);

// ---- Shape tests (bounds inclusive: touching overlaps) ---------------------------------------
// A quarter circle is (x, y, r, quadrant): 1 upper left, 2 upper right, 3 lower left, any other
// lower right; its quadrant square has the bounds truncated to whole numbers.
bool IsCircleOverlap(double x1, double y1, double r1, double x2, double y2, double r2);
bool IsPointInCircle(double px, double py, double cx, double cy, double r);
bool IsPointInRect(double x, double y, double left, double top, double right, double bottom);
bool IsRectOverlap(double l1, double t1, double r1, double b1, double l2, double t2, double r2, double b2);
bool IsCircleRectOverlap(double cx, double cy, double r, double left, double top, double right,
                         double bottom);
bool IsQuarterCircleCircleOverlap(double x, double y, double r, int q, double cx, double cy, double cr);
bool IsQuarterCircleRectOverlap(double x, double y, double r, int q, double left, double top, double right,
                                double bottom);
bool IsPointInQuarterCircle(double x, double y, double r, int q, double px, double py);
bool IsQuarterCircleOverlap(double x1, double y1, double r1, int q1, double x2, double y2, double r2, int q2);
// The quadrant square of a quarter circle: left, top, right, bottom.
void GetQuadrantSquare(double x, double y, double r, int q, double& left, double& top, double& right,
                       double& bottom);

// ---- Rectangle relations ------------------------------------------------------------------
// 0 A stands on B, 1 A is under B, 2 A is left of B, 3 A is right of B, 4 deep overlap.
int GetContactSide(double al, double at, double ar, double ab, double bl, double bt, double br, double bb);
// The same, but a deep overlap is decided by centres and depths (always 0..3).
int GetContactSideByCentre(double al, double at, double ar, double ab, double bl, double bt, double br,
                           double bb);
// The gap between two rectangles: 0 when they overlap or touch.
double GetRectDistance(double al, double at, double ar, double ab, double bl, double bt, double br,
                       double bb);
// The integer points of a line from the first point to the second, both included.
std::vector<std::pair<int, int>> GetLineCells(int x1, int y1, int x2, int y2);

// ---- Conversions --------------------------------------------------------------------------
// 0 for "", -1 for 20 or more characters, else the base-10 number at the text's start (0 when
// none), clamped to the int range.
int StrToInt(const std::string& text);
// The same with base 16.
int HexStrToInt(const std::string& text);
// 0.0 for "", -1.0 for 64 or more characters, else the decimal number at the text's start.
double StrToDouble(const std::string& text);
// "%d"
std::string IntToString(int value);
// The pieces between separators, empty ones included; "" gives one empty piece, "a," gives
// "a" and "".
std::vector<std::string> SplitString(const std::string& text, char separator);
// UTF-8 <-> wide text (the text input works on wide strings). Invalid UTF-8 becomes U+FFFD.
std::string WideToMultiByte(const std::wstring& wide);
std::wstring MultiByteToWide(const std::string& text);

// ---- Window helpers -----------------------------------------------------------------------
// Shows the text in the message box titled "メッセージ", literally.
void ShowMessageText(const std::string& text);
// The same box under the name the game's screens use; returns when it has been closed.
void ShowMessageBox(const std::string& text);
// Sets the main window's title (nothing happens while no window runs).
void SetMainWindowTitle(const std::string& text);
// 1.0 / the last frame's duration (GetFrameTime); infinity before the first frame.
double GetFrameRate();
