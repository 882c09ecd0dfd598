#include <gtest/gtest.h>

#include "engine/el/elFont.h"
#include "engine/el/elText.h"
#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

TEST(TextRules, ColoursAndLineStartCharacters) {
    EXPECT_EQ(elText::VisibleColor(0x000000), 0x101010u);
    EXPECT_EQ(elText::VisibleColor(0x0F0F0F), 0x101010u);
    EXPECT_EQ(elText::VisibleColor(0x100000), 0x100000u);
    EXPECT_EQ(elText::VisibleColor(0xFF00FFFF), 0x00FFFFu);
    for (char32_t c : std::u32string(U"、。，．・…‥”’（」,.\u3000 ")) EXPECT_TRUE(elText::MayNotStartLine(c));
    for (char32_t c : std::u32string(U"）「あA!？")) EXPECT_FALSE(elText::MayNotStartLine(c));
}

// Half-width characters 10 wide, double-byte ones 20.
int Advance(char32_t c) { return elFont::IsDoubleByte(c) ? 20 : 10; }

std::vector<std::u32string> Lines(const std::u32string& text, int width) {
    std::vector<std::u32string> out;
    for (const auto& l : elText::BreakRectLines(text, width, Advance)) {
        out.push_back(text.substr(l.begin, l.end - l.begin));
        int w = 0;
        for (char32_t c : out.back()) w += Advance(c);
        EXPECT_EQ(l.width, w);
    }
    return out;
}

using L = std::vector<std::u32string>;

TEST(TextRules, RectangleWrapping) {
    EXPECT_TRUE(elFont::IsDoubleByte(U'あ'));
    EXPECT_TRUE(elFont::IsDoubleByte(U'\u3000'));
    EXPECT_FALSE(elFont::IsDoubleByte(U'ｱ'));  // half-width katakana is one byte
    EXPECT_EQ(Lines(U"hello world", 60), (L{U"hello", U"world"}));
    EXPECT_EQ(Lines(U"hello world", 110), (L{U"hello world"}));
    EXPECT_EQ(Lines(U"あいうえお", 50), (L{U"あい", U"うえ", U"お"}));
    EXPECT_EQ(Lines(U"abあい", 40), (L{U"abあ", U"い"}));
    EXPECT_EQ(Lines(U"ab\ncd\r\nef\rg", 100), (L{U"ab", U"cd", U"ef", U"g"}));
    EXPECT_EQ(Lines(U"a\n\nb", 100), (L{U"a", U"", U"b"}));
    // A word wider than the line stays whole; spaces at the break vanish.
    EXPECT_EQ(Lines(U"abcdefghij   kl", 30), (L{U"abcdefghij", U"kl"}));
    EXPECT_EQ(Lines(U"", 30), (L{U""}));
}

TEST(TextRules, WrappedLinesKeepTheJapaneseLineBreakingRules) {
    // Closing punctuation, brackets, the long-vowel mark and small kana go down with the
    // character before them; an opening bracket goes down with the one after it.
    EXPECT_EQ(Lines(U"撃ってくる。", 100), (L{U"撃ってく", U"る。"}));
    EXPECT_EQ(Lines(U"あいうえ」、か", 100), (L{U"あいう", U"え」、か"}));
    EXPECT_EQ(Lines(U"あいうえーお", 80), (L{U"あいう", U"えーお"}));
    EXPECT_EQ(Lines(U"あいうきゃく", 80), (L{U"あいう", U"きゃく"}));
    EXPECT_EQ(Lines(U"あいう「えお」", 80), (L{U"あいう", U"「えお」"}));
    EXPECT_EQ(Lines(U"あいうえ（お）", 100), (L{U"あいうえ", U"（お）"}));
    // Half-width and ASCII counterparts, after a double-byte character.
    EXPECT_EQ(Lines(U"あいうえ!", 80), (L{U"あいう", U"え!"}));
    EXPECT_EQ(Lines(U"あいう(ab)", 80), (L{U"あいう", U"(ab)"}));
    EXPECT_EQ(Lines(U"あいうｧ", 60), (L{U"あい", U"うｧ"}));
    // ASCII words stay whole, with their punctuation.
    EXPECT_EQ(Lines(U"say hello, world.", 90), (L{U"say", U"hello,", U"world."}));
    // A line that has no place to break overflows rather than loses a character.
    EXPECT_EQ(Lines(U"。。。。", 40), (L{U"。。。。"}));
    EXPECT_EQ(Lines(U"キャッチ", 40), (L{U"キャッ", U"チ"}));
    EXPECT_TRUE(elText::MayNotStartWrappedLine(U'ョ'));
    EXPECT_TRUE(elText::MayNotStartWrappedLine(U'｡'));
    EXPECT_FALSE(elText::MayNotStartWrappedLine(U'「'));
    EXPECT_TRUE(elText::MayNotEndWrappedLine(U'『'));
    EXPECT_FALSE(elText::MayNotEndWrappedLine(U'）'));
}

class TextDraw : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        elDraw::InitFonts();
    }
    void TearDown() override {
        elDraw::ReleaseStringFont();
        elDraw::ReleaseFont();
        elDraw::EndFonts();
        HeadlessTest::TearDown();
    }
    // Bounding columns and rows of the non-black pixels of the back buffer (-1 when none).
    struct Ink {
        int left = -1, top = -1, right = -1, bottom = -1;
    };
    Ink FindInk() {
        Ink ink;
        const plat::Surface& s = elDraw::BackBuffer();
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) {
                if ((s.Row(y)[x] & 0xFFFFFF) == 0) continue;
                if (ink.left < 0 || x < ink.left) ink.left = x;
                if (ink.top < 0) ink.top = y;
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = y + 1;
            }
        return ink;
    }
    // Non-black pixels in the rectangle (right and bottom excluded).
    int CountInk(int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += (elDraw::BackBuffer().Row(y)[x] & 0xFFFFFF) != 0;
        return n;
    }
    const std::vector<elDraw::TextBox>& Boxes() { return elDraw::GetStringCharBoxes(); }
};

TEST_F(TextDraw, FontListAndFontCreation) {
    const elFont::FontListEntry* e = elFont::FindFace("ＭＳ Ｐゴシック");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->kind, 1);
    EXPECT_EQ(e->charset, 128);
    EXPECT_NE(elFont::FindFace("IPAMincho"), nullptr);
    EXPECT_LE(elFont::FontList().size(), 200u);
    EXPECT_EQ(elFont::KindOfCharset(2), 3);
    EXPECT_EQ(elFont::KindOfCharset(0), 2);

    elDraw::CreateFont(0, 14, 90, 1, false, false);
    EXPECT_EQ(elDraw::GetFontFace(), "標準明朝");
    EXPECT_EQ(elDraw::GetFontEscapement(), 900);
    EXPECT_EQ(elDraw::GetFontWeight(), 700);
    elDraw::CreateFont(7, 14, 0, 2, false, false);  // other kinds keep the face
    EXPECT_EQ(elDraw::GetFontFace(), "標準明朝");
    EXPECT_EQ(elDraw::GetFontWeight(), 0);
    elDraw::ReleaseFont();
    elDraw::CreateFontByName("存在しない書体", 14, 0, 0, false, false);
    EXPECT_EQ(elDraw::GetFontCharset(), 128);
    EXPECT_EQ(elDraw::GetFontWeight(), 400);
    // The face that is not installed still draws (with the fallback face).
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    elDraw::TextOut(10, 10, "あ");
    EXPECT_GE(FindInk().left, 10);
}

TEST_F(TextDraw, RectangleTextAlignsClipsAndMeasures) {
    elDraw::CreateFontByName("ＭＳ ゴシック", 16, 0, 0, false, false);
    elDraw::SetTextColors(0xFFFFFF, 0, true);

    EXPECT_EQ(elDraw::DrawTextRect(100, 50, 300, 150, "ab", elDraw::kAlignLeft), 16);
    Ink ink = FindInk();
    EXPECT_GE(ink.left, 100);
    EXPECT_LT(ink.right, 120);
    EXPECT_GE(ink.top, 50);
    EXPECT_LE(ink.bottom, 66);

    elDraw::ClearScreen();
    elDraw::DrawTextRect(100, 50, 300, 150, "ab", elDraw::kAlignRight);
    ink = FindInk();
    EXPECT_GT(ink.left, 280);
    EXPECT_LE(ink.right, 300);

    elDraw::ClearScreen();
    elDraw::DrawTextRect(100, 50, 300, 150, "ab", elDraw::kAlignCenter);
    ink = FindInk();
    EXPECT_GT(ink.left, 190);
    EXPECT_LT(ink.right, 210);

    // Three lines of one character each; the third lies below the rectangle and is clipped.
    elDraw::ClearScreen();
    EXPECT_EQ(elDraw::DrawTextRect(100, 50, 120, 82, "あいう", elDraw::kAlignLeft), 48);
    ink = FindInk();
    EXPECT_GT(ink.bottom, 66);
    EXPECT_LE(ink.bottom, 82);

    // An opaque background fills the text cells with the back colour.
    elDraw::ClearScreen();
    elDraw::SetTextColors(0xFFFFFF, 0x0000FF, false);
    elDraw::TextOut(0, 0, "a");
    EXPECT_EQ(elDraw::BackBuffer().Row(15)[0], plat::ColorRefToPixel(0x0000FF));
    EXPECT_EQ(elDraw::BackBuffer().Row(16)[0] & 0xFFFFFF, 0u);
}

TEST_F(TextDraw, StringWrapsBeforeTheRightLimitWithTheLineStartRule) {
    elDraw::CreateStringFont("ＭＳ ゴシック", 12);
    EXPECT_EQ(elDraw::GetStringFontHeight(), 24);
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    elDraw::DrawString(100, 40, 400, 400, "あ", 0);
    ASSERT_EQ(Boxes().size(), 1u);
    const int cw = Boxes()[0].right - Boxes()[0].left;  // one full-width character on screen
    ASSERT_GT(cw, 5);
    EXPECT_EQ(Boxes()[0].bottom - Boxes()[0].top, 12);

    const int right = 100 + 4 * cw + 3;  // room for four characters
    elDraw::DrawString(100, 40, right, 400, "あいうえおか", 0);
    ASSERT_EQ(Boxes().size(), 6u);
    EXPECT_EQ(Boxes()[3].top, 40);
    EXPECT_EQ(Boxes()[4].left, 100);  // the fifth starts the next line
    EXPECT_EQ(Boxes()[4].top, 52);
    EXPECT_EQ(elDraw::GetStringBounds().right, 100 + 4 * cw);

    // "。" may not start a line: it stays at the end of the first one.
    elDraw::DrawString(100, 40, right, 400, "あいうえ。か", 0);
    ASSERT_EQ(Boxes().size(), 6u);
    EXPECT_EQ(Boxes()[4].top, 40);
    EXPECT_EQ(Boxes()[4].left, 100 + 4 * cw);
    EXPECT_EQ(Boxes()[5].left, 100);
    EXPECT_EQ(Boxes()[5].top, 52);

    // A line feed starts a new line at the origin.
    elDraw::DrawString(100, 40, 400, 400, "あい\nう", 0);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2].left, 100);
    EXPECT_EQ(Boxes()[2].top, 52);

    // A rectangle too narrow for one character still shows one per line.
    elDraw::DrawString(100, 40, 102, 400, "あい", 0);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].top, 52);
}

TEST_F(TextDraw, StringStopsAtTheBottomAndHonoursItsFlags) {
    elDraw::CreateStringFont("ＭＳ ゴシック", 12);
    elDraw::SetTextColors(0xFFFFFF, 0x808080, true);
    elDraw::DrawString(0, 100, 640, 117, "あ\nい\nう", 0);
    ASSERT_EQ(Boxes().size(), 2u);                     // the third line lies below the limit
    EXPECT_EQ(elDraw::GetStringBounds().bottom, 117);  // the second line is cut
    EXPECT_LE(FindInk().bottom, 117);

    elDraw::DrawString(0, 100, 640, 400, "あい", 0);
    const int plainW = Boxes()[0].right - Boxes()[0].left;
    const int plainH = Boxes()[0].bottom - Boxes()[0].top;
    const int step = Boxes()[1].left - Boxes()[0].left;
    elDraw::DrawString(0, 100, 640, 400, "あい", elDraw::kStringShadow);
    EXPECT_EQ(Boxes()[0].right - Boxes()[0].left, plainW + 1);
    EXPECT_EQ(Boxes()[0].bottom - Boxes()[0].top, plainH + 1);
    elDraw::DrawString(0, 100, 640, 400, "あい", 4);  // 4 double-size pixels of spacing
    EXPECT_EQ(Boxes()[1].left - Boxes()[0].left, step + 2);
}

// In cells every character stands in its own box of the font size (half for a single-byte one),
// so the text box's caret at 32 per full-width and 16 per half-width character stays on it.
TEST_F(TextDraw, StringInCellsKeepsAFixedGrid) {
    elDraw::CreateStringFont("ＭＳ ゴシック", 32);
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    elDraw::DrawString(8, 8, 640, 60, "ゆうきロボ７Ｑｖ", elDraw::kStringCells);
    ASSERT_EQ(Boxes().size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Boxes()[i].left, 8 + 32 * i) << i;
        EXPECT_EQ(Boxes()[i].right, 8 + 32 * (i + 1)) << i;
    }
    // The ink reaches into the last cell and stays in it: the text ends where the caret goes.
    Ink ink = FindInk();
    EXPECT_GT(ink.right, 8 + 7 * 32 + 16);
    EXPECT_LE(ink.right, 8 + 8 * 32);

    elDraw::ClearScreen();
    elDraw::DrawString(8, 8, 640, 60, "Ａvv", elDraw::kStringCells);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[1].left, 8 + 32);
    EXPECT_EQ(Boxes()[2].left, 8 + 48);
    EXPECT_EQ(Boxes()[2].right, 8 + 64);
    ink = FindInk();
    EXPECT_GT(ink.right, 8 + 48 + 4);
    EXPECT_LE(ink.right, 8 + 64);
}

TEST_F(TextDraw, BlackStringTextStaysVisible) {
    // On a mid-grey background black text must show as the key-safe near-black colour.
    elDraw::DrawRect(0, 0, 640, 480, 0x808080, 0x808080, 1);
    elDraw::CreateStringFont("ＭＳ ゴシック", 16);
    elDraw::SetTextColors(0x000000, 0x000000, true);
    elDraw::DrawString(20, 20, 640, 480, "■", 0);
    const elDraw::TextBox b = elDraw::GetStringBounds();
    ASSERT_GT(b.right, b.left);
    int dark = 0;
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x) {
            const uint32_t p = elDraw::BackBuffer().Row(y)[x] & 0xFFFFFF;
            EXPECT_NE(p, 0u);
            if (((p >> 16) & 0xFF) < 0x40) ++dark;
        }
    EXPECT_GT(dark, 20);
    // Outside the text nothing changed.
    EXPECT_EQ(elDraw::BackBuffer().Row(5)[5] & 0xFFFFFF, 0x808080u);
}

TEST_F(TextDraw, StringLeavesNothingStaleBesideShortLines) {
    // Whatever the font objects held before, only the characters reach the back buffer.
    plat::Surface* fontObject = elDraw::GetObjectSurface(elDraw::kFontObject);
    plat::Surface* fontBuffer = elDraw::GetObjectSurface(elDraw::kFontBufferObject);
    ASSERT_NE(fontObject, nullptr);
    ASSERT_NE(fontBuffer, nullptr);
    std::fill(fontObject->pixels.begin(), fontObject->pixels.end(), 0xFFFFFFFFu);
    std::fill(fontBuffer->pixels.begin(), fontBuffer->pixels.end(), 0xFFFFFFFFu);
    elDraw::CreateStringFont("ＭＳ ゴシック", 12);
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    elDraw::DrawString(50, 50, 640, 480, "あいうえ\nお", 0);
    const elDraw::TextBox b = elDraw::GetStringBounds();
    const elDraw::TextBox o = elDraw::GetStringCharBoxes().back();
    ASSERT_EQ(o.left, 50);
    for (int y = o.top; y < o.bottom; ++y)
        for (int x = o.right + 1; x < b.right; ++x) EXPECT_EQ(elDraw::BackBuffer().Row(y)[x] & 0xFFFFFF, 0u);
    const Ink ink = FindInk();
    EXPECT_GE(ink.left, b.left);
    EXPECT_LE(ink.bottom, b.bottom);
}

TEST_F(TextDraw, ACharacterAtTheEndOfTheFontBufferIsDrawnWhole) {
    // A line longer than the font buffer holds continues in a second piece; the character that
    // reaches the buffer's edge must not lose its right part.
    elDraw::CreateStringFont("ＭＳ ゴシック", 12);
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    const std::string block = "■";
    std::string text;
    for (int i = 0; i < 40; ++i) text += block;
    elDraw::DrawString(0, 100, 640, 400, text, 0);
    const auto& boxes = elDraw::GetStringCharBoxes();
    ASSERT_EQ(boxes.size(), 40u);
    // One line, each character right after the one before.
    for (size_t i = 1; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].top, 100) << i;
        EXPECT_EQ(boxes[i].left, boxes[i - 1].right) << i;
    }
    const int first = CountInk(boxes[0].left, boxes[0].top, boxes[0].right, boxes[0].bottom);
    ASSERT_GT(first, 20);
    for (size_t i = 1; i + 1 < boxes.size(); ++i) {
        const auto& b = boxes[i];
        EXPECT_NEAR(CountInk(b.left, b.top, b.right, b.bottom), first, first / 10.0) << "character " << i;
    }
}

TEST_F(TextDraw, ALongLineBreaksBeforeTheRightLimitAcrossBufferPieces) {
    // A right limit beyond the first piece: the character that overflows it still starts the next
    // line, as it does within one piece.
    elDraw::CreateStringFont("ＭＳ ゴシック", 12);
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "あ";
    elDraw::DrawString(0, 100, 400, 400, text, 0);
    const auto& boxes = elDraw::GetStringCharBoxes();
    ASSERT_EQ(boxes.size(), 40u);
    int onFirstLine = 0;
    for (const auto& b : boxes) {
        if (b.top != 100) break;
        EXPECT_LT(b.right, 400);
        ++onFirstLine;
    }
    const int cw = boxes[0].right - boxes[0].left;
    ASSERT_GT(cw, 0);
    EXPECT_EQ(onFirstLine, (400 - 1) / cw);
    EXPECT_EQ(boxes[static_cast<size_t>(onFirstLine)].left, 0);
    EXPECT_EQ(boxes[static_cast<size_t>(onFirstLine)].top, 112);

    // The limit falls inside the first character of the second piece: that one moves down too.
    const int perPiece = 640 / (2 * cw);
    const int right = perPiece * cw + cw / 2;
    elDraw::DrawString(0, 100, right, 400, text, 0);
    const auto& again = elDraw::GetStringCharBoxes();
    ASSERT_EQ(again.size(), 40u);
    EXPECT_EQ(again[static_cast<size_t>(perPiece) - 1].top, 100);
    EXPECT_EQ(again[static_cast<size_t>(perPiece)].left, 0);
    EXPECT_EQ(again[static_cast<size_t>(perPiece)].top, 112);
}

}  // namespace
