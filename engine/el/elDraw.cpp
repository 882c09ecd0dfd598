#include "engine/el/elDraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "engine/el/el4D.h"
#include "engine/el/elBmp.h"
#include "engine/el/elSound.h"
#include "engine/el/elSystem.h"
#include "engine/el/elText.h"
#include "foundation/EncodedFile.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "foundation/TextEncoding.h"
#include "platform/backend.h"

namespace elDraw {
namespace {

constexpr int kMaxObjectSide = 8192;
const uint32_t kBlack = plat::ColorRefToPixel(0);

struct DrawState {
    bool open = false;
    int width = kDefaultScreenWidth;
    int height = kDefaultScreenHeight;
    ClipRect clip{0, 0, kDefaultScreenWidth, kDefaultScreenHeight};
    uint32_t colorKey = 0;
    PixelFormat format;
    std::string description = "不明";
    plat::Surface backBuffer;
};

DrawState& State() {
    static DrawState state;
    return state;
}

std::array<ElObjectSlot, kObjectCount>& Slots() {
    static std::array<ElObjectSlot, kObjectCount> slots;
    return slots;
}

void ClearSlot(ElObjectSlot& slot) {
    slot.surface.reset();
    slot.name.clear();
    slot.memoryKind = kMemoryDriver;
    slot.colorKey = 0;
    slot.width = 0;
    slot.height = 0;
}

int FirstFreeSlot() {
    auto& slots = Slots();
    for (int i = kFirstImageObject; i < kObjectCount; ++i) {
        if (slots[i].name.empty()) return i;
    }
    return 0;
}

// Reads and decodes the BMP file of an object name (relative to the game folder).
bool ReadBmp(const std::string& name, plat::Surface& out) {
    std::string bytes;
    if (!ReadWholeFile(GetReadPath(name), bytes)) return false;
    return DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

void Fill(plat::Surface& s, uint32_t pixel) { std::fill(s.pixels.begin(), s.pixels.end(), pixel); }

// Clips a copy of the source rectangle to (x, y): first against the clip rectangle when one is
// given, then always against the source and the destination surface. False when nothing is left.
bool ClipCopy(int& x, int& y, int& l, int& t, int& r, int& b, const plat::Surface& src,
              const plat::Surface& dst, const ClipRect* clip) {
    if (clip) {
        if (x + (r - l) > clip->right) r = clip->right - x + l;
        if (y + (b - t) > clip->bottom) b = clip->bottom - y + t;
        if (x < clip->left) {
            l += clip->left - x;
            x = clip->left;
        }
        if (y < clip->top) {
            t += clip->top - y;
            y = clip->top;
        }
    }
    if (l < 0) {
        x -= l;
        l = 0;
    }
    if (t < 0) {
        y -= t;
        t = 0;
    }
    r = std::min(r, src.width);
    b = std::min(b, src.height);
    if (x < 0) {
        l -= x;
        x = 0;
    }
    if (y < 0) {
        t -= y;
        y = 0;
    }
    if (x + (r - l) > dst.width) r = l + dst.width - x;
    if (y + (b - t) > dst.height) b = t + dst.height - y;
    return r > l && b > t;
}

// Opaque copy; source and destination may be the same surface.
void CopyRect(plat::Surface& dst, int x, int y, const plat::Surface& src, int l, int t, int r, int b) {
    const size_t bytes = static_cast<size_t>(r - l) * sizeof(uint32_t);
    const int rows = b - t;
    if (&src == &dst && y > t) {
        for (int i = rows - 1; i >= 0; --i) std::memmove(dst.Row(y + i) + x, src.Row(t + i) + l, bytes);
    } else {
        for (int i = 0; i < rows; ++i) std::memmove(dst.Row(y + i) + x, src.Row(t + i) + l, bytes);
    }
}

// Copy that leaves out the pixels of the key colour (compared without alpha).
void CopyRectKeyed(plat::Surface& dst, int x, int y, const plat::Surface& src, int l, int t, int r, int b,
                   uint32_t keyPixel) {
    const uint32_t key = keyPixel & 0x00FFFFFFu;
    const int w = r - l;
    for (int row = t; row < b; ++row) {
        const uint32_t* s = src.Row(row) + l;
        uint32_t* d = dst.Row(y + row - t) + x;
        for (int i = 0; i < w; ++i) {
            uint32_t p = s[i];
            d[i] = (p & 0x00FFFFFFu) == key ? d[i] : p;
        }
    }
}

// ---- Pixels of lines, rectangles and circles on the back buffer ----

void Plot(plat::Surface& s, int x, int y, uint32_t pixel) {
    if (s.Contains(x, y)) s.Row(y)[x] = pixel;
}

void FillSpan(plat::Surface& s, int x0, int x1, int y, uint32_t pixel) {  // x0..x1 inclusive
    if (y < 0 || y >= s.height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, s.width - 1);
    if (x0 > x1) return;
    std::fill(s.Row(y) + x0, s.Row(y) + x1 + 1, pixel);
}

void FillBox(plat::Surface& s, int l, int t, int r, int b, uint32_t pixel) {  // inclusive bounds
    for (int y = std::max(t, 0); y <= std::min(b, s.height - 1); ++y) FillSpan(s, l, r, y, pixel);
}

// Every pixel whose centre lies within half the width of the segment (round ends).
void ThickLine(plat::Surface& s, int x1, int y1, int x2, int y2, int width, uint32_t pixel) {
    const double half = width / 2.0;
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    const double len2 = dx * dx + dy * dy;
    const int64_t pad = static_cast<int64_t>(std::ceil(half));
    const int top = static_cast<int>(std::max<int64_t>(int64_t(std::min(y1, y2)) - pad, 0));
    const int bottom = static_cast<int>(std::min<int64_t>(int64_t(std::max(y1, y2)) + pad, s.height - 1));
    const int left = static_cast<int>(std::max<int64_t>(int64_t(std::min(x1, x2)) - pad, 0));
    const int right = static_cast<int>(std::min<int64_t>(int64_t(std::max(x1, x2)) + pad, s.width - 1));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            double t = len2 > 0 ? ((double(x) - x1) * dx + (double(y) - y1) * dy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            double ex = x1 + t * dx - x, ey = y1 + t * dy - y;
            if (ex * ex + ey * ey <= half * half) s.Row(y)[x] = pixel;
        }
    }
}

// End points further than this beyond the surface are first brought near it, so that walking a
// one-pixel line stays short and its arithmetic cannot overflow.
constexpr int64_t kFarBeyond = 1 << 16;

bool IsFar(int x, int y, const plat::Surface& s) {
    return x < -kFarBeyond || y < -kFarBeyond || x > s.width + kFarBeyond || y > s.height + kFarBeyond;
}

// Cuts the segment to the surface grown by one pixel on every side. False when it misses it.
bool CutToSurface(int& x1, int& y1, int& x2, int& y2, const plat::Surface& s) {
    const double ox = x1, oy = y1, dx = double(x2) - x1, dy = double(y2) - y1;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ox + 1.0, double(s.width) - ox, oy + 1.0, double(s.height) - oy};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
        if (t0 > t1) return false;
    }
    const int nx1 = static_cast<int>(std::lround(ox + t0 * dx)),
              ny1 = static_cast<int>(std::lround(oy + t0 * dy));
    const int nx2 = static_cast<int>(std::lround(ox + t1 * dx)),
              ny2 = static_cast<int>(std::lround(oy + t1 * dy));
    // A cut end lies on the grown border, outside the surface, so leaving it out loses nothing.
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

}  // namespace

// ---- Set-up and end ----

bool Screen(int width, int height, int /*unused*/) {
    DrawState& st = State();
    elSystem::ClearErrorFlag();
    if (width == -1) {
        width = kDefaultScreenWidth;
        height = kDefaultScreenHeight;
    }
    if (width <= 0 || height <= 0 || width > kMaxObjectSide || height > kMaxObjectSide) {
        return elSystem::Error("elDraw::Screen", "裏画面が生成できません") != 0;
    }
    st.width = width;
    st.height = height;
    st.clip = ClipRect{0, 0, width, height};
    if (!plat::CurrentBackend()) elSystem::OpenWindow("Quorvald", width, height, false);
    st.backBuffer = plat::Surface(width, height, kBlack);
    static const char* const kInternalNames[4] = {"内部用１", "内部用２", "内部用３", "内部用４"};
    auto& slots = Slots();
    for (int i = 0; i < kFirstImageObject; ++i) {
        ClearSlot(slots[i]);
        slots[i].surface = std::make_unique<plat::Surface>(width, height, kBlack);
        slots[i].name = kInternalNames[i];
        slots[i].width = static_cast<uint16_t>(width);
        slots[i].height = static_cast<uint16_t>(height);
    }
    st.format = PixelFormat{};
    for (int i = kFirstImageObject; i < kObjectCount; ++i) ClearSlot(slots[i]);
    st.open = true;
    // The services on the screen: their failures go through elSystem::Error.
    el4D::Init();
    elSound::Init();
    elSystem::Init();
    InitFonts();
    return true;
}

bool IsOpen() { return State().open; }
int GetScreenWidth() { return State().width; }
int GetScreenHeight() { return State().height; }
const PixelFormat& GetPixelFormat() { return State().format; }
const std::string& GetDeviceDescription() { return State().description; }

void RestoreAll() {}

void ReleaseAll() {
    DrawState& st = State();
    if (!st.open) return;
    for (ElObjectSlot& slot : Slots()) ClearSlot(slot);
    st.backBuffer = plat::Surface();
    st.open = false;
}

// ---- State ----

void SetClip(int left, int top, int right, int bottom) { State().clip = ClipRect{left, top, right, bottom}; }
ClipRect GetClip() { return State().clip; }
void SetColorKey(uint32_t colorRef) { State().colorKey = colorRef & 0x00FFFFFFu; }
uint32_t GetColorKey() { return State().colorKey; }

// ---- Objects ----

namespace {
// Reads a BMP file into a slot. A slot whose file cannot be read keeps what it had.
bool LoadImageInto(ElObjectSlot& s, const std::string& name) {
    auto surface = std::make_unique<plat::Surface>();
    if (!ReadBmp(name, *surface)) return false;
    s.width = static_cast<uint16_t>(surface->width);
    s.height = static_cast<uint16_t>(surface->height);
    s.surface = std::move(surface);
    s.name = name;
    s.memoryKind = kMemoryDriver;
    s.colorKey = State().colorKey;
    return true;
}

// A picture that cannot be read names its code and the file it looked for, in the box and in the log.
int PictureError(const char* context, const std::string& name) {
    const std::string report = FormatErrorReport("IFE0003", MakePictureReadErrorMessage(GetReadPath(name)));
    CLog::GetInstance()->Write(report);
    return elSystem::Error(context, report);
}
}  // namespace

int LoadObject(const std::string& name, int /*memoryKind*/) {
    if (Cp932Length(name) > static_cast<size_t>(kMaxObjectNameLength)) {
        return elSystem::Error("elDraw::LoadObject", "ファイル名またはリソース名が長すぎます");
    }
    int slot = FirstFreeSlot();
    if (slot == 0) return elSystem::Error("elDraw::LoadObject", "オブジェクト数が多過ぎます");
    if (!LoadImageInto(Slots()[slot], name)) return PictureError("elDraw::LoadObject", name);
    return slot;
}

int CreateObject(int width, int height, int /*memoryKind*/) {
    int slot = FirstFreeSlot();
    if (slot == 0) return elSystem::Error("elDraw::CreateObject", "オブジェクト数が多過ぎます");
    if (width <= 0 || height <= 0 || width > kMaxObjectSide || height > kMaxObjectSide) {
        return elSystem::Error("elDraw::CreateObject", "スプライトを作成できません");
    }
    ElObjectSlot& s = Slots()[slot];
    s.surface = std::make_unique<plat::Surface>(width, height, kBlack);
    s.name = "*";
    s.memoryKind = kMemoryDriver;
    s.colorKey = State().colorKey;
    s.width = static_cast<uint16_t>(width);
    s.height = static_cast<uint16_t>(height);
    return slot;
}

bool SwapObject(const std::string& name, int slot, int /*memoryKind*/) {
    if (slot < 0 || slot >= kObjectCount) return false;
    if (Cp932Length(name) > static_cast<size_t>(kMaxObjectNameLength)) {
        return elSystem::Error("elDraw::SwapObject", "ファイル名またはリソース名が長すぎます") != 0;
    }
    if (!LoadImageInto(Slots()[slot], name)) return PictureError("elDraw::SwapObject", name) != 0;
    return true;
}

void ReleaseObject(int slot) {
    if (slot < 0 || slot >= kObjectCount) return;
    ClearSlot(Slots()[slot]);
}

void ClearObject(int slot) {
    if (plat::Surface* s = GetObjectSurface(slot)) Fill(*s, kBlack);
}

const ElObjectSlot* GetObjectSlot(int slot) {
    if (slot < 0 || slot >= kObjectCount || !Slots()[slot].surface) return nullptr;
    return &Slots()[slot];
}

plat::Surface* GetObjectSurface(int slot) {
    const ElObjectSlot* s = GetObjectSlot(slot);
    return s ? s->surface.get() : nullptr;
}

// ---- The back buffer ----

plat::Surface& BackBuffer() { return State().backBuffer; }

void ClearScreen() { Fill(State().backBuffer, kBlack); }

int PutObject(int x, int y, int slot, int srcLeft, int srcTop, int srcRight, int srcBottom) {
    const ElObjectSlot* s = GetObjectSlot(slot);
    if (!s) return 0;
    DrawState& st = State();
    if (ClipCopy(x, y, srcLeft, srcTop, srcRight, srcBottom, *s->surface, st.backBuffer, &st.clip)) {
        CopyRectKeyed(st.backBuffer, x, y, *s->surface, srcLeft, srcTop, srcRight, srcBottom,
                      plat::ColorRefToPixel(s->colorKey));
    }
    return 1;
}

void PutObjectToObject(int dstSlot, int x, int y, int srcSlot, int srcLeft, int srcTop, int srcRight,
                       int srcBottom) {
    plat::Surface* dst = GetObjectSurface(dstSlot);
    plat::Surface* src = GetObjectSurface(srcSlot);
    if (!dst || !src) return;
    if (ClipCopy(x, y, srcLeft, srcTop, srcRight, srcBottom, *src, *dst, &State().clip)) {
        CopyRect(*dst, x, y, *src, srcLeft, srcTop, srcRight, srcBottom);
    }
}

void CaptureScreen(int slot, int left, int top, int right, int bottom) {
    plat::Surface* dst = GetObjectSurface(slot);
    if (!dst) return;
    int x = 0, y = 0;
    plat::Surface& src = State().backBuffer;
    if (ClipCopy(x, y, left, top, right, bottom, src, *dst, nullptr)) {
        CopyRect(*dst, x, y, src, left, top, right, bottom);
    }
}

void FillObject(int slot, int x1, int y1, int x2, int y2) { CaptureScreen(slot, x1, y1, x2, y2); }

// ---- Lines, rectangles and circles ----

void DrawLine(int x1, int y1, int x2, int y2, uint32_t colorRef, int width) {
    plat::Surface& s = State().backBuffer;
    const uint32_t pixel = plat::ColorRefToPixel(colorRef);
    if (width > 1) {
        ThickLine(s, x1, y1, x2, y2, width, pixel);
        return;
    }
    if ((IsFar(x1, y1, s) || IsFar(x2, y2, s)) && !CutToSurface(x1, y1, x2, y2, s)) return;
    // A one-pixel pen: every point from the start up to, not including, the end.
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        Plot(s, x, y, pixel);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void DrawRect(int x1, int y1, int x2, int y2, uint32_t fill, uint32_t pen, int penWidth) {
    plat::Surface& s = State().backBuffer;
    // Edges far beyond the surface are brought nearer; what shows stays the same.
    penWidth = std::min<int>(penWidth, kFarBeyond);
    const auto near = [](int v, int size) {
        return static_cast<int>(std::clamp<int64_t>(v, -2 * kFarBeyond, size + 2 * kFarBeyond));
    };
    x1 = near(x1, s.width);
    x2 = near(x2, s.width);
    y1 = near(y1, s.height);
    y2 = near(y2, s.height);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    const int r = x2 - 1, b = y2 - 1;  // the outline runs on the last pixels inside
    const uint32_t penPixel = plat::ColorRefToPixel(pen);
    const int w = std::max(penWidth, 1);
    const int inward = (w - 1) / 2, outward = w / 2;
    FillBox(s, x1 + inward + 1, y1 + inward + 1, r - inward - 1, b - inward - 1, plat::ColorRefToPixel(fill));
    FillBox(s, x1 - outward, y1 - outward, r + outward, y1 + inward, penPixel);  // top
    FillBox(s, x1 - outward, b - inward, r + outward, b + outward, penPixel);    // bottom
    FillBox(s, x1 - outward, y1 - outward, x1 + inward, b + outward, penPixel);  // left
    FillBox(s, r - inward, y1 - outward, r + outward, b + outward, penPixel);    // right
}

void BlendRect(int x1, int y1, int x2, int y2, uint32_t colorRef, double alpha) {
    plat::Surface& s = State().backBuffer;
    const int strength = static_cast<int>(std::clamp(alpha, 0.0, 1.0) * 255.0 + 0.5);
    if (strength <= 0) return;
    const uint32_t over = plat::ColorRefToPixel(colorRef);
    for (int y = std::max(std::min(y1, y2), 0); y < std::min(std::max(y1, y2), s.height); ++y) {
        uint32_t* row = s.Row(y);
        for (int x = std::max(std::min(x1, x2), 0); x < std::min(std::max(x1, x2), s.width); ++x) {
            const auto mix = [&](int shift) {
                const int u = static_cast<int>((row[x] >> shift) & 0xFF),
                          o = static_cast<int>((over >> shift) & 0xFF);
                return static_cast<uint32_t>(u + (o - u) * strength / 255) << shift;
            };
            row[x] = 0xFF000000u | mix(16) | mix(8) | mix(0);
        }
    }
}

void DrawArc(int centreX, int centreY, int radius, uint32_t colorRef, int width) {
    plat::Surface& s = State().backBuffer;
    const uint32_t pixel = plat::ColorRefToPixel(colorRef);
    if (radius < 0) return;
    width = std::min<int>(width, kFarBeyond);
    // A circle wholly beside the surface shows nothing.
    const int64_t reach = int64_t(radius) + std::max(width, 1);
    if (int64_t(centreX) + reach < 0 || int64_t(centreY) + reach < 0 || int64_t(centreX) - reach >= s.width ||
        int64_t(centreY) - reach >= s.height) {
        return;
    }
    // Wide pens, and circles too large to walk point by point, test each pixel of the surface
    // near the ring.
    if (width > 1 || radius > kFarBeyond) {
        const double half = std::max(width, 1) / 2.0;
        const double inner = std::max(radius - half, 0.0), outer = radius + half;
        const int64_t pad = int64_t(radius) + (std::max(width, 1) + 1) / 2;
        const int top = static_cast<int>(std::max<int64_t>(int64_t(centreY) - pad, 0));
        const int bottom = static_cast<int>(std::min<int64_t>(int64_t(centreY) + pad, s.height - 1));
        const int left = static_cast<int>(std::max<int64_t>(int64_t(centreX) - pad, 0));
        const int right = static_cast<int>(std::min<int64_t>(int64_t(centreX) + pad, s.width - 1));
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                const double ex = double(x) - centreX, ey = double(y) - centreY;
                const double d2 = ex * ex + ey * ey;
                if (d2 >= inner * inner && d2 <= outer * outer) s.Row(y)[x] = pixel;
            }
        }
        return;
    }
    // A one-pixel pen: the midpoint circle.
    int x = radius, y = 0, err = 1 - radius;
    while (x >= y) {
        const int px[8] = {x, y, -y, -x, -x, -y, y, x};
        const int py[8] = {y, x, x, y, -y, -x, -x, -y};
        for (int i = 0; i < 8; ++i) Plot(s, centreX + px[i], centreY + py[i], pixel);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

void DrawDebugText(int x, int y, const std::string& text) {
    CreateFont(1, 12, 0, 0, false, false);
    SetTextColors(0xFFFFFF, 0x800000, false);
    TextOut(x, y, text);
    ReleaseFont();
}

int Present() {
    plat::Backend* b = plat::CurrentBackend();
    if (!b || !State().open) return 0;
    b->Present(State().backBuffer);
    return 1;
}

}  // namespace elDraw
