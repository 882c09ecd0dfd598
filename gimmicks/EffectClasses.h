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
    // A kind that FindEffectLook knows.
    CPictureEffect(CStage* owner, double x, double y, int kind);
    void Update() override;
    void Draw() override;
    // The frame shown at the current life, -1 while hidden.
    int GetShownFrame() const;
    CSprite* GetFrameSprite(int i) const { return i >= 0 && i < look_.frameCount ? frames_[i] : nullptr; }

  private:
    CPictureEffect(CStage* owner, double x, double y, const EffectLook& look);
    const EffectLook& look_;
    CSprite* frames_[4] = {};  // kept in sprites_
};

using CEffect_Brunt = CEffectOfKind<CPictureEffect, 1>;
using CEffect_PowerBrunt = CEffectOfKind<CPictureEffect, 2>;
using CEffect_Slash = CEffectOfKind<CPictureEffect, 3>;
using CEffect_BurstRed = CEffectOfKind<CPictureEffect, 5>;
using CEffect_BurstBlue = CEffectOfKind<CPictureEffect, 6>;
using CEffect_GuardRing = CEffectOfKind<CPictureEffect, 7>;
using CEffect_SmallFire = CEffectOfKind<CPictureEffect, 8>;
using CEffect_Smoke = CEffectOfKind<CPictureEffect, 9>;
using CEffect_IceSmoke = CEffectOfKind<CPictureEffect, 10>;
using CEffect_BrownSmoke = CEffectOfKind<CPictureEffect, 11>;
using CEffect_RandomIce = CEffectOfKind<CPictureEffect, 12>;
using CEffect_IceBreak = CEffectOfKind<CPictureEffect, 13>;
using CEffect_SmallBlueFire = CEffectOfKind<CPictureEffect, 14>;
using CEffect_1UP = CEffectOfKind<CPictureEffect, 16>;
using CEffect_WaterDropUp = CEffectOfKind<CPictureEffect, 17>;
using CEffect_WaterDropDown = CEffectOfKind<CPictureEffect, 18>;
using CEffect_WaterDropLeft = CEffectOfKind<CPictureEffect, 19>;
using CEffect_WaterDropRight = CEffectOfKind<CPictureEffect, 20>;
using CEffect_GetKey = CEffectOfKind<CPictureEffect, 21>;
using CEffect_Flash = CEffectOfKind<CPictureEffect, 26>;
using CEffect_SkyMobileDown = CEffectOfKind<CPictureEffect, 28>;
using CEffect_ShotBreak = CEffectOfKind<CPictureEffect, 29>;
using CEffect_FrameSword001 = CEffectOfKind<CPictureEffect, 31>;
using CEffect_FrameSword002 = CEffectOfKind<CPictureEffect, 32>;
using CEffect_FrameSword003 = CEffectOfKind<CPictureEffect, 33>;
using CEffect_FrameSword004 = CEffectOfKind<CPictureEffect, 34>;
using CEffect_ThunderBrunt = CEffectOfKind<CPictureEffect, 35>;
using CEffect_DarkThunderBrunt = CEffectOfKind<CPictureEffect, 37>;
using CEffect_DarkMagicBrakeUp002 = CEffectOfKind<CPictureEffect, 39>;

// Twinkles on a widening ring: eight stepping round (kind 4), eight turning (kind 15) or two
// turning fast (kind 22).
class CRingEffect : public IEffect {
  public:
    // The effect kinds drawn as rings.
    enum Kind { kSteppingRing = 4, kTurningRing = 15, kFastPair = 22 };

    CRingEffect(CStage* owner, double x, double y, int kind);
    void Update() override;
    void Draw() override;

    double ringRadius;
    double ringSpeed = 200.0;
    double turningAngle = 0.0;

  private:
    int kind_;
};

using CEffect_EnemyDeath001 = CEffectOfKind<CRingEffect, CRingEffect::kSteppingRing>;
using CEffect_Healing001 = CEffectOfKind<CRingEffect, CRingEffect::kTurningRing>;
using CEffect_GetFlag = CEffectOfKind<CRingEffect, CRingEffect::kFastPair>;

// A 32 x 32 picture whose four quarters fly apart (kinds 25, 30, 38).
class CQuarterEffect : public IEffect {
  public:
    enum Kind { kPink = 25, kGold = 30, kDark = 38 };
    // kind: a Kind (anything else is pink).
    CQuarterEffect(CStage* owner, double x, double y, int kind);
    void Draw() override;
};

using CEffect_MagicBrakeUp001 = CEffectOfKind<CQuarterEffect, CQuarterEffect::kPink>;
using CEffect_MagicBrakeUp002 = CEffectOfKind<CQuarterEffect, CQuarterEffect::kGold>;
using CEffect_DarkMagicBrakeUp001 = CEffectOfKind<CQuarterEffect, CQuarterEffect::kDark>;

// A block's two halves sliding apart, falling and turning away from each other (kind 40).
class CEffect_BreakBlock003 : public IEffect {
  public:
    CEffect_BreakBlock003(CStage* owner, double x, double y);
    void Draw() override;
};
