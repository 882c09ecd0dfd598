#pragma once
// The shop's panel of the player's creator level and creator points: two captions and two
// numbers in white on a dark green panel. It reads no input; the shop replaces it whole when the
// points change.
#include <cstdint>
#include <string>

#include "controls/DisplayParts.h"
#include "controls/Forms.h"

namespace Controls {

class CCreatorPointWindow : public COriginalBaseForm {
  public:
    static constexpr int32_t kWidth = 240, kHeight = 52;
    CCreatorPointWindow(int32_t x, int32_t y, const std::string& pointsText, const std::string& levelText);
    void HandleInput() override {}
    void Draw() override;
    std::string GetPointsText() const { return pointsText_; }
    std::string GetLevelText() const { return levelText_; }

  private:
    std::string pointsText_, levelText_;
    CSpriteTextLabel* pointsLabel_;
    CSpriteTextLabel* levelLabel_;
};

}  // namespace Controls
