#pragma once
// Fonts for the text layer, on FreeType with the IPA faces. The Windows face names the game uses
// map to them: the proportional gothic to IPAPGothic, the monospace gothic to IPAGothic, the
// Mincho faces to IPAPMincho and IPAMincho; an unknown face falls back to IPAPGothic. Fontconfig
// finds their files; an IPA face that is not installed is replaced by the Japanese face of the
// same pitch and kind that fontconfig ranks best. Glyphs are rendered once and kept in a cache
// shared by every font of the same face, height and style.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts.h"

namespace elFont {

// With no Japanese face installed every label would be blank: the game stops instead, with this
// code (its message is in the error table).
inline constexpr const char* kNoFontCode = "OTE0003";

inline constexpr int kMaxFontList = 200;
inline constexpr uint8_t kShiftJisCharset = 128;
inline constexpr uint8_t kSymbolCharset = 2;

// One installed face: kind 1 Shift-JIS, 3 symbol, 2 any other character set, -1 empty.
struct FontListEntry {
    std::string face;
    int32_t kind = -1;
    uint8_t charset = 0;
};

// Kind of a face by its character set.
int32_t KindOfCharset(uint8_t charset);

// Fills the font list with the faces that can be opened here (at most 200).
void BuildFontList();
void ClearFontList();
const std::vector<FontListEntry>& FontList();
// The entry of that face, or null when it is not listed.
const FontListEntry* FindFace(const std::string& face);
// The font file a face name opens (an empty file when no Japanese face is installed).
plat::FontFace FontFileFor(const std::string& face);
// Replaces the fontconfig lookup (null restores it) and forgets what was found; for tests.
void SetFontQuery(plat::FontQuery query);

// One rendered glyph: coverage 0..255 (0 or 255 when rendered monochrome), placed relative to
// the top-left corner of its character cell.
struct Glyph {
    int left = 0;  // from the cell's left edge
    int top = 0;   // from the cell's top edge
    int width = 0;
    int height = 0;
    int advance = 0;  // pixels
    std::vector<uint8_t> coverage;
};

struct FontDesc {
    std::string face;
    int height = 16;   // cell height in pixels (ascent + descent)
    int weight = 400;  // 700 and more draw bold
    bool italic = false;
    bool underline = false;
};

class Font {
    // Only Open makes a font; the key lets it do so through make_shared.
    struct OpenKey {
        explicit OpenKey() = default;
    };

  public:
    // Null when the font file cannot be opened or the height is not positive. Throws
    // COtherException kNoFontCode when no Japanese face is installed at all.
    static std::shared_ptr<Font> Open(const FontDesc& desc);
    explicit Font(OpenKey);
    ~Font();

    const FontDesc& Desc() const { return desc_; }
    int Height() const { return desc_.height; }
    int Ascent() const { return ascent_; }
    int UnderlineTop() const { return underlineTop_; }
    int UnderlineThickness() const { return underlineThickness_; }

    // The glyph of a character (cached); never null.
    const Glyph& GetGlyph(char32_t cp, bool mono);
    // The width of one character in pixels.
    int Advance(char32_t cp) { return GetGlyph(cp, false).advance; }

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    FontDesc desc_;
    int ascent_ = 0;
    int underlineTop_ = 0;
    int underlineThickness_ = 1;
};

// UTF-8 to code points; invalid bytes become U+FFFD one byte at a time.
std::u32string DecodeUtf8(const std::string& text);
// One code point as UTF-8.
std::string EncodeUtf8(char32_t cp);
// Code points as UTF-8.
std::string EncodeUtf8(std::u32string_view text);
// True when the character takes two bytes in the game's encoding (a Shift-JIS lead byte and
// its trail byte), measured with Cp932Length.
bool IsDoubleByte(char32_t cp);

}  // namespace elFont
