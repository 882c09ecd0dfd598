#include "tools/gen/Icons.h"

#include <cmath>
#include <filesystem>

#include "platform/png.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Shapes.h"

namespace gen {
namespace {

// A drawing line as a manifest would give it.
Line Op(const std::string& word, int x, int y, int w, int h, std::map<std::string, std::string> params) {
    Line op;
    op.where = "icon";
    op.word = word;
    op.args = {std::to_string(x), std::to_string(y), std::to_string(w), std::to_string(h)};
    op.params = std::move(params);
    return op;
}

// The picture drawn `scale` times larger, brought down to its size with smooth edges: each
// pixel's alpha is the share of its drawn sub-pixels, its colour their average.
plat::Surface Downsample(const Canvas& big, int scale) {
    const int w = big.Width() / scale, h = big.Height() / scale;
    plat::Surface out(w, h, 0u);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int sy = 0; sy < scale; ++sy)
                for (int sx = 0; sx < scale; ++sx) {
                    const uint32_t c = big.Get(x * scale + sx, y * scale + sy);
                    if (c == kKeyColor) continue;
                    r += c >> 16 & 0xFF;
                    g += c >> 8 & 0xFF;
                    b += c & 0xFF;
                    ++n;
                }
            if (n == 0) continue;
            const uint32_t a = n * 255 / static_cast<uint32_t>(scale * scale);
            out.Row(y)[x] = a << 24 | (r / n) << 16 | (g / n) << 8 | b / n;
        }
    return out;
}

// The icon drawn at `size` pixels with a `stroke` pixels wide outline, hard against the key.
Canvas DrawIcon(int size, double stroke) {
    Canvas canvas(size, size, kKeyColor);
    // A sky-blue disc with a dark rim and a lighter glow low down.
    const int margin = size / 16, disc = size - 2 * margin, rim = std::max(1, size / 32);
    const Rect round{margin, margin, disc, disc};
    canvas.FillEllipse(round, 0x1E3C78);
    canvas.FillEllipse(round.Inset(rim), 0x78C8F0);
    canvas.FillEllipse({margin + disc / 5, margin + disc / 2, disc * 3 / 5, disc / 2}, 0xA8E0F8);
    // The hero's head and shoulders inside it; only the hat may reach out over the rim.
    Canvas face(size, size, kKeyColor);
    DrawShape(
        face,
        Op("hero", 0, 0, size, size,
           {{"pose", "stand"}, {"face", "right"}, {"portrait", "1"}, {"stroke", std::to_string(stroke)}}));
    const double r = disc / 2.0, c = margin + r;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const uint32_t px = face.Get(x, y);
            const bool inside = std::hypot(x + 0.5 - c, y + 0.5 - c) <= r;
            if (px != kKeyColor && (inside || y < size / 2)) canvas.Set(x, y, px);
        }
    return canvas;
}

}  // namespace

plat::Surface BuildIcon(int size) {
    // Drawn larger and brought down, so that edges are smooth; the outline keeps a width that
    // reads at the size (at least about a pixel, bolder on big icons).
    const int scale = size <= 64 ? 4 : 2;
    const double stroke = std::max(0.8, size / 64.0) * scale;
    return Downsample(DrawIcon(size * scale, stroke), scale);
}

std::vector<std::string> GenerateIcons(const std::string& iconDir, const std::string& name) {
    std::vector<std::string> written;
    for (int size : kIconSizes) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        const std::string path = JoinPath(iconDir, "hicolor/" + dim + "/apps/" + name + ".png");
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::string error;
        if (!plat::WritePng(BuildIcon(size), path, &error, true)) throw GenError(error);
        written.push_back(path);
    }
    return written;
}

}  // namespace gen
