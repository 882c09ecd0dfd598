#pragma once
// The little scene below the shop's details: the shop's mascot stands in front of a wall between
// two pillars, and the hero walks in from the right, waits, and walks out again. While they stand
// (mode kStaying) a click on the hero makes him start, and clicks on the mascot make it jump;
// the tenth click on the mascot makes it complain instead.
#include <cstdint>

#include "controls/Widget.h"

namespace Controls {

class CShopSceneRootForm;

class CShopChaoArea : public COriginalBasePart {
  public:
    enum Mode : int32_t { kEntering = 0, kStaying = 1, kLeaving = 2 };
    static constexpr int32_t kWidth = 352, kHeight = 160;
    static constexpr int kClicksToComplain = 10;

    CShopChaoArea(int32_t x, int32_t y, CShopSceneRootForm* owner);
    void UpdateSelf() override;
    void HandleInput() override;
    void Draw() override;

    void SetMode(int32_t mode) { mode_ = mode; }
    void SetHeroOffset(double offset) { heroOffset_ = offset; }
    int32_t GetMode() const { return mode_; }
    double GetHeroOffset() const { return heroOffset_; }
    double GetHeroReaction() const { return heroReaction_; }
    double GetMascotReaction() const { return mascotReaction_; }
    int32_t GetMascotClicks() const { return mascotClicks_; }

  private:
    void DrawWall(int32_t ax, int32_t ay) const;
    void DrawMascot(int32_t ax, int32_t ay) const;
    void DrawHero(int32_t ax, int32_t ay) const;
    void DrawPillars(int32_t ax, int32_t ay) const;

    int32_t mode_ = kEntering;
    double heroOffset_ = 160.0;
    double animTime_ = 0.0;
    double heroReaction_ = 0.0;
    double mascotReaction_ = 0.0;
    int32_t mascotClicks_ = 0;
    CShopSceneRootForm* owner_;
};

}  // namespace Controls
