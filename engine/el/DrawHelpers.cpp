#include "engine/el/DrawHelpers.h"

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
