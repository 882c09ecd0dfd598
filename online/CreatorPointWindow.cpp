#include "online/CreatorPointWindow.h"

#include <algorithm>
#include <memory>

#include "controls/ControlPort.h"

namespace Controls {

std::unique_ptr<CSpriteTextLabel> PanelLabel(const std::string& text, int32_t x, int32_t y, int32_t width,
                                             int32_t alignment) {
    auto label = std::make_unique<CSpriteTextLabel>(text, x, y, width, 16, 16, 255, 255, 255);
    label->SetAlignment(alignment);
    return label;
}

namespace {

// One 16 x 16 cell of the panel's 48 x 48 block: column and row 0 (edge), 1 (middle), 2 (edge).
void PutPanelCell(int32_t x, int32_t y, int32_t column, int32_t row, int32_t width, int32_t height) {
    const int32_t left = 96 + 16 * column, top = 128 + 16 * row;
    PutSheet(kSheet9, x, y, left, top, left + width, top + height);
}

}  // namespace

void DrawCreatorPanel(int32_t ax, int32_t ay, int32_t w, int32_t h) {
    for (int32_t y = 0; y < h; y += 16) {
        const int32_t row = y == 0 ? 0 : (y + 16 >= h ? 2 : 1);
        const int32_t ch = std::min(16, h - y);
        for (int32_t x = 0; x < w; x += 16) {
            const int32_t column = x == 0 ? 0 : (x + 16 >= w ? 2 : 1);
            // The bottom and right edge cells are laid against the panel's edge.
            const int32_t cx = column == 2 ? w - 16 : x, cy = row == 2 ? h - 16 : y;
            PutPanelCell(ax + cx, ay + cy, column, row, std::min(16, w - cx), row == 2 ? 16 : ch);
        }
    }
}

CCreatorPointWindow::CCreatorPointWindow(int32_t x, int32_t y, const std::string& pointsText,
                                         const std::string& levelText)
    : COriginalBaseForm(x, y, kWidth, kHeight), pointsText_(pointsText), levelText_(levelText) {
    pointsLabel_ = AddControl(PanelLabel(pointsText, 144, 28, 80, 2));
    levelLabel_ = AddControl(PanelLabel(levelText, 144, 8, 80, 2));
    AddControl(PanelLabel("クリエイターポイント", 16, 28, 240, 0));
    AddControl(PanelLabel("クリエイターレベル", 16, 8, 240, 0));
}

void CCreatorPointWindow::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    DrawCreatorPanel(ax, ay, GetWidth(), GetHeight());
    COriginalBaseForm::Draw();
}

}  // namespace Controls
