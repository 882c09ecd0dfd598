#pragma once
// The shop's panel of the player's creator level and creator points: two captions and two
// numbers in white on a dark green panel. It reads no input; the shop replaces it whole when the
// points change.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/DisplayParts.h"
#include "controls/Forms.h"

namespace Controls {

// The creators' dark green panel over the rectangle: corner cells at the corners, edge cells
// along the edges and the middle cell over the inside, the last piece of a run cut to what is left.
void DrawCreatorPanel(int32_t x, int32_t y, int32_t width, int32_t height);
// A white label of size 16 and 16 high for the panel (alignment 0 left, 1 centred, 2 right).
std::unique_ptr<CSpriteTextLabel> PanelLabel(const std::string& text, int32_t x, int32_t y, int32_t width,
                                             int32_t alignment);

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
