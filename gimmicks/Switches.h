#pragma once
// Switches: small objects standing on the ground that turn one of the three colour flags
// (SwitchColorStates: 0 red, 1 green, 2 blue) on or off when something presses them. A press is
// a touch from the registry's touch pass; which categories can press which kind is the relation
// table's business alone, so a switch never looks at who touched it. The flags are shared by
// colour: the last switch of a colour to act wins, and the play scene clears all three whenever a
// stage starts, a life is lost, the area changes or play ends.
//
// Six kinds differ in how a press acts: once (push, devil, force), on for 480 frames with ticking
// (timer), toggled once per contact (change) and on while held (spring).
#include "engine/SpriteManager.h"
#include "play/Base.h"

class CSwitchBase : public IBase {
  public:
    enum Colour { kRed = 0, kGreen = 1, kBlue = 2 };
    // colour: a Colour; any other colour shows the blue cells and changes no flag.
    CSwitchBase(CStage* owner, double x, double y, int colour);

    void Update() override;
    void Draw() override;
    void Kill() override {}  // a switch lives as long as its area
    double GetAuxValue() override { return 0.0; }

    int GetColour() const { return colour_; }
    bool IsOn() const { return on_; }

  protected:
    // One kind's look and box: the cell row of its sheet, the image offset below the centre.
    struct Look {
        const char* key;
        int cellTop, cellBottom;
        double imageOffsetY;
    };
    void Setup(double w, double h, const Look& look);

    // Sets or clears this colour's flag (nothing for a colour outside 0..2).
    void TurnOn();
    void TurnOff();
    // TurnOn or TurnOff with the press sounds and the sparkle, and the new state kept.
    void Switch(bool on);
    // The sparkle at the middle of the box.
    void ShowEffect();

    bool on_ = false;

  private:
    int colour_;
    double imageOffsetY_ = 0.0;
    OwnedSprite released_, pressed_;
};

// Pressed once, stays on.
class CPressOnceSwitch : public CSwitchBase {
  public:
    using CSwitchBase::CSwitchBase;
    void OnTouch(IBase* other) override;
};

class CPushSwitch : public CPressOnceSwitch {
  public:
    CPushSwitch(CStage* owner, double x, double y, int colour);
};

class CDevilSwitch : public CPressOnceSwitch {
  public:
    CDevilSwitch(CStage* owner, double x, double y, int colour);
};

class CForceSwitch : public CPressOnceSwitch {
  public:
    CForceSwitch(CStage* owner, double x, double y, int colour);
};

// On for 480 frames after a press, ticking 20 times, faster toward the end; pressing it while it
// runs changes nothing.
class CTimerSwitch : public CSwitchBase {
  public:
    static constexpr double kRunFrames = 480.0;
    static constexpr int kTickCount = 20;

    CTimerSwitch(CStage* owner, double x, double y, int colour);
    void Update() override;
    void OnTouch(IBase* other) override;

    // The sound of tick n (0..19): the two tick sounds alternate, with one pair doubled.
    static int TickSound(int n);
    int GetTicks() const { return ticks_; }
    double GetTimer() const { return timer_; }

  private:
    double timer_ = 0.0;
    int ticks_ = 0;
};

// Flips once per contact: something resting on it flips it only in the first frame.
class CChangeSwitch : public CSwitchBase {
  public:
    CChangeSwitch(CStage* owner, double x, double y, int colour);
    void Update() override;
    void OnTouch(IBase* other) override;

  private:
    bool touched_ = false, touchedLastFrame_ = false;
};

// On while something touches it; off in the first update after a frame without contact.
class CSpringSwitch : public CSwitchBase {
  public:
    CSpringSwitch(CStage* owner, double x, double y, int colour);
    void Update() override;
    void OnTouch(IBase* other) override;

  private:
    bool touched_ = false;
};
