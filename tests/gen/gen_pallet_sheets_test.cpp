// The pictures of the editor's pallets are cut cleanly: drawn line by line, every line of a pallet
// sheet stays inside one of the sheet's pieces (a 32 x 32 cell, a preview the pallets show, a
// background preview), so a piece cut out never carries pixels of its neighbours, and every
// piece a pallet shows has something drawn in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "editor_windows/ArtifactualMapChipPalletWindow.h"
#include "editor_windows/CharacterPalletWindow.h"
#include "editor_windows/EventPalletWindow.h"
#include "editor_windows/ItemPalletWindow.h"
#include "editor_windows/NaturalMapChipPalletWindow.h"
#include "editor_windows/ObjectPalletWindow.h"
#include "editor_windows/TrapPalletWindow.h"
#include "gen_sheet.h"

using gen::Canvas;
using gen::Rect;

namespace {

// Every picture and preview rectangle the pallets cut from a sheet ("Group.Key").
std::map<std::string, std::vector<Rect>> PalletPieces() {
    using namespace Controls;
    std::map<std::string, std::vector<Rect>> pieces;
    auto add = [&](const ImageClip& c) {
        if (c.right > c.left && c.bottom > c.top)
            pieces[c.group + "." + c.key].push_back({c.left, c.top, c.right - c.left, c.bottom - c.top});
    };
    for (auto table :
         {CNaturalMapChipPalletWindow::Entries(), CArtifactualMapChipPalletWindow::Entries(),
          CCharacterPalletWindow::Entries(), CObjectPalletWindow::Entries(), CTrapPalletWindow::Entries(),
          CEventPalletWindow::Entries(), CItemPalletWindow::Entries()})
        for (const PalletEntry& e : table) add(e.picture), add(e.preview);
    return pieces;
}

// The grid of a sheet: its cells of w x h.
std::vector<Rect> Grid(int w, int h) {
    std::vector<Rect> cells;
    for (int y = 0; y < 256; y += h)
        for (int x = 0; x < 256; x += w) cells.push_back({x, y, w, h});
    return cells;
}

bool RectInside(const Rect& a, const Rect& b) {
    return a.x >= b.x && a.y >= b.y && a.Right() <= b.Right() && a.Bottom() <= b.Bottom();
}

struct Stray {
    std::string line;
    Rect drawn;
};

// Each drawing line of the sheet whose changed pixels reach beyond every one of the pieces.
// The auto-tile words draw each of their pieces inside its own cell; they are judged piece by
// piece elsewhere (GenDraw) and left out here.
std::vector<Stray> StrayLines(const std::string& key, const std::vector<Rect>& pieces) {
    std::vector<Stray> strays;
    const gen::ImageDef* def = nullptr;
    for (const gen::ImageDef& d : ManifestImages())
        if (d.key == key && !d.placeholder) def = &d;
    if (!def) {
        ADD_FAILURE() << key << " is not drawn for real";
        return strays;
    }
    Canvas before(def->width, def->height, gen::kKeyColor);
    gen::BuildImage(*def, ManifestImages(), [&](const gen::Line& op, const Canvas& after) {
        int x0 = after.Width(), y0 = after.Height(), x1 = -1, y1 = -1;
        for (int y = 0; y < after.Height(); ++y)
            for (int x = 0; x < after.Width(); ++x)
                if (after.Get(x, y) != before.Get(x, y)) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        before = after;
        if (x1 < 0 || op.word == "groundset" || op.word == "platformset") return;
        const Rect drawn{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
        if (std::none_of(pieces.begin(), pieces.end(), [&](const Rect& p) { return RectInside(drawn, p); }))
            strays.push_back({op.where + " " + op.word, drawn});
    });
    return strays;
}

TEST(PalletSheets, EveryLineStaysInsideOnePiece) {
    std::map<std::string, std::vector<Rect>> pieces = PalletPieces();
    // The icon sheets and the chip sheets are grids of 32 x 32 cells; the big ice block of the
    // chip sheet is one picture of four chips that join.
    for (const char* sheet : {"System.StageObjects001", "System.StageObjects002", "System.StageObjects003",
                              "Map.ChipSet001", "Map.ChipSet002", "Map.ChipSet003", "Map.ChipSet004"}) {
        const std::vector<Rect> cells = Grid(32, 32);
        pieces[sheet].insert(pieces[sheet].end(), cells.begin(), cells.end());
    }
    pieces["Map.ChipSet001"].push_back({192, 160, 64, 64});
    for (const char* sheet : {"Editer.BG_Preview001", "Editer.BG_Preview002", "Editer.BG_Preview003"})
        pieces[sheet] = Grid(128, 64);
    for (const auto& [sheet, rects] : pieces) {
        if (sheet.rfind("System.", 0) != 0 && sheet.rfind("Map.", 0) != 0 && sheet.rfind("Editer.", 0) != 0)
            continue;  // the play scene's own sheets are cut by their own tests
        for (const Stray& s : StrayLines(sheet, rects))
            ADD_FAILURE() << sheet << ": " << s.line << " draws " << s.drawn.x << "," << s.drawn.y << " "
                          << s.drawn.w << "x" << s.drawn.h << " across a piece's edge";
    }
}

// Every piece a pallet shows has something in it: a tenth of its pixels at least (the invisible
// warp's empty preview aside).
TEST(PalletSheets, EveryPieceIsDrawn) {
    for (const auto& [sheet, rects] : PalletPieces()) {
        const Canvas canvas = Sheet(sheet);
        for (const Rect& r : rects) {
            int drawn = 0;
            for (int y = r.y; y < r.Bottom(); ++y)
                for (int x = r.x; x < r.Right(); ++x) drawn += canvas.Get(x, y) != gen::kKeyColor;
            EXPECT_GE(drawn * 10, r.w * r.h) << sheet << " " << r.x << "," << r.y << " is nearly empty";
        }
    }
}

}  // namespace
