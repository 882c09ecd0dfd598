#pragma once
// The spiny creature: walks back and forth and hurts what it runs into with its spines. A hit,
// a victim or a fall curls it into a bouncing ball that rolls a while and then hops and uncurls;
// a ball that lands hard ends on its back, and only then (or by a power hit) can it be beaten:
// any touch or blow destroys it at once. Water runs off it.
#include "enemies/PatternEnemy.h"
#include "play/ObjectHandle.h"

enum NeedleState { kNeedleWalk = 0, kNeedleBall = 1, kNeedleHop = 2, kNeedleBack = 3 };

class CNeedle001 : public CPatternEnemy {
  public:
    CNeedle001(CStage* owner, double x, double y, int facing);
    ~CNeedle001() override;

    // Sets the state, its speed limits and bounce flags, its box (walking and on its back it is
    // long and flat, as a ball square; the bottom stays, a narrowing box keeps its middle and a
    // widening one grows the way it faces) and its category.
    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    static constexpr double kWalkAccel = 360.0;
    static constexpr double kHardLanding = 360.0;
    static constexpr double kRollFrames = 300.0;
    static constexpr double kSpineWindow = 30.0;

    double rollAngle = 0;
    double rollFrames = 0;  // rolled on the ground since the last bounce off a wall or ceiling
    double spineWindowFrames = 0;
    std::vector<ObjectHandle> spineTargets;  // hit by the spines in this window

  private:
    void Turn(int toFacing);
    // The ball off a wall: back at seven tenths of its speed, its roll counted afresh.
    void BounceOffWall();
    // Gone for good: the spawn flag, the defeat sparkle and its sound; nothing once dead.
    void Destroy();

    CSpriteSheet left_, right_;
};
