#pragma once
// The game's BMP reader: uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel (16 and 32 also with
// bit-field masks), core and info headers of every size, bottom-up and top-down rows.
#include <cstddef>
#include <cstdint>

#include "platform/surface.h"

namespace elDraw {

// The largest image side the reader accepts, and the largest pixel count (128 MiB of decoded
// pixels): far beyond any picture the game draws, and checked before anything is allocated, so a
// damaged or hostile header cannot make the reader ask for gigabytes.
inline constexpr int kMaxBmpSide = 16384;
inline constexpr int64_t kMaxBmpPixels = int64_t(1) << 25;

// Decodes a whole BMP file into opaque 0xFFRRGGBB pixels. False for anything that is not a
// complete image of a supported kind; never reads outside `data`.
bool DecodeBmp(const uint8_t* data, size_t size, plat::Surface& out);

}  // namespace elDraw
