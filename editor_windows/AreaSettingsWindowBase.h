#pragma once
// What the stage settings window and the new area's settings window share: "O K" and "ｷｬﾝｾﾙ" on
// the bottom line, and one row each for an area's music, background and weather (a caption, the
// value's name and a "変更" button that opens the value's picker over the window). A picker's
// answer is read when it closes, whatever way it closed: a cancelled picker still holds the value
// it was opened with. Nothing reaches the stage while the window is open; the owner reads the
// values once it has closed with result kSettingsOk.
#include <cstdint>
#include <string>

#include "controls/Dialogs.h"

// Results of the settings windows.
enum SettingsResult : int32_t {
    kSettingsOk = 0,
    kSettingsCancelled = 1,  // also the close button
    kSettingsPickStartPoint = 2,
};

class CAreaSettingsWindowBase : public Controls::CCloseableBeigeForm, public Controls::IClosedEventHandler {
  public:
    // Which child window is open or was opened last.
    enum PendingDialog : int32_t {
        kPendingNone = 0,
        kPendingKeyboard = 1,
        kPendingMusic = 2,
        kPendingBackGround = 3,
        kPendingWeather = 4
    };

    void OnButtonPushed(Controls::GCButton* sender) override;
    void OnClosed(Controls::GCForm* sender) override;

    int32_t GetResult() const { return result_; }
    int32_t GetMusic() const { return music_; }
    int32_t GetBackGround() const { return backGround_; }
    int32_t GetWeather() const { return weather_; }
    int32_t GetPendingDialog() const { return pending_; }

    Controls::CTextPushButton* GetOkButton() const { return ok_; }
    Controls::CTextPushButton* GetCancelButton() const { return cancel_; }
    Controls::CTextBluePushButton* GetMusicButton() const { return musicButton_; }
    Controls::CTextBluePushButton* GetBackGroundButton() const { return backGroundButton_; }
    Controls::CTextBluePushButton* GetWeatherButton() const { return weatherButton_; }
    Controls::CTextLineArea* GetMusicArea() const { return musicArea_; }
    Controls::CTextLineArea* GetBackGroundArea() const { return backGroundArea_; }
    Controls::CTextLineArea* GetWeatherArea() const { return weatherArea_; }

  protected:
    // A row of the window: a caption 280 wide at (40, y), the value's box 206 wide at (42, y + 23)
    // and its "変更" button at (254, y + 23).
    static constexpr int32_t kRowTextY = 23;
    struct Row {
        Controls::CTextLineArea* area;
        Controls::CTextBluePushButton* button;
    };

    // Builds the window with "O K" and "ｷｬﾝｾﾙ".
    CAreaSettingsWindowBase(const std::string& title, int32_t x, int32_t y, int32_t width, int32_t height,
                            int32_t music, int32_t backGround, int32_t weather);
    // Rows stand 61 pixels apart.
    static constexpr int32_t kRowPitch = 61;
    // The rows of the music, background and weather, captioned, the first caption at y `top`.
    void AddAreaRows(const char* const (&captions)[3], int32_t top);
    // A row of any value: caption, box and button, the window subscribed to the button.
    Row AddRow(const std::string& caption, int32_t captionStyle, int32_t y, const std::string& value);
    // Opens `window` over this one at this window's place plus (16, 32), listening to it.
    void OpenChild(std::unique_ptr<Controls::GCForm> window, PendingDialog pending);
    void Finish(SettingsResult result);
    // The stage settings' own buttons and child windows.
    virtual void OnOtherButtonPushed(Controls::GCButton* /*sender*/) {}
    virtual void OnOtherChildClosed(Controls::GCForm* /*sender*/) {}

  private:
    Controls::CTextPushButton* ok_;
    Controls::CTextPushButton* cancel_;
    Controls::CTextLineArea* musicArea_ = nullptr;
    Controls::CTextLineArea* backGroundArea_ = nullptr;
    Controls::CTextLineArea* weatherArea_ = nullptr;
    Controls::CTextBluePushButton* musicButton_ = nullptr;
    Controls::CTextBluePushButton* backGroundButton_ = nullptr;
    Controls::CTextBluePushButton* weatherButton_ = nullptr;
    int32_t music_, backGround_, weather_;
    int32_t result_ = kSettingsCancelled;
    int32_t pending_ = kPendingNone;
};
