#pragma once
// The game's own random numbers: a 15-bit generator seeded once at start (and by tests), so that
// a seed repeats every draw.
#include <cstdint>

void SeedRandom(uint32_t seed);
// lo + trunc(r x (hi - lo + 1) / 32768) for the next 15-bit draw r (0..32767): lo..hi inclusive.
int RandomRange(int lo, int hi);
// True with the given chance in percent (0 never, 100 always), in steps of 0.01%.
bool RandomChance(double percent);
