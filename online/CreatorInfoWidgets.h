#pragma once
// The two displays of the creator's account screen: the green panel of five figures (posted
// stages, downloads, average rating, creator level, creator points) and the table of the
// creator's posted stages, one row each with a "削除" link, scrolling past 15 rows.
#include <array>
#include <cstdint>
#include <string>

#include "controls/DisplayParts.h"
#include "controls/Forms.h"
#include "controls/Panels.h"

namespace Controls {

class CCreatorInfoWindow : public COriginalBaseForm {
  public:
    static constexpr int32_t kWidth = 320, kHeight = 112;
    CCreatorInfoWindow(int32_t x, int32_t y, const std::string& stageCount, const std::string& downloads,
                       const std::string& average, const std::string& points, const std::string& level);
    void Draw() override;

    // The figure of row 0..4 as shown: stages, downloads, average, level, points.
    std::string GetValue(int32_t row) const { return values_[size_t(row)]->GetText(); }

  private:
    std::array<CSpriteTextLabel*, 5> values_{};
};

class CStageMetaInfoGrid : public COriginalBaseForm {
  public:
    static constexpr int32_t kWidth = 512, kHeight = 272;
    CStageMetaInfoGrid(int32_t x, int32_t y);
    void Draw() override;

    // A row under the others: name, date, downloads and rating, and a "削除" link tagged with
    // the stage id that `listener` hears.
    void AddRow(const std::string& stageId, const std::string& stageName, const std::string& postedDate,
                const std::string& downloads, const std::string& rating, IPushedEventHandler* listener);
    int32_t GetRowCount() { return panel_->GetItemCount(); }
    CFreeVerticalScrollablePanel* GetPanel() const { return panel_; }
    CSpriteTextLabel* GetEmptyLabel() const { return empty_; }

  private:
    CFreeVerticalScrollablePanel* panel_;
    CSpriteTextLabel* empty_;
};

}  // namespace Controls
