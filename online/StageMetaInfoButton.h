#pragma once
// The pieces of the download screen's stage grid: a row of ten stars (some lit and twinkling),
// the small preview picture of a stage's background, and the 288 x 104 stage card that carries
// a posted stage's name, date, author, three star rows and preview, and is pushed to download
// the stage.
#include <array>
#include <cstdint>
#include <string>

#include "controls/ButtonBases.h"
#include "controls/DisplayParts.h"

namespace Controls {

class CStarGraph : public COriginalBasePart {
  public:
    static constexpr int32_t kStars = 10;
    static constexpr int32_t kTwinklePeriod = 40;  // frames; the lit stars flash in the first 12
    CStarGraph(int32_t x, int32_t y, int32_t filled);
    void Draw() override;

    int32_t GetFilledCount() const { return filled_; }
    // The left edge, in the cell sheet, of star `index` as it is drawn now.
    int32_t StarCellLeft(int32_t index) const;

  private:
    int32_t filled_;
    double twinkle_ = 0;
};

// The number of lit stars for a rating already scaled to 0.0 .. 1.0.
int32_t StarCount(double scaled);

class CStageImageIllust : public COriginalBasePart {
  public:
    static constexpr int32_t kWidth = 128, kHeight = 64;
    // `backGroundNumber`: the background as stage files number it.
    CStageImageIllust(int32_t x, int32_t y, int32_t backGroundNumber);
    void Draw() override;
    int32_t GetBackGroundNumber() const { return backGroundNumber_; }

  private:
    int32_t backGroundNumber_;
};

class CStageMetaInfoButton : public CPushButtonBase {
  public:
    static constexpr int32_t kWidth = 288, kHeight = 104;
    // The three ratings come scaled to 0.0 .. 1.0; the star rows are built only with
    // `showRatings`.
    CStageMetaInfoButton(int32_t x, int32_t y, const std::string& stageId, const std::string& stageName,
                         const std::string& postedDate, const std::string& author, int32_t dataSize,
                         double difficulty, double length, double rating, int32_t backGroundNumber,
                         bool showRatings);
    // The contents sink by 2 pixels while the card is held; the face stays.
    void HandleInput() override;
    void UpdateSelf() override;
    void Draw() override;

    std::string GetStageId() const { return stageId_; }
    std::string GetStageName() const { return stageName_; }
    int32_t GetDataSize() const { return dataSize_; }
    bool ShowsRatings() const { return showRatings_; }
    // Difficulty, length and rating stars; null without ratings.
    CStarGraph* GetStars(int32_t row) const { return stars_[size_t(row)]; }

  private:
    // Back home, or 2 pixels down and right while held (at once when the hold starts or ends).
    void Sink();

    std::string stageId_, stageName_, postedDate_, author_;
    int32_t dataSize_;
    bool showRatings_;
    int32_t homeX_, homeY_;
    bool sunk_ = false;
    std::array<CStarGraph*, 3> stars_{};
};

}  // namespace Controls
