#pragma once
// The shots that ordinary enemies throw and fire at the hero: balls that the hero can bat back,
// the bomb, the rolling rock, the snow storm, the magic balls, the beams, the dropped missile
// that ignites and the homing missile, the gun's water and machine-gun bullets. Every one is a
// CShotBase on the enemy side. The shots that come apart on any hit or strike share
// CFragileShot, those that only show an effect and a sound share CEffectShot (the bosses' shots
// too); what the others do on a wall, on a hit and when struck is their own.
#include "enemies/PatternEnemy.h"
#include "play/CommonShots.h"

// A shot that comes apart on whatever it strikes and under whatever strikes it; Break says how.
class CFragileShot : public CShotBase {
  public:
    using CShotBase::CShotBase;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;

  protected:
    virtual void Break() = 0;
};

// A shot that shows an effect with a sound where it strikes, and goes with another effect and
// sound when it is struck.
class CEffectShot : public CShotBase {
  public:
    // Effect kinds and sound slots.
    struct Looks {
        int hitEffect, hitSound, breakEffect, breakSound;
    };
    CEffectShot(CStage* owner, double x, double y, int lifetime, bool heroSide, bool fixedSide,
                bool secondGroup, Looks looks);
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;

  private:
    Looks looks_;
};

// A thrown ball that spins with its flight, breaks into brown smoke on walls and hits, and is
// batted back at `batSpeed` by any attack.
class CThrownBall : public CFragileShot {
  public:
    struct Look {
        int damage;
        double power, radius, gravity, spinRate, batSpeed;
        SpriteCell cell;
    };
    CThrownBall(CStage* owner, double x, double y, double vx, double vy, bool heroSide, const Look& look);
    void Move() override;
    void Draw() override;
    int ReceiveAttack(AttackInfo attack) override;

    double spin = 0;  // radians

  protected:
    void Break() override;

  private:
    double spinRate_, batSpeed_;
};

class CBaseball : public CThrownBall {
  public:
    CBaseball(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
};

class CVolleyball : public CThrownBall {
  public:
    CVolleyball(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
};

// A bomb that bursts red (the burst does the harm) on walls, on hits and when struck by fire;
// any other attack bats it back at 520.
class CBomb001 : public CShotBase {
  public:
    CBomb001(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
    // One burst, however often it is asked in a frame.
    void Explode();
};

// A boulder that rolls along the floor with a thud on landing and breaks on a side wall, a hit
// or a strike.
class CRollingRock : public CFragileShot {
  public:
    CRollingRock(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

    double spin = 0;

  protected:
    void Break() override;
};

// A puff of icy wind that slows to half its speed over its 60 frames and freezes what it
// touches (sparks on everything but a beaten hero); nothing stops it.
class CSnowStorm001 : public CShotBase {
  public:
    CSnowStorm001(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }
};

// A magic ball that speeds up, flies through walls and its targets, and breaks when struck.
class CMagicalBall : public CEffectShot {
  public:
    CMagicalBall(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

    double spin = 0;
};

// The floating turret's beams: straight on through targets until a wall; nothing stops them.
class CBeamShot : public CShotBase {
  public:
    CBeamShot(CStage* owner, double x, double y, double vx, double vy, bool heroSide, bool ice);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }

  private:
    bool ice_;
};

class CNormalBeam : public CBeamShot {
  public:
    CNormalBeam(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
};

class CIceBeam : public CBeamShot {
  public:
    CIceBeam(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
};

// A missile dropped from the flying machine: it falls for 50 frames, ignites, climbs until its
// fall has turned into a rise, then flies level. Every end of it explodes.
class CMissilry : public CFragileShot {
  public:
    CMissilry(CStage* owner, double x, double y, double vx, double vy, bool heroSide, int direction);
    enum Phase { kPhaseDropped = 0, kPhaseIgnited = 1 };
    void SetPhase(Phase p);
    void Move() override;
    void Draw() override;
    void Kill() override;

    Phase phase = kPhaseDropped;
    double phaseFrames = 0;
    int direction = 0;  // 0 flying left, 1 right

  protected:
    // Every end of it is the explosion.
    void Break() override { Kill(); }

  private:
    CSpriteSheet cells_;  // dropped, igniting, two flames
};

// Heads along its heading at its speed, with limits that let exactly that velocity through.
void SteerAlong(IBase& o, double heading, double speed);

// Steers its heading toward the hero by at most `step` radians, never past him. Without a hero
// the heading stays.
void TurnToward(double targetAngle, double step, double* heading);

// A homing missile: turns toward the hero at 0.42 pi a second at its speed, loses speed after 600
// frames and bursts when it is too slow, hits or is struck.
class CPatriot : public CFragileShot {
  public:
    CPatriot(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

    double targetAngle = 0, heading = 0, speed = 0;

  protected:
    // The burst.
    void Break() override;

  private:
    CSpriteSheet cells_;  // two flame flickers
};

// The gun enemy's water: braked sideways to a stop, then it hangs until its 120 frames end;
// struck by anything it splashes.
class CGunWater : public CWaterDropBase {
  public:
    CGunWater(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Draw() override;
    int ReceiveAttack(AttackInfo attack) override;
};

// The gun enemy's bullet: a thin streak that breaks on walls, hits and strikes.
// Hits and strikes end it as they end the plain shot.
class CMachineGunShot : public CNormalShot {
  public:
    CMachineGunShot(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
};

// The magician's homing ball: it speeds up to 280 while its turning slows to 0.1 pi a second,
// flies through walls and targets, trails three fading after-images and breaks when struck.
class CPatriotMagicalBall : public CEffectShot {
  public:
    CPatriotMagicalBall(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

    double targetAngle = 0, heading = 0, turnRate = 0.55, speed = 0;
    static constexpr int kTrail = 8;
    double trailX[kTrail] = {}, trailY[kTrail] = {};

  private:
    CSpriteSheet images_;  // the ball and three after-images
};
