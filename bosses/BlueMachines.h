#pragma once
// The small machines that the blue stick-man throws and keeps as its children: a hopping gunner,
// a homing flyer, a turning turret and a walking bomb. The three that shoot fire shots that pass
// through walls; the gunner and the flyer fall to any blow, the turret to none, and the bomb
// only bursts, by its fuse or by fire.
#include "enemies/PatternEnemy.h"

// Hops about, now and then stops to aim and fire at the hero; bursts after 1500 frames.
class CBlueMachine001 : public CPatternEnemy {
  public:
    CBlueMachine001(CStage* owner, double x, double y, double vx, double vy);
    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;

    enum { kRest = 0, kHop = 1, kKnocked = 2, kAim = 3, kAfterShot = 4 };

  private:
    void Hop();
    CSpriteSheet images_;  // stand, hop, fire
};

// Flies through walls, turning toward the hero a quarter turn a second; every two seconds or so
// it brakes, fires if it is on the screen, and pauses.
class CBlueMachine002 : public CPatternEnemy {
  public:
    CBlueMachine002(CStage* owner, double x, double y, double vx, double vy);
    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;

    enum { kCruise = 0, kKnocked = 1, kBrakeAndFire = 2, kPause = 3 };

    double angleToHero = 0, heading = 0, speed = 0;

  private:
    CSpriteSheet images_;  // eight directions from up clockwise, fire flash, blink
};

// Drifts to a stop and turns an eighth of a turn each second, firing once per turn; nothing
// harms it, it bursts after 960 frames.
class CBlueMachine003 : public CPatternEnemy {
  public:
    CBlueMachine003(CStage* owner, double x, double y, double vx, double vy);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override { return DeliverContactAttack(other); }
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }

    double angle = 0;
    bool turnClockwise = false;
    double turnFrames = 0, shotFrames = 0;

  private:
    CSpriteSheet images_;
};

// Drifts to a stop and lights its one-second fuse when the hero comes near (after its first
// second) or after ten seconds; then bursts red. Fire sets it off at once; it cuts what it
// touches.
class CBlueMachine004 : public IBase {
  public:
    CBlueMachine004(CStage* owner, double x, double y, double vx, double vy);
    ~CBlueMachine004() override;
    void Update() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
    void Explode();

    bool lit = false;
    double fuse = 60.0;  // frames once lit

  private:
    CSpriteSheet body_;   // the bomb
    CSpriteSheet flash_;  // its blink while lit
};
