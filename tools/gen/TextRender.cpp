#include "tools/gen/TextRender.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "tools/gen/GenCommon.h"

namespace gen {
namespace {

class FontLibrary {
  public:
    static FontLibrary& Get() {
        static FontLibrary lib;
        return lib;
    }
    FT_Face Face(bool mincho) {
        FT_Face& f = mincho ? mincho_ : gothic_;
        if (!f) {
            const char* path = mincho ? QUOR_GEN_FONT_MINCHO : QUOR_GEN_FONT_GOTHIC;
            if (FT_New_Face(lib_, path, 0, &f) != 0) {
                // Mincho is optional: fall back to the Gothic face.
                if (mincho) return Face(false);
                throw GenError(std::string("cannot load font ") + path);
            }
        }
        return f;
    }
    ~FontLibrary() {
        if (gothic_) FT_Done_Face(gothic_);
        if (mincho_) FT_Done_Face(mincho_);
        FT_Done_FreeType(lib_);
    }

  private:
    FontLibrary() {
        if (FT_Init_FreeType(&lib_) != 0) throw GenError("cannot start FreeType");
    }
    FT_Library lib_ = nullptr;
    FT_Face gothic_ = nullptr;
    FT_Face mincho_ = nullptr;
};

std::vector<uint32_t> DecodeUtf8(const std::string& s) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        uint32_t cp = c;
        int extra = 0;
        if (c >= 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else if (c >= 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if (c >= 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        }
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
        out.push_back(cp);
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            lines.emplace_back();
        else if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            lines.emplace_back();
            ++i;
        } else
            lines.back() += text[i];
    }
    return lines;
}

int LineWidth(FT_Face face, const std::vector<uint32_t>& cps) {
    int w = 0;
    for (uint32_t cp : cps)
        if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) == 0) w += static_cast<int>(face->glyph->advance.x >> 6);
    return w;
}

}  // namespace

int MeasureText(const std::string& utf8, int size, bool mincho) {
    FT_Face face = FontLibrary::Get().Face(mincho);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(4, size)));
    return LineWidth(face, DecodeUtf8(utf8));
}

void DrawText(Canvas& canvas, const Rect& box, const std::string& utf8, const TextStyle& style) {
    FT_Face face = FontLibrary::Get().Face(style.mincho);
    std::vector<std::string> lines = SplitLines(utf8);
    std::vector<std::vector<uint32_t>> cps;
    cps.reserve(lines.size());
    for (auto& l : lines) cps.push_back(DecodeUtf8(l));

    int pad = (style.outline != kNoColor ? 1 : 0) + (style.bold ? 1 : 0);
    int size = std::max(4, style.size);
    for (;; --size) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
        int widest = 0;
        for (auto& l : cps) widest = std::max(widest, LineWidth(face, l));
        int lineH = static_cast<int>(face->size->metrics.height >> 6);
        bool fits = widest + 2 * pad <= box.w && lineH * static_cast<int>(cps.size()) <= box.h + 2;
        if (fits || !style.shrink || size <= 6) break;
    }
    int ascender = static_cast<int>(face->size->metrics.ascender >> 6);
    int descender = static_cast<int>(-(face->size->metrics.descender >> 6));
    int lineH = ascender + descender;
    int total = lineH * static_cast<int>(cps.size());
    int top = style.valign == 0   ? box.y + pad
              : style.valign == 2 ? box.Bottom() - total - pad
                                  : box.y + (box.h - total) / 2;

    auto pass = [&](uint32_t color, int ox, int oy) {
        for (size_t li = 0; li < cps.size(); ++li) {
            int width = LineWidth(face, cps[li]);
            int x = style.align == 0   ? box.x + pad
                    : style.align == 2 ? box.Right() - width - pad
                                       : box.x + (box.w - width) / 2;
            int baseline = top + static_cast<int>(li) * lineH + ascender;
            for (uint32_t cp : cps[li]) {
                if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
                FT_GlyphSlot g = face->glyph;
                for (unsigned r = 0; r < g->bitmap.rows; ++r)
                    for (unsigned c = 0; c < g->bitmap.width; ++c) {
                        unsigned char a = g->bitmap.buffer[r * g->bitmap.pitch + c];
                        if (!a) continue;
                        int px = x + g->bitmap_left + static_cast<int>(c) + ox;
                        int py = baseline - g->bitmap_top + static_cast<int>(r) + oy;
                        canvas.Blend(px, py, color, a / 255.0);
                        if (style.bold) canvas.Blend(px + 1, py, color, a / 255.0);
                    }
                x += static_cast<int>(g->advance.x >> 6);
            }
        }
    };
    if (style.outline != kNoColor) {
        for (int oy = -1; oy <= 1; ++oy)
            for (int ox = -1; ox <= 1; ++ox)
                if (ox || oy) pass(style.outline, ox, oy);
    }
    pass(style.color, 0, 0);
}

}  // namespace gen
