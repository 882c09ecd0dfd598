#include "engine/el/DrawHelpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "engine/el/elDraw.h"
#include "engine/el/elText.h"

namespace {

uint32_t Pack(int red, int green, int blue) {
    return (uint32_t(red) & 0xFF) | ((uint32_t(green) & 0xFF) << 8) | ((uint32_t(blue) & 0xFF) << 16);
}

}  // namespace

void DrawText(const std::string& text, int left, int top, int right, int bottom, int red, int green, int blue,
              const std::string& fontName, int fontSize, int style, bool stringDrawing, int alignment,
              double alpha) {
    const uint32_t colour = Pack(red, green, blue);
    if (stringDrawing) {
        elDraw::CreateStringFont(fontName, fontSize);
        elDraw::SetTextColors(colour, 0, true);
        elDraw::DrawString(left, top, right, bottom, text, elDraw::kStringCells);
        elDraw::ReleaseStringFont();
        return;
    }
    elDraw::CreateFontByName(fontName, fontSize, 0, style, false, false);
    elDraw::SetTextColors(colour, 0, true);
    elDraw::SetTextAlpha(alpha);
    elDraw::DrawTextRect(left, top, right, bottom, text, alignment == 0 ? 0 : alignment == 1 ? 1 : 2);
    elDraw::SetTextAlpha(1.0);
    elDraw::ReleaseFont();
}

int DrawTextToObject(const std::string& text, int width, int height, int red, int green, int blue,
                     const std::string& fontName, int fontSize, int style, int alignment, int backRed,
                     int backGreen, int backBlue) {
    if (width <= 0 || height <= 0 || width > elDraw::GetScreenWidth() || height > elDraw::GetScreenHeight())
        return 0;
    if (!elDraw::IsOpen()) return 0;
    // A full object table must not raise the engine's error: the caller falls back to plain text.
    bool freeSlot = false;
    for (int slot = elDraw::kFirstImageObject; slot < elDraw::kObjectCount && !freeSlot; ++slot)
        freeSlot = elDraw::GetObjectSlot(slot) == nullptr;
    if (!freeSlot) return 0;
    const int slot = elDraw::CreateObject(width, height, elDraw::kMemoryDriver);
    plat::Surface* surface = slot > 0 ? elDraw::GetObjectSurface(slot) : nullptr;
    if (!surface) return 0;
    const uint32_t back = plat::ColorRefToPixel(elText::VisibleColor(Pack(backRed, backGreen, backBlue)));
    std::fill(surface->pixels.begin(), surface->pixels.end(), back);
    elDraw::CreateFontByName(fontName, fontSize, 0, style, false, false);
    elDraw::SetTextColors(Pack(red, green, blue), 0, true);
    elDraw::DrawTextRectOn(*surface, 0, 0, width, height, text, alignment == 0 ? 0 : alignment == 1 ? 1 : 2);
    elDraw::ReleaseFont();
    return slot;
}

void DrawRectOutline(int x1, int y1, int x2, int y2, int red, int green, int blue, int width) {
    const uint32_t colour = Pack(red, green, blue);
    elDraw::DrawLine(x1, y1, x1, y2, colour, width);
    elDraw::DrawLine(x1, y2, x2, y2, colour, width);
    elDraw::DrawLine(x2, y2, x2, y1, colour, width);
    elDraw::DrawLine(x2, y1, x1, y1, colour, width);
}

void DrawDoubleText(double value, int x, int y) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f", value);
    elDraw::DrawDebugText(x, y, buf);
}
