#include "controls/StageRow.h"

#include <memory>

namespace Controls {

namespace {
struct Column {
    int32_t x, width, alignment;
};
constexpr Column kColumns[4] = {{40, 180, 1}, {220, 80, 1}, {300, 90, 2}, {390, 60, 2}};
}  // namespace

CStageMetaInfoGridItem::CStageMetaInfoGridItem(int32_t x, int32_t y, const std::string& key,
                                               const std::string& first, const std::string& second,
                                               const std::string& third, const std::string& fourth,
                                               bool highlight, IPushedEventHandler* deleteHandler)
    : COriginalBaseForm(x, y, kWidth, kHeight), key_(key), texts_{first, second, third, fourth} {
    auto link = std::make_unique<CStageMetaInfoGridItemDeleteLinkButton>(0, 0, "削除", 14, key);
    if (deleteHandler) link->AddPushedEventHandler(deleteHandler);
    deleteLink_ = AddControl(std::move(link));
    for (size_t i = 0; i < 4; ++i) {
        const Column& c = kColumns[i];
        // One size smaller than the labels' default, so a whole date ("2010/11/21") fits its column.
        auto label = std::make_unique<CSpriteTextLabel>(texts_[i], c.x, 0, c.width, kHeight);
        label->SetFontSize(kFontSize);
        label->SetAlignment(c.alignment);
        if (highlight) {
            label->SetColor(200, 240, 200);
        } else {
            label->SetColor(200, 200, 240);
        }
        columns_[i] = AddControl(std::move(label));
    }
}

void CStageMetaInfoGridItem::SetVisible(bool visible) {
    if (!visible) {
        deleteLink_->ReleaseTextSprite();
        for (CSpriteTextLabel* label : columns_) label->ReleaseSprite();
    }
    COriginalBaseForm::SetVisible(visible);
}

}  // namespace Controls
