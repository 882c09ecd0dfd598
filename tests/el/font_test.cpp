#include <gtest/gtest.h>

#include <algorithm>

#include "engine/el/elFont.h"
#include "tests/common/caught_code.h"

namespace {

// Each test starts and ends with the real fontconfig lookup.
class FontFaces : public ::testing::Test {
  protected:
    void SetUp() override { elFont::SetFontQuery(nullptr); }
    void TearDown() override {
        elFont::SetFontQuery(nullptr);
        elFont::ClearFontList();
    }
};

bool Has(const plat::FontFace& face, const std::string& family) {
    return std::find(face.families.begin(), face.families.end(), family) != face.families.end();
}

TEST_F(FontFaces, TheGamesFaceNamesOpenTheirIpaFaces) {
    const std::pair<const char*, const char*> names[] = {
        {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"ＭＳ 明朝", "IPAMincho"},        {"見知らぬ書体", "IPAPGothic"},
    };
    for (const auto& [name, ipa] : names) {
        EXPECT_TRUE(Has(elFont::FontFileFor(name), ipa)) << name;
        auto font = elFont::Font::Open({name, 16, 400, false, false});
        ASSERT_NE(font, nullptr) << name;
        EXPECT_GT(font->GetGlyph(U'字', false).width, 0) << name;
    }
}

TEST_F(FontFaces, NoJapaneseFaceStopsWithACode) {
    int asked = 0;
    elFont::SetFontQuery([&](const std::string&) {
        ++asked;
        return std::vector<plat::FontFace>{};
    });
    elFont::BuildFontList();
    EXPECT_TRUE(elFont::FontList().empty());
    EXPECT_EQ(CaughtCode([] { elFont::Font::Open({"ＭＳ ゴシック", 16, 400, false, false}); }), "OTE0003");
    // The answer is kept: one more font asks fontconfig nothing.
    const int before = asked;
    EXPECT_EQ(CaughtCode([] { elFont::Font::Open({"標準ゴシック", 12, 400, false, false}); }), "OTE0003");
    EXPECT_EQ(asked, before);
}

TEST_F(FontFaces, AMissingIpaFaceIsStoodInForByTheSamePitch) {
    // This machine without IPAGothic: the monospace gothic becomes another fixed-pitch face.
    elFont::SetFontQuery([](const std::string& pattern) {
        std::vector<plat::FontFace> faces = plat::QueryJapaneseFaces(pattern);
        std::erase_if(faces, [](const plat::FontFace& f) { return Has(f, "IPAGothic"); });
        return faces;
    });
    const plat::FontFace face = elFont::FontFileFor("ＭＳ ゴシック");
    EXPECT_FALSE(Has(face, "IPAGothic"));
    EXPECT_TRUE(face.fixedPitch);
    EXPECT_NE(elFont::Font::Open({"ＭＳ ゴシック", 16, 400, false, false}), nullptr);
}

}  // namespace
