#pragma once
// The last boss's projectiles. Both forms keep them as children, so they go when their maker goes.
// CSmallDarkBall: the first form's stream, speeding up and cutting through whatever it hits.
// CBigDarkBall: the second form's homing ball; batted back it homes on the form that threw it.
// CPatriotIceBall: the first form's homing ice ball. CMoonCutter: a crescent that brakes, turns
// to the hero and dashes. CDarkThunder: a bolt falling from far above onto a marked ground line.
// CLightBeforeBomb: a warning light that a bomb picture flies into before it bursts.
#include "enemies/EnemyShots.h"
#include "enemies/PatternEnemy.h"
#include "play/Base.h"
#include "play/HitEffect.h"
#include "play/Shots.h"

// A shot that remembers its last eight positions and draws four fading images along them.
class CTrailShot : public CShotBase {
  public:
    static constexpr int kTrail = 8;
    // The four images share one cell of "Objects004".
    CTrailShot(CStage* owner, double x, double y, double vx, double vy, bool heroSide, int lifetime,
               SpriteCell cell, double firstAlpha, double scale);
    void Draw() override;

    double trailX[kTrail] = {}, trailY[kTrail] = {};  // entry 0 the newest

  protected:
    // Shifts the trail and takes the current position as its newest entry.
    void StepTrail();

  private:
    CSpriteSheet images_;
    double firstAlpha_;
    double scale_;
};

class CSmallDarkBall : public CTrailShot {
  public:
    CSmallDarkBall(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
};

class CBigDarkBall : public CTrailShot {
  public:
    CBigDarkBall(CStage* owner, double x, double y, double vx, double vy, bool heroSide, IBase* firer);
    void Move() override;
    int Collide(IBase* other) override;
    // Burst attacks pass it (6); any other blow bats it back toward its firer, faster and steadier.
    int ReceiveAttack(AttackInfo attack) override;

    ObjectHandle bossForm;
    double heading = 0, turnRate = 0.12, speed = 0;
};

class CPatriotIceBall : public CTrailShot {
  public:
    CPatriotIceBall(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;

    double targetAngle = 0, heading = 0, turnRate = 0.21, speed = 0;

  private:
    // Three ice sparks about the centre, the sound, and the end.
    void Shatter(int sound);
};

class CMoonCutter : public CEffectShot {
  public:
    CMoonCutter(CStage* owner, double x, double y, double vx, double vy, bool heroSide, bool spinForward);
    void Move() override;
    void Draw() override;

    double targetAngle = 0, heading = 0, turnRate = 0.05, speed = 0;
    bool spinForward = true;
    double spin = 0;
};

class CDarkThunder : public CShotBase {
  public:
    CDarkThunder(CStage* owner, double x, double y, bool heroSide, int markY);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    int markY = 0;

  private:
    CSpriteSheet images_;  // bolt A, bolt B, glow A, glow B, ground mark
};

class CLightBeforeBomb : public IBase {
  public:
    CLightBeforeBomb(CStage* owner, double x, double y, int fromLeft);
    void Update() override;
    void CollideWithMap() override {}
    void Draw() override;
    void DrawDebug() override { DrawDebugBox(*this); }

    static constexpr double kBurstAge = 67.0;
    int fromLeft = 0;
    bool warned = false;

  private:
    CSpriteSheet images_;  // the bomb from the right, from the left
};

// The homing step shared by the last boss's homing shots: turns `heading` toward `target` by
// `step` radians at most, then flies along it at `speed`.
void HomeToward(IBase& shot, double target, double step, double speed, double* heading);
