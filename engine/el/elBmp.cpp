#include "engine/el/elBmp.h"

#include <vector>

namespace elDraw {
namespace {

uint32_t U16(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8); }
uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// One colour channel of a bit-field mask, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        max = m >> shift;
    }
    uint32_t Get(uint32_t v) const {
        if (!mask) return 0;
        uint32_t c = (v & mask) >> shift;
        return (c * 255 + max / 2) / max;
    }
};

enum : uint32_t { kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6 };

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, plat::Surface& out) {
    if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t pixelOffset = U32(data + 10);
    const uint8_t* info = data + 14;
    const uint32_t headerSize = U32(info);
    if (headerSize < 12 || headerSize > size - 14) return false;

    int64_t width = 0, height = 0;
    uint32_t bpp = 0, compression = kBiRgb, colorsUsed = 0;
    size_t paletteEntrySize = 4;
    bool core = headerSize == 12;
    if (core) {
        width = U16(info + 4);
        height = static_cast<int16_t>(U16(info + 6));
        if (U16(info + 8) != 1) return false;
        bpp = U16(info + 10);
        paletteEntrySize = 3;
    } else {
        if (headerSize < 40) return false;
        width = static_cast<int32_t>(U32(info + 4));
        height = static_cast<int32_t>(U32(info + 8));
        if (U16(info + 12) != 1) return false;
        bpp = U16(info + 14);
        compression = U32(info + 16);
        colorsUsed = U32(info + 32);
    }
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide ||
        width * height > kMaxBmpPixels) {
        return false;
    }

    // Bit-field masks: inside a V4/V5 header, else just after a 40-byte header.
    uint32_t redMask = 0, greenMask = 0, blueMask = 0;
    size_t afterHeader = 14 + headerSize;
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        if (bpp != 16 && bpp != 32) return false;
        const uint8_t* masks = info + 40;
        if (headerSize < 52) {
            size_t maskBytes = compression == kBiAlphaBitfields ? 16 : 12;
            if (afterHeader + maskBytes > size) return false;
            afterHeader += maskBytes;
        }
        redMask = U32(masks);
        greenMask = U32(masks + 4);
        blueMask = U32(masks + 8);
    } else if (compression != kBiRgb) {
        return false;  // run-length and embedded JPEG/PNG images are not read
    } else if (bpp == 16) {
        redMask = 0x7C00;
        greenMask = 0x03E0;
        blueMask = 0x001F;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;

    // Palette.
    std::vector<uint32_t> palette;
    if (bpp <= 8) {
        uint32_t maxEntries = 1u << bpp;
        uint32_t count = colorsUsed == 0 || colorsUsed > maxEntries ? maxEntries : colorsUsed;
        size_t available = pixelOffset > afterHeader ? (pixelOffset - afterHeader) / paletteEntrySize : 0;
        if (afterHeader + available * paletteEntrySize > size)
            available = (size - afterHeader) / paletteEntrySize;
        if (available < count) count = static_cast<uint32_t>(available);
        if (count == 0) return false;
        palette.assign(maxEntries, 0xFF000000u);  // indices past the palette read black
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* p = data + afterHeader + i * paletteEntrySize;
            palette[i] = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
        }
    }

    const uint64_t stride = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
    if (pixelOffset < afterHeader || pixelOffset > size || stride * height > size - pixelOffset) return false;

    Channel red(redMask), green(greenMask), blue(blueMask);
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    plat::Surface surface(w, h);
    for (int row = 0; row < h; ++row) {
        const uint8_t* src = data + pixelOffset + stride * static_cast<uint64_t>(row);
        uint32_t* dst = surface.Row(topDown ? row : h - 1 - row);
        switch (bpp) {
            case 1:
                for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
                break;
            case 8:
                for (int x = 0; x < w; ++x) dst[x] = palette[src[x]];
                break;
            case 16:
                for (int x = 0; x < w; ++x) {
                    uint32_t v = U16(src + x * 2);
                    dst[x] = 0xFF000000u | (red.Get(v) << 16) | (green.Get(v) << 8) | blue.Get(v);
                }
                break;
            case 24:
                for (int x = 0; x < w; ++x) {
                    const uint8_t* p = src + x * 3;
                    dst[x] = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
                }
                break;
            case 32:
                for (int x = 0; x < w; ++x) {
                    const uint8_t* p = src + x * 4;
                    if (redMask) {
                        uint32_t v = U32(p);
                        dst[x] = 0xFF000000u | (red.Get(v) << 16) | (green.Get(v) << 8) | blue.Get(v);
                    } else {
                        dst[x] = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
                    }
                }
                break;
        }
    }
    out = std::move(surface);
    return true;
}

}  // namespace elDraw
