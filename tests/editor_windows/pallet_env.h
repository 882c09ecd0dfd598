#pragma once
// The fixture of the pallet tests: the widget tests' recording port and scripted mouse, a game
// folder of the test's own with both text tables and the player's client info, and the shop
// gates of every pallet, to buy all, none or some of them.
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "controls/Forms.h"
#include "editor_windows/ArtifactualMapChipPalletWindow.h"
#include "editor_windows/CharacterPalletWindow.h"
#include "editor_windows/EventPalletWindow.h"
#include "editor_windows/ItemPalletWindow.h"
#include "editor_windows/NaturalMapChipPalletWindow.h"
#include "editor_windows/ObjectPalletWindow.h"
#include "editor_windows/PalletEntry.h"
#include "editor_windows/TrapPalletWindow.h"
#include "foundation/ClientInfo.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/control_test.h"

namespace pallettest {

// The tables of all seven pallets.
inline std::vector<std::span<const Controls::PalletEntry>> AllPalletTables() {
    using namespace Controls;
    return {CNaturalMapChipPalletWindow::Entries(),
            CArtifactualMapChipPalletWindow::Entries(),
            CCharacterPalletWindow::Entries(),
            CObjectPalletWindow::Entries(),
            CTrapPalletWindow::Entries(),
            CEventPalletWindow::Entries(),
            CItemPalletWindow::Entries()};
}

// Every shop item some pallet asks about.
inline std::set<std::string> AllPalletGates() {
    std::set<std::string> gates;
    for (auto table : AllPalletTables())
        for (const Controls::PalletEntry& e : table)
            if (e.gate) gates.insert(e.gate);
    return gates;
}

class PalletTest : public controltest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        game.WriteEncoded("data/mapchip_info.dat", "Ground001,草原の地面,草の生えた地面。\n");
        game.WriteEncoded("data/stage_objects.dat",
                          ",,\nKid001,キッド,歩く子ども。\nHose,ホース,水をまく。\n");
        Buy({});
    }
    void TearDown() override { CClientInfo::DeleteInstance(); }

    // The player owns exactly these shop items.
    void Buy(const std::set<std::string>& items) {
        std::string list;
        for (const std::string& item : items) list += (list.empty() ? "" : ",") + item;
        game.WriteEncoded("network/client_info.dat",
                          "<clientInfo><network><createrId></createrId></network><boughtItems>" + list +
                              "</boughtItems></clientInfo>");
        CClientInfo::DeleteInstance();
    }
    void BuyAll() { Buy(AllPalletGates()); }

    template <class P>
    P& Open(std::unique_ptr<P> pallet) {
        return *root.OpenModal(std::move(pallet));
    }
    // Entry i's centre on the screen for a pallet at (x, y).
    static int EntryX(const Controls::CPalletWindowBase& p, int i) {
        return p.GetX() + 16 + 36 * (i % 6) + 16;
    }
    static int EntryY(const Controls::CPalletWindowBase& p, int i) {
        return p.GetY() + 48 + 36 * (i / 6) + 16;
    }

    static std::vector<std::string> Keys(const Controls::CPalletWindowBase& p) {
        std::vector<std::string> keys;
        for (int i = 0; i < p.GetItemCount(); ++i) keys.push_back(p.GetItemKeyAt(i));
        return keys;
    }

    testsupport::TempGameFolder game{"quor-pallets"};
    Controls::COriginalBaseForm root;
};

}  // namespace pallettest
