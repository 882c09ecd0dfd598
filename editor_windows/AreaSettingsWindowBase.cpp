#include "editor_windows/AreaSettingsWindowBase.h"

#include <memory>

#include "controls/ControlPort.h"
#include "editor_windows/BackGroundSelectWindow.h"
#include "editor_windows/MusicSelectWindow.h"
#include "editor_windows/WeatherSelectWindow.h"
#include "engine/Music.h"
#include "stage/StageCatalogues.h"

using namespace Controls;

namespace {
// The area rows' captions are of the second colour.
constexpr int32_t kAreaCaptionStyle = 2;
}  // namespace

CAreaSettingsWindowBase::CAreaSettingsWindowBase(const std::string& title, int32_t x, int32_t y,
                                                 int32_t width, int32_t height, int32_t music,
                                                 int32_t backGround, int32_t weather)
    : CCloseableBeigeForm(title, x, y, width, height),
      music_(music),
      backGround_(backGround),
      weather_(weather) {
    ok_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 - 90, GetHeight() - 56, "O K"));
    ok_->AddPushedEventHandler(this);
    cancel_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 + 10, GetHeight() - 56, "ｷｬﾝｾﾙ",
                                                           ControlSound::kCloseWindow));
    cancel_->AddPushedEventHandler(this);
}

CAreaSettingsWindowBase::Row CAreaSettingsWindowBase::AddRow(const std::string& caption, int32_t captionStyle,
                                                             int32_t y, const std::string& value) {
    AddControl(std::make_unique<CCaptionRibon>(caption, 40, y, 280, captionStyle));
    Row row{AddControl(std::make_unique<CTextLineArea>(value, 42, y + kRowTextY, 206)),
            AddControl(std::make_unique<CTextBluePushButton>(254, y + kRowTextY, "変更"))};
    row.button->AddPushedEventHandler(this);
    return row;
}

void CAreaSettingsWindowBase::AddAreaRows(const char* const (&captions)[3], int32_t top) {
    const Row music = AddRow(captions[0], kAreaCaptionStyle, top, MusicDisplayName(music_));
    const Row backGround =
        AddRow(captions[1], kAreaCaptionStyle, top + kRowPitch, BackGroundDisplayName(backGround_));
    const Row weather =
        AddRow(captions[2], kAreaCaptionStyle, top + 2 * kRowPitch, WeatherDisplayName(weather_));
    musicArea_ = music.area, musicButton_ = music.button;
    backGroundArea_ = backGround.area, backGroundButton_ = backGround.button;
    weatherArea_ = weather.area, weatherButton_ = weather.button;
}

void CAreaSettingsWindowBase::OpenChild(std::unique_ptr<GCForm> window, PendingDialog pending) {
    pending_ = pending;
    window->AddClosedEventHandler(this);
    SetModalForm(std::move(window));
}

void CAreaSettingsWindowBase::Finish(SettingsResult result) {
    result_ = result;
    Close();
}

void CAreaSettingsWindowBase::OnButtonPushed(GCButton* sender) {
    const int32_t x = GetAbsoluteX() + 16, y = GetAbsoluteY() + 32;
    if (sender == ok_) {
        Finish(kSettingsOk);
    } else if (sender == cancel_) {
        Finish(kSettingsCancelled);
    } else if (sender == musicButton_) {
        OpenChild(std::make_unique<CMusicSelectWindow>(x, y, music_), kPendingMusic);
    } else if (sender == backGroundButton_) {
        OpenChild(std::make_unique<CBackGroundSelectWindow>(x, y, backGround_), kPendingBackGround);
    } else if (sender == weatherButton_) {
        OpenChild(std::make_unique<CWeatherSelectWindow>(x, y, weather_), kPendingWeather);
    } else {
        OnOtherButtonPushed(sender);
    }
}

void CAreaSettingsWindowBase::OnClosed(GCForm* sender) {
    if (pending_ == kPendingMusic) {
        if (auto* picker = dynamic_cast<CMusicSelectWindow*>(sender)) {
            music_ = picker->GetMusic();
            musicArea_->SetText(MusicDisplayName(music_));
        }
    } else if (pending_ == kPendingBackGround) {
        if (auto* picker = dynamic_cast<CBackGroundSelectWindow*>(sender)) {
            backGround_ = picker->GetBackGround();
            backGroundArea_->SetText(BackGroundDisplayName(backGround_));
        }
    } else if (pending_ == kPendingWeather) {
        if (auto* picker = dynamic_cast<CWeatherSelectWindow*>(sender)) {
            weather_ = picker->GetWeather();
            weatherArea_->SetText(WeatherDisplayName(weather_));
        }
    } else {
        OnOtherChildClosed(sender);
    }
}
