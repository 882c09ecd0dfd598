#pragma once
// Text in images through FreeType and the IPA fonts, so labels may be Japanese.
#include <cstdint>
#include <string>

#include "tools/gen/Canvas.h"

namespace gen {

struct TextStyle {
    int size = 16;  // pixel height of the em square
    uint32_t color = 0xFFFFFF;
    uint32_t outline = 0xFFFFFFFFu;  // kNoColor: no outline
    int align = 1;                   // 0 left, 1 centre, 2 right
    int valign = 1;                  // 0 top, 1 middle, 2 bottom
    bool bold = false;
    bool mincho = false;
    bool shrink = true;  // make the text smaller until it fits the box
};

// Draws UTF-8 text (lines split at "\n") into the box. Throws GenError when no font can be loaded.
void DrawText(Canvas& canvas, const Rect& box, const std::string& utf8, const TextStyle& style);
// Width in pixels of one line of UTF-8 text.
int MeasureText(const std::string& utf8, int size, bool mincho);

}  // namespace gen
