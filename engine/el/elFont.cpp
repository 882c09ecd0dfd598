#include "engine/el/elFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "foundation/QuorException.h"
#include "foundation/TextEncoding.h"
#include "platform/fonts.h"

namespace elFont {
namespace {

// The four IPA faces and the kind of type each is: a missing one is replaced by the installed
// Japanese face closest to it.
struct IpaFace {
    const char* name;
    plat::FontStyle style;
};
constexpr IpaFace kIpaFaces[] = {
    {"IPAGothic", {false, false}},
    {"IPAPGothic", {true, false}},
    {"IPAMincho", {false, true}},
    {"IPAPMincho", {true, true}},
};

// Windows face names the game uses, and the IPA face each stands for.
struct Alias {
    const char* name;
    const char* ipa;
};
constexpr Alias kAliases[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"ＭＳ 明朝", "IPAMincho"},        {"標準ゴシック", "IPAGothic"},  {"標準明朝", "IPAMincho"},
};
constexpr const char* kFallbackFace = "IPAPGothic";

const IpaFace& IpaFaceFor(const std::string& face) {
    for (const IpaFace& f : kIpaFaces)
        if (face == f.name) return f;
    std::string_view ipa = kFallbackFace;
    for (const Alias& a : kAliases)
        if (face == a.name) ipa = a.ipa;
    for (const IpaFace& f : kIpaFaces)
        if (ipa == f.name) return f;
    return kIpaFaces[1];
}

// What each IPA face resolved to; asking fontconfig takes milliseconds, a label is drawn every
// frame.
std::mutex g_lookupMutex;
plat::FontQuery g_query;
std::map<std::string, plat::FontFace> g_resolved;

plat::FontFace ResolveIpa(const IpaFace& ipa) {
    std::lock_guard lock(g_lookupMutex);
    auto it = g_resolved.find(ipa.name);
    if (it != g_resolved.end()) return it->second;
    plat::FontFace face =
        plat::FindJapaneseFace(ipa.name, ipa.style, g_query ? g_query : plat::QueryJapaneseFaces);
    g_resolved[ipa.name] = face;
    return face;
}

std::vector<FontListEntry> g_fontList;

// FreeType state, shared by every font. The text layer runs on the window thread; the lock
// only keeps tests that draw from several threads honest.
std::mutex g_ftMutex;
FT_Library g_library = nullptr;
std::map<std::pair<std::string, int>, FT_Face> g_faces;

FT_Face FaceFor(const plat::FontFace& file) {
    if (!g_library && FT_Init_FreeType(&g_library) != 0) {
        g_library = nullptr;
        return nullptr;
    }
    const std::pair<std::string, int> key{file.file, file.index};
    auto it = g_faces.find(key);
    if (it != g_faces.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(g_library, file.file.c_str(), file.index, &face) != 0) face = nullptr;
    if (face) FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    g_faces[key] = face;
    return face;
}

struct GlyphKey {
    const void* face;
    int height;
    bool bold;
    bool italic;
    bool mono;
    char32_t cp;
    bool operator==(const GlyphKey&) const = default;
};
struct GlyphKeyHash {
    size_t operator()(const GlyphKey& k) const {
        size_t h = std::hash<const void*>()(k.face);
        h = h * 31 + static_cast<size_t>(k.height);
        h = h * 31 + (k.bold ? 1 : 0) + (k.italic ? 2 : 0) + (k.mono ? 4 : 0);
        h = h * 1000003 + k.cp;
        return h;
    }
};
constexpr size_t kGlyphCacheLimit = 16384;
std::unordered_map<GlyphKey, Glyph, GlyphKeyHash> g_glyphs;

std::mutex g_dbcsMutex;
std::unordered_map<char32_t, bool> g_dbcs;

}  // namespace

int32_t KindOfCharset(uint8_t charset) {
    if (charset == kShiftJisCharset) return 1;
    if (charset == kSymbolCharset) return 3;
    return 2;
}

void BuildFontList() {
    g_fontList.clear();
    auto add = [](const std::string& face) {
        if (g_fontList.size() >= static_cast<size_t>(kMaxFontList)) return;
        g_fontList.push_back({face, KindOfCharset(kShiftJisCharset), kShiftJisCharset});
    };
    for (const IpaFace& f : kIpaFaces)
        if (!ResolveIpa(f).file.empty()) add(f.name);
    for (const Alias& a : kAliases)
        if (!ResolveIpa(IpaFaceFor(a.name)).file.empty()) add(a.name);
}

void ClearFontList() { g_fontList.clear(); }

const std::vector<FontListEntry>& FontList() { return g_fontList; }

const FontListEntry* FindFace(const std::string& face) {
    for (const FontListEntry& e : g_fontList)
        if (e.face == face) return &e;
    return nullptr;
}

plat::FontFace FontFileFor(const std::string& face) { return ResolveIpa(IpaFaceFor(face)); }

void SetFontQuery(plat::FontQuery query) {
    std::lock_guard lock(g_lookupMutex);
    g_query = std::move(query);
    g_resolved.clear();
}

struct Font::Impl {
    FT_Face face = nullptr;
    FT_Size size = nullptr;
};

Font::Font(OpenKey) {}

Font::~Font() {
    if (impl_ && impl_->size) {
        std::lock_guard lock(g_ftMutex);
        FT_Done_Size(impl_->size);
    }
}

std::shared_ptr<Font> Font::Open(const FontDesc& desc) {
    if (desc.height <= 0) return nullptr;
    const plat::FontFace file = FontFileFor(desc.face);
    if (file.file.empty()) ThrowQuorError(kNoFontCode);
    std::lock_guard lock(g_ftMutex);
    FT_Face face = FaceFor(file);
    if (!face) return nullptr;
    auto font = std::make_shared<Font>(OpenKey{});
    font->impl_ = std::make_unique<Impl>();
    font->impl_->face = face;
    font->desc_ = desc;
    if (FT_New_Size(face, &font->impl_->size) != 0) return nullptr;
    FT_Activate_Size(font->impl_->size);

    // The cell height is the Windows ascent plus descent, as a GDI font of that height has.
    double ascender = face->ascender, descender = -face->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            ascender = os2->usWinAscent;
            descender = os2->usWinDescent;
        }
    }
    if (ascender + descender <= 0) ascender = face->units_per_EM, descender = 0;
    const double scale = desc.height / (ascender + descender);
    const FT_F26Dot6 charSize = static_cast<FT_F26Dot6>(std::lround(face->units_per_EM * scale * 64.0));
    if (FT_Set_Char_Size(face, 0, std::max<FT_F26Dot6>(charSize, 64), 72, 72) != 0) return nullptr;
    font->ascent_ = static_cast<int>(std::lround(ascender * scale));
    const double ulPos = face->underline_position, ulThick = face->underline_thickness;
    font->underlineTop_ = font->ascent_ - static_cast<int>(std::lround(ulPos * scale));
    font->underlineThickness_ = std::max(1, static_cast<int>(std::lround(ulThick * scale)));
    return font;
}

const Glyph& Font::GetGlyph(char32_t cp, bool mono) {
    std::lock_guard lock(g_ftMutex);
    const bool bold = desc_.weight >= 700;
    const GlyphKey key{impl_->face, desc_.height, bold, desc_.italic, mono, cp};
    auto it = g_glyphs.find(key);
    if (it != g_glyphs.end()) return it->second;
    if (g_glyphs.size() >= kGlyphCacheLimit) g_glyphs.clear();

    Glyph g;
    FT_Face face = impl_->face;
    // Control characters take no room and draw nothing.
    if (cp >= 0x20 && cp != 0x7F) {
        FT_Activate_Size(impl_->size);
        const FT_UInt index = FT_Get_Char_Index(face, cp);
        const FT_Int32 flags = FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        if (FT_Load_Glyph(face, index, flags) == 0) {
            FT_GlyphSlot slot = face->glyph;
            if (desc_.italic) FT_GlyphSlot_Oblique(slot);
            if (bold) FT_GlyphSlot_Embolden(slot);
            g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
            if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
                const FT_Bitmap& bm = slot->bitmap;
                g.left = slot->bitmap_left;
                g.top = ascent_ - slot->bitmap_top;
                g.width = static_cast<int>(bm.width);
                g.height = static_cast<int>(bm.rows);
                g.coverage.assign(static_cast<size_t>(g.width) * g.height, 0);
                for (int y = 0; y < g.height; ++y) {
                    const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
                    for (int x = 0; x < g.width; ++x) {
                        uint8_t v;
                        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
                            v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                        } else {
                            v = row[x];
                        }
                        g.coverage[static_cast<size_t>(y) * g.width + x] = v;
                    }
                }
            }
        }
    }
    return g_glyphs.emplace(key, std::move(g)).first->second;
}

std::string EncodeUtf8(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) out += EncodeUtf8(c);
    return out;
}

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            len = 1;
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        }
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            const unsigned char t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (t & 0x3F);
        }
        if (!ok) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += cp;
        i += static_cast<size_t>(len);
    }
    return out;
}

bool IsDoubleByte(char32_t cp) {
    if (cp < 0x80) return false;
    std::lock_guard lock(g_dbcsMutex);
    auto it = g_dbcs.find(cp);
    if (it != g_dbcs.end()) return it->second;
    const bool two = Cp932Length(EncodeUtf8(cp)) == 2;
    g_dbcs.emplace(cp, two);
    return two;
}

}  // namespace elFont
