#pragma once
// The bases of every clickable control. COriginalBaseButton adds a size, hover with mouse-enter
// and mouse-leave events, a down flag and an enabled flag (each with its value of the previous
// frame, so subclasses react to changes); four bases below it turn the polled mouse into Push
// events in four ways. They draw nothing of their own.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Widget.h"

namespace Controls {

class COriginalBaseButton : public GCButton {
  public:
    COriginalBaseButton() : COriginalBaseButton(0, 0, 40, 40) {}
    COriginalBaseButton(int32_t x, int32_t y, int32_t width, int32_t height);

    void UpdateSelf() override;
    void Draw() override { DrawChildren(); }
    void OnPush() override;
    // Runs when the mouse enters the button, before the focused handlers.
    virtual void OnFocus();

    void AddFocusedEventHandler(IFocusedEventHandler* handler) { focusedHandlers_.push_back(handler); }
    void AddUnFocusedEventHandler(IUnFocusedEventHandler* handler) { unfocusedHandlers_.push_back(handler); }
    void NotifyFocused();
    void NotifyUnFocused();

    bool IsDown() const { return down_; }
    bool IsHovered() const { return hover_; }
    bool IsEnabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    double GetFrameCounter() const { return frames_; }
    // The caption of buttons that carry one; empty for the others.
    virtual std::string GetText() const { return std::string(); }
    // The short help a screen shows beside the button while the mouse is on it (its owner sets
    // it; empty for none). Kept apart from the caption: a text button carries both.
    void SetHelpText(const std::string& text) { helpText_ = text; }
    const std::string& GetHelpText() const { return helpText_; }

  protected:
    void SetSize(int32_t width, int32_t height) { width_ = width, height_ = height; }
    // The hover test and the enter/leave events every HandleInput begins with; false when the
    // button is disabled and input is skipped altogether.
    bool PollHover();
    // A blocked, closed or disabled button loses its hover (with a mouse-leave event) and, unless
    // `keepDown`, its down flag.
    void DropWhenInactive(bool keepDown);
    // The left press/release/held flags of this frame.
    static bool Pressed();
    static bool Released();
    static bool Held();

    bool down_ = false, prevDown_ = false;
    bool hover_ = false, prevHover_ = false;
    bool enabled_ = true, prevEnabled_ = true;

  private:
    std::vector<IFocusedEventHandler*> focusedHandlers_;
    std::vector<IUnFocusedEventHandler*> unfocusedHandlers_;
    int32_t width_, height_;
    double frames_ = 0;
    std::string helpText_;
};

// Fires Push when the left button comes up after a press that began inside.
class CPushButtonBase : public COriginalBaseButton {
  public:
    CPushButtonBase() = default;
    CPushButtonBase(int32_t x, int32_t y, int32_t width, int32_t height)
        : COriginalBaseButton(x, y, width, height) {}
    void UpdateSelf() override;
    void HandleInput() override;
    // Pushes the button without the mouse.
    virtual void PerformPush();

  protected:
    // Outside the button: a release, or a frame with the button up, disarms.
    void DisarmOutside();
    // A press inside arms the button; letting go inside (or the button found up) disarms it.
    // The Push comes on the press or on letting go.
    void PollArmed(bool pushOnPress);
};

// Fires Push on the press itself; down only shows the held look.
class CPushImmediateButtonBase : public CPushButtonBase {
  public:
    CPushImmediateButtonBase(int32_t x, int32_t y, int32_t width, int32_t height)
        : CPushButtonBase(x, y, width, height) {}
    void HandleInput() override;
};

// On and off by clicks (Push on switching on, Pull on switching off) or by code.
class CToggleButtonBase : public COriginalBaseButton {
  public:
    CToggleButtonBase(int32_t x, int32_t y, int32_t width, int32_t height)
        : COriginalBaseButton(x, y, width, height) {}
    void UpdateSelf() override;
    void HandleInput() override;
    virtual void OnPull();

    void AddPulledEventHandler(IPulledEventHandler* handler) { pulledHandlers_.push_back(handler); }
    void TurnOn();
    void TurnOff();
    void Pull();
    void EnableClickToggle() { clickToggle_ = true; }
    void DisableClickToggle() { clickToggle_ = false; }
    bool IsClickToggle() const { return clickToggle_; }

  private:
    std::vector<IPulledEventHandler*> pulledHandlers_;
    bool clickToggle_ = true;
};

// Push on the press, then again after a first delay and at intervals that shrink while the
// button stays held. Times are frames at 60 per second.
class CHoldButtonBase : public COriginalBaseButton {
  public:
    static constexpr double kFirstDelay = 27;
    static constexpr double kStartInterval = 10.8;
    static constexpr double kEndInterval = 4.8;
    static constexpr double kRampLength = 150;
    static constexpr double kCountdownMargin = 1e-6;

    CHoldButtonBase(int32_t x, int32_t y, int32_t width, int32_t height)
        : COriginalBaseButton(x, y, width, height) {}
    void UpdateSelf() override;
    void HandleInput() override;

  private:
    void Rest() { heldTime_ = 0, countdown_ = 0, down_ = false; }
    double heldTime_ = 0;
    double countdown_ = 0;
};

}  // namespace Controls
