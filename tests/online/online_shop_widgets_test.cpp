// The shop's own widgets: item pictures, the creator-point panel, the purchase window and the
// mascot's scene.
#include "controls/Dialogs.h"
#include "online/CreatorPointWindow.h"
#include "online/ShopChaoArea.h"
#include "online/ShopConfirmWindow.h"
#include "online/ShopItemButton.h"
#include "online/ShopSceneRootForm.h"
#include "shop_env.h"

using namespace Controls;
using controltest::Blit;

namespace {

class ShopWidgets : public shoptest::ShopTest {};

std::string Describe(const ImageClip& c) {
    return c.group + "." + c.key + " " + std::to_string(c.left) + "," + std::to_string(c.top) + "-" +
           std::to_string(c.right) + "," + std::to_string(c.bottom);
}

TEST(ShopItemImage, PartsShowTheirEditorIconAndUnknownKeysTheLockedPicture) {
    EXPECT_EQ(Describe(GetShopItemImage("Ground008")), "Map.ChipSet003 32,192-64,224");
    EXPECT_EQ(Describe(GetShopItemImage("DevilBar001")), "System.StageObjects001 96,224-128,256");
    EXPECT_EQ(Describe(GetShopItemImage("ChangeZoom")), "System.StageObjects003 32,80-64,112");
    // Keys that the editor's pallets gate and that show their pallet icon here too.
    EXPECT_EQ(Describe(GetShopItemImage("Warp001")), "System.StageObjects002 192,0-224,32");
    EXPECT_EQ(Describe(GetShopItemImage("TonFar001")), "System.StageObjects001 192,32-224,64");
    // Every tune shares the note, every background the landscape, every weather the cloud.
    EXPECT_EQ(Describe(GetShopItemImage("Boss001")), Describe(GetShopItemImage("Ending")));
    EXPECT_EQ(Describe(GetShopItemImage("Ending")), "System.StageObjects002 128,32-160,64");
    EXPECT_EQ(Describe(GetShopItemImage("AnotherWorld")), "System.StageObjects002 160,32-192,64");
    EXPECT_EQ(Describe(GetShopItemImage("Fish")), "System.StageObjects002 192,32-224,64");
    EXPECT_EQ(Describe(GetShopItemImage("ground008")), "System.StageObjects002 224,32-256,64");
    EXPECT_EQ(Describe(GetShopItemImage("")), Describe(GetLockedShopItemImage()));
}

TEST_F(ShopWidgets, ALockedButtonShowsTheLockedPictureOnA31PixelSquare) {
    CShopNonBuyItemButton locked(30, 170);
    EXPECT_EQ(Describe(locked.GetImageClip()), Describe(GetLockedShopItemImage()));
    EXPECT_EQ(locked.GetWidth(), 31);
    EXPECT_EQ(locked.GetHeight(), 31);
    CShopItemButton item(66, 170, GetShopItemImage("Fish"),
                         CShopItem("Fish", "さんま祭り", "天気", 20, "", "", 7));
    EXPECT_EQ(item.GetItem().GetName(), "さんま祭り");
    port.ClearDrawing();
    item.Draw();
    EXPECT_TRUE(port.Drew({66, 170, "StageObjects002", 192, 32, 224, 64}));
}

TEST_F(ShopWidgets, ThePointPanelIsLaidFrom16PixelCellsAndShowsItsTwoNumbers) {
    CCreatorPointWindow panel(16, 72, "120", "7");
    EXPECT_EQ(panel.GetPointsText(), "120");
    port.ClearDrawing();
    panel.Draw();
    EXPECT_TRUE(port.Drew({16, 72, "Controls_009", 96, 128, 112, 144}));     // top left corner
    EXPECT_TRUE(port.Drew({32, 72, "Controls_009", 112, 128, 128, 144}));    // top edge
    EXPECT_TRUE(port.Drew({240, 72, "Controls_009", 128, 128, 144, 144}));   // top right corner
    EXPECT_TRUE(port.Drew({32, 88, "Controls_009", 112, 144, 128, 160}));    // middle
    EXPECT_TRUE(port.Drew({16, 108, "Controls_009", 96, 160, 112, 176}));    // bottom left corner
    EXPECT_TRUE(port.Drew({240, 108, "Controls_009", 128, 160, 144, 176}));  // bottom right corner
    for (const Blit& b : port.blits) {
        EXPECT_GE(b.x, 16);
        EXPECT_LE(b.x + (b.right - b.left), 256);
        EXPECT_LE(b.y + (b.bottom - b.top), 124);
    }
    EXPECT_EQ(port.texts.size(), 4u);  // the numbers and the captions, in white
}

class ConfirmWindow : public shoptest::ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        if (HasFatalFailure()) return;
        WritePlayer(80, 0);
        PlayMusic(MusicId::kSelectStage);
    }
    CShopItem tune{"Boss002", "バット・バット", "音楽", 20, "", "Boss002", 9};
    CShopItem part{"Ground008", "マグマの大地", "マップパーツ", 25, "", "", 4};
};

TEST_F(ConfirmWindow, ShowsThePointsBeforeAndAfterAndListensWithoutClosing) {
    CShopConfirmWindow window(100, 80, tune, true);
    ASSERT_NE(window.GetPreviewButton(), nullptr);
    EXPECT_EQ(window.GetYesButton()->GetX(), 130);
    EXPECT_EQ(window.GetNoButton()->GetX(), 230);
    EXPECT_EQ(window.GetPreviewButton()->GetX(), 330);
    EXPECT_EQ(window.GetYesButton()->GetY(), 264);
    port.ClearDrawing();
    window.Draw();
    for (const char* text : {"バット・バット", "80", "60", "before", "after", "→"})
        EXPECT_NE(std::find(port.texts.begin(), port.texts.end(), text), port.texts.end()) << text;
    window.GetPreviewButton()->PerformPush();
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kBoss2);
    EXPECT_NE(window.GetState(), kStateClosed);
    // Leaving by the title bar's close button buys nothing and brings the shop's music back.
    window.GetCloseButton()->PerformPush();
    EXPECT_EQ(window.GetState(), kStateClosed);
    EXPECT_EQ(window.GetResult(), kResultNo);
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kSelectStage);
}

TEST_F(ConfirmWindow, WithoutAPreviewTheButtonsKeepTheirPlacesAndYesIsTheOnlyPurchase) {
    CShopConfirmWindow no(100, 80, part, false);
    EXPECT_EQ(no.GetPreviewButton(), nullptr);
    EXPECT_EQ(no.GetYesButton()->GetX(), 130);
    EXPECT_EQ(no.GetNoButton()->GetX(), 230);
    no.GetNoButton()->PerformPush();
    EXPECT_EQ(no.GetState(), kStateClosed);
    EXPECT_EQ(no.GetResult(), kResultNo);
    EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1);
    CShopConfirmWindow yes(100, 80, part, false);
    yes.GetYesButton()->PerformPush();
    EXPECT_EQ(yes.GetResult(), kResultYes);
    EXPECT_EQ(yes.GetItem().GetKey(), "Ground008");
    // The window itself changes nothing: the shop buys when it closes.
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 80);
    EXPECT_FALSE(CClientInfo::GetInstance()->IsItemBought("Ground008"));
}

class ChaoArea : public shoptest::ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        if (HasFatalFailure()) return;
        WriteShop(shoptest::kThreeItems);
        WritePlayer(100, 0);
    }
    // The mascot's and the hero's feet once the hero stands (area at 256, 272; hero offset 96).
    static constexpr int kMascotX = 370, kMascotY = 390, kHeroX = 466, kHeroY = 390;
};

TEST_F(ChaoArea, TheHeroWalksInThenClicksStartleHimOrMakeTheMascotJump) {
    CShopSceneRootForm shop(&host);
    CShopChaoArea* area = shop.GetChaoArea();
    // A click on the mascot during the entrance skips the entrance and nothing more.
    SetMouse(kMascotX, kMascotY, true, false, false);
    shop.Update();
    EXPECT_EQ(shop.GetShopState(), CShopSceneRootForm::kShown);
    EXPECT_EQ(area->GetMascotClicks(), 0);
    EXPECT_EQ(area->GetMascotReaction(), 0);
    Hover(kMascotX, kMascotY);
    shop.Update();
    EXPECT_EQ(area->GetMode(), CShopChaoArea::kStaying);
    EXPECT_EQ(area->GetHeroOffset(), 96);
    Click(shop, kHeroX, kHeroY);
    EXPECT_EQ(port.CountSound(SoundId::kShock3), 1);
    EXPECT_NEAR(area->GetHeroReaction(), 28, 1e-4);  // 30, less the press and the release frames
    EXPECT_EQ(area->GetMascotClicks(), 0);
    // The hero's start: 30 frames through three poses, then he stands again.
    port.ClearDrawing();
    shop.Draw();
    EXPECT_TRUE(port.Drew({256 + 96 + 96, 272 + 88, "Quor001_L", 0, 120, 40, 160}));
    Frames(shop, 8);
    port.ClearDrawing();
    shop.Draw();
    EXPECT_TRUE(port.Drew({448, 360, "Quor001_L", 40, 120, 80, 160}));
    Frames(shop, 30);
    port.ClearDrawing();
    shop.Draw();
    EXPECT_TRUE(port.Drew({448, 360, "Quor001_L", 0, 0, 40, 40}));
}

TEST_F(ChaoArea, TheTenthClickOnTheMascotComplainsInsteadOfJumpingAndCountsAgain) {
    CShopSceneRootForm shop(&host);
    CShopChaoArea* area = shop.GetChaoArea();
    Frames(shop, 46);
    ASSERT_EQ(shop.GetShopState(), CShopSceneRootForm::kShown);
    for (int i = 1; i <= 9; ++i) Click(shop, kMascotX, kMascotY);
    EXPECT_EQ(area->GetMascotClicks(), 9);
    EXPECT_EQ(port.CountSound(ControlSound::kChaoClick), 9);
    EXPECT_GT(area->GetMascotReaction(), 0);
    Frames(shop, 30);
    EXPECT_EQ(area->GetMascotReaction(), 0);
    Click(shop, kMascotX, kMascotY);
    EXPECT_EQ(area->GetMascotClicks(), 0);
    EXPECT_EQ(port.CountSound(ControlSound::kChaoClick), 9);  // no jump, no sound
    EXPECT_EQ(area->GetMascotReaction(), 0);
    auto* complaint = dynamic_cast<CChaoMessageWindow*>(shop.GetModalForm());
    ASSERT_NE(complaint, nullptr);
    EXPECT_EQ(complaint->GetTextLabel()->GetText(), "\nやめてください。");
    // While the complaint is open the scene takes no clicks; afterwards the count starts over.
    Click(shop, kMascotX, kMascotY);
    EXPECT_EQ(area->GetMascotClicks(), 0);
    complaint->GetOkButton()->PerformPush();
    shop.Update();
    EXPECT_EQ(shop.GetModalForm(), nullptr);
    Click(shop, kMascotX, kMascotY);
    EXPECT_EQ(area->GetMascotClicks(), 1);
}

TEST_F(ChaoArea, TheSceneIsWallMascotHeroPillarsAndFrameInThatOrder) {
    CShopSceneRootForm shop(&host);
    port.ClearDrawing();
    shop.GetChaoArea()->Draw();
    auto index = [&](const Blit& b) {
        return std::find(port.blits.begin(), port.blits.end(), b) - port.blits.begin();
    };
    const Blit window{256 + 96, 272 + 32, "Controls_011", 192, 192, 224, 224};  // row 1, column 3
    const Blit mascot{256 + 96, 272 + 88, "Controls_011", 0, 152, 40, 192};
    const Blit hero{256 + 160 + 96, 272 + 88, "Quor001_L", 40, 0, 80, 40};  // first step in
    const Blit pillar{256 + 16 * 18, 272, "Controls_011", 224, 0, 240, 32};
    const Blit corner{256 + 352 - 40, 272 + 160 - 40, "Controls_002", 80, 208, 120, 248};
    for (const Blit& b : {window, mascot, hero, pillar, corner}) ASSERT_TRUE(port.Drew(b)) << b.key;
    EXPECT_LT(index(window), index(mascot));
    EXPECT_LT(index(mascot), index(hero));
    EXPECT_LT(index(hero), index(pillar));  // he walks in from behind the right pillar
    EXPECT_LT(index(pillar), index(corner));
}

}  // namespace
