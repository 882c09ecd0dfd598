#pragma once
// The millisecond clock of the frame loop.
#include <cstdint>
#include <functional>

namespace plat {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the game's 32-bit timer.
uint32_t NowMs();

// CPU time used so far by the whole process, every thread included, in milliseconds.
double ProcessCpuMs();

// Replaces the clock (tests and replays drive time by hand); an empty function restores the
// monotonic system clock.
void SetClockSource(std::function<uint32_t()> source);

}  // namespace plat
