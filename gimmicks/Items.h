#pragma once
// Items: what the hero collects by touching it. Snacks heal, the extra life adds a life, the
// weapon bars change the weapon, keys open key doors and the flag sets the checkpoint. Taking an
// item shows an effect, plays a sound, kills the item and clears its record's spawn flag, so a
// placed item stays gone while the stage copy lasts (a lost life brings a fresh copy; the scene
// keeps taken keys out of it). Anything but the hero is ignored.
#include <array>

#include "engine/SpriteManager.h"
#include "play/Base.h"

class IHeroVitals;
class IPlaySceneServices;

// Weapon kinds of the hero.
enum WeaponKind {
    kWeaponStart = 0,
    kWeaponPole = 1,
    kWeaponStrongPole = 2,
    kWeaponMallet = 3,
    kWeaponPropeller = 4,
    kWeaponHose = 5,
};

class CItem : public IBase {
  public:
    static constexpr int kMaxHealth = 100;

    CItem(CStage* owner, double x, double y);
    void UpdateSuspended() override {}
    void OnHeroAttackStarted() override {}
    void ApplyWind(double) override {}

  protected:
    // The hero as the item sees it, or null for any other object.
    static IHeroVitals* AsHero(IBase* other);
    // The hero's centre in whole pixels, and the point 24 pixels above his head.
    static double HeroCentreX(const IBase* hero);
    static double HeroCentreY(const IBase* hero);
    static double AboveHeroY(const IBase* hero);
    IPlaySceneServices* Services() const;
    // Health + amount, never above 100.
    static void Heal(IHeroVitals* hero, int amount);
    // The end of every taking: the item dies and its record no longer spawns it.
    void FinishTaking();
    // Puts the sprite at the image position with the depth given, turned by the angle, and draws.
    void PlaceAndDraw(CSprite* s, double z, double angle);
};

// The items that can be thrown out of a block: they fly, bounce off walls and ceilings, bounce
// once on landing (at 80 % of the falling speed) and then lie still; their picture spins while
// they fly and a soft glow pulses behind them.
class CThrownItem : public CItem {
  public:
    enum Motion { kResting = 0, kThrown = 1, kBouncing = 2 };
    static constexpr double kHardLanding = 300.0;  // a resting item falling faster bounces once

    // A circle of the radius, centred on (x, y).
    CThrownItem(CStage* owner, double x, double y, double vx, double vy, double radius, double glowBase);
    void Update() override;
    void Draw() override;

    Motion motionState = kResting;
    double spinAngle = 0;

  protected:
    // The item picture (or none) and the glow behind it.
    void DrawSpinningWithGlow(CSprite* item);
    void Reflect();

    OwnedSprite item_;  // none for the weapon bars, which pick one of theirs
    OwnedSprite glow_;
    double glowBase_;
};

// A snack that heals the hero by a fixed amount.
class CSnack : public CThrownItem {
  public:
    CSnack(CStage* owner, double x, double y, double vx, double vy, double radius, double glowBase, int heal);
    void OnTouch(IBase* other) override;

  private:
    int heal_;
};

class CPokikki : public CSnack {
  public:
    CPokikki(CStage* owner, double x, double y, double vx, double vy);
};

class CUmaibo : public CSnack {
  public:
    CUmaibo(CStage* owner, double x, double y, double vx, double vy);
};

class CIceBar : public CSnack {
  public:
    CIceBar(CStage* owner, double x, double y, double vx, double vy);
};

// A stick that floats in place and turns with the program's clock.
class CAirPokikki : public CItem {
  public:
    CAirPokikki(CStage* owner, double x, double y);
    void Update() override;
    void Draw() override;
    void OnTouch(IBase* other) override;

  private:
    OwnedSprite item_;
};

class C1UP : public CItem {
  public:
    static constexpr double kBobSpeed = 80.0;
    enum Facing { kFacingLeft = 0, kFacingRight = 1 };
    // facing: a Facing (anything but kFacingRight faces left).
    C1UP(CStage* owner, double x, double y, int facing);
    void Update() override;
    void Draw() override;
    void OnTouch(IBase* other) override;

    int facing;

  private:
    // The frames facing left, then right; two of each.
    static constexpr int kLeftFrames = 0, kRightFrames = 2;
    std::array<OwnedSprite, 4> frames_;
};

// A weapon: the red-and-white pole (kind 2, which becomes the pole or the stronger pole by what
// the hero holds), the mallet (3), the propeller (4) or the hose (5).
class CPowerUpBar : public CThrownItem {
  public:
    CPowerUpBar(CStage* owner, double x, double y, double vx, double vy, int kind);
    void Draw() override;
    void OnTouch(IBase* other) override;
    // The weapon the hero gets from a bar of this kind while holding `held`.
    static int WeaponGiven(int kind, int held);

    int kind;
    bool taken = false;

  private:
    std::array<OwnedSprite, 5> bars_;  // pole, stronger pole, mallet, propeller, hose
};

class CKey : public CThrownItem {
  public:
    CKey(CStage* owner, double x, double y, double vx, double vy);
    void OnTouch(IBase* other) override;
};

// The checkpoint: the hero starts again at this flag's tile after a lost life.
class CStageFlag : public CItem {
  public:
    CStageFlag(CStage* owner, double x, double y);
    void Update() override;
    void Draw() override;
    void OnTouch(IBase* other) override;

  private:
    std::array<OwnedSprite, 2> waves_;
};
