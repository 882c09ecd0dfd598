#pragma once
// The editor's settings window "ステージとエリアの設定": the stage's title (typed on the on-screen
// keyboard, at most 12 characters), its start point, and the current area's music, background
// and weather. The start point is chosen on the map: "変更" closes the window with
// kSettingsPickStartPoint, the editor lets the player click a tile and opens a new window with the
// values it read from this one and the new point. With kSettingsOk the editor gives the stage the
// title and start point and the area the music, background and weather; with kSettingsCancelled
// (also the close button) nothing changes.
#include <cstdint>
#include <string>

#include "editor_windows/AreaSettingsWindowBase.h"

class CStageConfigWindow : public CAreaSettingsWindowBase {
  public:
    static constexpr int32_t kTitleLimit = 12;

    // startAreaHeight: the start area's map height in chips (0 without a map); startY counts rows
    // from the top, as the map does.
    CStageConfigWindow(int32_t x, int32_t y, int32_t startAreaHeight, std::string stageTitle,
                       int32_t startArea, int32_t startX, int32_t startY, int32_t music, int32_t backGround,
                       int32_t weather);

    // "エリア1 (3,0)": the area counted from 1, y counted from the bottom row.
    std::string GetStartPointText() const;
    std::string GetStageName() const { return title_; }
    int32_t GetStartArea() const { return startArea_; }
    int32_t GetStartX() const { return startX_; }
    int32_t GetStartY() const { return startY_; }
    int32_t GetStartAreaHeight() const { return startAreaHeight_; }

    Controls::CTextLineArea* GetTitleArea() const { return titleRow_.area; }
    Controls::CTextLineArea* GetStartPointArea() const { return startRow_.area; }
    Controls::CTextBluePushButton* GetTitleButton() const { return titleRow_.button; }
    Controls::CTextBluePushButton* GetStartPointButton() const { return startRow_.button; }

  protected:
    void OnOtherButtonPushed(Controls::GCButton* sender) override;
    void OnOtherChildClosed(Controls::GCForm* sender) override;

  private:
    std::string title_;
    int32_t startArea_, startX_, startY_, startAreaHeight_;
    Row titleRow_{}, startRow_{};
};
