// Every name and description of the generator's tables fits the box the game shows it in, wrapped
// by the game's own line breaking in the game's own font: the pallets' name ribbons and
// description boxes (map chips and stage objects) and the shop's item details. A text that
// needs one line more than its box holds, a word wider than the box, or a line that starts with
// a word's last character and its full stop, fails with its lines.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/el/elFont.h"
#include "engine/el/elText.h"
#include "tools/gen/DataFiles.h"

namespace {

// A text box of the game: its size and font (the labels' face, "ＭＳ Ｐゴシック").
struct Box {
    const char* what;
    int width, height, size;
    bool bold;
};

// The pallet window's name ribbon label and description label (controls/Pallet.cpp), and the
// shop's name, category and description labels (online/ShopSceneRootForm.cpp).
constexpr Box kPalletName{"pallet name", 144, 16, 14, true};
constexpr Box kPalletDescription{"pallet description", 160, 60, 14, false};
constexpr Box kShopName{"shop name", 320, 18, 16, false};
constexpr Box kShopCategory{"shop category", 136, 18, 14, false};
constexpr Box kShopDescription{"shop description", 152, 96, 14, false};

// The rows of a table of the generator, split at commas.
std::vector<std::vector<std::string>> Rows(const std::string& table) {
    const gen::TableFile file = gen::ReadTableFile(std::string(QUOR_GEN_SOURCE_DIR) + "/tables/" + table);
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(file.text);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::istringstream row(line);
        std::string field;
        while (std::getline(row, field, ',')) fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

// A wrapped line that starts with closing punctuation, or holds only one character and the
// punctuation after it: the end of a word torn off the line before ("撃ってく" / "る。"), which
// reads badly; such a text wants other words.
bool BadBreak(const std::u32string& chars, const elText::RectLine& line) {
    if (line.begin == 0 || line.begin == line.end || chars[line.begin - 1] == U'\n') return false;
    if (elText::MayNotStartWrappedLine(chars[line.begin])) return true;
    for (size_t i = line.begin + 1; i < line.end; ++i)
        if (!elText::MayNotStartWrappedLine(chars[i])) return false;
    return line.end - line.begin >= 2;
}

class TextFit : public ::testing::Test {
  protected:
    void SetUp() override { elFont::BuildFontList(); }
    void TearDown() override { elFont::ClearFontList(); }

    // Empty when the text fits the box; otherwise its lines as the box would show them.
    std::string Overflow(const std::string& text, const Box& box) {
        auto font = elFont::Font::Open({"ＭＳ Ｐゴシック", box.size, box.bold ? 700 : 400, false, false});
        if (!font) return "no font";
        const std::u32string chars = elFont::DecodeUtf8(text);
        const auto lines =
            elText::BreakRectLines(chars, box.width, [&](char32_t c) { return font->Advance(c); });
        bool fits = static_cast<int>(lines.size()) * font->Height() <= box.height;
        std::string shown;
        for (const auto& l : lines) {
            fits = fits && l.width <= box.width && !BadBreak(chars, l);
            std::string part;
            for (size_t i = l.begin; i < l.end; ++i) part += elFont::EncodeUtf8(chars[i]);
            shown += " [" + part + "]";
        }
        return fits ? std::string() : std::string(box.what) + ":" + shown;
    }

    void ExpectFits(const std::string& table, size_t field, const Box& box) {
        int checked = 0;
        for (const auto& row : Rows(table)) {
            if (row.size() <= field || row[field].empty()) continue;
            ++checked;
            const std::string overflow = Overflow(row[field], box);
            EXPECT_EQ(overflow, "") << table << " " << row[0];
        }
        EXPECT_GT(checked, 0) << table;
    }
};

TEST_F(TextFit, TheCheckSeesAnOverflow) {
    // Five lines in a box of four, and a word wider than its box.
    EXPECT_NE(
        Overflow("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
                 "あいうえおかきくけこさしすせそ",
                 kPalletDescription),
        "");
    EXPECT_NE(Overflow("Supercalifragilisticexpialidocious", kPalletName), "");
    EXPECT_EQ(Overflow("床を歩き回る。", kPalletDescription), "");
    // A word torn off before its full stop.
    EXPECT_NE(Overflow("当たると凍るビームを撃ってくる。", kPalletDescription), "");
}

TEST_F(TextFit, PalletTextsFitTheirBoxes) {
    for (const char* table : {"stage_objects.csv", "mapchip_info.csv"}) {
        ExpectFits(table, 1, kPalletName);
        ExpectFits(table, 2, kPalletDescription);
    }
}

TEST_F(TextFit, ShopTextsFitTheirBoxes) {
    ExpectFits("shop_info.csv", 1, kShopName);
    ExpectFits("shop_info.csv", 2, kShopCategory);
    ExpectFits("shop_info.csv", 4, kShopDescription);
}

}  // namespace
