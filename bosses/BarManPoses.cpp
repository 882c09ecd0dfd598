#include "bosses/BarManPoses.h"

#include <cmath>

#include "foundation/Geometry.h"
#include "play/BarFigure.h"

namespace {

constexpr int H = kPoseHidden;
constexpr int A = kPoseFromHandX;
constexpr int B = kPoseFromHandY;
constexpr int R = kPoseCentred;

// Indexed r + 6c + 36(page - 1): hand 1, hand 2, bar, how the bar is held and its angle.
const BarManPoseRow kPoses[72] = {
    // page 1, column 0
    {10, 26, 26, 22, A, B, kBarFixed, 0},
    {13, 29, 29, 25, A, B, kBarFixed, 0},
    {10, 10, 25, 10, A, B, kBarFixed, 0},
    {10, 10, 27, 26, -20, 33, kBarFixed, -0.16},
    {16, 10, 20, 26, 18, -20, kBarFixed, kPi / 2},
    {16, 10, 20, 26, 18, -20, kBarFixed, kPi / 2},
    // page 1, column 1
    {10, 27, 26, 23, A, B, kBarFixed, 0},
    {13, 28, 29, 24, A, B, kBarFixed, 0},
    {10, 11, 25, 11, A, B, kBarFixed, 0},
    {13, 8, 27, 28, -23, 35, kBarFixed, -0.16},
    {7, 15, 21, 24, -16, -11, kBarFixed, kPi / 4},
    {12, 15, 26, 24, -13, -11, kBarFixed, kPi / 4},
    // page 1, column 2
    {10, 27, 26, 23, A, B, kBarFixed, 0},
    {13, 28, 29, 24, A, B, kBarFixed, 0},
    {10, 11, 25, 11, A, B, kBarFixed, 0},
    {9, 18, 18, 26, H, H, kBarFixed, 0},
    {3, 24, 19, 20, A, B, kBarFixed, 0},
    {5, 24, 21, 20, A, B, kBarFixed, 0},
    // page 1, column 3
    {9, 27, 25, 23, A, B, kBarFixed, 0},
    {18, 26, 34, 22, A, B, kBarFixed, 0},
    {9, 9, 24, 24, 10, B, kBarDisc, 0},
    {H, H, H, H, H, H, kBarFixed, 0},
    {12, 28, 28, 24, A, B, kBarFixed, 0},
    {12, 28, 28, 24, A, B, kBarFixed, 0},
    // page 1, column 4
    {9, 26, 25, 22, A, B, kBarFixed, 0},
    {H, H, H, H, R, R, kBarBody, 0},
    {9, 9, 22, 23, 10, B, kBarDisc, 0},
    {H, H, H, H, H, H, kBarFixed, 0},
    {7, 28, 23, 24, A, B, kBarFixed, 0},
    {7, 28, 23, 24, A, B, kBarFixed, 0},
    // page 1, column 5
    {9, 26, 25, 22, A, B, kBarFixed, 0},
    {14, 11, 29, 11, A, B, kBarFixed, 0},
    {9, 9, 20, 23, 10, B, kBarDisc, 0},
    {10, 30, 26, 26, A, B, kBarFixed, 0},
    {20, 28, 31, 18, A, B, kBarFixed, 0},
    {3, 22, 30, 27, 4, B, kBarSpin, 0},
    // page 2, column 0
    {13, 28, 29, 12, -3, 44, kBarFixed, -kPi / 4},
    {5, 19, 30, 27, -35, 19, kBarFixed, 0},
    {17, 28, 20, 7, 17, 55, kBarFixed, -kPi / 2},
    {10, 27, 26, 23, A, B, kBarFixed, 0},
    {11, 9, 26, 24, 10, B, kBarDisc, 0},
    {3, 22, 30, 27, H, H, kBarFixed, 0},
    // page 2, column 1
    {16, 28, 19, 7, 17, 55, kBarFixed, -kPi / 2},
    {6, 25, 30, 27, -34, 25, kBarFixed, 0},
    {17, 30, 20, 9, 17, 57, kBarFixed, -kPi / 2},
    {10, 27, 26, 23, A, B, kBarFixed, 0},
    {15, 26, 32, 22, A, B, kBarFixed, 0},
    {13, 26, 34, 17, 68, -14, kBarFixed, 3 * kPi / 4},
    // page 2, column 2
    {9, 9, 24, 24, -10, -10, kBarFixed, kPi / 4},
    {3, 23, 30, 27, -37, 23, kBarFixed, 0},
    {9, 26, 25, 10, -7, 43, kBarFixed, -kPi / 4},
    {10, 27, 26, 23, A, B, kBarFixed, 0},
    {12, 26, 29, 22, A, B, kBarFixed, 0},
    {H, H, H, H, H, H, kBarFixed, 0},
    // page 2, column 3
    {4, 19, 33, 19, -13, 36, kBarFixed, -kPi / 4},
    {3, 20, 30, 27, -37, 20, kBarFixed, 0},
    {12, 30, 28, 26, A, B, kBarFixed, 0},
    {H, H, H, H, H, H, kBarFixed, 0},
    {8, 16, 23, 17, A, B, kBarFixed, 0},
    {H, H, H, H, H, H, kBarFixed, 0},
    // page 2, column 4
    {3, 22, 30, 27, 4, B, kBarSpin, 0},
    {10, 22, 30, 27, -30, 22, kBarFixed, 0},
    {7, 30, 23, 26, A, B, kBarFixed, 0},
    {15, 12, 30, 12, A, B, kBarFixed, 0},
    {9, 16, 24, 17, A, B, kBarFixed, 0},
    {H, H, H, H, H, H, kBarFixed, 0},
    // page 2, column 5
    {5, 24, 21, 20, A, B, kBarFixed, 0},
    {3, 22, 30, 27, -37, 22, kBarFixed, 0},
    {15, 12, 31, 28, -4, -7, kBarFixed, kPi / 4},
    {11, 9, 26, 24, 14, -24, kBarFixed, kPi / 2},
    {8, 16, 23, 17, A, B, kBarFixed, 0},
    {H, H, H, H, H, H, kBarFixed, 0},
};

bool InTable(int page, int column, int row) {
    return page >= 1 && page <= 2 && column >= 0 && column <= 5 && row >= 0 && row <= 5;
}

// The half length that centres a bar of kind `kind` and length L in a span: the red bar sits 8
// pixels and the blue 6 further in, the pink one counts half its length.
int CentringLength(int kind, int span, int L) {
    switch (kind) {
        case 0:
            return (span - L) / 2 - 8;
        case 2:
            return (span - L) / 2 - 6;
        case 4:
            return (span - L / 2) / 2;
        default:
            return (span - L) / 2;
    }
}

// A hand offset from its cell position, mirrored for a right-facing figure.
void HandOffset(int cx, int cy, bool right, int* ox, int* oy) {
    *ox = cx == H ? H : (right ? -(cx - 20) : cx - 20);
    *oy = cy == H ? H : cy - 20;
}

}  // namespace

const BarManPoseRow* FindBarManPose(int page, int column, int row) {
    if (!InTable(page, column, row)) return nullptr;
    return &kPoses[row + 6 * column + 36 * (page - 1)];
}

bool IsBarManPoseShifted(int page, int column, int row) {
    if (page == 1) {
        static const int kCells[][2] = {{0, 1}, {1, 1}, {1, 5}, {2, 1}, {2, 5}, {5, 5}};
        for (const auto& c : kCells)
            if (c[0] == column && c[1] == row) return true;
        return false;
    }
    if (page != 2) return false;
    if (row == 1) return true;
    if (row == 4 && column >= 3) return true;
    static const int kCells[][2] = {{0, 0}, {1, 0}, {4, 0}, {5, 0}, {0, 5}, {1, 5}};
    for (const auto& c : kCells)
        if (c[0] == column && c[1] == row) return true;
    return false;
}

int GetBarManDiscFrame(double spinTime) {
    const long long k = static_cast<long long>(std::trunc(1000.0 * spinTime));
    const long long turn = 2LL * static_cast<long long>(1000.0 * kPi);  // 6282
    const long long q = k % turn;
    const long long step = turn / 8;  // 785
    long long j = 1 + q / step;
    // A clock running backwards counts as the first frame rather than none.
    if (j < 1) j = 1;
    if (j > 8) j = 8;
    return static_cast<int>(j);
}

bool LayoutBarManPose(int colour, int page, int column, int row, bool right, double angle, double spinTime,
                      BarManFigureLayout* out) {
    const BarManPoseRow* p = FindBarManPose(page, column, row);
    if (!p) return false;
    BarManFigureLayout l;
    l.bodyImage = 2 * colour + page;
    l.bodyCell = {40 * column, 40 * row, 40 * column + 40, 40 * row + 40};
    l.bodyTurn = right ? angle : -angle;
    l.bodyShift = IsBarManPoseShifted(page, column, row) ? (right ? 8 : -8) : 0;

    const int L = GetBarManBarLength(colour);
    if (p->hold == kBarDisc) {
        l.disc = true;
        l.discFrame = GetBarManDiscFrame(spinTime);
        const int j = l.discFrame;
        const int left = j <= 4 ? 0 : 128;
        const int top = 64 * ((j - 1) % 4);
        l.discCell = {left, top, left + 128, top + 64};
    } else if (p->hold == kBarBody) {
        l.barTurn = right ? angle + 3 * kPi / 4 : kPi / 4 - angle;
    } else if (p->hold == kBarSpin) {
        l.barTurn = right ? spinTime : -spinTime;
    } else {
        l.barTurn = right ? kPi - p->barAngle : p->barAngle;
    }

    if (p->barX == R || p->barY == R) {
        const int h = CentringLength(colour, 64, L);
        l.barX = static_cast<int>(std::trunc(h * std::cos(l.barTurn)));
        l.barY = static_cast<int>(std::trunc(h * std::sin(l.barTurn)));
    } else {
        if (p->barX == H) {
            l.barX = H;
        } else {
            const int bx = (p->barX == A ? p->hand1X - 30 : p->barX) - 20;
            l.barX = right ? -bx : bx;
        }
        l.barY = p->barY == H ? H : (p->barY == B ? p->hand1Y - 2 : p->barY) - 20;
        // A bar held at a fixed angle is slid along itself so that its middle lies in the hands.
        if (p->hold == kBarFixed && l.barX != H && l.barY != H) {
            const int g = CentringLength(colour, 128, L);
            l.barX = static_cast<int>(std::trunc(l.barX + g * std::cos(l.barTurn)));
            l.barY = static_cast<int>(std::trunc(l.barY + g * std::sin(l.barTurn)));
        }
    }
    HandOffset(p->hand1X, p->hand1Y, right, &l.hand1X, &l.hand1Y);
    HandOffset(p->hand2X, p->hand2Y, right, &l.hand2X, &l.hand2Y);
    l.barInFront = page == 1 && column == 4 && row == 1;
    *out = l;
    return true;
}

int GetBarEffectSheet(int colour, int image) {
    if (image == 4) return 4;
    // The red bar's fire: its own three sheets.
    return colour == 0 ? 4 + image : image;
}

bool ChooseBarEffect(int kind, double T, int barKind, bool right, double angle, int barX, int barY,
                     BarEffectChoice* out) {
    const int L = GetBarManBarLength(barKind);
    const int longest = GetLongestBarManBarLength();
    const double f =
        barKind == 0 ? (L + 40) / static_cast<double>(longest) : L / static_cast<double>(longest);
    const int h = (longest - L) / 2;
    const bool blink = static_cast<int>(std::trunc(T)) % 4 < 2;
    BarEffectChoice c;
    c.scaleX = c.scaleY = f;
    // The usual place: (h + a, h + b), mirrored for a right-facing figure.
    auto at = [&](int a, int b) {
        c.offsetX = right ? -(h + a) : h + a;
        c.offsetY = h + b;
    };
    auto show = [&](int image, int l, int t, int r, int b) {
        c.image = image;
        c.cell = {l, t, r, b};
    };
    auto trail = [&](double clock) {
        const int x = static_cast<int>(std::trunc(L * (-0.68 - 0.015 * clock)));
        c.offsetX = right ? -x : x;
        c.offsetY = barY;
    };
    // The glow of kinds 8 and 11: turned by the body angle less an eighth, mirrored facing left.
    const double glowTurn = right ? angle - kPi / 4 : -(angle - kPi / 4);
    switch (kind) {
        case 1:
            if (T < 4 || T >= 15) return false;
            if (T < 8)
                show(1, 0, 0, 96, 96);
            else if (T < 12)
                show(1, 96, 0, 192, 96);
            else
                show(1, 0, 96, 96, 192);
            at(-46, -62);
            break;
        case 2:
            if (T >= 11) return false;
            if (T < 4)
                show(1, 0, 0, 96, 96), at(-46, -52);
            else if (T < 8)
                show(4, 0, 0, 128, 160), at(-54, -28);
            else
                show(4, 128, 0, 256, 160), at(-54, -28);
            c.scaleX = c.scaleY = f * 1.25;
            break;
        case 3:
            if (T < 2)
                show(1, 0, 0, 96, 96);
            else if (T < 7)
                show(1, 96, 0, 192, 96);
            else if (blink)
                show(1, 224, 0, 256, 128);
            else
                show(1, 224, 128, 256, 256);
            if (T < 7)
                at(-48, -66);
            else
                at(-70, -58);
            c.scaleX = c.scaleY = f * 1.25;
            break;
        case 4:
            if (T >= 6) return false;
            if (T < 3)
                show(4, 0, 160, 128, 256), at(-58, -28);
            else
                show(1, 0, 192, 64, 256), at(-77, 1);
            c.scaleX = c.scaleY = f * 1.25;
            break;
        case 5:
            if (T < 4 || T >= 15) return false;
            if (T < 8)
                show(3, 192, 128, 256, 192);
            else if (T < 12)
                show(3, 192, 192, 256, 256);
            else
                show(3, 192, 128, 256, 192), c.alpha = 0.6;
            trail(T - 4);
            break;
        case 6:
            show(3, 0, 0, 192, 192);
            c.turn = right ? angle : -angle;
            c.offsetX = barX;
            c.offsetY = barY;
            c.scaleX = c.scaleY = L / 192.0 * 1.1;
            break;
        case 7:
            if (T >= 3) return false;
            if (T < 1)
                show(3, 192, 128, 256, 192);
            else if (T < 2)
                show(3, 192, 192, 256, 256);
            else
                show(3, 192, 128, 256, 192), c.alpha = 0.6;
            trail(T);
            break;
        case 8:
            show(3, 0, 0, 192, 192);
            c.turn = glowTurn;
            if (T < 5)
                c.alpha = T / 5.0;
            else if (T > 14)
                c.alpha = (20.0 - T) / 6.0;
            break;
        case 9:
            if (blink)
                show(3, 192, 0, 256, 64);
            else
                show(3, 192, 64, 256, 128);
            c.offsetX = barX;
            c.offsetY = static_cast<int>(std::trunc(0.5 * L));
            c.scaleX = c.scaleY = f * 1.2;
            break;
        case 10: {
            if (blink)
                show(3, 192, 128, 256, 192);
            else
                show(3, 192, 192, 256, 256);
            const int x = static_cast<int>(std::trunc(-0.55 * L));
            c.offsetX = right ? -x : x;
            c.offsetY = barY;
            break;
        }
        case 11:
            show(3, 0, 0, 192, 192);
            c.turn = glowTurn;
            c.scaleX = c.scaleY = f * 0.66;
            break;
        default:
            return false;
    }
    *out = c;
    return true;
}
