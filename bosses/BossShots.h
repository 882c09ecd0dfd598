#pragma once
// The shots of the stick-man bosses: the rock that bounces once and drops out of the stage, the
// fire that runs along the floor, the row of rising shock-wave pillars, the thunderbolt with its
// ground marker, the sniper's invisible line drawn as a streak, the shot that stops and bursts
// into five, and the snaking wave. Each is a CShotBase; the boss registers it and forgets it.
#include "enemies/EnemyShots.h"
#include "enemies/PatternEnemy.h"
#include "play/CommonShots.h"

// A rock from the sky (the green boss and the rock weather): it keeps its own speed on map
// contact, bounces once off the floor with a random sideways speed, then falls through.
class CFallingRock : public CFragileShot {
  public:
    CFallingRock(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

    double spin = 0;

  protected:
    void Break() override;
};

// Fire that runs along the floor, pressed down onto it. It bursts on a wall and, once it has run
// for 25 frames, goes out at a ledge or when it loses the ground. Nothing can strike it.
class CGrandFrame : public CShotBase {
  public:
    CGrandFrame(CStage* owner, double x, double y, double vx, bool heroSide);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

  private:
    void BurstAtTop();
    CSpriteSheet cells_;  // two flickers
};

// A pillar that grows up from its base to maxHeight and back within 20 frames; 4.5 frames in it
// starts the next one 15 pixels along `direction` (0 left, 1 right) while `count` lasts.
class CShockWave : public CShotBase {
  public:
    CShockWave(CStage* owner, double x, double y, int count, int direction, int maxHeight, bool heroSide);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    // The pillar's height at an age: 16, rising to maxHeight at age 10 and back at 20.
    static double HeightAt(double age, int maxHeight);

    int count, direction, maxHeight;
    bool spawned = false;

  private:
    bool heroSide_;
    CSpriteSheet cells_;  // body, two caps
};

// A bolt falling at 1500 pixels a second that passes through what it strikes and ends on the
// map with a shake of the camera; a blinking marker shows the spot at markY.
class CThunder : public CShotBase {
  public:
    CThunder(CStage* owner, double x, double y, bool heroSide, int markY);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    int markY;

  private:
    CSpriteSheet cells_;  // two cores, two glows, the marker
};

// An invisible line that flies level for a second; the overlay pass draws it as a streak from
// white at its head to pink at its tail.
class CSniperShot : public CShotBase {
  public:
    CSniperShot(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override {}
    void DrawDebug() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    // The streak's ends in world pixels, head first.
    void GetStreak(int* headX, int* tailX, int* lineY) const;
};

// Braked against its flight, it turns after two thirds of a second and bursts into five children
// fired back the way it came.
class CBreakShot_Mother : public CBreakingShot {
  public:
    CBreakShot_Mother(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

  private:
    CSpriteSheet cells_;
};

// Keeps the last eight positions and draws four fading images along them.
struct ShotTrail {
    static constexpr int kLength = 8;
    void Fill(double x, double y);
    void Push(double x, double y);
    // Four images at every second entry, smaller by `shrink` and fainter by 0.2 each.
    void Draw(const CSpriteSheet& images, double shrink) const;
    double x[kLength] = {}, y[kLength] = {};
};

// One of the mother's five: its fan spreads for a third of a second, then flies level.
class CBreakShot_Child : public CBreakingShot {
  public:
    CBreakShot_Child(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

    ShotTrail trail;

  private:
    CSpriteSheet images_;
};

// A wave that snakes with a growing swing (96 pixels at most) while it speeds away along
// `direction`; it passes through everything.
class CWaveShot : public CShotBase {
  public:
    CWaveShot(CStage* owner, double x, double y, int direction, double wavePhase, bool heroSide);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    int direction;
    double wavePhase;
    ShotTrail trail;

  private:
    CSpriteSheet images_;
};
