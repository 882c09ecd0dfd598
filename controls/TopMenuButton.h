#pragma once
// The base of the top menu's entries: a button that fires on the press, sways sideways all the
// time and, once pushed, stays activated while its subclass and the menu animate the choice.
// It draws only its children; each entry draws itself from IsActivated and the activation time.
#include <cstdint>

#include "controls/ButtonBases.h"

namespace Controls {

class CTopMenuButtonBase : public CPushImmediateButtonBase {
  public:
    static constexpr double kSwayAmplitude = 12;
    static constexpr double kSwaySpeed = 0.03;  // radians per frame
    static constexpr int kPushSound = 2;

    // Placed at (x, y) and swayed once, so that it starts where the sway puts it; buttons with
    // different phases sway out of step.
    CTopMenuButtonBase(int32_t x, int32_t y, int32_t width, int32_t height, double phase);
    void HandleInput() override;
    void OnPush() override;
    void OnFocus() override;
    // Pushes without the mouse and, while activatable, activates.
    void PerformPush() override;
    // From now on pushes neither activate the button nor does the mouse entering sound.
    void DisableActivation() { activatable_ = false; }

    bool IsActivated() const { return activated_; }
    bool IsActivatable() const { return activatable_; }
    double GetActivationTime() const { return activationTime_; }

  private:
    void Sway();

    double activationTime_ = 0;
    bool activated_ = false;
    bool activatable_ = true;
    double phase_;
    double swayTime_ = 0;
    int32_t baseX_;
};

}  // namespace Controls
