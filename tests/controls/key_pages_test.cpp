// The keyboard's key pages: the layout with its gaps, the keys' sizes in Shift_JIS bytes, the
// picture painted once and blitted after, and a pressed key handing over its label unconverted.
#include <memory>
#include <string>
#include <vector>

#include "controls/KeyPages.h"
#include "tests/controls/control_test.h"

using namespace Controls;

namespace {

class Heard : public IStringInputedEventHandler {
  public:
    void OnStringInputed(const std::string& text, bool romaji) override {
        texts.push_back(text + (romaji ? "+r" : ""));
    }
    std::vector<std::string> texts;
};

class KeyPages : public controltest::ControlTest {};

TEST_F(KeyPages, KanaPagesReadRightToLeftWithGaps) {
    CKeyBoardMouseAreaHiragana hiragana(0, 0);
    CKeyBoardMouseAreaKatakana katakana(0, 0);
    // 90 grid places less 8 gaps, 18 marks and 3 commands; katakana fills one gap with ヴ.
    EXPECT_EQ(hiragana.GetKeyCount(), 103);
    EXPECT_EQ(katakana.GetKeyCount(), 104);
    auto at = [](CKeyBoardMouseAreaBase& page, const std::string& label) {
        auto* key = page.FindKey(label);
        return key ? std::vector<int>{key->GetX(), key->GetY(), key->GetWidth(), key->GetHeight()}
                   : std::vector<int>{};
    };
    EXPECT_EQ(at(hiragana, "あ"), (std::vector<int>{379, 28, 16, 16}));
    EXPECT_EQ(at(hiragana, "ぽ"), (std::vector<int>{14, 128, 16, 16}));
    EXPECT_EQ(at(hiragana, "ー"), (std::vector<int>{379, 153, 16, 16}));
    EXPECT_EQ(at(hiragana, "。"), (std::vector<int>{14, 153, 16, 16}));
    EXPECT_EQ(at(hiragana, "を"), (std::vector<int>{185, 128, 16, 16}));
    EXPECT_EQ(at(katakana, "ヴ"), (std::vector<int>{164, 78, 16, 16}));
    EXPECT_EQ(at(katakana, "ヰ"), (std::vector<int>{164, 53, 16, 16}));
    EXPECT_TRUE(at(hiragana, "ヴ").empty());
    // The command keys are as wide as their Shift_JIS bytes.
    EXPECT_EQ(at(hiragana, "Back"), (std::vector<int>{126, 190, 32, 16}));
    EXPECT_EQ(at(hiragana, "Del"), (std::vector<int>{192, 190, 24, 16}));
    EXPECT_EQ(at(hiragana, "空白"), (std::vector<int>{256, 190, 32, 16}));
}

TEST_F(KeyPages, LetterPagesAreStaggeredLikeATypewriter) {
    CKeyBoardMouseAreaBigEigo upper(0, 0);
    CKeyBoardMouseAreaSmallEigo lower(0, 0);
    EXPECT_EQ(upper.GetKeyCount(), 39);
    EXPECT_EQ(lower.GetKeyCount(), 39);
    auto pos = [](CKeyBoardMouseAreaBase& page, const std::string& label) {
        auto* key = page.FindKey(label);
        return key ? std::vector<int>{key->GetX(), key->GetY()} : std::vector<int>{};
    };
    EXPECT_EQ(pos(upper, "０"), (std::vector<int>{345, 35}));
    EXPECT_EQ(pos(upper, "Ｐ"), (std::vector<int>{359, 70}));
    EXPECT_EQ(pos(upper, "Ｌ"), (std::vector<int>{333, 105}));
    EXPECT_EQ(pos(upper, "Ｍ"), (std::vector<int>{279, 140}));
    EXPECT_EQ(pos(lower, "ｍ"), (std::vector<int>{279, 140}));
    EXPECT_EQ(pos(lower, "１"), (std::vector<int>{35, 35}));
    EXPECT_TRUE(pos(lower, "Ｍ").empty());
}

TEST_F(KeyPages, APageIsPaintedOnceAndBlittedAfter) {
    {
        auto page = std::make_unique<CKeyBoardMouseAreaSmallEigo>(32, 144);
        EXPECT_FALSE(page->HasCachedImage());
        DrawFrame(*page);
        // Every label twice (shadow and ink) over the paper, then the picture kept.
        EXPECT_EQ(port.texts.size(), 2u * 39);
        EXPECT_EQ(port.rects.size(), 1u);
        EXPECT_EQ(port.captures, (std::vector<std::vector<int>>{{32, 144, 448, 368}}));
        EXPECT_TRUE(page->HasCachedImage());

        DrawFrame(*page);
        EXPECT_TRUE(port.texts.empty());
        EXPECT_TRUE(port.rects.empty());
        EXPECT_EQ(port.surfaces, (std::vector<std::vector<int>>{{32, 144, 100, 416, 224}}));
        EXPECT_EQ(port.captures.size(), 1u);

        // Only the key under the mouse draws again: underline, shadow and blue label.
        Hover(32 + 35 + 5, 144 + 35 + 5);
        page->Update();
        DrawFrame(*page);
        EXPECT_EQ(port.texts, (std::vector<std::string>{"１", "１"}));
        EXPECT_EQ(port.lines.size(), 2u);
        EXPECT_EQ(port.lines[1][4], int(PackColor(0, 60, 220)));
    }
    EXPECT_EQ(port.released, std::vector<int>{100});
}

TEST_F(KeyPages, AKeyPressedHandsOverItsLabelAsItIs) {
    CKeyBoardMouseAreaHiragana page(0, 0);
    Heard heard;
    page.listeners.push_back(&heard);
    Hover(379 + 8, 28 + 8);
    page.Update();
    EXPECT_EQ(port.sounds, std::vector<int>{5});  // entering a key
    Press(379 + 8, 28 + 8);
    page.Update();
    Press(126 + 30, 190 + 16);  // the edges count
    page.Update();
    Press(228 + 8, 53 + 8);  // the gap under や
    page.Update();
    EXPECT_EQ(heard.texts, (std::vector<std::string>{"あ", "Back"}));
    EXPECT_EQ(port.CountSound(3), 0);

    // A hidden page's keys do not react.
    page.SetVisible(false);
    Press(379 + 8, 28 + 8);
    page.Update();
    EXPECT_EQ(heard.texts.size(), 2u);
}

}  // namespace
