#pragma once
// The first question of a new area, "エリアサイズの選択": nine picture buttons, one per area size
// class. While the mouse rests on one, the window names the class, gives its size in map chips,
// its cost in area units and a word on it, and the bar previews the units the stage would use. A
// class that would take the stage past 10 units is refused with an alert and the window stays
// open. GetAreaClass is the chosen class once the window has closed, AreaClass_NoArea (9) when
// nothing was chosen.
#include <cstdint>

#include "controls/Dialogs.h"

class CAreaClassSelectWindow : public Controls::CCloseableBeigeForm,
                               public Controls::IFocusedEventHandler,
                               public Controls::IUnFocusedEventHandler {
  public:
    static constexpr int32_t kClassCount = 9;
    static constexpr int32_t kUnitLimit = 10;

    // totalUnits: the units the stage's areas use now.
    CAreaClassSelectWindow(int32_t x, int32_t y, int32_t totalUnits);

    void UpdateSelf() override;
    void OnButtonPushed(Controls::GCButton* sender) override;
    void OnFocused(Controls::GCButton* sender) override;
    void OnUnFocused(Controls::GCButton* sender, int32_t flag) override;

    int32_t GetAreaClass() const { return selected_; }
    Controls::CTextPushButton* GetCancelButton() const { return cancel_; }
    Controls::CBigFreeImagePushButton* GetClassButton(int32_t areaClass) const {
        return classButtons_[areaClass];
    }
    Controls::CSpriteTextLabel* GetSizeLabel() const { return sizeLabel_; }
    Controls::CSpriteTextLabel* GetCostLabel() const { return costLabel_; }
    Controls::CSpriteTextLabel* GetDescriptionLabel() const { return descriptionLabel_; }

  private:
    int32_t ClassOf(Controls::GCButton* sender) const;
    void ShowClass(int32_t areaClass);

    Controls::CTextPushButton* cancel_;
    Controls::CBigFreeImagePushButton* classButtons_[kClassCount] = {};
    Controls::CCaptionRibon* nameRibbon_;
    Controls::CSpriteTextLabel* sizeLabel_;
    Controls::CSpriteTextLabel* costLabel_;
    Controls::CSpriteTextLabel* descriptionLabel_;
    Controls::CHorizontalBarGraph* unitBar_;
    // A class button took the focus in this frame.
    bool hovering_ = false;
    int32_t selected_;
    int32_t totalUnits_;
};
