#pragma once
// The shop screen: one picture button per item of the shop table in a grid, the details of the
// item under the mouse, the player's creator level and points, and the mascot's little scene.
// Pushing an item applies the buy rules; a confirmed purchase pays the price and records the
// item as bought in one save, then thanks the player. The close button plays the exit and closes
// the hosting scene.
#include <cstdint>
#include <memory>

#include "controls/DisplayParts.h"
#include "controls/Forms.h"
#include "online/ModeSceneHost.h"
#include "online/ShopItemTable.h"

namespace Controls {

class CCreatorPointWindow;
class CShopChaoArea;

class CShopSceneRootForm : public COriginalBaseForm,
                           public IPushedEventHandler,
                           public IClosedEventHandler,
                           public IFocusedEventHandler,
                           public IUnFocusedEventHandler {
  public:
    enum ShopState : int32_t { kEntering = 0, kShown = 1, kLeaving = 2 };
    // The item grid: six buttons to a row, 36 pixels apart, seven rows inside the panel.
    static constexpr int32_t kGridX = 30, kGridY = 170, kGridStep = 36, kGridColumns = 6;
    static constexpr int32_t kGridRows = 7;
    // Frames of the entrance (the hero walks in) and of the exit before the scene closes.
    static constexpr double kEntranceFrames = 45, kExitFrames = 60;

    explicit CShopSceneRootForm(IModeSceneHost* host);
    ~CShopSceneRootForm() override;

    void UpdateSelf() override;
    // The form itself reads no input; its children do.
    void HandleInput() override {}
    void Draw() override;

    void OnPushed(GCButton* sender) override;
    void OnClosed(GCForm* sender) override;
    void OnFocused(GCButton* sender) override;
    void OnUnFocused(GCButton* sender, int32_t flag) override;
    // The mascot was clicked once too often.
    void ComplainAboutClicks();

    int32_t GetShopState() const { return state_; }
    double GetStateTime() const { return stateTime_; }
    bool IsSoldOutShown() const { return soldOut_; }
    // The letterbox of this frame: 0 open .. 1 black.
    double GetLetterboxRatio() const;
    CCreatorPointWindow* GetPointWindow() const { return pointWindow_; }
    CShopChaoArea* GetChaoArea() const { return chaoArea_; }
    CBigCloseButton* GetCloseButton() const { return closeButton_; }
    CSpriteTextLabel* GetNameLabel() const { return nameLabel_; }
    CSpriteTextLabel* GetCategoryLabel() const { return categoryLabel_; }
    CSpriteTextLabel* GetPriceLabel() const { return priceLabel_; }
    CSpriteTextLabel* GetDescriptionLabel() const { return descriptionLabel_; }

  private:
    void BuildItemButtons();
    void ShowDetails(const CShopItem& item);
    void ShowLockedDetails();
    void ClearDetails();
    void AskToBuy(const CShopItem& item);
    void Buy(const CShopItem& item);
    void ReplacePointWindow();
    void UpdateByState();

    int32_t state_ = kEntering;
    double stateTime_ = 0;
    IModeSceneHost* host_;
    CBigCloseButton* closeButton_;
    CShopChaoArea* chaoArea_;
    CCreatorPointWindow* pointWindow_ = nullptr;
    CSpriteTextLabel* nameLabel_;
    CSpriteTextLabel* categoryLabel_;
    CSpriteTextLabel* priceLabel_;
    CSpriteTextLabel* descriptionLabel_;
    bool focusSeen_ = false;
    bool soldOut_ = false;
    std::unique_ptr<GCForm> pendingWindow_;
    bool refreshPoints_ = false;
    bool hostClosed_ = false;
};

}  // namespace Controls
