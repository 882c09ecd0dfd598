// The shop's own widgets: item pictures, the creator-point panel, the purchase window and the
// mascot's scene.
#include "controls/Dialogs.h"
#include "online/ShopChaoArea.h"
#include "online/ShopConfirmWindow.h"
#include "online/ShopItemButton.h"
#include "online/ShopSceneRootForm.h"
#include "shop_env.h"

using namespace Controls;

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

}  // namespace
