#include "engine/el/elText.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

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
// One 8-bit colour channel of an ARGB pixel.
inline int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFFu); }

void PutGlyph(plat::Surface& s, const Clip& clip, int x, int y, const elFont::Glyph& g, uint32_t argb,
              bool solid, int strength = 255) {
    const int r = Channel(argb, 16), gr = Channel(argb, 8), b = Channel(argb, 0);
    for (int j = 0; j < g.height; ++j) {
        const int py = y + g.top + j;
        if (py < clip.top || py >= clip.bottom) continue;
        uint32_t* row = s.Row(py);
        for (int i = 0; i < g.width; ++i) {
            const int px = x + g.left + i;
            if (px < clip.left || px >= clip.right) continue;
            const int cov = g.coverage[static_cast<size_t>(j) * g.width + i] * strength / 255;
            if (cov == 0) continue;
            if (solid) {
                if (cov >= 128) row[px] = argb;
                continue;
            }
            const uint32_t d = row[px];
            const int dr = Channel(d, 16), dg = Channel(d, 8), db = Channel(d, 0);
            const int nr = dr + (r - dr) * cov / 255;
            const int ng = dg + (gr - dg) * cov / 255;
            const int nb = db + (b - db) * cov / 255;
            row[px] = 0xFF000000u | (uint32_t(nr) << 16) | (uint32_t(ng) << 8) | uint32_t(nb);
        }
    }
}

// `over` laid on `under` at a strength of 0 (nothing) to 255 (all).
uint32_t BlendPixel(uint32_t under, uint32_t over, int strength) {
    const auto mix = [&](int shift) {
        const int u = Channel(under, shift), o = Channel(over, shift);
        return static_cast<uint32_t>(u + (o - u) * strength / 255) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}

void FillRect(plat::Surface& s, const Clip& clip, int l, int t, int r, int b, uint32_t argb,
              int strength = 255) {
    const Clip c = Intersect(clip, {l, t, r, b});
    for (int y = c.top; y < c.bottom; ++y) {
        uint32_t* row = s.Row(y);
        for (int x = c.left; x < c.right; ++x)
            row[x] = strength >= 255 ? argb : BlendPixel(row[x], argb, strength);
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

bool MayNotStartWrappedLine(char32_t cp) {
    static constexpr std::u32string_view kChars =
        U"。、，．」』）】〕〉》］｝〙〗’”！？‼⁇⁈⁉ー・：；…‥ゝゞヽヾ々"
        U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶ"
        U"｡､｣･ｰｧｨｩｪｫｬｭｮｯ"
        U")]},.!?:;";
    return kChars.find(cp) != std::u32string_view::npos;
}

bool MayNotEndWrappedLine(char32_t cp) {
    static constexpr std::u32string_view kChars = U"「『（【〔〈《［｛〘〖‘“｢([{";
    return kChars.find(cp) != std::u32string_view::npos;
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
                // either of the two is a double-byte character, and neither of them forbids it.
                if (k > pos) {
                    const char32_t p = text[k - 1];
                    if ((IsSpace(p) || elFont::IsDoubleByte(p) || elFont::IsDoubleByte(c)) && !IsSpace(c) &&
                        !MayNotStartWrappedLine(c) && !MayNotEndWrappedLine(p)) {
                        breakAt = k;
                        breakWidth = width;
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

namespace {

// DrawString's colours and flags taken apart. The font buffer holds the text at twice the
// screen size; composing it into the font object halves it.
struct StringStyle {
    uint32_t fore, shade;
    int spacing;  // font-buffer pixels between characters (and added to the line height)
    bool shadow, thickX, thickY;
    int fontHeight;  // in the font buffer
    bool cells;      // a cell per character (kStringCells)
};

StringStyle MakeStringStyle(int size, int flags, uint32_t textColor, uint32_t backColor) {
    return {plat::ColorRefToPixel(VisibleColor(textColor)),
            plat::ColorRefToPixel(VisibleColor(backColor)),
            flags & elDraw::kStringSpacingMask,
            (flags & elDraw::kStringShadow) != 0,
            (flags & elDraw::kStringThickenX) != 0,
            (flags & elDraw::kStringThickenY) != 0,
            2 * size,
            (flags & elDraw::kStringCells) != 0};
}

// Why a piece of a line ended: the text did, a line feed, the right limit, or the width of the
// font buffer (the line then goes on in a new piece at the same place on the screen).
enum class PieceEnd { Text, LineFeed, Width, Buffer };

struct Piece {
    PieceEnd end = PieceEnd::Text;
    int pen = 0;     // its width in the font buffer
    int height = 0;  // the line height in the font buffer
};

// Lays out and composes one DrawString. Only what a line can touch is cleared: the band of the
// font buffer a line is drawn in, and each line's rectangle of the font object before the line
// is composed into it. Nothing else of the two objects is read or blitted.
class StringRenderer {
  public:
    StringRenderer(const StringSurfaces& target, elFont::Font& font, const StringStyle& style,
                   std::u32string chars, std::vector<elDraw::TextBox>& boxes)
        : obj_(target.fontObject),
          buf_(target.fontBuffer),
          back_(target.backBuffer),
          font_(font),
          style_(style),
          chars_(std::move(chars)),
          boxes_(boxes),
          bufferWidth_(buf_ ? buf_->width : elDraw::kDefaultScreenWidth),
          bufClip_(buf_ ? SurfaceClip(*buf_) : Clip{0, 0, 0, 0}) {}

    // Lines start at x and break before `right`; nothing is drawn from `bottom` down.
    void Render(int x, int y, int right, int bottom) {
        int lineX = x, lineY = y;
        size_t lineFirstBox = 0;  // the first character box of the screen line (all its pieces)
        bool newLine = true;
        while (pos_ < chars_.size() && lineY < bottom) {
            ClearLineBand();
            if (newLine) lineFirstBox = boxes_.size();
            const Piece piece = DrawPiece(lineX, lineY, right, lineFirstBox);
            ComposePiece(piece, lineX, lineY, bottom);
            if (piece.end == PieceEnd::Text) break;
            newLine = piece.end != PieceEnd::Buffer;
            if (piece.end == PieceEnd::Buffer) {
                lineX += piece.pen / 2;  // the next piece continues on the same line
            } else {
                lineX = x;
                lineY += piece.height / 2;
            }
        }
        ClearBesideLines();
    }

    // The union of the composed lines; empty when nothing was drawn.
    elDraw::TextBox Bounds() const { return any_ ? bounds_ : elDraw::TextBox{}; }

  private:
    void ClearLineBand() {
        if (!buf_) return;
        const int band = std::min(buf_->height, style_.spacing + 2 * style_.fontHeight + 8);
        for (int j = 0; j < band; ++j) std::fill(buf_->Row(j), buf_->Row(j) + buf_->width, kKeyPixel);
    }

    // The character's extent in the font buffer, rounded up to even numbers.
    void CellSize(char32_t c, const elFont::Glyph& g, int& w, int& h) const {
        w = (g.advance + 1) & ~1;
        if (style_.cells) w = elFont::IsDoubleByte(c) ? style_.fontHeight : style_.fontHeight / 2;
        h = (style_.fontHeight + 1) & ~1;
        if (style_.shadow) w += 2, h += 2;
        if (style_.thickX) w += 1;
        if (style_.thickY) h += 1;
    }

    // The shadow first, then the glyph and its thickened copies.
    void DrawCharacter(const elFont::Glyph& g, int pen) {
        const bool tx = style_.thickX, ty = style_.thickY;
        if (style_.shadow)
            PutGlyph(*buf_, bufClip_, pen + 2 + (tx ? 1 : 0), 2 + (ty ? 1 : 0), g, style_.shade, true);
        PutGlyph(*buf_, bufClip_, pen, 0, g, style_.fore, true);
        if (tx) PutGlyph(*buf_, bufClip_, pen + 1, 0, g, style_.fore, true);
        if (ty) PutGlyph(*buf_, bufClip_, pen, 1, g, style_.fore, true);
        if (tx && ty) PutGlyph(*buf_, bufClip_, pen + 1, 1, g, style_.fore, true);
    }

    // Draws characters into the font buffer, and adds their boxes, until the piece ends.
    Piece DrawPiece(int lineX, int lineY, int right, size_t lineFirstBox) {
        Piece piece;
        piece.height = style_.spacing + style_.fontHeight;
        int& pen = piece.pen;
        while (true) {
            if (pos_ >= chars_.size()) {
                piece.end = PieceEnd::Text;
                return piece;
            }
            const char32_t c = chars_[pos_];
            if (c == U'\n') {
                ++pos_;
                piece.end = PieceEnd::LineFeed;
                return piece;
            }
            const elFont::Glyph& g = font_.GetGlyph(c, true);
            int w = 0, h = 0;
            CellSize(c, g, w, h);
            // A character that would cross the edge of the font buffer starts the next piece,
            // at the same place on the screen, so that it is drawn whole.
            if (pen > 0 && pen + w > bufferWidth_) {
                piece.end = PieceEnd::Buffer;
                return piece;
            }
            // In a cell the glyph stands in its middle.
            if (buf_) DrawCharacter(g, style_.cells ? pen + std::max(0, (w - g.advance) / 2) : pen);
            const int left = pen / 2 + lineX;
            boxes_.push_back({left, lineY, left + w / 2, lineY + h / 2});
            pen += w + style_.spacing;
            ++pos_;
            piece.height = std::max(piece.height, h);
            if (pen / 2 + lineX >= right) {
                piece.end = PieceEnd::Width;
                // The character that overflowed starts the next line, unless it may not start
                // one, or it is the only character of the line (a line too narrow for one
                // character would otherwise never end).
                if (!MayNotStartLine(c) && boxes_.size() - lineFirstBox > 1) {
                    pen -= w + style_.spacing;
                    --pos_;
                    boxes_.pop_back();
                }
                return piece;
            }
            if (pen >= bufferWidth_) {
                piece.end = PieceEnd::Buffer;
                return piece;
            }
        }
    }

    // Composes the piece into the font object at half size, cut at the bottom limit.
    void ComposePiece(const Piece& piece, int lineX, int lineY, int bottom) {
        int composeHeight = piece.height;
        if (lineY + composeHeight / 2 > bottom) composeHeight = (bottom - lineY) * 2;
        const int lineW = piece.pen / 2, lineH = composeHeight / 2;
        if (lineW <= 0 || lineH <= 0) return;
        const elDraw::TextBox lb{lineX, lineY, lineX + lineW, lineY + lineH};
        AddToBounds(lb);
        lineRects_.push_back(lb);
        if (!obj_) return;
        FillRect(*obj_, SurfaceClip(*obj_), lb.left, lb.top, lb.right, lb.bottom, kKeyPixel);
        if (!buf_) return;
        const int sampleW = std::min(piece.pen, buf_->width), sampleH = std::min(composeHeight, buf_->height);
        for (int j = 0; j < lineH; ++j) {
            const int dy = lineY + j;
            if (dy < 0 || dy >= obj_->height) continue;
            for (int i = 0; i < lineW; ++i) {
                const int dx = lineX + i;
                if (dx < 0 || dx >= obj_->width) continue;
                uint32_t p = 0;
                if (Smoothed(i, j, sampleW, sampleH, dx, dy, p)) obj_->Row(dy)[dx] = p;
            }
        }
    }

    // The object pixel (dx, dy) from the font-buffer pixels drawn among the 3 x 3 around (2i, 2j)
    // within the sample size: their sum, plus 255, plus the back-buffer pixel once for each of
    // the eight they fall short of, divided by eight and capped at 255; so a thin stroke blends
    // into what lies behind. False when none is drawn (the pixel stays transparent).
    bool Smoothed(int i, int j, int sampleW, int sampleH, int dx, int dy, uint32_t& out) const {
        int sr = 0, sg = 0, sb = 0, count = 0;
        for (int oy = -1; oy <= 1; ++oy) {
            const int sy = 2 * j + oy;
            if (sy < 0 || sy >= sampleH) continue;
            const uint32_t* srow = buf_->Row(sy);
            for (int ox = -1; ox <= 1; ++ox) {
                const int sx = 2 * i + ox;
                if (sx < 0 || sx >= sampleW) continue;
                const uint32_t p = srow[sx];
                if (IsKey(p)) continue;
                sr += Channel(p, 16);
                sg += Channel(p, 8);
                sb += Channel(p, 0);
                ++count;
            }
        }
        if (count == 0) return false;
        sr += 255, sg += 255, sb += 255;
        if (count < 8) {
            uint32_t bp = 0;
            if (back_ && dx < back_->width && dy < back_->height) bp = back_->Row(dy)[dx];
            const int k = 8 - count;
            sr += k * static_cast<int>((bp >> 16) & 0xFF);
            sg += k * static_cast<int>((bp >> 8) & 0xFF);
            sb += k * static_cast<int>(bp & 0xFF);
        }
        const uint32_t r = std::min(sr / 8, 255), g = std::min(sg / 8, 255), b = std::min(sb / 8, 255);
        out = 0xFF000000u | (r << 16) | (g << 8) | b;
        return true;
    }

    void AddToBounds(const elDraw::TextBox& lb) {
        if (!any_) {
            bounds_ = lb;
            any_ = true;
            return;
        }
        bounds_.left = std::min(bounds_.left, lb.left);
        bounds_.top = std::min(bounds_.top, lb.top);
        bounds_.right = std::max(bounds_.right, lb.right);
        bounds_.bottom = std::max(bounds_.bottom, lb.bottom);
    }

    // The union also covers places no line reached (beside a short line): make them transparent.
    void ClearBesideLines() {
        if (!obj_ || !any_) return;
        const Clip u =
            Intersect(SurfaceClip(*obj_), {bounds_.left, bounds_.top, bounds_.right, bounds_.bottom});
        std::vector<std::pair<int, int>> spans;
        for (int dy = u.top; dy < u.bottom; ++dy) {
            spans.clear();
            for (const auto& r : lineRects_)
                if (dy >= r.top && dy < r.bottom) spans.emplace_back(r.left, r.right);
            std::sort(spans.begin(), spans.end());
            uint32_t* row = obj_->Row(dy);
            int x0 = u.left;
            for (const auto& [l, r] : spans) {
                if (l > x0) std::fill(row + x0, row + std::min(l, u.right), kKeyPixel);
                x0 = std::max(x0, std::min(r, u.right));
            }
            if (x0 < u.right) std::fill(row + x0, row + u.right, kKeyPixel);
        }
    }

    plat::Surface* obj_;
    plat::Surface* buf_;
    const plat::Surface* back_;
    elFont::Font& font_;
    const StringStyle style_;
    const std::u32string chars_;
    std::vector<elDraw::TextBox>& boxes_;
    const int bufferWidth_;
    const Clip bufClip_;
    size_t pos_ = 0;                          // the next character to draw
    std::vector<elDraw::TextBox> lineRects_;  // what the lines composed into the font object
    elDraw::TextBox bounds_{};
    bool any_ = false;
};

}  // namespace

elDraw::TextBox RenderString(const StringSurfaces& target, const std::string& face, int size, int x, int y,
                             int right, int bottom, const std::string& text, int flags, uint32_t textColor,
                             uint32_t backColor, std::vector<elDraw::TextBox>& boxes) {
    boxes.clear();
    auto font = elFont::Font::Open({face, 2 * size, 400, false, false});
    if (!font) return {};
    StringRenderer renderer(target, *font, MakeStringStyle(size, flags, textColor, backColor),
                            elFont::DecodeUtf8(text), boxes);
    renderer.Render(x, y, right, bottom);
    return renderer.Bounds();
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
    double alpha = 1.0;  // the strength of TextOut and DrawTextRect

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
    const int strength = static_cast<int>(t.alpha * 255.0 + 0.5);
    if (strength <= 0) return 0;
    int width = 0;
    for (size_t i = begin; i < end; ++i) width += font.Advance(chars[i]);
    if (!t.transparent) {
        elText::FillRect(s, clip, x, y, x + width, y + font.Height(), plat::ColorRefToPixel(t.backColor),
                         strength);
    }
    int pen = x;
    for (size_t i = begin; i < end; ++i) {
        const elFont::Glyph& g = font.GetGlyph(chars[i], false);
        elText::PutGlyph(s, clip, pen, y, g, fore, false, strength);
        pen += g.advance;
    }
    if (font.Desc().underline && width > 0) {
        const int top = y + font.UnderlineTop();
        elText::FillRect(s, clip, x, top, x + width, top + font.UnderlineThickness(), fore, strength);
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

void SetTextAlpha(double alpha) { T().alpha = std::clamp(alpha, 0.0, 1.0); }

double GetTextAlpha() { return T().alpha; }

void TextOut(int x, int y, const std::string& text) {
    auto font = CurrentFont();
    plat::Surface& s = BackBuffer();
    if (!font || s.Empty()) return;
    const std::u32string chars = elFont::DecodeUtf8(text);
    DrawLine(s, elText::SurfaceClip(s), *font, x, y, chars, 0, chars.size());
}

int DrawTextRect(int left, int top, int right, int bottom, const std::string& text, int align) {
    return DrawTextRectOn(BackBuffer(), left, top, right, bottom, text, align);
}

int DrawTextRectOn(plat::Surface& s, int left, int top, int right, int bottom, const std::string& text,
                   int align) {
    auto font = CurrentFont();
    if (!font) return 0;
    const std::u32string chars = elFont::DecodeUtf8(text);
    const auto lines =
        elText::BreakRectLines(chars, right - left, [&](char32_t c) { return font->Advance(c); });
    const int lineHeight = font->Height();
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
