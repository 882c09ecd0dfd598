#pragma once
// CHero: the character the player controls. It reads the seven logical keys every frame, walks,
// runs, dashes, jumps, double-jumps and hovers, fights with the weapon it holds, takes damage and
// is beaten when its health runs out. One int state drives it; every frame runs a fixed sequence
// of steps around Move. The class is split by subject: Hero.cpp (the frame, keys, drive, gravity,
// bounds), HeroStates.cpp (state changes, transitions, damage, defeat), HeroAttacks.cpp (attack
// choice, hitboxes, the hose) and HeroImages.cpp (frames, weapon placement, after-images).
#include <initializer_list>
#include <memory>
#include <string>

#include "play/BarFigure.h"
#include "play/Characters.h"
#include "play/HeroVitals.h"

// Marks the object the camera follows.
struct HeroPose;

class ICameraTarget {
  public:
    virtual ~ICameraTarget() = default;
};

// The hero's states by number (31, 41, 45, 55 and 57 are not used).
enum HeroState {
    kHeroStand = 0,
    kHeroWalk = 1,
    kHeroRun = 2,
    kHeroRunStop = 3,
    kHeroHyperDash = 4,
    kHeroHyperDashStop = 5,
    kHeroHyperJump = 6,
    kHeroRollingAttack = 7,
    kHeroWallBounce = 8,
    kHeroRollLanding = 9,
    kHeroHoverStill = 10,
    kHeroHoverMove = 11,
    kHeroRecoil = 12,
    kHeroPushedBack = 13,
    kHeroStompBounce = 14,
    kHeroStagger = 15,
    kHeroStaggerBurning = 16,
    kHeroStaggerBlueBurning = 17,
    kHeroBlown = 18,
    kHeroBlownBurning = 19,
    kHeroBlownBlueBurning = 20,
    kHeroDown = 21,
    kHeroDownBurning = 22,
    kHeroDownBlueBurning = 23,
    kHeroGetUp = 24,
    kHeroFrozen = 25,
    kHeroThawing = 26,
    kHeroBangDownGround = 27,
    kHeroJabGround = 28,
    kHeroSwingWindup = 29,
    kHeroSwingAroundGround = 30,
    kHeroSeqJabGround = 32,
    kHeroFinishJabWindup = 33,
    kHeroFinishJabGround = 34,
    kHeroPropellerSwingGround = 35,
    kHeroRisingWindup = 36,
    kHeroRisingAttack = 37,
    kHeroRisingRollingWindup = 38,
    kHeroRisingRollingAttack = 39,
    kHeroBangDownAir = 40,
    kHeroJabAir = 42,
    kHeroPropellerSwingAir = 43,
    kHeroBangDownAirDash = 44,
    kHeroJabAirDash = 46,
    kHeroPropellerSwingAirDash = 47,
    kHeroDivingAttack = 48,
    kHeroDiveWindup = 49,
    kHeroDiveLanding = 50,
    kHeroAirAttackLanding = 51,
    kHeroRisingFall = 52,
    kHeroBangDownLanding = 53,
    kHeroBangDownAirWindup = 54,
    kHeroBangDownAirDashWindup = 56,
    kHeroJabSquat = 58,
    kHeroJabDash = 59,
    kHeroJabHyperDash = 60,
};

// Weapon kinds.
enum HeroWeapon {
    kWeaponBroom = 0,
    kWeaponShortBar = 1,
    kWeaponLongBar = 2,
    kWeaponMallet = 3,
    kWeaponPropeller = 4,
    kWeaponHose = 5,
};

class CHero : public ICharacter, public ICameraTarget, public IAttackable, public IHeroVitals {
  public:
    CHero(CStage* owner, double x, double y, int weaponKind, int health);
    ~CHero() override;

    // ---- IBase ----
    void Update() override;
    void UpdateCentre() override;
    void CollideWithMap() override { ResolveMapCollision(); }
    void Draw() override;
    void Kill() override {}  // the hero is never removed by a kill
    double GetAuxValue() override { return 0.0; }
    void SetUpwardSpeed(double speed) override;
    int ReceiveAttack(AttackInfo info) override;
    void ApplyWind(double wind) override;

    // ---- IAttackable ----
    void OnAttackHit(int, AttackInfo) override {}
    void OnAttackClash(int result, AttackInfo mine, AttackInfo theirs) override;
    void AfterAttackClash() override {}

    // ---- Operations of the play scene ----
    void SetWeapon(int kind);
    HeroWeaponRecord GetWeapon() const override { return {weaponKind, health}; }
    void SetHealth(int h) override { health = h; }
    void MakeInvincible() { invincibleFrames = 999999.0; }
    void SetState(int n);
    void UpdateDefeated();
    void UpdatePowerUpPose(double t);
    void UpdateDoorPose(double t);
    // The glow (four sprites) and the ring (eight sprites, t in frames) the scene draws.
    // The power-up glow at the pose's frame t, bright or dim (the blink the scene drives).
    void DrawEffects(int t, bool bright);
    void DrawEffectRing(double t);

    // ---- Steps of the frame, public for the scene and the tests ----
    void UpdateTransitions();
    void CheckDamagingChips();
    void StartAttack();
    void UpdateAttack();
    void UpdateImage();
    void SetImage(int page, int column, int row, double bodyAngle, double weaponAngle);
    void SetBarEffectImages();
    void ShiftAfterImages();

    // State sets as the hero's rules name them: one of a list, or within a range.
    static bool In(int s, std::initializer_list<int> list) {
        for (int x : list)
            if (x == s) return true;
        return false;
    }
    static bool Between(int s, int lo, int hi) { return s >= lo && s <= hi; }

    // Figure i of the after-image ring (0 the current one), or null.
    const CBarFigure* GetAfterImage(int i) const {
        return i >= 0 && i < kAfterImageCount ? afterImages_[i].get() : nullptr;
    }

    // The attack name the attack step builds now ("" for none).
    std::string GetAttackName() const;

    // ---- Fields ----
    double cameraX = 0, cameraY = 0;
    int weaponKind = 0;
    int health = 100;
    bool attackPushed = true, attackHeld = true, jumpPushed = true, jumpHeld = true;
    double jumpReleasedFrames = 0;
    int state = kHeroStand, previousState = kHeroStand;
    double stateFrames = 0;
    int facing = 1;  // 0 left, 1 right
    bool squatting = false;
    double invincibleFrames = 0;
    int staggerDamage = 0;
    bool dead = false;
    double deathTimer = 0;
    int deathDirection = 0;  // 1 up-left, 2 up-right, 3 down-left, 4 down-right
    bool hitPhaseReady[4] = {true, true, true, true};
    int relaunchCount = 0;
    double effectTimer = 0;
    double speedLimitTarget[4] = {};  // up, down, left, right
    bool airJumpReady = true;
    bool dashJump = false;
    double runMeter = 0;
    double hoverFrames = 0;
    double bounceSpeedX = 0, bounceSpeedY = 0;
    double airFrames = 0;
    ObjectHandle currentHitbox;
    bool attackBufferOpen = false;
    int attackPushCount = 0;
    double walkCycle = 0, spinAngle = 0, weaponSpin = 0;
    bool airActionUsed = false;
    bool trailVisible = false;
    int hitStopFrames = 0;

    // The hose.
    bool spraying = false;
    double sprayFrames = 0, shotTimer = 0, pressure = 0;
    double aimAngle = 0, previousAimAngle = 0;
    double nozzleOffsetX = 0, nozzleOffsetY = 0;

    // The frame last shown (page, column, row), for the tests and the screenshot sheet.
    int framePage = 1, frameColumn = 0, frameRow = 0;
    // Effect sprite i (0..3 the glow, 4..11 the ring), for the tests.
    const CSprite* GetEffectSprite(int i) const;

    static constexpr int kAfterImageCount = 10;
    static constexpr int kEffectSpriteCount = 12;

  private:
    // Hero.cpp
    void ReadKeys();
    void MoveSpeedLimits();
    void UpdateFacingAndSquat();
    void SetSquat(bool on);
    void UpdateLedgeStop();
    void UpdateLanding();
    void UpdateJump();
    void UpdateRunMeter();
    void UpdateDrive();
    void UpdateGravity();
    bool ArrowsDown() const;
    bool KeyDown(int key) const;
    bool DoubleTapped(int key) const;
    bool IsSlippery() const { return onSlipperyGround; }
    // HeroStates.cpp
    void EnterState();
    void SetSpeedLimitTargets();
    void UpdateStatusEffects();
    void UpdateAttackBuffer();
    bool NeutralExit(int hoverState);
    // What one frame's transitions read, gathered before the state's step.
    struct TransitionInput {
        bool arrows;       // an arrow key is held
        bool air;          // the hero is off the ground
        bool attack;       // an attack push waits in the buffer
        bool facingArrow;  // the arrow of the facing is held
        double sf;         // frames in the state
    };
    void StepMovingTransitions(const TransitionInput& now);
    void StepDashTransitions(const TransitionInput& now);
    void StepHoverTransitions(const TransitionInput& now);
    void StepHurtTransitions(const TransitionInput& now);
    void StepGroundAttackTransitions(const TransitionInput& now);
    void StepAirAttackTransitions(const TransitionInput& now);
    void TakeHitMove();
    int ReceiveStomp();
    int ReceivePush(AttackInfo info);
    int ReceiveDamage(AttackInfo info);
    void RecoilFrom(int damage);
    // HeroAttacks.cpp
    void UpdateHitPhases();
    void UpdateHose();
    void FireHose();
    void UpdatePeriodicSounds();
    void MakeHitbox(const std::string& name);
    // HeroImages.cpp
    void UpdateAnimation();
    bool MovePose(HeroPose& p) const;
    bool HurtPose(HeroPose& p) const;
    bool AttackPose(HeroPose& p) const;
    void CreateEffectSprites();

    double lastFrames_ = 0;  // this frame's length in frames
    bool powerUpSounded_ = false;
    std::unique_ptr<CBarFigure> afterImages_[kAfterImageCount];
    OwnedSprite effectSprites_[kEffectSpriteCount];
};

// True for the states in which the hero reels from a hit (15-26).
inline bool IsHeroHurtState(int s) { return s >= kHeroStagger && s <= kHeroThawing; }
