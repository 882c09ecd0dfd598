#include "online/CreatorInfoWidgets.h"

#include <memory>

#include "controls/ControlPort.h"
#include "controls/StageRow.h"
#include "online/CreatorPointWindow.h"

namespace Controls {

namespace {

// The grid's rows: 15 visible, 16 high.
constexpr int32_t kVisibleRows = 15, kRowHeight = 16;

}  // namespace

CCreatorInfoWindow::CCreatorInfoWindow(int32_t x, int32_t y, const std::string& stageCount,
                                       const std::string& downloads, const std::string& average,
                                       const std::string& points, const std::string& level)
    : COriginalBaseForm(x, y, kWidth, kHeight) {
    const std::string values[5] = {stageCount, downloads, average, level, points};
    const char* const captions[5] = {"投稿したステージの数", "ダウンロードされた合計回数", "平均評価",
                                     "クリエイターレベル", "クリエイターポイント"};
    for (size_t row = 0; row < 5; ++row)
        values_[row] = AddControl(PanelLabel(values[row], 224, 8 + 20 * int32_t(row), 80, 2));
    for (size_t row = 0; row < 5; ++row)
        AddControl(PanelLabel(captions[row], 16, 8 + 20 * int32_t(row), 240, 0));
}

void CCreatorInfoWindow::Draw() {
    if (!IsVisible()) return;
    int32_t x, y;
    GetAbsolutePosition(x, y);
    DrawCreatorPanel(x, y, GetWidth(), GetHeight());
    COriginalBaseForm::Draw();
}

CStageMetaInfoGrid::CStageMetaInfoGrid(int32_t x, int32_t y) : COriginalBaseForm(x, y, kWidth, kHeight) {
    panel_ = AddControl(
        std::make_unique<CFreeVerticalScrollablePanel>(8, 24, 496, 240, 0, kVisibleRows, kRowHeight));
    const struct {
        const char* text;
        int32_t x, width;
    } headers[4] = {{"ステージ名", 24, 180}, {"投稿日", 212, 80}, {"DL回数", 324, 90}, {"評価", 408, 60}};
    for (const auto& h : headers) {
        auto label = PanelLabel(h.text, h.x, 6, h.width, 1);
        label->SetBold(true);
        AddControl(std::move(label));
    }
    empty_ = AddControl(std::make_unique<CSpriteTextLabel>("投稿されたステージはありません。", 0, 128, 480,
                                                           16, 16, 200, 200, 240));
}

void CStageMetaInfoGrid::AddRow(const std::string& stageId, const std::string& stageName,
                                const std::string& postedDate, const std::string& downloads,
                                const std::string& rating, IPushedEventHandler* listener) {
    const int32_t n = GetRowCount();
    // The first row is the light green one; they alternate from there.
    panel_->AddItem(std::make_unique<CStageMetaInfoGridItem>(
        0, kRowHeight * n, stageId, stageName, postedDate, downloads, rating, n % 2 == 0, listener));
    empty_->SetVisible(false);
}

void CStageMetaInfoGrid::Draw() {
    if (!IsVisible()) return;
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t right = x + GetWidth() - 32, bottom = y + GetHeight();
    const uint32_t body = PackColor(0, 7, 27), bar = PackColor(45, 120, 150), rule = PackColor(30, 80, 110);
    Port().Rect(x, y + 23, right, bottom, body, body, 1);
    Port().Rect(x, y, right, y + 22, bar, bar, 1);
    Port().Rect(x, y + 22, right, y + 23, rule, rule, 1);
    COriginalBaseForm::Draw();
    DrawOpenFrame(x, y, right - x, GetHeight());
}

}  // namespace Controls
