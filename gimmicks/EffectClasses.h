#pragma once
// The effect classes that show pictures: one picture at a time chosen from the remaining life
// (sparks, blasts, smoke, splashes, flashes, sword trails), rings of twinkles, a picture breaking
// into quarters and a block splitting in two. The effects with arrays of moving pieces are in
// ParticleEffects.h.
#include "gimmicks/Effect.h"

// How an effect of one picture at a time looks and moves, as data.
struct EffectFrame {
    const char* group = "Effect";
    const char* key = "";
    EffectCell cell;
    double dx = 0, dy = 0;  // where it is shown, from the centre
};

struct EffectMotion {
    enum Kind { kStill, kFlying, kRandomDirection };
    Kind kind = kStill;
    bool randomVx = false;  // horizontal speed RandomRange(vxLow, vxHigh)
    int vxLow = 0, vxHigh = 0;
    double vy = 0;                    // pixels per second, negative rises
    double gravity = 0;               // pixels per second squared
    int speedLow = 0, speedHigh = 0;  // kRandomDirection: speed RandomRange(low, high)
};

struct EffectLook {
    double lifetime = 1;
    int frameCount = 1;
    EffectFrame frames[4];
    // Frame i is shown while life > thresholds[i] (>= when inclusive), the last one otherwise.
    double thresholds[3] = {};
    bool inclusive = false;
    // The alpha of the last frame from the life; null keeps 1.0.
    double (*lastFrameAlpha)(double life) = nullptr;
    // Scale and tilt (the turn in the screen plane) of every frame: base + perLife x life.
    double scaleBase = 1.0, scalePerLife = 0.0;
    double tiltBase = 0.0, tiltPerLife = 0.0;
    // Shown only while trunc(life) % 4 is below 2: two ticks on, two off.
    bool blinks = false;
    EffectMotion motion;
};

// The look of a picture effect kind, or null for the kinds drawn otherwise.
const EffectLook* FindEffectLook(int kind);

class CPictureEffect : public IEffect {
  public:
    CPictureEffect(CStage* owner, double x, double y, const EffectLook& look);
    void Update() override;
    void Draw() override;
    // The frame shown at the current life, -1 while hidden.
    int GetShownFrame() const;
    CSprite* GetFrameSprite(int i) const { return i >= 0 && i < look_.frameCount ? frames_[i] : nullptr; }

  private:
    const EffectLook& look_;
    CSprite* frames_[4] = {};
};

// One class per picture kind, all drawn by CPictureEffect from their look.
template <int Kind>
class CPictureEffectOf : public CPictureEffect {
  public:
    CPictureEffectOf(CStage* owner, double x, double y)
        : CPictureEffect(owner, x, y, *FindEffectLook(Kind)) {}
};

using CEffect_Brunt = CPictureEffectOf<1>;
using CEffect_PowerBrunt = CPictureEffectOf<2>;
using CEffect_Slash = CPictureEffectOf<3>;
using CEffect_BurstRed = CPictureEffectOf<5>;
using CEffect_BurstBlue = CPictureEffectOf<6>;
using CEffect_GuardRing = CPictureEffectOf<7>;
using CEffect_SmallFire = CPictureEffectOf<8>;
using CEffect_Smoke = CPictureEffectOf<9>;
using CEffect_IceSmoke = CPictureEffectOf<10>;
using CEffect_BrownSmoke = CPictureEffectOf<11>;
using CEffect_RandomIce = CPictureEffectOf<12>;
using CEffect_IceBreak = CPictureEffectOf<13>;
using CEffect_SmallBlueFire = CPictureEffectOf<14>;
using CEffect_1UP = CPictureEffectOf<16>;
using CEffect_WaterDropUp = CPictureEffectOf<17>;
using CEffect_WaterDropDown = CPictureEffectOf<18>;
using CEffect_WaterDropLeft = CPictureEffectOf<19>;
using CEffect_WaterDropRight = CPictureEffectOf<20>;
using CEffect_GetKey = CPictureEffectOf<21>;
using CEffect_Flash = CPictureEffectOf<26>;
using CEffect_SkyMobileDown = CPictureEffectOf<28>;
using CEffect_ShotBreak = CPictureEffectOf<29>;
using CEffect_FrameSword001 = CPictureEffectOf<31>;
using CEffect_FrameSword002 = CPictureEffectOf<32>;
using CEffect_FrameSword003 = CPictureEffectOf<33>;
using CEffect_FrameSword004 = CPictureEffectOf<34>;
using CEffect_ThunderBrunt = CPictureEffectOf<35>;
using CEffect_DarkThunderBrunt = CPictureEffectOf<37>;
using CEffect_DarkMagicBrakeUp002 = CPictureEffectOf<39>;

// Twinkles on a widening ring: eight stepping round (kind 4), eight turning (kind 15) or two
// turning fast (kind 22).
class CRingEffect : public IEffect {
  public:
    CRingEffect(CStage* owner, double x, double y, int kind);
    void Update() override;
    void Draw() override;

    double ringRadius;
    double ringSpeed = 200.0;
    double turningAngle = 0.0;

  private:
    int kind_;
};

class CEffect_EnemyDeath001 : public CRingEffect {
  public:
    CEffect_EnemyDeath001(CStage* owner, double x, double y) : CRingEffect(owner, x, y, 4) {}
};
class CEffect_Healing001 : public CRingEffect {
  public:
    CEffect_Healing001(CStage* owner, double x, double y) : CRingEffect(owner, x, y, 15) {}
};
class CEffect_GetFlag : public CRingEffect {
  public:
    CEffect_GetFlag(CStage* owner, double x, double y) : CRingEffect(owner, x, y, 22) {}
};

// A 32 x 32 picture whose four quarters fly apart (kinds 25, 30, 38).
class CQuarterEffect : public IEffect {
  public:
    // The top-left corner of the 32 x 32 picture in "Effect002".
    CQuarterEffect(CStage* owner, double x, double y, int left, int top);
    void Draw() override;
};

class CEffect_MagicBrakeUp001 : public CQuarterEffect {
  public:
    CEffect_MagicBrakeUp001(CStage* owner, double x, double y) : CQuarterEffect(owner, x, y, 96, 0) {}
};
class CEffect_MagicBrakeUp002 : public CQuarterEffect {
  public:
    CEffect_MagicBrakeUp002(CStage* owner, double x, double y) : CQuarterEffect(owner, x, y, 176, 0) {}
};
class CEffect_DarkMagicBrakeUp001 : public CQuarterEffect {
  public:
    CEffect_DarkMagicBrakeUp001(CStage* owner, double x, double y) : CQuarterEffect(owner, x, y, 208, 0) {}
};

// A block's two halves sliding apart, falling and turning away from each other (kind 40).
class CEffect_BreakBlock003 : public IEffect {
  public:
    CEffect_BreakBlock003(CStage* owner, double x, double y);
    void Draw() override;
};
