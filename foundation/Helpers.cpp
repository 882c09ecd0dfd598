#include "foundation/Helpers.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/FrameTime.h"
#include "platform/backend.h"
#include "platform/messagebox.h"

// ---- Random -------------------------------------------------------------------------------

namespace {
uint32_t g_randomState = 1;
}

void SeedRandom(uint32_t seed) { g_randomState = seed; }

int RandomRaw() {
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFFu);
}

int RandomRange(int lo, int hi) {
    const double span = static_cast<double>(hi) - static_cast<double>(lo) + 1.0;
    return lo + static_cast<int>(std::trunc(RandomRaw() * span / 32768.0));
}

bool RandomChance(double percent) { return RandomRange(0, 9999) < percent * 100.0; }

// ---- Distances and angles -----------------------------------------------------------------

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

double CalcAcceleratedDistance(double speed, double acceleration, double t) {
    return speed * t + 0.5 * acceleration * t * t;
}

double CalcLandingSpeedX(double x0, double y0, double x1, double y1, double vy, double g, double maxSpeed) {
    const double gg = g == 0.0 ? kZeroDivisor : g;
    const double tApex = -vy / gg;
    const double yApex = tApex * (tApex * gg * 0.5 + vy) + y0;
    const double drop = y1 >= yApex ? y1 - yApex : 0.0;
    double t = std::sqrt(std::max(2.0 * drop / gg, 0.0)) + tApex;
    if (t == 0.0) t = kZeroDivisor;
    const double vx = (x1 - x0) / t;
    if (std::fabs(vx) <= maxSpeed) return vx;
    return vx < 0.0 ? -maxSpeed : maxSpeed;
}

double MinOf2(double a, double b) { return a < b ? a : b; }
double MinOf3(double a, double b, double c) { return MinOf2(a, MinOf2(b, c)); }
double MinOf4(double a, double b, double c, double d) { return MinOf3(a, b, MinOf2(c, d)); }
double MaxOf2(double a, double b) { return a > b ? a : b; }
double MaxOf3(double a, double b, double c) { return MaxOf2(a, MaxOf2(b, c)); }
double MaxOf4(double a, double b, double c, double d) { return MaxOf3(a, b, MaxOf2(c, d)); }

// ---- Shape tests --------------------------------------------------------------------------

bool IsCircleOverlap(double x1, double y1, double r1, double x2, double y2, double r2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double rr = r1 + r2;
    return rr * rr >= dx * dx + dy * dy;
}

bool IsPointInCircle(double px, double py, double cx, double cy, double r) {
    const double dx = px - cx;
    const double dy = py - cy;
    return r * r >= dx * dx + dy * dy;
}

bool IsPointInRect(double x, double y, double left, double top, double right, double bottom) {
    return left <= x && x <= right && top <= y && y <= bottom;
}

bool IsRectOverlap(double l1, double t1, double r1, double b1, double l2, double t2, double r2, double b2) {
    return r1 >= l2 && l1 <= r2 && b1 >= t2 && t1 <= b2;
}

bool IsCircleRectOverlap(double cx, double cy, double r, double left, double top, double right,
                         double bottom) {
    // The sampling below walks the rectangle: a rectangle without finite bounds can't overlap.
    for (double v : {cx, cy, r, left, top, right, bottom}) {
        if (!std::isfinite(v)) return false;
    }
    const double mx = (left + right) * 0.5;
    const double my = (top + bottom) * 0.5;
    const double h = GetDistance(mx, my, left, top);
    if (!IsCircleOverlap(cx, cy, r, mx, my, h)) return false;
    if (IsPointInRect(cx, cy, left, top, right, bottom)) return true;
    // Sample points every kSampleStep from the top-left corner. Only those within the circle's
    // bounding box can hit, so the walk starts at the first grid point inside it: a large
    // rectangle costs no more than a small one.
    auto firstSample = [](double from, double lowest) {
        return lowest <= from ? from : from + std::ceil((lowest - from) / kSampleStep) * kSampleStep;
    };
    const double xEnd = std::min(right, cx + r + kSampleStep);
    const double yEnd = std::min(bottom, cy + r + kSampleStep);
    for (double x = firstSample(left, cx - r); x < xEnd; x += kSampleStep) {
        for (double y = firstSample(top, cy - r); y < yEnd; y += kSampleStep) {
            if (IsPointInCircle(x, y, cx, cy, r)) return true;
        }
    }
    for (double y = firstSample(top, cy - r); y < yEnd; y += kSampleStep) {
        if (IsPointInCircle(right, y, cx, cy, r)) return true;
    }
    for (double x = firstSample(left, cx - r); x < xEnd; x += kSampleStep) {
        if (IsPointInCircle(x, bottom, cx, cy, r)) return true;
    }
    return IsPointInCircle(right, bottom, cx, cy, r);
}

void GetQuadrantSquare(double x, double y, double r, int q, double& left, double& top, double& right,
                       double& bottom) {
    switch (q) {
        case 1:
            left = x - r;
            top = y - r;
            right = x;
            bottom = y;
            break;
        case 2:
            left = x;
            top = y - r;
            right = x + r;
            bottom = y;
            break;
        case 3:
            left = x - r;
            top = y;
            right = x;
            bottom = y + r;
            break;
        default:
            left = x;
            top = y;
            right = x + r;
            bottom = y + r;
            break;
    }
    left = std::trunc(left);
    top = std::trunc(top);
    right = std::trunc(right);
    bottom = std::trunc(bottom);
}

bool IsQuarterCircleCircleOverlap(double x, double y, double r, int q, double cx, double cy, double cr) {
    if (!IsCircleOverlap(x, y, r, cx, cy, cr)) return false;
    double l, t, rr, b;
    GetQuadrantSquare(x, y, r, q, l, t, rr, b);
    return IsCircleRectOverlap(cx, cy, cr, l, t, rr, b);
}

bool IsQuarterCircleRectOverlap(double x, double y, double r, int q, double left, double top, double right,
                                double bottom) {
    if (!IsCircleRectOverlap(x, y, r, left, top, right, bottom)) return false;
    double l, t, rr, b;
    GetQuadrantSquare(x, y, r, q, l, t, rr, b);
    return IsRectOverlap(l, t, rr, b, left, top, right, bottom);
}

bool IsPointInQuarterCircle(double x, double y, double r, int q, double px, double py) {
    if (!IsPointInCircle(px, py, x, y, r)) return false;
    double l, t, rr, b;
    GetQuadrantSquare(x, y, r, q, l, t, rr, b);
    return IsPointInRect(px, py, l, t, rr, b);
}

bool IsQuarterCircleOverlap(double x1, double y1, double r1, int q1, double x2, double y2, double r2,
                            int q2) {
    if (!IsCircleOverlap(x1, y1, r1, x2, y2, r2)) return false;
    double l1, t1, rr1, b1, l2, t2, rr2, b2;
    GetQuadrantSquare(x1, y1, r1, q1, l1, t1, rr1, b1);
    GetQuadrantSquare(x2, y2, r2, q2, l2, t2, rr2, b2);
    return IsRectOverlap(l1, t1, rr1, b1, l2, t2, rr2, b2);
}

// ---- Rectangle relations ------------------------------------------------------------------

namespace {
// The four tolerance tests; -1 when none holds.
int ContactByTolerance(double al, double at, double ar, double ab, double bl, double bt, double br,
                       double bb) {
    if (bt + kContactTolerance >= ab) return 0;
    if (at + kContactTolerance >= bb) return 1;
    if (bl + kContactTolerance >= ar) return 2;
    if (al + kContactTolerance >= br) return 3;
    return -1;
}
}  // namespace

int GetContactSide(double al, double at, double ar, double ab, double bl, double bt, double br, double bb) {
    const int side = ContactByTolerance(al, at, ar, ab, bl, bt, br, bb);
    return side < 0 ? 4 : side;
}

int GetContactSideByCentre(double al, double at, double ar, double ab, double bl, double bt, double br,
                           double bb) {
    const int side = ContactByTolerance(al, at, ar, ab, bl, bt, br, bb);
    if (side >= 0) return side;
    const bool aLeftOfB = (al + ar) * 0.5 < (bl + br) * 0.5;
    const double hDepth = aLeftOfB ? std::fabs(ar - bl) : std::fabs(al - br);
    const int horizontal = aLeftOfB ? 2 : 3;
    if ((bt + bb) * 0.5 <= (at + ab) * 0.5) {
        const double vDepth = std::fabs(at - bb);
        return vDepth < hDepth ? 1 : horizontal;
    }
    const double vDepth = std::fabs(ab - bt);
    return vDepth < hDepth ? 0 : horizontal;
}

double GetRectDistance(double al, double at, double ar, double ab, double bl, double bt, double br,
                       double bb) {
    if (IsRectOverlap(al, at, ar, ab, bl, bt, br, bb)) return 0.0;
    int vertical = 0;  // 1 above, 2 below
    if (bb < at) vertical = 1;
    if (ab < bt) vertical = 2;
    int horizontal = 0;  // 1 left, 2 right
    if (br < al) horizontal = 1;
    if (bl > ar) horizontal = 2;
    if (vertical == 1 && horizontal == 2) return GetDistance(ar, at, bl, bb);
    if (vertical == 2 && horizontal == 2) return GetDistance(ar, ab, bl, bt);
    if (vertical == 2 && horizontal == 1) return GetDistance(al, ab, br, bt);
    if (vertical == 1 && horizontal == 1) return GetDistance(al, at, br, bb);
    if (vertical == 1) return std::fabs(at - bb);
    if (vertical == 2) return std::fabs(bt - ab);
    if (horizontal == 1) return std::fabs(al - br);
    if (horizontal == 2) return std::fabs(bl - ar);
    return 0.0;
}

std::vector<std::pair<int, int>> GetLineCells(int x1, int y1, int x2, int y2) {
    std::vector<std::pair<int, int>> cells;
    const double d = GetDistance(x1, y1, x2, y2);
    if (d < 1.0) {
        cells.emplace_back(x1, y1);
        return cells;
    }
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    for (double i = 0.0; i < d; i += 1.0) {
        const double t = i / d;
        const std::pair<int, int> p(static_cast<int>(std::trunc(dx * t)) + x1,
                                    static_cast<int>(std::trunc(dy * t)) + y1);
        if (cells.empty() || cells.back() != p) cells.push_back(p);
    }
    cells.emplace_back(x2, y2);
    return cells;
}

// ---- Conversions --------------------------------------------------------------------------

namespace {
int ClampToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int ConvertInt(const std::string& text, int base) {
    if (text.empty()) return 0;
    if (text.size() >= 20) return -1;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, base);
    return ClampToInt(v);
}
}  // namespace

int StrToInt(const std::string& text) { return ConvertInt(text, 10); }
int HexStrToInt(const std::string& text) { return ConvertInt(text, 16); }

double StrToDouble(const std::string& text) {
    if (text.empty()) return 0.0;
    if (text.size() >= 64) return -1.0;
    return std::strtod(text.c_str(), nullptr);
}

std::string IntToString(int value) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "%d", value);
    return buf;
}

std::vector<std::string> SplitString(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t pos = text.find(separator, start);
        if (pos == std::string::npos) break;
        pieces.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::string WideToMultiByte(const std::wstring& wide) {
    std::string out;
    out.reserve(wide.size() * 3);
    for (wchar_t wc : wide) {
        uint32_t c = static_cast<uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring MultiByteToWide(const std::string& text) {
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t cp = 0xFFFD;
        size_t len = 1;
        uint32_t min = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
            min = 0x10000;
        } else {
            out += static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        bool ok = i + len <= n;
        for (size_t k = 1; ok && k < len; ++k) {
            const unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(cp);
        i += len;
    }
    return out;
}

// ---- Window helpers -----------------------------------------------------------------------

void ShowMessageText(const std::string& text) { plat::ShowMessageBox("メッセージ", text); }

void ShowMessageBox(const std::string& text) { ShowMessageText(text); }

void SetMainWindowTitle(const std::string& text) {
    if (plat::Backend* backend = plat::CurrentBackend()) backend->SetTitle(text);
}

double GetFrameRate() {
    const double t = GetFrameTime();
    if (t == 0.0) return HUGE_VAL;
    return 1.0 / t;
}
