// The shop screen: the grid and its level gate, the details under the mouse, the buy rules, the
// purchase itself and the screen's entrance and exit.
#include <filesystem>

#include "controls/Dialogs.h"
#include "online/CreatorPointWindow.h"
#include "online/ShopChaoArea.h"
#include "online/ShopConfirmWindow.h"
#include "online/ShopItemButton.h"
#include "online/ShopSceneRootForm.h"
#include "shop_env.h"
#include "stage/StageMap.h"

using namespace Controls;

namespace {

class ShopScreen : public shoptest::ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        if (HasFatalFailure()) return;
        WriteShop(shoptest::kThreeItems);
    }
    // The shop with its entrance over.
    std::unique_ptr<CShopSceneRootForm> OpenShop() {
        auto shop = std::make_unique<CShopSceneRootForm>(&host);
        Frames(*shop, 46);
        EXPECT_EQ(shop->GetShopState(), CShopSceneRootForm::kShown);
        return shop;
    }
    // The buttons of the item grid, in grid order.
    static std::vector<CFreeImageClickArea*> Grid(CShopSceneRootForm& shop) {
        std::vector<CFreeImageClickArea*> grid;
        for (int i = 0; i < shop.GetControls().Count(); ++i)
            if (auto* b = dynamic_cast<CFreeImageClickArea*>(shop.GetControls().At(i))) grid.push_back(b);
        return grid;
    }
    // Clicks the middle of the item at grid position i.
    void ClickItem(CShopSceneRootForm& shop, int i) {
        Click(shop, CShopSceneRootForm::kGridX + 36 * (i % 6) + 15,
              CShopSceneRootForm::kGridY + 36 * (i / 6) + 15);
    }
    void ClickOn(CShopSceneRootForm& shop, GCBase* widget) {
        ASSERT_NE(widget, nullptr);
        Click(shop, widget->GetAbsoluteX() + 10, widget->GetAbsoluteY() + 10);
    }
    template <class Window>
    Window* Modal(CShopSceneRootForm& shop) {
        return dynamic_cast<Window*>(shop.GetModalForm());
    }
    std::string AlertText(CShopSceneRootForm& shop) {
        auto* alert = Modal<CChaoAlertWindow>(shop);
        return alert ? alert->GetTextLabel()->GetText() : "<no alert>";
    }
};

TEST_F(ShopScreen, SixItemsToARowAndAnItemAboveTheCreatorLevelIsLocked) {
    std::string table;
    for (int i = 1; i <= 7; ++i) table += "K" + std::to_string(i) + ",n,c,1,d,," + std::to_string(i) + "\n";
    WriteShop(table);
    WritePlayer(10, 60);  // level 3
    CShopSceneRootForm shop(&host);
    const std::vector<CFreeImageClickArea*> grid = Grid(shop);
    ASSERT_EQ(grid.size(), 7u);
    EXPECT_EQ(grid[1]->GetX(), 66);
    EXPECT_EQ(grid[5]->GetX(), 210);
    EXPECT_EQ(grid[6]->GetX(), 30);  // the seventh starts the second row
    EXPECT_EQ(grid[6]->GetY(), 206);
    EXPECT_NE(dynamic_cast<CShopItemButton*>(grid[2]), nullptr);        // level 3 at level 3
    EXPECT_NE(dynamic_cast<CShopNonBuyItemButton*>(grid[3]), nullptr);  // level 4
    EXPECT_EQ(dynamic_cast<CShopItemButton*>(grid[0])->GetItem().GetKey(), "K1");
}

TEST_F(ShopScreen, TheDetailsFollowTheMouseAndANeighbourKeepsItsOwn) {
    WritePlayer(10, 30);  // level 2: the boss is locked
    auto shop = OpenShop();
    Hover(45, 185);
    shop->Update();
    EXPECT_EQ(shop->GetNameLabel()->GetText(), "オープニングカーニバル");
    EXPECT_EQ(shop->GetCategoryLabel()->GetText(), "音楽");
    EXPECT_EQ(shop->GetPriceLabel()->GetText(), "10");
    EXPECT_EQ(shop->GetDescriptionLabel()->GetText(), "にぎやかな曲。");
    // To the right: the left button lets go first, then the right one takes the focus.
    Hover(81, 185);
    shop->Update();
    EXPECT_EQ(shop->GetNameLabel()->GetText(), "マグマの大地");
    // Back to the left: the left button takes the focus before the right one lets go.
    Hover(45, 185);
    shop->Update();
    EXPECT_EQ(shop->GetNameLabel()->GetText(), "オープニングカーニバル");
    Hover(117, 185);
    shop->Update();
    EXPECT_EQ(shop->GetNameLabel()->GetText(), "まだ 買えません。");
    EXPECT_EQ(shop->GetPriceLabel()->GetText(), "");
    EXPECT_EQ(shop->GetDescriptionLabel()->GetText(), "もっと クリエイターレベルを 上げないと 買えません。");
    Hover(400, 60);
    shop->Update();
    EXPECT_EQ(shop->GetNameLabel()->GetText(), "");
    EXPECT_EQ(shop->GetDescriptionLabel()->GetText(), "");
}

TEST_F(ShopScreen, PointsEqualToThePriceBuyTheItemAndThePanelCatchesUpAfterTheThanks) {
    WritePlayer(25, 0);
    auto shop = OpenShop();
    ClickItem(*shop, 1);  // マグマの大地, 25 points
    auto* confirm = Modal<CShopConfirmWindow>(*shop);
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm->GetPreviewButton(), nullptr);
    ClickOn(*shop, confirm->GetYesButton());
    shop->Update();
    // Paid and recorded together, in the file too.
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 0);
    EXPECT_TRUE(CClientInfo::GetInstance()->IsItemBought("Ground008"));
    const std::string stored = StoredClientInfo();
    EXPECT_NE(stored.find("<createrPoint>0</createrPoint>"), std::string::npos);
    EXPECT_NE(stored.find("<boughtItems>Ground008</boughtItems>"), std::string::npos);
    EXPECT_EQ(port.CountSound(SoundId::kOk5), 1);
    // The thanks window comes with the next update; the panel still shows the old points.
    auto* thanks = Modal<CChaoMessageWindow>(*shop);
    ASSERT_NE(thanks, nullptr);
    EXPECT_EQ(thanks->GetTextLabel()->GetText(), "\nありがとう ございました！");
    EXPECT_EQ(shop->GetPointWindow()->GetPointsText(), "25");
    ClickOn(*shop, thanks->GetOkButton());
    shop->Update();
    EXPECT_EQ(shop->GetModalForm(), nullptr);
    EXPECT_EQ(shop->GetPointWindow()->GetPointsText(), "0");
    EXPECT_EQ(shop->GetPointWindow()->GetLevelText(), "1");
    // The button stays; it now shows the sold-out stamp and refuses a second purchase.
    Hover(300, 60);
    shop->Update();
    Hover(81, 185);
    shop->Update();
    EXPECT_TRUE(shop->IsSoldOutShown());
    port.ClearDrawing();
    shop->Draw();
    EXPECT_TRUE(port.Drew({348, 144, "Controls_011", 0, 40, 200, 112}));
    ClickItem(*shop, 1);
    EXPECT_EQ(AlertText(*shop), "\nもう 売り切れちゃいました。");
    EXPECT_FALSE(shop->IsSoldOutShown());
    EXPECT_EQ(port.CountSound(SoundId::kOk5), 1);
}

TEST_F(ShopScreen, TooFewPointsOrALockedItemOnlyAlertAndNoBuysNothing) {
    WritePlayer(24, 30);  // level 2
    auto shop = OpenShop();
    ClickItem(*shop, 1);
    EXPECT_EQ(AlertText(*shop), "\nポイントが 足りないです。");
    Modal<CChaoAlertWindow>(*shop)->GetOkButton()->PerformPush();
    shop->Update();
    ClickItem(*shop, 2);
    EXPECT_EQ(AlertText(*shop), "\nまだ 買えません。");
    Modal<CChaoAlertWindow>(*shop)->GetOkButton()->PerformPush();
    shop->Update();
    ClickItem(*shop, 0);
    auto* confirm = Modal<CShopConfirmWindow>(*shop);
    ASSERT_NE(confirm, nullptr);
    ASSERT_NE(confirm->GetPreviewButton(), nullptr);  // a tune can be listened to
    ClickOn(*shop, confirm->GetNoButton());
    shop->Update();
    EXPECT_EQ(shop->GetModalForm(), nullptr);
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 24);
    EXPECT_FALSE(CClientInfo::GetInstance()->IsItemBought("Opening"));
    EXPECT_EQ(port.CountSound(SoundId::kOk5), 0);
    for (const auto& e : std::filesystem::directory_iterator(dir / "network"))
        EXPECT_FALSE(IsTempFileName(e.path().filename().string())) << e.path();
}

TEST_F(ShopScreen, APurchaseOpensTheGateTheEditorAsksAboutAndOutlivesARestart) {
    WritePlayer(100, 0);
    std::unique_ptr<CStageMap> map = CStageMap::Create(0);
    map->SetChip(3, 3, 176);  // a piece of the magma ground
    EXPECT_TRUE(map->UsesUnboughtChips());
    auto shop = OpenShop();
    ClickItem(*shop, 1);
    ClickOn(*shop, Modal<CShopConfirmWindow>(*shop)->GetYesButton());
    EXPECT_FALSE(map->UsesUnboughtChips());
    CClientInfo::DeleteInstance();
    EXPECT_TRUE(CClientInfo::GetInstance()->IsItemBought("Ground008"));
    EXPECT_FALSE(CClientInfo::GetInstance()->IsItemBought("Opening"));
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 75);
}

TEST_F(ShopScreen, APurchaseThatCannotBeSavedBuysNothingAndSaysWhy) {
    WritePlayer(100, 0);
    auto shop = OpenShop();
    // The player's file cannot be replaced: a folder stands in its place.
    std::filesystem::remove(dir / "network" / "client_info.dat");
    std::filesystem::create_directories(dir / "network" / "client_info.dat" / "in-the-way");
    ClickItem(*shop, 1);
    ClickOn(*shop, Modal<CShopConfirmWindow>(*shop)->GetYesButton());
    shop->Update();
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 100);
    EXPECT_FALSE(CClientInfo::GetInstance()->IsItemBought("Ground008"));
    EXPECT_EQ(port.CountSound(SoundId::kOk5), 0);
    EXPECT_EQ(AlertText(*shop), "Error Code:[DEF0202] \nclient_info.dat を保存できません。");
    EXPECT_NE(LogText().find("DEF0202"), std::string::npos);
}

TEST_F(ShopScreen, AClickSkipsTheEntranceAndTheExitClosesTheSceneAfter60Frames) {
    WritePlayer(10, 0);
    CShopSceneRootForm shop(&host);
    EXPECT_EQ(shop.GetLetterboxRatio(), 1.0);
    Frames(shop, 25);
    EXPECT_NEAR(shop.GetLetterboxRatio(), 0.5, 1e-5);
    EXPECT_NEAR(shop.GetChaoArea()->GetHeroOffset(), 160 - 25.0 / 45 * 64, 1e-3);
    SetMouse(600, 300, true, false, false);
    shop.Update();
    EXPECT_EQ(shop.GetShopState(), CShopSceneRootForm::kShown);
    EXPECT_EQ(shop.GetLetterboxRatio(), 0.0);
    Hover(600, 300);
    shop.Update();
    EXPECT_EQ(shop.GetChaoArea()->GetHeroOffset(), 96);
    ClickOn(shop, shop.GetCloseButton());
    EXPECT_EQ(shop.GetShopState(), CShopSceneRootForm::kLeaving);
    ASSERT_NE(shop.GetModalForm(), nullptr);  // nothing takes input while the exit plays
    Frames(shop, 17);
    EXPECT_EQ(shop.GetLetterboxRatio(), 0.0);
    Frames(shop, 21);
    EXPECT_NEAR(shop.GetLetterboxRatio(), 0.5, 1e-5);
    EXPECT_EQ(shop.GetChaoArea()->GetMode(), CShopChaoArea::kLeaving);
    EXPECT_GT(shop.GetChaoArea()->GetHeroOffset(), 96);
    Frames(shop, 21);
    EXPECT_EQ(host.closed, 0);
    Frames(shop, 2);
    EXPECT_EQ(host.closed, 1);
}

TEST_F(ShopScreen, AnEmptyTableGivesAnEmptyGridAndTheRestWorks) {
    WriteShop("");
    WritePlayer(42, 0);
    auto shop = OpenShop();
    EXPECT_TRUE(Grid(*shop).empty());
    EXPECT_EQ(shop->GetPointWindow()->GetPointsText(), "42");
    ClickOn(*shop, shop->GetCloseButton());
    Frames(*shop, 61);
    EXPECT_EQ(host.closed, 1);
}

}  // namespace
