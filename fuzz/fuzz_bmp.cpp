// Feeds arbitrary bytes to the BMP reader; whatever it accepts must be a consistent surface.
#include <cstddef>
#include <cstdint>

#include "engine/el/elBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    plat::Surface surface;
    if (elDraw::DecodeBmp(data, size, surface)) {
        if (surface.width <= 0 || surface.height <= 0 ||
            surface.pixels.size() != static_cast<size_t>(surface.width) * surface.height)
            __builtin_trap();
    }
    return 0;
}
