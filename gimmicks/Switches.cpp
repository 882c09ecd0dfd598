#include "gimmicks/Switches.h"

#include <cmath>

#include "engine/SoundEffects.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "gimmicks/GimmickSupport.h"
#include "play/EffectFactory.h"
#include "stage/StageChips.h"

namespace {

constexpr int kSwitchEffect = 29;  // the sparkle of a switch changing state

// The timer's tick times in frames since the press; each passes strictly after its time.
constexpr double kTickTimes[CTimerSwitch::kTickCount] = {30,  60,  90,  120, 150, 180, 210,   240, 270, 285,
                                                         300, 315, 330, 360, 390, 405, 412.5, 420, 435, 450};

}  // namespace

// ---- Base ------------------------------------------------------------------------------------

CSwitchBase::CSwitchBase(CStage* ownerStage, double px, double py, int colour)
    : IBase(ownerStage, px, py), colour_(colour) {
    category = kCategorySwitch;
    drawPriority = 20;
    depth = 0.003;
    removeWhenOffScreen = false;  // keeps its state while the player stays in the area
}

void CSwitchBase::Setup(double w, double h, const Look& look) {
    width = w;
    height = h;
    vx = 0.0;
    vy = GetFrameRate() * 4.0;  // sets it onto the ground in its first frame
    ax = 0.0;
    ay = 500.0;
    imageOffsetY_ = look.imageOffsetY;
    // Released and pressed cells side by side: red at 0, green at 64, blue (and any other) at 128.
    const int left = colour_ == kRed ? 0 : colour_ == kGreen ? 64 : 128;
    released_ = MakeObjectSprite(look.key, left, look.cellTop, left + 32, look.cellBottom);
    pressed_ = MakeObjectSprite(look.key, left + 32, look.cellTop, left + 64, look.cellBottom);
}

void CSwitchBase::Update() {
    BeginFrame();
    Move();
    EndFrame();
}

void CSwitchBase::Draw() {
    imageX = centerX;
    imageY = centerY + imageOffsetY_;
    sprite = on_ ? pressed_.get() : released_.get();
    DrawSprite();
}

void CSwitchBase::TurnOn() { SwitchColorStates::Set(colour_, true); }

void CSwitchBase::TurnOff() { SwitchColorStates::Set(colour_, false); }

void CSwitchBase::Switch(bool on) {
    if (on)
        TurnOn();
    else
        TurnOff();
    on_ = on;
    PlaySE(SoundId::kDeath2);
    PlaySE(SoundId::kSwitch);
    ShowEffect();
}

void CSwitchBase::ShowEffect() {
    const int cx = static_cast<int>(std::trunc(GetLeft() + GetRight())) / 2;
    const int cy = static_cast<int>(std::trunc(GetTop() + GetBottom())) / 2;
    CreateEffect(kSwitchEffect, cx, cy, owner);
}

// ---- Press once ------------------------------------------------------------------------------

void CPressOnceSwitch::OnTouch(IBase*) {
    if (!on_) Switch(true);
}

CPushSwitch::CPushSwitch(CStage* ownerStage, double px, double py, int colour)
    : CPressOnceSwitch(ownerStage, px, py, colour) {
    Setup(26, 24, {"Objects002", 232, 256, 0.0});
}

CDevilSwitch::CDevilSwitch(CStage* ownerStage, double px, double py, int colour)
    : CPressOnceSwitch(ownerStage, px, py, colour) {
    category = kCategoryDevilSwitch;
    Setup(20, 20, {"Objects004", 64, 96, -6.0});
}

CForceSwitch::CForceSwitch(CStage* ownerStage, double px, double py, int colour)
    : CPressOnceSwitch(ownerStage, px, py, colour) {
    category = kCategoryForceSwitch;
    Setup(26, 28, {"Objects004", 128, 160, -2.0});
}

// ---- Timer -----------------------------------------------------------------------------------

CTimerSwitch::CTimerSwitch(CStage* ownerStage, double px, double py, int colour)
    : CSwitchBase(ownerStage, px, py, colour) {
    Setup(26, 30, {"Objects004", 0, 32, -1.0});
}

int CTimerSwitch::TickSound(int n) {
    // Alternating, but ticks 15 and 16 share the second sound, so the last ones quicken in step.
    const bool first = n < 15 ? n % 2 == 0 : (n == 17 || n == 19);
    return first ? SoundId::kTimer1 : SoundId::kTimer2;
}

void CTimerSwitch::OnTouch(IBase*) {
    if (on_) return;  // a running timer is not restarted
    timer_ = 0.0;
    ticks_ = 0;
    Switch(true);
}

void CTimerSwitch::Update() {
    BeginFrame();
    Move();
    if (on_) timer_ += GetFrameTime() * 60.0;
    if (timer_ > kRunFrames) {
        TurnOff();
        timer_ = 0.0;
        on_ = false;
        ticks_ = 0;
        ShowEffect();
        PlaySE(SoundId::kTri);
    } else {
        int passed = 0;
        while (passed < kTickCount && timer_ > kTickTimes[passed]) ++passed;
        // One tick a frame: a long frame that passes several makes them up in the next frames.
        if (ticks_ < passed) {
            PlaySE(TickSound(ticks_));
            ++ticks_;
        }
    }
    EndFrame();
}

// ---- Change ----------------------------------------------------------------------------------

CChangeSwitch::CChangeSwitch(CStage* ownerStage, double px, double py, int colour)
    : CSwitchBase(ownerStage, px, py, colour) {
    Setup(26, 24, {"Objects004", 40, 64, 0.0});
}

void CChangeSwitch::Update() {
    BeginFrame();
    Move();
    touchedLastFrame_ = touched_;
    touched_ = false;
    EndFrame();
}

void CChangeSwitch::OnTouch(IBase*) {
    if (!touched_ && !touchedLastFrame_) Switch(!on_);  // a new contact
    touched_ = true;
}

// ---- Spring ----------------------------------------------------------------------------------

CSpringSwitch::CSpringSwitch(CStage* ownerStage, double px, double py, int colour)
    : CSwitchBase(ownerStage, px, py, colour) {
    category = kCategorySpringSwitch;
    Setup(26, 24, {"Objects004", 104, 128, 0.0});
}

void CSpringSwitch::Update() {
    BeginFrame();
    Move();
    // The touch pass runs after every update, so this sees whether the last frame touched it.
    if (!touched_ && on_) Switch(false);
    touched_ = false;
    EndFrame();
}

void CSpringSwitch::OnTouch(IBase*) {
    if (touched_) return;
    touched_ = true;
    if (!on_) Switch(true);
}
