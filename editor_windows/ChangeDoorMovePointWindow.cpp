#include "editor_windows/ChangeDoorMovePointWindow.h"

#include <cstdio>
#include <memory>
#include <string>

#include "controls/ControlPort.h"
#include "stage/StageMap.h"

namespace Controls {

namespace {

std::string DestinationText(int32_t area, int32_t areaHeight, int32_t tileX, int32_t tileY) {
    if (area == -1) return "ERROR";
    char text[64];
    std::snprintf(text, sizeof text, "エリア%d (%d,%d)", area + 1, tileX,
                  CStageMap::ShownRow(areaHeight, tileY));
    return text;
}

std::string DoorText(int32_t area, int32_t areaHeight, int32_t tileX, int32_t tileY) {
    char text[96];
    std::snprintf(text, sizeof text, "エリア%d (%d,%d) の扉の移動先：", area + 1, tileX,
                  CStageMap::ShownRow(areaHeight, tileY));
    return text;
}

}  // namespace

CChangeDoorMovePointWindow::CChangeDoorMovePointWindow(int32_t x, int32_t y, int32_t doorArea,
                                                       int32_t doorAreaHeight, int32_t doorTileX,
                                                       int32_t doorTileY, int32_t destinationArea,
                                                       int32_t destinationAreaHeight,
                                                       int32_t destinationTileX, int32_t destinationTileY)
    : CCloseableBeigeForm("移動先の変更", x, y, 320, 160),
      doorArea_(doorArea),
      doorTileX_(doorTileX),
      doorTileY_(doorTileY),
      destinationArea_(destinationArea),
      destinationTileX_(destinationTileX),
      destinationTileY_(destinationTileY) {
    ok_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 - 90, GetHeight() - 56, "O K"));
    cancel_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 + 10, GetHeight() - 56, "ｷｬﾝｾﾙ",
                                                           ControlSound::kCloseWindow));
    change_ = AddControl(std::make_unique<CTextBluePushButton>(232, 58, "変更"));
    for (GCButton* button :
         {static_cast<GCButton*>(ok_), static_cast<GCButton*>(cancel_), static_cast<GCButton*>(change_)})
        button->AddPushedEventHandler(this);
    destinationText_ = AddControl(std::make_unique<CTextLineArea>(
        DestinationText(destinationArea, destinationAreaHeight, destinationTileX, destinationTileY), 24, 58,
        200));
    auto door = std::make_unique<CSpriteTextLabel>(DoorText(doorArea, doorAreaHeight, doorTileX, doorTileY),
                                                   20, 38, 256, 20, 14, 30, 80, 110);
    door->SetAlignment(0);
    doorText_ = AddControl(std::move(door));
}

void CChangeDoorMovePointWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_ && destinationArea_ != -1) {
        result_ = kConfirm;
    } else if (sender == change_) {
        result_ = kPickDestination;
    }
    Close();
}

}  // namespace Controls
