#pragma once
// A door's destination, "移動先の変更": where the door leads, with "O K" to keep it, "変更" to pick
// another tile on the map (the editor then opens a new dialog with the picked tile) and "ｷｬﾝｾﾙ".
// Areas are shown counted from 1 and rows counted up from the area's bottom row; a door that
// leads nowhere yet (destination area -1) shows "ERROR" and cannot be confirmed.
#include <cstdint>

#include "controls/Dialogs.h"

namespace Controls {

class CChangeDoorMovePointWindow : public CCloseableBeigeForm {
  public:
    enum Result : int32_t { kNothing = 0, kPickDestination = 1, kConfirm = 2 };

    // The heights are the two areas' map heights in chips, used only for the texts.
    CChangeDoorMovePointWindow(int32_t x, int32_t y, int32_t doorArea, int32_t doorAreaHeight,
                               int32_t doorTileX, int32_t doorTileY, int32_t destinationArea,
                               int32_t destinationAreaHeight, int32_t destinationTileX,
                               int32_t destinationTileY);
    void OnButtonPushed(GCButton* sender) override;

    int32_t GetResult() const { return result_; }
    int32_t GetDoorAreaIndex() const { return doorArea_; }
    int32_t GetDoorTileX() const { return doorTileX_; }
    int32_t GetDoorTileY() const { return doorTileY_; }
    int32_t GetDestinationAreaIndex() const { return destinationArea_; }
    int32_t GetDestinationTileX() const { return destinationTileX_; }
    int32_t GetDestinationTileY() const { return destinationTileY_; }

    CTextPushButton* GetOkButton() const { return ok_; }
    CTextPushButton* GetCancelButton() const { return cancel_; }
    CTextBluePushButton* GetChangeButton() const { return change_; }
    CTextLineArea* GetDestinationArea() const { return destinationText_; }
    CSpriteTextLabel* GetDoorLabel() const { return doorText_; }

  private:
    CTextPushButton* ok_;
    CTextPushButton* cancel_;
    CTextBluePushButton* change_;
    CTextLineArea* destinationText_;
    CSpriteTextLabel* doorText_;
    int32_t doorArea_, doorTileX_, doorTileY_;
    int32_t destinationArea_, destinationTileX_, destinationTileY_;
    int32_t result_ = kNothing;
};

}  // namespace Controls
