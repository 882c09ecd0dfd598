#pragma once
// CBarManBase: what the five stick-man bosses share. The boss announces itself to the scene,
// plays its entrance (a title picture that shakes in and breaks apart while the world stands
// still) or, where the scene runs none, a short intro, and then runs its colour's attack machine
// in the free state. The model handles being hurt, guarding, recoiling from clashes and bodies,
// jumping away after taking too much, bouncing off walls, the defeat flight and the drawing of the
// figure with its trail of afterimages. A colour class fills in the attack step, the hooks and
// the bar effect.
#include <functional>
#include <memory>

#include "engine/SpriteManager.h"
#include "play/BarFigure.h"
#include "play/Characters.h"

class CSprite;
class IPlaySceneServices;

// The model's states.
enum BarManState {
    kBarManFree = 0,
    kBarManIntro = 1,
    kBarManDefeat = 2,
    kBarManRecoil = 3,
    kBarManPushed = 4,
    kBarManJump = 5,
    kBarManWallJump = 6,
};

enum BarManColour { kBarManRed = 0, kBarManYellow = 1, kBarManBlue = 2, kBarManGreen = 3, kBarManPink = 4 };

class CBarManBase : public IBoss, public IAttackable {
  public:
    CBarManBase(CStage* owner, double x, double y, int facing, int colour, int creatorValue);
    ~CBarManBase() override;

    // ---- IBase / IEnemy / IBoss ----
    void CollideWithMap() override { ResolveMapCollision(); }
    void UpdateCentre() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
    void ApplyWind(double) override {}
    void Act() override;
    void BlowHook() override;
    void OnBlowEnd() override;
    bool EntranceStep() override;
    bool IsFinalBoss() override { return false; }

    // ---- IAttackable: the boss's own hitboxes report here ----
    void OnAttackHit(int, AttackInfo) override {}
    void OnAttackClash(int, AttackInfo, AttackInfo) override {}
    void AfterAttackClash() override;

    // ---- The model ----
    void SetState(int state);
    void StartJump() { SetState(kBarManJump); }
    void ShiftAfterimages();
    void ShowPose(int page, int column, int row, double angle = 0.0, double spinTime = 0.0) {
        ShowPoseShifted(page, column, row, angle, spinTime, 0);
    }
    // The pose moved xShift pixels sideways, hidden parts staying hidden.
    void ShowPoseShifted(int page, int column, int row, double angle, double spinTime, int xShift);
    CBarFigure* GetFigure(int slot) const {
        return slot >= 0 && slot < kTrail ? afterimages[slot].get() : nullptr;
    }
    // Faces the hero: right when the hero's centre is level or to the right.
    void FaceHero();
    double FacingSign() const { return facing == 1 ? 1.0 : -1.0; }
    // The brake stop: an acceleration that has the velocity's sign stops both.
    void BrakeStop();
    // On the ground, true; off it, the colour's airborne state starts and false comes back.
    bool StillOnGround();
    // Brakes to a stand, then StillOnGround.
    bool BrakeOnGround();
    // A draw of the boss's generator: RandomRange unless a test scripted its dice.
    int Roll(int lo, int hi);

    static constexpr int kTrail = 10;
    static constexpr int kEntrancePieces = 12;
    static constexpr double kEntranceFrames = 180.0;

    int facing = 0;
    int creatorValue = 0;
    int colour = 0;
    int barKind = 0;
    int bossState = kBarManIntro;
    double bossStateTime = 0;
    int damageSinceJump = 0;
    bool registered = false;
    bool inEntrance = false;
    std::unique_ptr<CBarFigure> afterimages[kTrail];
    OwnedSprite entranceSprites[kEntrancePieces];
    bool entranceSoundPlayed[3] = {};
    bool afterimageVisible = false;
    int hitPoints = 250;
    int guardChance = 20;
    // Tests replace the generator of one boss with a script.
    std::function<int(int, int)> dice;

  protected:
    // ---- What a colour fills in ----
    virtual void UpdateAttack() = 0;
    virtual void OnEnterState(int /*state*/) {}
    virtual void OnHurt() {}
    // The end of a model state: facing the hero, the colour's machine starts over (from its
    // opening move after the intro). Nothing after the defeat.
    virtual void OnStateEnd(int state);
    // Back from a blow: jump away from a close hero, else start over.
    virtual void OnBlowRecovered() { BackToFree(); }
    // The colour's machine at its first state, or at its opening move after the intro.
    virtual void RestartAttack(bool afterIntro) = 0;
    virtual bool IsAttackImmune() = 0;
    virtual bool IsContactHarmless() = 0;
    virtual bool IsClashProof() = 0;
    virtual int GetBarEffectKind() = 0;
    virtual double GetBarEffectTime() = 0;
    virtual void DrawOverlay() {}
    // The colour's airborne state, which a grounded state gives way to when the ground goes.
    virtual void EnterAirborneState() {}

    // Faces the hero and jumps away from him when he is closer than 128 pixels, else starts the
    // colour's machine over.
    void BackToFree();
    // Standing on the ground, or the airborne pose.
    void ShowStandPose() {
        if (onGround)
            ShowPose(1, 0, 0);
        else
            ShowPose(2, 1, 3);
    }

    IPlaySceneServices* Scene() const;
    bool IsStanding() const { return wasOnGround; }
    // The centre's x and y in whole pixels.
    int MidX() const;
    int MidY() const;

  private:
    void AttachBarEffect(CBarFigure* figure, double angle, double spinTime, int barX, int barY);
    void DrawEntrance();
    void Defeat();
};
