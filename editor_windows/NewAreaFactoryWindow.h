#pragma once
// Adding an area: an invisible form that asks, one window at a time, whether to make a new area
// (when asked to confirm), its size class and its music, background and weather, then builds the
// area apart from the stage and hands it over as the area's XML text. The stage gets no area
// from it: the owner turns a non-empty text into an area once the factory has closed. An empty
// text means the player cancelled somewhere, or the area could not be made (the player has been
// shown why, and the stage is as it was).
//
// A question window closes inside its own button handler, so the factory never opens the next
// one from its closed handler: it notes the next step and opens it at its next update, after its
// form has dropped the closed window.
#include <cstdint>
#include <string>

#include "controls/Forms.h"

class CStage;

class CNewAreaFactoryWindow : public Controls::COriginalBaseForm, public Controls::IClosedEventHandler {
  public:
    enum Phase : int32_t { kConfirming = 0, kChoosingClass = 1, kChoosingSettings = 2, kShowingError = 3 };
    enum NextStep : int32_t {
        kNoStep = 0,
        kOpenClassWindow = 1,
        kOpenSettingsWindow = 2,
        kOpenErrorWindow = 3
    };
    // What a new area starts with: Stage001, GrassDayTime, no weather.
    static constexpr int32_t kDefaultMusic = 7, kDefaultBackGround = 1, kDefaultWeather = 0;

    // The stage stays the caller's; it gives the new area's absolute number.
    CNewAreaFactoryWindow(CStage* stage, bool askConfirmation);

    void UpdateSelf() override;
    void OnClosed(Controls::GCForm* sender) override;

    std::string GetAreaXmlText() const { return areaText_; }
    int32_t GetPhase() const { return phase_; }
    int32_t GetAreaClass() const { return areaClass_; }

  private:
    void OnSettingsClosed(Controls::GCForm* sender);
    // The new area's text, or the error shown instead.
    void BuildArea(int32_t music, int32_t backGround, int32_t weather);

    int32_t phase_;
    int32_t nextStep_;
    int32_t areaClass_;
    std::string areaText_;
    std::string error_;
    CStage* stage_;
};
