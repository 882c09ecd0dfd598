#pragma once
// Font files found through fontconfig. The text layer asks for a family by name; when that
// family is not installed it gets the Japanese face that fits the same kind of type best:
// proportional or fixed pitch first, then gothic (sans-serif) or mincho (serif) as fontconfig
// ranks them. Only faces that cover Japanese and scale (outline fonts) are ever offered.
#include <functional>
#include <string>
#include <vector>

namespace plat {

struct FontFace {
    std::string file;  // empty when no face was found
    int index = 0;     // the face inside a collection file
    std::vector<std::string> families;
    bool fixedPitch = false;  // every character one or two cells wide
};

struct FontStyle {
    bool proportional = true;
    bool mincho = false;
};

// The installed faces that cover Japanese, best match for a fontconfig pattern first.
using FontQuery = std::function<std::vector<FontFace>(const std::string& pattern)>;
std::vector<FontFace> QueryJapaneseFaces(const std::string& pattern);

// The pattern that asks for a family, and the one that asks for any face of a style.
std::string FamilyPattern(const std::string& family);
std::string StylePattern(const FontStyle& style);

// The family itself when installed, else the best Japanese face of the style; a face with an
// empty file when there is none at all.
FontFace FindJapaneseFace(const std::string& family, const FontStyle& style,
                          const FontQuery& query = QueryJapaneseFaces);

}  // namespace plat
