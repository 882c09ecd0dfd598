#pragma once
// One row of a table of posted stages: a "削除" link carrying the row's key, then four text
// columns, light green when highlighted, else light blue-grey.
#include <array>
#include <cstdint>
#include <string>

#include "controls/Buttons.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"

namespace Controls {

// A text link that carries a tag; the link's listener finds the row through it.
class CStageMetaInfoGridItemDeleteLinkButton : public CFreeTextLinkButton {
  public:
    CStageMetaInfoGridItemDeleteLinkButton(int32_t x, int32_t y, const std::string& text, int32_t fontSize,
                                           const std::string& tag)
        : CFreeTextLinkButton(x, y, text, fontSize), tag_(tag) {}
    std::string GetTag() const { return tag_; }

  private:
    std::string tag_;
};

class CStageMetaInfoGridItem : public COriginalBaseForm {
  public:
    static constexpr int32_t kWidth = 480, kHeight = 16, kFontSize = 14;
    // `deleteHandler` hears the delete link's pushes (the link is the sender).
    CStageMetaInfoGridItem(int32_t x, int32_t y, const std::string& key, const std::string& first,
                           const std::string& second, const std::string& third, const std::string& fourth,
                           bool highlight, IPushedEventHandler* deleteHandler);
    // Hiding frees the five cached text sprites; showing renders them anew when next drawn.
    void SetVisible(bool visible) override;

    const std::string& GetKey() const { return key_; }
    CStageMetaInfoGridItemDeleteLinkButton* GetDeleteLink() const { return deleteLink_; }
    CSpriteTextLabel* GetColumn(int32_t index) const { return columns_[size_t(index)]; }

  private:
    std::string key_;
    std::array<std::string, 4> texts_;
    CStageMetaInfoGridItemDeleteLinkButton* deleteLink_;
    std::array<CSpriteTextLabel*, 4> columns_;
};

}  // namespace Controls
