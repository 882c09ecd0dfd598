#pragma once
// Writes small BMP files for tests and benchmarks.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace bmptest {

inline void Put16(std::string& s, uint32_t v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

struct Options {
    int bpp = 24;
    bool topDown = false;
    bool coreHeader = false;  // 12-byte header, 3-byte palette entries
    bool bitfields = false;   // 16/32 bpp with masks after the info header
    uint32_t masks[3] = {0, 0, 0};
    std::vector<uint32_t> palette;  // 0x00RRGGBB entries for 1/4/8 bpp
};

// `pixels` are palette indices for 1/4/8 bpp and 0x00RRGGBB colours (or raw 16-bit values for
// 16 bpp) otherwise, row-major from the top.
inline std::string MakeBmp(int w, int h, const std::vector<uint32_t>& pixels, const Options& o) {
    std::string header, palette, data;
    for (uint32_t c : o.palette) {
        palette += char(c & 0xFF);
        palette += char((c >> 8) & 0xFF);
        palette += char((c >> 16) & 0xFF);
        if (!o.coreHeader) palette += char(0);
    }
    if (o.bitfields) {
        for (uint32_t m : o.masks) Put32(palette, m);
    }
    const int stride = ((w * o.bpp + 31) / 32) * 4;
    for (int r = 0; r < h; ++r) {
        int y = o.topDown ? r : h - 1 - r;
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < w; ++x) {
            uint32_t p = pixels[static_cast<size_t>(y) * w + x];
            switch (o.bpp) {
                case 1:
                    row[x / 8] = char(uint8_t(row[x / 8]) | ((p & 1) << (7 - x % 8)));
                    break;
                case 4:
                    row[x / 2] = char(uint8_t(row[x / 2]) | ((p & 0xF) << (x % 2 ? 0 : 4)));
                    break;
                case 8:
                    row[x] = char(p);
                    break;
                case 16:
                    row[x * 2] = char(p & 0xFF);
                    row[x * 2 + 1] = char((p >> 8) & 0xFF);
                    break;
                case 24:
                    row[x * 3] = char(p & 0xFF);
                    row[x * 3 + 1] = char((p >> 8) & 0xFF);
                    row[x * 3 + 2] = char((p >> 16) & 0xFF);
                    break;
                case 32:
                    row[x * 4] = char(p & 0xFF);
                    row[x * 4 + 1] = char((p >> 8) & 0xFF);
                    row[x * 4 + 2] = char((p >> 16) & 0xFF);
                    row[x * 4 + 3] = char(0x7F);
                    break;
            }
        }
        data += row;
    }
    std::string info;
    if (o.coreHeader) {
        Put32(info, 12);
        Put16(info, uint32_t(w));
        Put16(info, uint32_t(h));
        Put16(info, 1);
        Put16(info, uint32_t(o.bpp));
    } else {
        Put32(info, 40);
        Put32(info, uint32_t(w));
        Put32(info, uint32_t(o.topDown ? -h : h));
        Put16(info, 1);
        Put16(info, uint32_t(o.bpp));
        Put32(info, o.bitfields ? 3 : 0);
        Put32(info, uint32_t(data.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, uint32_t(o.palette.size()));
        Put32(info, 0);
    }
    const uint32_t offset = uint32_t(14 + info.size() + palette.size());
    header += "BM";
    Put32(header, uint32_t(offset + data.size()));
    Put32(header, 0);
    Put32(header, offset);
    return header + info + palette + data;
}

// A 24-bit bottom-up BMP of w x h pixels; pixel(x, y) gives 0x00RRGGBB.
template <typename F>
std::string MakeBmp(int w, int h, F pixel) {
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = pixel(x, y);
    return MakeBmp(w, h, pixels, Options{});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

}  // namespace bmptest
