#pragma once
// Stand-in for the stage settings window: it keeps the values it is given and answers accept,
// pick the start point on the map, or cancel. Replaced by the real window with its name, start
// point, music, background and weather fields.
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class CStageConfigWindow : public Controls::CStandInWindow {
  public:
    enum Result : int32_t { kAccepted = 0, kCancelled = 1, kPickStartPoint = 2 };
    CStageConfigWindow(int32_t x, int32_t y, int32_t startAreaHeight, const std::string& name,
                       int32_t startArea, int32_t startX, int32_t startY, int32_t music, int32_t backGround,
                       int32_t weather);
    int32_t GetResult() const { return result_; }
    std::string GetName() const { return name_; }
    int32_t GetStartArea() const { return startArea_; }
    int32_t GetStartX() const { return startX_; }
    int32_t GetStartY() const { return startY_; }
    int32_t GetMusic() const { return music_; }
    int32_t GetBackGround() const { return backGround_; }
    int32_t GetWeather() const { return weather_; }
    int32_t GetStartAreaHeight() const { return startAreaHeight_; }

  protected:
    bool OnAnswer(int32_t index) override;

  private:
    int32_t result_ = kCancelled;
    int32_t startAreaHeight_;
    std::string name_;
    int32_t startArea_, startX_, startY_, music_, backGround_, weather_;
};
