#pragma once
// A 32-bit software surface: the one pixel store shared by the 2-D blits, the 3-D
// rasteriser and the presenter. Pixels are 0xAARRGGBB in native byte order.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height, row-major, no padding

    Surface() = default;
    Surface(int w, int h, uint32_t fill = 0xFF000000u)
        : width(w), height(h), pixels(static_cast<size_t>(w > 0 && h > 0 ? w * h : 0), fill) {}

    bool Empty() const { return pixels.empty(); }
    uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// The engine speaks 0x00BBGGRR colours; surfaces hold 0xAARRGGBB.
inline uint32_t ColorRefToPixel(uint32_t bgr, uint8_t alpha = 0xFF) {
    return (uint32_t(alpha) << 24) | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}
inline uint32_t PixelToColorRef(uint32_t argb) {
    return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

}  // namespace plat
