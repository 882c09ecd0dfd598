#pragma once
// The plain shot of the blue boss's machines, which flies through walls, and the pink boss's
// throws: the star that the hero can bat away, the big star that rises as it flies and cuts
// through everything, and the bomb that bursts red on the map, on a target or under fire.
#include "bosses/BossShots.h"

// The end of a bomb: a red burst of `radius` at the middle of its box, the blast and death;
// nothing when it is dead already.
void BurstRed(IBase& bomb, int radius);

// Straight on through walls until it hits, is struck or its 900 frames end.
class CWallThroughNormalShot : public CBreakingShot {
  public:
    CWallThroughNormalShot(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;

  private:
    CSpriteSheet frames_;
};

// A spinning star that ends on its first hit; struck, it changes side and flies off along the
// blow at 400.
class CNinjaStar : public CShotBase {
  public:
    CNinjaStar(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;

    double spin = 0;
};

// A big star that rises ever faster, hits each object once on its way and guards every blow.
class CBigNinjaStar : public CShotBase {
  public:
    CBigNinjaStar(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitGuarded; }

    double spin = 0;

  private:
    CSpriteSheet sides_;  // flying left, flying right
};

// A falling bomb of no harm itself: it bursts into a red burst of radius 32 on the map, on a
// target or under fire; other blows bat it away at 600 as the other side's bomb.
class CPinkBomb : public CShotBase {
  public:
    CPinkBomb(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
    // One burst, however often it is asked.
    void Explode();
};
