// The seven pallets drawn by the engine with the game's own pictures and texts, each with the
// mouse on one entry: every picture they cut exists, nothing raises the engine's error, every
// name fits the ribbon on one line and every description the label below the preview. Each scene
// is written as a PNG into the test's folder (and into $QUOR_SHOTS when set, to be looked at).
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "controls/ControlPort.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "engine/el/elText.h"
#include "foundation/FrameTime.h"
#include "pallet_env.h"
#include "platform/png.h"
#include "stage/KeyTextTable.h"
#include "tests/common/headless_test.h"

using namespace Controls;

namespace {

namespace fs = std::filesystem;

class PalletShots : public testsupport::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        // The built pictures and tables, and a player who owns every shop item.
        if (!testsupport::LinkBuiltPictures(GameFolder())) GTEST_SKIP() << "the game folder is not built";
        ASSERT_TRUE(testsupport::CopyBuiltEditorTables(GameFolder()));
        std::string items;
        for (const std::string& item : pallettest::AllPalletGates())
            items += (items.empty() ? "" : ",") + item;
        Game().WriteEncoded("network/client_info.dat", "<clientInfo><network></network><boughtItems>" +
                                                           items + "</boughtItems></clientInfo>");
        SetFrameTime(1.0f / 60.0f);
        SetPort(&port);
    }
    void TearDown() override {
        root.SetModalForm(nullptr);
        SetPort(nullptr);
        CClientInfo::DeleteInstance();
        CSpriteManager::DeleteInstance();
        HeadlessTest::TearDown();
    }

    // Opens the pallet at (128, 32), rests the mouse on entry i and writes the frame.
    void Shot(const std::string& name, std::unique_ptr<CPalletWindowBase> pallet, int i) {
        CPalletWindowBase& p = *root.OpenModal(std::move(pallet));
        port.mouse = {};
        port.mouse.x = 128 + 16 + 36 * (i % 6) + 16;
        port.mouse.y = 32 + 48 + 36 * (i / 6) + 16;
        root.Update();
        root.Update();
        ASSERT_EQ(p.GetHoveredIndex(), i) << name;
        elDraw::ClearScreen();
        elDraw::DrawRect(0, 0, 640, 480, 0x808080, 0x808080, 1);
        root.Draw();
        ASSERT_FALSE(elSystem::GetErrorFlag()) << name;
        const std::string file = "pallet_" + name + ".png";
        ASSERT_TRUE(plat::WritePng(elDraw::BackBuffer(), (GameFolder() / file).string()));
        if (const char* out = std::getenv("QUOR_SHOTS"))
            plat::WritePng(elDraw::BackBuffer(), (fs::path(out) / file).string());
    }

    // The height the text takes wrapped into a box of the width, in the label font.
    static int TextHeight(const std::string& text, int width, int size, bool bold) {
        elDraw::CreateFontByName(kLabelFont, size, 0, bold ? 1 : 0, false, false);
        const int h = elDraw::DrawTextRect(0, 0, width, 2000, text, 0);
        elDraw::ReleaseFont();
        return h;
    }

    ScriptedMousePort port;
    COriginalBaseForm root;
};

TEST_F(PalletShots, EveryPalletOpenWithItsPictures) {
    Shot("natural", std::make_unique<CNaturalMapChipPalletWindow>(128, 32), 8);
    Shot("artificial", std::make_unique<CArtifactualMapChipPalletWindow>(128, 32), 3);
    Shot("characters", std::make_unique<CCharacterPalletWindow>(128, 32, true), 35);
    Shot("objects", std::make_unique<CObjectPalletWindow>(128, 32), 11);
    Shot("traps", std::make_unique<CTrapPalletWindow>(128, 32), 11);
    Shot("events", std::make_unique<CEventPalletWindow>(128, 32), 6);
    Shot("items", std::make_unique<CItemPalletWindow>(128, 32), 7);
}

// The ribbon shows a name in one line of 144 pixels (bold 14); the label below the preview a
// description in 160 x 60 (size 14).
TEST_F(PalletShots, EveryTextFitsItsPlace) {
    const int line = TextHeight("あ", 144, 14, true);
    ASSERT_GE(line, 12);
    std::string tooLong;
    for (int i = 0; i < 60; ++i) tooLong += "あ";
    ASSERT_GT(TextHeight(tooLong, 160, 14, false), 60);  // the measure is real
    for (const char* file : {"data\\mapchip_info.dat", "data\\stage_objects.dat"}) {
        CKeyTextTable table;
        table.Load(file, {"IFE0200", "", "IFE0201", ""});
        for (int l = 0; l < CKeyTextTable::kMaxLines; ++l) {
            const KeyTextRow* row = table.GetLine(l);
            if (!row) continue;
            EXPECT_LE(TextHeight(row->name, 144, 14, true), line) << row->key << " " << row->name;
            EXPECT_LE(TextHeight(row->description, 160, 14, false), 60)
                << row->key << " " << row->description;
        }
    }
}

}  // namespace
