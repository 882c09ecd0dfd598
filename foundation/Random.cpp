#include "foundation/Random.h"

#include <cmath>
#include <utility>

namespace {
uint32_t g_randomState = 1;

// The next draw, 0..32767.
int NextDraw() {
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFFu);
}
}  // namespace

void SeedRandom(uint32_t seed) { g_randomState = seed; }

int RandomRange(int lo, int hi) {
    // Bounds that arrive the wrong way round (worked out from the screen under zoom) still give a
    // value between them.
    if (hi < lo) std::swap(lo, hi);
    const double span = static_cast<double>(hi) - static_cast<double>(lo) + 1.0;
    return lo + static_cast<int>(std::trunc(NextDraw() * span / 32768.0));
}

bool RandomChance(double percent) { return RandomRange(0, 9999) < percent * 100.0; }
