#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace plat {
namespace {

// Fontconfig compares family names without regard to case or blanks; so does the lookup.
std::string FamilyKey(const std::string& name) {
    std::string key;
    for (char c : name) {
        if (c == ' ') continue;
        key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return key;
}

bool HasFamily(const FontFace& face, const std::string& family) {
    const std::string key = FamilyKey(family);
    for (const std::string& f : face.families)
        if (FamilyKey(f) == key) return true;
    return false;
}

// Characters that would end a family name in a fontconfig pattern are escaped.
std::string EscapeFamily(const std::string& family) {
    std::string out;
    for (char c : family) {
        if (c == '\\' || c == '-' || c == ':' || c == ',') out += '\\';
        out += c;
    }
    return out;
}

FontFace FaceOf(FcPattern* font) {
    FontFace face;
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file) return face;
    face.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(font, FC_INDEX, 0, &face.index);
    FcChar8* family = nullptr;
    for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &family) == FcResultMatch; ++n)
        face.families.emplace_back(reinterpret_cast<const char*>(family));
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
    face.fixedPitch = spacing >= FC_DUAL;
    return face;
}

bool CoversJapanese(FcPattern* font) {
    FcBool outline = FcFalse;
    if (FcPatternGetBool(font, FC_OUTLINE, 0, &outline) != FcResultMatch || !outline) return false;
    FcLangSet* langs = nullptr;
    if (FcPatternGetLangSet(font, FC_LANG, 0, &langs) != FcResultMatch || !langs) return false;
    return FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual;
}

std::mutex g_fontconfigMutex;

}  // namespace

std::vector<FontFace> QueryJapaneseFaces(const std::string& pattern) {
    std::lock_guard lock(g_fontconfigMutex);
    std::vector<FontFace> faces;
    if (!FcInit()) return faces;
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    if (!pat) return faces;
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    if (FcFontSet* set = FcFontSort(nullptr, pat, FcFalse, nullptr, &result)) {
        for (int i = 0; i < set->nfont; ++i) {
            if (!CoversJapanese(set->fonts[i])) continue;
            FontFace face = FaceOf(set->fonts[i]);
            if (!face.file.empty()) faces.push_back(std::move(face));
        }
        FcFontSetDestroy(set);
    }
    FcPatternDestroy(pat);
    return faces;
}

std::string FamilyPattern(const std::string& family) { return EscapeFamily(family) + ":lang=ja"; }

std::string StylePattern(const FontStyle& style) {
    return std::string(style.mincho ? "serif" : "sans-serif") +
           (style.proportional ? ":lang=ja:spacing=proportional" : ":lang=ja:spacing=dual");
}

FontFace FindJapaneseFace(const std::string& family, const FontStyle& style, const FontQuery& query) {
    if (!family.empty()) {
        for (FontFace& face : query(FamilyPattern(family)))
            if (HasFamily(face, family)) return std::move(face);
    }
    // Fontconfig ranks the family (sans-serif or serif) above the pitch, but a label laid out
    // for proportional type reads wrong in fixed type and the other way round: the first face
    // of the right pitch wins, any Japanese face after that.
    std::vector<FontFace> faces = query(StylePattern(style));
    for (FontFace& face : faces)
        if (face.fixedPitch != style.proportional) return std::move(face);
    return faces.empty() ? FontFace{} : std::move(faces.front());
}

}  // namespace plat
