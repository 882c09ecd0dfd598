#pragma once
// Text and fonts of the draw layer: the list of font faces, fonts made by kind or face name for
// plain text on the back buffer (TextOut, DrawTextRect), and the interface text of DrawString,
// laid out character by character with wrapping and the line-start rule, optional shadow and
// thickening, rendered at double size into the font buffer object and reduced with smoothing
// into the font object before it is blitted onto the back buffer with the colour key.
// Text arrives as UTF-8; colours are 0x00BBGGRR.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace elDraw {

struct TextBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// DrawString flags: the low 8 bits are extra spacing in double-size pixels.
inline constexpr int kStringSpacingMask = 0xFF;
inline constexpr int kStringShadow = 0x100;
inline constexpr int kStringThickenX = 0x200;
inline constexpr int kStringThickenY = 0x400;
// Every character in a cell of its own, whatever its glyph's advance: as wide as the size for a
// double-byte character, half as wide for a single-byte one (a fixed grid that carets and clicks
// can count on).
inline constexpr int kStringCells = 0x800;

// Alignments of DrawTextRect.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCenter = 1;
inline constexpr int kAlignRight = 2;

// Builds and clears the font list (the screen's start-up and the engine's end).
void InitFonts();
void EndFonts();

// Kind 0 "標準明朝", 1 "標準ゴシック", other kinds keep the previous face. Height in pixels,
// angle in degrees (kept as the escapement; text is drawn unrotated), weight kind 0 normal,
// 1 bold, other the default weight.
void CreateFont(int kind, int height, int angle, int weightKind, bool italic, bool underline);
void CreateFontByName(const std::string& face, int height, int angle, int weightKind, bool italic,
                      bool underline);
// Back to the default font.
void ReleaseFont();
// Text and back colours of TextOut, DrawTextRect and DrawString; an opaque background fills each
// text cell with the back colour.
void SetTextColors(uint32_t textColor, uint32_t backColor, bool transparent);
// The strength of TextOut and DrawTextRect from now on, 0 (nothing shows) to 1 (the default):
// their glyphs, underlines and back colour are blended over what lies behind.
void SetTextAlpha(double alpha);
double GetTextAlpha();
// The whole text on one line with its cell's top-left corner at (x, y), on the back buffer.
void TextOut(int x, int y, const std::string& text);
// Word-wrapped text in the rectangle (Japanese breaks between any two characters), clipped to it;
// align 0 left, 1 centred, 2 right. Returns the height of the text.
int DrawTextRect(int left, int top, int right, int bottom, const std::string& text, int align);
// The same into any surface (an object's, for text rendered once and blitted afterwards).
int DrawTextRectOn(plat::Surface& target, int left, int top, int right, int bottom, const std::string& text,
                   int align);

// The font of DrawString: height 2 x size, normal weight.
void CreateStringFont(const std::string& face, int size);
void ReleaseStringFont();
// Draws the text from (x, y), wrapping before `right` and stopping at `bottom`.
void DrawString(int x, int y, int right, int bottom, const std::string& text, int flags);
// The screen box of each character the last DrawString drew, in drawing order, and their union.
const std::vector<TextBox>& GetStringCharBoxes();
TextBox GetStringBounds();

// ---- State, for tests and the engine ----
// The character set a face gets (the font list's, Shift-JIS when the face is not listed).
uint8_t GetFontCharset();
int GetFontHeight();
int GetFontEscapement();
int GetFontWeight();
std::string GetFontFace();
int GetStringFontHeight();  // 2 x size; 0 without a string font
uint32_t GetTextColor();
uint32_t GetBackColor();

}  // namespace elDraw

namespace elText {

// A colour whose red, green and blue are all below 16 becomes 0x101010, because colour 0 is the
// transparent key of the objects.
uint32_t VisibleColor(uint32_t colorRef);
// The 15 characters that may not start a line of DrawString.
bool MayNotStartLine(char32_t cp);

// Wrapped text keeps the usual Japanese line-breaking rules: no line starts with closing
// punctuation, a closing bracket, the long-vowel mark, the middle dot or a small kana (full or
// half width, and their ASCII counterparts), and none ends with an opening bracket.
bool MayNotStartWrappedLine(char32_t cp);
bool MayNotEndWrappedLine(char32_t cp);

// One line of DrawTextRect: characters [begin, end) of the text and their width.
struct RectLine {
    size_t begin = 0;
    size_t end = 0;
    int width = 0;
};
// Breaks text into lines no wider than maxWidth where possible: at line feeds (CR, LF or CR LF),
// after spaces and before or after any double-byte character, except before a character that may
// not start a wrapped line or after one that may not end it (such a character goes to the next
// line with the one before or after it). Spaces at a break are dropped; a word wider than the
// line stays whole.
std::vector<RectLine> BreakRectLines(const std::u32string& text, int maxWidth,
                                     const std::function<int(char32_t)>& advance);

// The surfaces DrawString works on; any may be null (then only the layout runs).
struct StringSurfaces {
    plat::Surface* fontObject = nullptr;
    plat::Surface* fontBuffer = nullptr;
    const plat::Surface* backBuffer = nullptr;
};
// DrawString's layout and composition into the font object with the string font of the given
// face and size; fills the character boxes and returns the union (empty when nothing was drawn).
// The caller blits the union from the font object.
elDraw::TextBox RenderString(const StringSurfaces& target, const std::string& face, int size, int x, int y,
                             int right, int bottom, const std::string& text, int flags, uint32_t textColor,
                             uint32_t backColor, std::vector<elDraw::TextBox>& boxes);

}  // namespace elText
