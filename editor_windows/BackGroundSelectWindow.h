#pragma once
// The background picker "背景選択": the backgrounds the player may use (the shop's once bought),
// the name and a 128 x 64 preview of the background shown, which follow the highlighted row.
// GetBackGround is the background passed in unless "O K" was pushed with a row highlighted.
#include <cstdint>

#include "controls/DisplayParts.h"
#include "editor_windows/CatalogueSelectWindow.h"

class CBackGroundSelectWindow : public CCatalogueSelectWindow {
  public:
    CBackGroundSelectWindow(int32_t x, int32_t y, int32_t backGround);

    int32_t GetBackGround() const { return value_; }
    Controls::CFreeImage* GetPreview() const { return preview_; }

  protected:
    void OnHighlight(int32_t row) override;

  private:
    Controls::CFreeImage* preview_;
};

// The preview picture of background `id` as the widgets take pictures.
Controls::ImageClip BackGroundPreviewClip(int32_t id);
