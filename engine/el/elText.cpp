#include "engine/el/elText.h"

#include <algorithm>
#include <memory>

#include "engine/el/elDraw.h"
#include "engine/el/elFont.h"

namespace elText {
namespace {

// Colour 0 is the key of the objects; surfaces compare it without alpha.
constexpr uint32_t kKeyPixel = 0xFF000000u;
bool IsKey(uint32_t p) { return (p & 0x00FFFFFFu) == 0; }

struct Clip {
    int left, top, right, bottom;  // right and bottom exclusive
};

Clip SurfaceClip(const plat::Surface& s) { return {0, 0, s.width, s.height}; }

Clip Intersect(Clip a, Clip b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Writes a glyph whose cell's top-left corner is at (x, y). Blended by coverage, or, with
// `solid`, set wherever the coverage reaches half.
void PutGlyph(plat::Surface& s, const Clip& clip, int x, int y, const elFont::Glyph& g, uint32_t argb,
              bool solid) {
    const int r = (argb >> 16) & 0xFF, gr = (argb >> 8) & 0xFF, b = argb & 0xFF;
    for (int j = 0; j < g.height; ++j) {
        const int py = y + g.top + j;
        if (py < clip.top || py >= clip.bottom) continue;
        uint32_t* row = s.Row(py);
        for (int i = 0; i < g.width; ++i) {
            const int px = x + g.left + i;
            if (px < clip.left || px >= clip.right) continue;
            const int cov = g.coverage[static_cast<size_t>(j) * g.width + i];
            if (cov == 0) continue;
            if (solid) {
                if (cov >= 128) row[px] = argb;
                continue;
            }
            const uint32_t d = row[px];
            const int dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF;
            const int nr = dr + (r - dr) * cov / 255;
            const int ng = dg + (gr - dg) * cov / 255;
            const int nb = db + (b - db) * cov / 255;
            row[px] = 0xFF000000u | (uint32_t(nr) << 16) | (uint32_t(ng) << 8) | uint32_t(nb);
        }
    }
}

void FillRect(plat::Surface& s, const Clip& clip, int l, int t, int r, int b, uint32_t argb) {
    const Clip c = Intersect(clip, {l, t, r, b});
    for (int y = c.top; y < c.bottom; ++y) {
        uint32_t* row = s.Row(y);
        for (int x = c.left; x < c.right; ++x) row[x] = argb;
    }
}

bool IsSpace(char32_t c) { return c == U' '; }
bool IsLineBreak(char32_t c) { return c == U'\n' || c == U'\r'; }

}  // namespace

uint32_t VisibleColor(uint32_t colorRef) {
    const uint32_t r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
    if (r < 16 && g < 16 && b < 16) return 0x101010u;
    return colorRef & 0x00FFFFFFu;
}

bool MayNotStartLine(char32_t cp) {
    static constexpr char32_t kChars[] = {U'、', U'。', U'，', U'．', U'・', U'…',      U'‥', U'”',
                                          U'’',  U'（', U'」', U',',  U'.',  U'\u3000', U' '};
    return std::find(std::begin(kChars), std::end(kChars), cp) != std::end(kChars);
}

std::vector<RectLine> BreakRectLines(const std::u32string& text, int maxWidth,
                                     const std::function<int(char32_t)>& advance) {
    std::vector<RectLine> lines;
    const size_t n = text.size();
    size_t i = 0;
    while (true) {
        // One paragraph: up to a line feed or the end.
        size_t end = i;
        while (end < n && !IsLineBreak(text[end])) ++end;
        size_t pos = i;
        bool first = true;
        while (first || pos < end) {
            first = false;
            RectLine line{pos, pos, 0};
            int width = 0;
            size_t breakAt = pos;  // last break opportunity (end of the text before it)
            int breakWidth = 0;
            size_t k = pos;
            while (k < end) {
                const char32_t c = text[k];
                // A break may come before this character when the previous one was a space or
                // either of the two is a double-byte character.
                if (k > pos) {
                    const char32_t p = text[k - 1];
                    if (IsSpace(p) || elFont::IsDoubleByte(p) || elFont::IsDoubleByte(c)) {
                        if (!IsSpace(c)) {
                            breakAt = k;
                            breakWidth = width;
                        }
                    }
                }
                const int w = advance(c);
                if (width + w > maxWidth && !IsSpace(c) && breakAt > pos) {
                    break;  // wrap at the last opportunity
                }
                width += w;
                ++k;
            }
            if (k < end && breakAt > pos) {
                line.end = breakAt;
                width = breakWidth;
            } else {
                line.end = k;
            }
            // Spaces at the end of a line take no room, and the next line skips them.
            size_t trimEnd = line.end;
            while (trimEnd > line.begin && IsSpace(text[trimEnd - 1])) {
                width -= advance(text[trimEnd - 1]);
                --trimEnd;
            }
            line.end = trimEnd;
            line.width = width;
            lines.push_back(line);
            pos = std::max(line.end, k < end && breakAt > pos ? breakAt : k);
            while (pos < end && IsSpace(text[pos]) && pos > line.begin) ++pos;
        }
        if (end >= n) break;
        // CR LF counts as one line feed.
        i = end + 1;
        if (text[end] == U'\r' && i < n && text[i] == U'\n') ++i;
        if (i >= n) break;
    }
    return lines;
}

elDraw::TextBox RenderString(const StringSurfaces& target, const std::string& face, int size, int x, int y,
                             int right, int bottom, const std::string& text, int flags, uint32_t textColor,
                             uint32_t backColor, std::vector<elDraw::TextBox>& boxes) {
    boxes.clear();
    elDraw::TextBox bounds{};
    bool any = false;
    auto font = elFont::Font::Open({face, 2 * size, 400, false, false});
    if (!font) return bounds;

    plat::Surface* obj = target.fontObject;
    plat::Surface* buf = target.fontBuffer;
    const plat::Surface* back = target.backBuffer;
    // Only what a line can touch is cleared: the band of the font buffer a line is drawn in, and
    // each line's rectangle of the font object before the line is composed into it. Nothing else
    // of the two objects is read or blitted.

    const uint32_t fore = plat::ColorRefToPixel(VisibleColor(textColor));
    const uint32_t shade = plat::ColorRefToPixel(VisibleColor(backColor));
    const int spacing = flags & elDraw::kStringSpacingMask;
    const bool shadow = (flags & elDraw::kStringShadow) != 0;
    const bool thickX = (flags & elDraw::kStringThickenX) != 0;
    const bool thickY = (flags & elDraw::kStringThickenY) != 0;
    const int fontHeight = 2 * size;
    const int bufferWidth = buf ? buf->width : elDraw::kDefaultScreenWidth;
    const Clip bufClip = buf ? SurfaceClip(*buf) : Clip{0, 0, 0, 0};

    std::vector<elDraw::TextBox> lineRects;  // what the lines composed into the font object
    const std::u32string chars = elFont::DecodeUtf8(text);
    const size_t n = chars.size();
    size_t pos = 0;
    int lineX = x, lineY = y;
    enum class End { Text, LineFeed, Width, Buffer };

    size_t lineFirstBox = 0;  // the first character box of the screen line (all its pieces)
    bool newLine = true;
    while (pos < n && lineY < bottom) {
        int lineHeight = spacing + fontHeight;
        int pen = 0;
        if (buf) {
            const int band = std::min(buf->height, spacing + 2 * fontHeight + 8);
            for (int j = 0; j < band; ++j) std::fill(buf->Row(j), buf->Row(j) + buf->width, kKeyPixel);
        }
        if (newLine) lineFirstBox = boxes.size();
        End end = End::Text;
        while (true) {
            if (pos >= n) {
                end = End::Text;
                break;
            }
            const char32_t c = chars[pos];
            if (c == U'\n') {
                ++pos;
                end = End::LineFeed;
                break;
            }
            const elFont::Glyph& g = font->GetGlyph(c, true);
            // The character's extent, rounded up to even numbers.
            int w = (g.advance + 1) & ~1;
            int h = (fontHeight + 1) & ~1;
            if (shadow) w += 2, h += 2;
            if (thickX) w += 1;
            if (thickY) h += 1;
            // A character that would cross the edge of the font buffer starts the next piece,
            // at the same place on the screen, so that it is drawn whole.
            if (pen > 0 && pen + w > bufferWidth) {
                end = End::Buffer;
                break;
            }
            if (buf) {
                if (shadow)
                    PutGlyph(*buf, bufClip, pen + 2 + (thickX ? 1 : 0), 2 + (thickY ? 1 : 0), g, shade, true);
                PutGlyph(*buf, bufClip, pen, 0, g, fore, true);
                if (thickX) PutGlyph(*buf, bufClip, pen + 1, 0, g, fore, true);
                if (thickY) PutGlyph(*buf, bufClip, pen, 1, g, fore, true);
                if (thickX && thickY) PutGlyph(*buf, bufClip, pen + 1, 1, g, fore, true);
            }
            const int left = pen / 2 + lineX;
            boxes.push_back({left, lineY, left + w / 2, lineY + h / 2});
            pen += w + spacing;
            ++pos;
            lineHeight = std::max(lineHeight, h);
            if (pen / 2 + lineX >= right) {
                end = End::Width;
                // The character that overflowed starts the next line, unless it may not start
                // one, or it is the only character of the line (a line too narrow for one
                // character would otherwise never end).
                if (!MayNotStartLine(c) && boxes.size() - lineFirstBox > 1) {
                    pen -= w + spacing;
                    --pos;
                    boxes.pop_back();
                }
                break;
            }
            if (pen >= bufferWidth) {
                end = End::Buffer;
                break;
            }
        }

        // Compose the line: cut at the bottom limit, smoothed into the font object.
        int composeHeight = lineHeight;
        if (lineY + composeHeight / 2 > bottom) composeHeight = (bottom - lineY) * 2;
        const int lineW = pen / 2, lineH = composeHeight / 2;
        if (lineW > 0 && lineH > 0) {
            const elDraw::TextBox lb{lineX, lineY, lineX + lineW, lineY + lineH};
            if (!any) {
                bounds = lb;
                any = true;
            } else {
                bounds.left = std::min(bounds.left, lb.left);
                bounds.top = std::min(bounds.top, lb.top);
                bounds.right = std::max(bounds.right, lb.right);
                bounds.bottom = std::max(bounds.bottom, lb.bottom);
            }
            lineRects.push_back(lb);
            if (obj) {
                const Clip c = Intersect(SurfaceClip(*obj), {lb.left, lb.top, lb.right, lb.bottom});
                for (int dy = c.top; dy < c.bottom; ++dy)
                    std::fill(obj->Row(dy) + c.left, obj->Row(dy) + c.right, kKeyPixel);
            }
            if (obj && buf) {
                const int sampleW = std::min(pen, buf->width), sampleH = std::min(composeHeight, buf->height);
                for (int j = 0; j < lineH; ++j) {
                    const int dy = lineY + j;
                    if (dy < 0 || dy >= obj->height) continue;
                    for (int i = 0; i < lineW; ++i) {
                        const int dx = lineX + i;
                        if (dx < 0 || dx >= obj->width) continue;
                        int sr = 0, sg = 0, sb = 0, count = 0;
                        for (int oy = -1; oy <= 1; ++oy) {
                            const int sy = 2 * j + oy;
                            if (sy < 0 || sy >= sampleH) continue;
                            const uint32_t* srow = buf->Row(sy);
                            for (int ox = -1; ox <= 1; ++ox) {
                                const int sx = 2 * i + ox;
                                if (sx < 0 || sx >= sampleW) continue;
                                const uint32_t p = srow[sx];
                                if (IsKey(p)) continue;
                                sr += (p >> 16) & 0xFF;
                                sg += (p >> 8) & 0xFF;
                                sb += p & 0xFF;
                                ++count;
                            }
                        }
                        if (count == 0) continue;  // stays transparent
                        sr += 255, sg += 255, sb += 255;
                        if (count < 8) {
                            uint32_t bp = 0;
                            if (back && dx < back->width && dy < back->height) bp = back->Row(dy)[dx];
                            const int k = 8 - count;
                            sr += k * static_cast<int>((bp >> 16) & 0xFF);
                            sg += k * static_cast<int>((bp >> 8) & 0xFF);
                            sb += k * static_cast<int>(bp & 0xFF);
                        }
                        const uint32_t r = std::min(sr / 8, 255), g = std::min(sg / 8, 255),
                                       b = std::min(sb / 8, 255);
                        obj->Row(dy)[dx] = 0xFF000000u | (r << 16) | (g << 8) | b;
                    }
                }
            }
        }

        if (end == End::Text) break;
        newLine = end != End::Buffer;
        if (end == End::Buffer) {
            lineX += pen / 2;  // the next piece continues on the same line
        } else {
            lineX = x;
            lineY += lineHeight / 2;
        }
    }
    // The union also covers places no line reached (beside a short line): make them transparent.
    if (obj && any) {
        const Clip u = Intersect(SurfaceClip(*obj), {bounds.left, bounds.top, bounds.right, bounds.bottom});
        std::vector<std::pair<int, int>> spans;
        for (int dy = u.top; dy < u.bottom; ++dy) {
            spans.clear();
            for (const auto& r : lineRects)
                if (dy >= r.top && dy < r.bottom) spans.emplace_back(r.left, r.right);
            std::sort(spans.begin(), spans.end());
            uint32_t* row = obj->Row(dy);
            int x0 = u.left;
            for (const auto& [l, r] : spans) {
                if (l > x0) std::fill(row + x0, row + std::min(l, u.right), kKeyPixel);
                x0 = std::max(x0, std::min(r, u.right));
            }
            if (x0 < u.right) std::fill(row + x0, row + u.right, kKeyPixel);
        }
    }
    return any ? bounds : elDraw::TextBox{};
}

}  // namespace elText

namespace elDraw {
namespace {

struct TextState {
    // The font description reused by every font creation.
    std::string face;
    int height = 0;
    int escapement = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    uint8_t charset = elFont::kShiftJisCharset;
    std::shared_ptr<elFont::Font> font;  // the selected font; null: the default one

    uint32_t textColor = 0;
    uint32_t backColor = 0xFFFFFF;
    bool transparent = false;

    std::string stringFace;
    int stringSize = 0;  // 0: no string font
    std::vector<TextBox> boxes;
    TextBox bounds;
};

TextState& T() {
    static TextState state;
    return state;
}

constexpr int kDefaultFontHeight = 16;

std::shared_ptr<elFont::Font> CurrentFont() {
    TextState& t = T();
    if (t.font) return t.font;
    static std::shared_ptr<elFont::Font> fallback =
        elFont::Font::Open({"", kDefaultFontHeight, 400, false, false});
    return fallback;
}

int WeightOf(int weightKind) {
    if (weightKind == 0) return 400;
    if (weightKind == 1) return 700;
    return 0;  // the default weight
}

void MakeFont(int height, int angle, int weightKind, bool italic, bool underline) {
    TextState& t = T();
    t.height = height;
    t.escapement = angle * 10;
    t.weight = WeightOf(weightKind);
    t.italic = italic;
    t.underline = underline;
    // A height of 0 asks for the default height, as GDI does.
    const int cell = height > 0 ? height : (height < 0 ? -height : kDefaultFontHeight);
    t.font = elFont::Font::Open({t.face, cell, t.weight == 0 ? 400 : t.weight, italic, underline});
}

// Draws one line of characters with the current font; returns its width.
int DrawLine(plat::Surface& s, const elText::Clip& clip, elFont::Font& font, int x, int y,
             const std::u32string& chars, size_t begin, size_t end) {
    TextState& t = T();
    const uint32_t fore = plat::ColorRefToPixel(t.textColor);
    int width = 0;
    for (size_t i = begin; i < end; ++i) width += font.Advance(chars[i]);
    if (!t.transparent) {
        elText::FillRect(s, clip, x, y, x + width, y + font.Height(), plat::ColorRefToPixel(t.backColor));
    }
    int pen = x;
    for (size_t i = begin; i < end; ++i) {
        const elFont::Glyph& g = font.GetGlyph(chars[i], false);
        elText::PutGlyph(s, clip, pen, y, g, fore, false);
        pen += g.advance;
    }
    if (font.Desc().underline && width > 0) {
        const int top = y + font.UnderlineTop();
        elText::FillRect(s, clip, x, top, x + width, top + font.UnderlineThickness(), fore);
    }
    return width;
}

}  // namespace

void InitFonts() {
    elFont::BuildFontList();
    TextState& t = T();
    t.face.clear();
    t.font.reset();
}

void EndFonts() {
    elFont::ClearFontList();
    TextState& t = T();
    t.font.reset();
    t.stringSize = 0;
}

void CreateFont(int kind, int height, int angle, int weightKind, bool italic, bool underline) {
    TextState& t = T();
    if (kind == 0)
        t.face = "標準明朝";
    else if (kind == 1)
        t.face = "標準ゴシック";
    t.charset = elFont::kShiftJisCharset;
    MakeFont(height, angle, weightKind, italic, underline);
}

void CreateFontByName(const std::string& face, int height, int angle, int weightKind, bool italic,
                      bool underline) {
    TextState& t = T();
    t.face = face;
    const elFont::FontListEntry* e = elFont::FindFace(face);
    t.charset = e ? e->charset : elFont::kShiftJisCharset;
    MakeFont(height, angle, weightKind, italic, underline);
}

void ReleaseFont() { T().font.reset(); }

void SetTextColors(uint32_t textColor, uint32_t backColor, bool transparent) {
    TextState& t = T();
    t.textColor = textColor & 0x00FFFFFFu;
    t.backColor = backColor & 0x00FFFFFFu;
    t.transparent = transparent;
}

void TextOut(int x, int y, const std::string& text) {
    auto font = CurrentFont();
    plat::Surface& s = BackBuffer();
    if (!font || s.Empty()) return;
    const std::u32string chars = elFont::DecodeUtf8(text);
    DrawLine(s, elText::SurfaceClip(s), *font, x, y, chars, 0, chars.size());
}

int DrawTextRect(int left, int top, int right, int bottom, const std::string& text, int align) {
    auto font = CurrentFont();
    if (!font) return 0;
    const std::u32string chars = elFont::DecodeUtf8(text);
    const auto lines =
        elText::BreakRectLines(chars, right - left, [&](char32_t c) { return font->Advance(c); });
    const int lineHeight = font->Height();
    plat::Surface& s = BackBuffer();
    if (!s.Empty()) {
        const elText::Clip clip = elText::Intersect(elText::SurfaceClip(s), {left, top, right, bottom});
        int y = top;
        for (const auto& line : lines) {
            if (y >= bottom) break;
            int x = left;
            if (align == kAlignCenter)
                x = left + (right - left - line.width) / 2;
            else if (align == kAlignRight)
                x = right - line.width;
            DrawLine(s, clip, *font, x, y, chars, line.begin, line.end);
            y += lineHeight;
        }
    }
    return static_cast<int>(lines.size()) * lineHeight;
}

void CreateStringFont(const std::string& face, int size) {
    TextState& t = T();
    t.stringFace = face;
    t.stringSize = size > 0 ? size : 0;
}

void ReleaseStringFont() { T().stringSize = 0; }

void DrawString(int x, int y, int right, int bottom, const std::string& text, int flags) {
    TextState& t = T();
    t.boxes.clear();
    t.bounds = TextBox{};
    if (t.stringSize <= 0) return;
    elText::StringSurfaces target;
    target.fontObject = GetObjectSurface(kFontObject);
    target.fontBuffer = GetObjectSurface(kFontBufferObject);
    target.backBuffer = BackBuffer().Empty() ? nullptr : &BackBuffer();
    t.bounds = elText::RenderString(target, t.stringFace, t.stringSize, x, y, right, bottom, text, flags,
                                    t.textColor, t.backColor, t.boxes);
    if (target.fontObject && t.bounds.right > t.bounds.left && t.bounds.bottom > t.bounds.top) {
        PutObject(t.bounds.left, t.bounds.top, kFontObject, t.bounds.left, t.bounds.top, t.bounds.right,
                  t.bounds.bottom);
    }
}

const std::vector<TextBox>& GetStringCharBoxes() { return T().boxes; }
TextBox GetStringBounds() { return T().bounds; }

uint8_t GetFontCharset() { return T().charset; }
int GetFontHeight() { return T().height; }
int GetFontEscapement() { return T().escapement; }
int GetFontWeight() { return T().weight; }
std::string GetFontFace() { return T().face; }
int GetStringFontHeight() { return 2 * T().stringSize; }
uint32_t GetTextColor() { return T().textColor; }
uint32_t GetBackColor() { return T().backColor; }

}  // namespace elDraw
