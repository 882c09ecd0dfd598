#include "tools/gen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tools/gen/GenCommon.h"

namespace gen {

Canvas::Canvas(int w, int h, uint32_t fill) : w_(w), h_(h), clip_{0, 0, w, h}, px_(size_t(w) * h, fill) {}

uint32_t Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return kNoColor;
    return px_[size_t(y) * w_ + x];
}

void Canvas::Set(int x, int y, uint32_t c) {
    if (c == kNoColor || !InClip(x, y)) return;
    px_[size_t(y) * w_ + x] = c & 0xFFFFFF;
}

void Canvas::Blend(int x, int y, uint32_t c, double alpha) {
    if (c == kNoColor || !InClip(x, y) || alpha <= 0.0) return;
    uint32_t& p = px_[size_t(y) * w_ + x];
    if (p == kKeyColor) {
        // Anti-aliasing against the transparent colour would leave green fringes.
        if (alpha >= 0.5) p = c;
        return;
    }
    p = Mix(p, c, std::min(alpha, 1.0));
}

void Canvas::FillRect(const Rect& r, uint32_t c) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x) Set(x, y, c);
}

void Canvas::FrameRect(const Rect& r, uint32_t c, int width) {
    for (int i = 0; i < width; ++i) {
        Rect k = r.Inset(i);
        if (k.w <= 0 || k.h <= 0) break;
        FillRect({k.x, k.y, k.w, 1}, c);
        FillRect({k.x, k.Bottom() - 1, k.w, 1}, c);
        FillRect({k.x, k.y, 1, k.h}, c);
        FillRect({k.Right() - 1, k.y, 1, k.h}, c);
    }
}

void Canvas::Line(double x1, double y1, double x2, double y2, uint32_t c, int width) {
    double len = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    int steps = std::max(1, static_cast<int>(std::ceil(len)));
    double r = (width - 1) / 2.0;
    for (int i = 0; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        double x = x1 + (x2 - x1) * t, y = y1 + (y2 - y1) * t;
        if (width <= 1) {
            Set(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), c);
        } else {
            for (int dy = -int(r) - 1; dy <= int(r) + 1; ++dy)
                for (int dx = -int(r) - 1; dx <= int(r) + 1; ++dx)
                    if (dx * dx + dy * dy <= (r + 0.5) * (r + 0.5))
                        Set(static_cast<int>(std::floor(x)) + dx, static_cast<int>(std::floor(y)) + dy, c);
        }
    }
}

static bool InEllipse(const Rect& r, double px, double py) {
    double rx = r.w / 2.0, ry = r.h / 2.0;
    if (rx <= 0 || ry <= 0) return false;
    double dx = (px - (r.x + rx)) / rx, dy = (py - (r.y + ry)) / ry;
    return dx * dx + dy * dy <= 1.0;
}

void Canvas::FillEllipse(const Rect& r, uint32_t c) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x)
            if (InEllipse(r, x + 0.5, y + 0.5)) Set(x, y, c);
}

void Canvas::FrameEllipse(const Rect& r, uint32_t c, int width) {
    Rect inner = r.Inset(width);
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x)
            if (InEllipse(r, x + 0.5, y + 0.5) && !InEllipse(inner, x + 0.5, y + 0.5)) Set(x, y, c);
}

void Canvas::FillPolygon(const std::vector<double>& xy, uint32_t c) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    double minY = 1e9, maxY = -1e9;
    for (size_t i = 0; i < n; ++i) {
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
        double sy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < n; ++i) {
            double ax = xy[2 * i], ay = xy[2 * i + 1];
            double bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
            if ((ay <= sy && by > sy) || (by <= sy && ay > sy))
                xs.push_back(ax + (sy - ay) / (by - ay) * (bx - ax));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2)
            for (int x = static_cast<int>(std::ceil(xs[k] - 0.5));
                 x < static_cast<int>(std::ceil(xs[k + 1] - 0.5)); ++x)
                Set(x, y, c);
    }
}

void Canvas::FramePolygon(const std::vector<double>& xy, uint32_t c, int width) {
    size_t n = xy.size() / 2;
    for (size_t i = 0; i < n; ++i)
        Line(xy[2 * i], xy[2 * i + 1], xy[2 * ((i + 1) % n)], xy[2 * ((i + 1) % n) + 1], c, width);
}

void Canvas::FillRound(const Rect& r, int radius, uint32_t c) {
    radius = std::min({radius, r.w / 2, r.h / 2});
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x) {
            int cx = std::clamp(x, r.x + radius, r.Right() - 1 - radius);
            int cy = std::clamp(y, r.y + radius, r.Bottom() - 1 - radius);
            double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy <= (radius + 0.3) * (radius + 0.3)) Set(x, y, c);
        }
}

void Canvas::Gradient(const Rect& r, uint32_t from, uint32_t to, bool horizontal) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x) {
            double t = horizontal ? (r.w > 1 ? double(x - r.x) / (r.w - 1) : 0)
                                  : (r.h > 1 ? double(y - r.y) / (r.h - 1) : 0);
            Set(x, y, Mix(from, to, t));
        }
}

void Canvas::Blit(const Canvas& src, const Rect& from, int dx, int dy, bool flipH, bool skipKey) {
    std::vector<uint32_t> copy;  // src may be this canvas
    copy.reserve(size_t(std::max(0, from.w)) * std::max(0, from.h));
    for (int y = 0; y < from.h; ++y)
        for (int x = 0; x < from.w; ++x) copy.push_back(src.Get(from.x + x, from.y + y));
    for (int y = 0; y < from.h; ++y)
        for (int x = 0; x < from.w; ++x) {
            uint32_t c = copy[size_t(y) * from.w + (flipH ? from.w - 1 - x : x)];
            if (skipKey && c == kKeyColor) continue;
            Set(dx + x, dy + y, c);
        }
}

void Canvas::BlitScaled(const Canvas& src, const Rect& from, const Rect& to, bool flipH) {
    if (from.w <= 0 || from.h <= 0 || to.w <= 0 || to.h <= 0) return;
    const double sx = double(from.w) / to.w, sy = double(from.h) / to.h;
    auto drawn = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < src.Width() && y < src.Height() && src.Get(x, y) != kKeyColor;
    };
    for (int ty = 0; ty < to.h; ++ty)
        for (int tx = 0; tx < to.w; ++tx) {
            const int mx = flipH ? to.w - 1 - tx : tx;
            const double u0 = from.x + mx * sx, u1 = u0 + sx, v0 = from.y + ty * sy, v1 = v0 + sy;
            double cover = 0, r = 0, g = 0, b = 0;
            for (int y = int(std::floor(v0)); y < v1; ++y)
                for (int x = int(std::floor(u0)); x < u1; ++x) {
                    const double w = (std::min(u1, x + 1.0) - std::max(u0, double(x))) *
                                     (std::min(v1, y + 1.0) - std::max(v0, double(y)));
                    if (w <= 0 || !drawn(x, y)) continue;
                    const uint32_t c = src.Get(x, y);
                    cover += w;
                    r += w * ((c >> 16) & 0xFF), g += w * ((c >> 8) & 0xFF), b += w * (c & 0xFF);
                }
            if (cover * 2 < sx * sy) continue;
            auto channel = [&](double v) { return uint32_t(std::lround(v / cover)) & 0xFF; };
            uint32_t c = (channel(r) << 16) | (channel(g) << 8) | channel(b);
            if (c == kKeyColor) c = 0x00FE00;  // a mean that lands on the key stays drawn
            Set(to.x + tx, to.y + ty, c);
        }
}

static uint32_t Get32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}
static uint16_t Get16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) |
                                 (static_cast<unsigned char>(s[at + 1]) << 8));
}

std::string Canvas::EncodeBmp() const {
    uint32_t stride = (static_cast<uint32_t>(w_) * 3 + 3) & ~3u;
    uint32_t dataSize = stride * h_;
    std::string s;
    s.reserve(54 + dataSize);
    s += "BM";
    Put32(s, 54 + dataSize);
    Put32(s, 0);
    Put32(s, 54);
    Put32(s, 40);
    Put32(s, static_cast<uint32_t>(w_));
    Put32(s, static_cast<uint32_t>(h_));
    Put16(s, 1);
    Put16(s, 24);
    Put32(s, 0);
    Put32(s, dataSize);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, 0);
    Put32(s, 0);
    for (int y = h_ - 1; y >= 0; --y) {
        size_t rowStart = s.size();
        for (int x = 0; x < w_; ++x) {
            uint32_t c = px_[size_t(y) * w_ + x];
            s.push_back(char(c & 0xFF));
            s.push_back(char((c >> 8) & 0xFF));
            s.push_back(char((c >> 16) & 0xFF));
        }
        while (s.size() - rowStart < stride) s.push_back(0);
    }
    return s;
}

bool Canvas::DecodeBmp(const std::string& b, Canvas& out) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    uint32_t offset = Get32(b, 10);
    int32_t w = static_cast<int32_t>(Get32(b, 18));
    int32_t h = static_cast<int32_t>(Get32(b, 22));
    if (Get16(b, 28) != 24 || Get32(b, 30) != 0 || w <= 0 || h == 0 || w > 8192 || std::abs(h) > 8192)
        return false;
    bool bottomUp = h > 0;
    h = std::abs(h);
    uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    if (offset + uint64_t(stride) * h > b.size()) return false;
    out = Canvas(w, h, 0);
    for (int row = 0; row < h; ++row) {
        int y = bottomUp ? h - 1 - row : row;
        size_t at = offset + size_t(stride) * row;
        for (int x = 0; x < w; ++x) {
            uint32_t c = static_cast<unsigned char>(b[at + 3 * x]) |
                         (static_cast<unsigned char>(b[at + 3 * x + 1]) << 8) |
                         (static_cast<unsigned char>(b[at + 3 * x + 2]) << 16);
            out.px_[size_t(y) * w + x] = c;
        }
    }
    return true;
}

}  // namespace gen
