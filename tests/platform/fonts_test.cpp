#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fonts.h"

namespace {

bool Has(const plat::FontFace& face, const std::string& family) {
    return std::find(face.families.begin(), face.families.end(), family) != face.families.end();
}

// A machine without the IPA faces but with one Japanese face of every kind. Like fontconfig,
// a request for sans-serif or serif ranks that kind first and every other face after it.
struct FakeMachine {
    struct Installed {
        plat::FontFace face;
        bool mincho;
    };
    std::vector<Installed> fonts = {
        {{"/f/serif.ttc", 2, {"Serif JP"}, false}, true},
        {{"/f/sans-mono.ttc", 1, {"Sans Mono JP"}, true}, false},
        {{"/f/serif-mono.ttf", 0, {"Serif Mono JP"}, true}, true},
        {{"/f/sans.ttc", 0, {"Sans JP"}, false}, false},
    };
    std::vector<std::string> patterns;

    std::vector<plat::FontFace> operator()(const std::string& pattern) {
        patterns.push_back(pattern);
        const bool serif = pattern.rfind("serif:", 0) == 0;
        std::vector<plat::FontFace> out;
        for (int pass = 0; pass < 2; ++pass)
            for (const Installed& f : fonts)
                if ((f.mincho == serif) == (pass == 0)) out.push_back(f.face);
        return out;
    }
};

TEST(FontLookup, MissingFamilyFallsBackToTheFaceOfTheSamePitchAndKind) {
    struct Case {
        plat::FontStyle style;
        const char* expected;
    };
    const Case cases[] = {
        {{true, false}, "Sans JP"},
        {{false, false}, "Sans Mono JP"},
        {{true, true}, "Serif JP"},
        {{false, true}, "Serif Mono JP"},
    };
    for (const Case& c : cases) {
        FakeMachine machine;
        const plat::FontFace face = plat::FindJapaneseFace("IPAPGothic", c.style, std::ref(machine));
        EXPECT_TRUE(Has(face, c.expected)) << c.expected << " got " << face.file;
        ASSERT_EQ(machine.patterns.size(), 2u);
        EXPECT_EQ(machine.patterns[0], plat::FamilyPattern("IPAPGothic"));
    }
    // The collection index travels with the file.
    FakeMachine machine;
    EXPECT_EQ(plat::FindJapaneseFace("X", {true, true}, std::ref(machine)).index, 2);
}

TEST(FontLookup, PitchWinsOverKindAndAnyFaceOverNone) {
    FakeMachine machine;
    machine.fonts.erase(machine.fonts.begin() + 3);  // no proportional gothic
    EXPECT_TRUE(Has(plat::FindJapaneseFace("IPAPGothic", {true, false}, std::ref(machine)), "Serif JP"));

    machine.fonts.resize(1);  // a proportional mincho alone
    EXPECT_TRUE(Has(plat::FindJapaneseFace("IPAGothic", {false, false}, std::ref(machine)), "Serif JP"));

    machine.fonts.clear();
    EXPECT_TRUE(plat::FindJapaneseFace("IPAGothic", {false, false}, std::ref(machine)).file.empty());
}

TEST(FontLookup, AnInstalledFamilyIsTakenWhereverFontconfigRanksIt) {
    FakeMachine machine;
    machine.fonts.push_back({{"/f/ipagp.ttf", 0, {"IPAPGothic", "IPA Pゴシック"}, false}, false});
    EXPECT_EQ(plat::FindJapaneseFace("IPAPGothic", {true, false}, std::ref(machine)).file, "/f/ipagp.ttf");
    EXPECT_EQ(machine.patterns.size(), 1u);
    // Fontconfig's family names ignore case and blanks.
    EXPECT_EQ(plat::FindJapaneseFace("ipa pgothic", {true, false}, std::ref(machine)).file, "/f/ipagp.ttf");
}

// The IPA faces are installed with the game's packages.
TEST(FontLookup, FontconfigFindsTheIpaFacesHere) {
    for (const char* family : {"IPAGothic", "IPAPGothic", "IPAMincho", "IPAPMincho"}) {
        const plat::FontFace face = plat::FindJapaneseFace(family, {}, plat::QueryJapaneseFaces);
        EXPECT_TRUE(Has(face, family)) << family << " got " << face.file;
        const bool fixed = family[3] != 'P';
        EXPECT_EQ(face.fixedPitch, fixed) << family;
    }
    // A family that is nowhere still gets a Japanese face of its pitch.
    const plat::FontFace fixed = plat::FindJapaneseFace("No Such Family", {false, false});
    EXPECT_FALSE(fixed.file.empty());
    EXPECT_TRUE(fixed.fixedPitch);
    const plat::FontFace proportional = plat::FindJapaneseFace("No Such Family", {true, true});
    EXPECT_FALSE(proportional.file.empty());
    EXPECT_FALSE(proportional.fixedPitch);
}

}  // namespace
