#pragma once
// A 24-bit RGB picture with the drawing primitives the image recipes build on, and BMP I/O.
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    Rect Inset(int d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

class Canvas {
  public:
    Canvas() = default;
    Canvas(int w, int h, uint32_t fill);

    int Width() const { return w_; }
    int Height() const { return h_; }
    uint32_t Get(int x, int y) const;
    void Set(int x, int y, uint32_t c);                  // ignores kNoColor and points outside
    void Blend(int x, int y, uint32_t c, double alpha);  // over an opaque pixel; thresholded over key
    void SetClip(const Rect& r) { clip_ = r; }
    void ClearClip() { clip_ = {0, 0, w_, h_}; }

    void FillRect(const Rect& r, uint32_t c);
    void FrameRect(const Rect& r, uint32_t c, int width = 1);
    void Line(double x1, double y1, double x2, double y2, uint32_t c, int width = 1);
    void FillEllipse(const Rect& r, uint32_t c);
    void FrameEllipse(const Rect& r, uint32_t c, int width = 1);
    void FillPolygon(const std::vector<double>& xy, uint32_t c);
    void FramePolygon(const std::vector<double>& xy, uint32_t c, int width = 1);
    void FillRound(const Rect& r, int radius, uint32_t c);
    void Gradient(const Rect& r, uint32_t from, uint32_t to, bool horizontal);

    // Copies a rectangle of another canvas (or this one) to (dx, dy); kNoColor-free.
    void Blit(const Canvas& src, const Rect& from, int dx, int dy, bool flipH = false, bool skipKey = false);
    // Copies a rectangle of another canvas resized into `to`: each target pixel takes the mean of
    // the drawn (not key) source pixels it covers when they cover at least half of it, and stays
    // as it was otherwise, so the copy keeps hard edges against the key. Source pixels outside
    // the source canvas count as key.
    void BlitScaled(const Canvas& src, const Rect& from, const Rect& to, bool flipH = false);

    // 24-bit bottom-up BMP.
    std::string EncodeBmp() const;
    static bool DecodeBmp(const std::string& bytes, Canvas& out);

  private:
    bool InClip(int x, int y) const {
        return x >= clip_.x && y >= clip_.y && x < clip_.Right() && y < clip_.Bottom() && x >= 0 && y >= 0 &&
               x < w_ && y < h_;
    }
    int w_ = 0, h_ = 0;
    Rect clip_;
    std::vector<uint32_t> px_;
};

}  // namespace gen
