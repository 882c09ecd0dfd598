#pragma once
// Random bytes for secrets (keys, salts) from the operating system's generator, never from the
// game's seeded generator.
#include <cstddef>

namespace plat {

// Fills `size` bytes; false when the system cannot give them (then nothing may be trusted).
bool FillSecureRandom(void* bytes, size_t size);

}  // namespace plat
