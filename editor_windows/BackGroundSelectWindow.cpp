#include "editor_windows/BackGroundSelectWindow.h"

#include <memory>
#include <vector>

#include "controls/Forms.h"
#include "stage/StageCatalogues.h"

namespace {

constexpr CatalogueWindowLayout kLayout{400, 240, 220, 178, 308, 178, 48, 32, 72, 176, 144};
constexpr int32_t kPreviewX = 240, kPreviewY = 72, kPreviewWidth = 128, kPreviewHeight = 64;

// Meadows, hills and skies first, then caves and rooms.
const std::vector<int32_t> kOfferedBackGrounds = {0,  1,  2, 14, 3, 4, 5,  15, 16, 17, 18,
                                                  12, 13, 6, 7,  8, 9, 10, 11, 19, 20, 21};

const Catalogue kBackGrounds{&BackGroundDisplayName, &BackGroundKey, &BackGroundFromKey,
                             &IsBackGroundShopItem};

}  // namespace

Controls::ImageClip BackGroundPreviewClip(int32_t id) {
    const PreviewImageCell cell = BackGroundPreview(id);
    return Controls::ImageClip{cell.group, cell.key, cell.left, cell.top, cell.right, cell.bottom};
}

CBackGroundSelectWindow::CBackGroundSelectWindow(int32_t x, int32_t y, int32_t backGround)
    : CCatalogueSelectWindow("背景選択", x, y, kLayout, kBackGrounds, backGround) {
    AddList(kOfferedBackGrounds);
    preview_ = AddControl(
        std::make_unique<Controls::CFreeImage>(kPreviewX, kPreviewY, BackGroundPreviewClip(backGround)));
    // The frame goes over the picture's edge.
    AddControl(
        std::make_unique<Controls::CFreeContainer>(kPreviewX, kPreviewY, kPreviewWidth, kPreviewHeight));
}

void CBackGroundSelectWindow::OnHighlight(int32_t row) {
    if (row >= 0) preview_->SetImage(BackGroundPreviewClip(IdOfRow(row)));
}
