#pragma once
// What the flowers share: rooted, swaying, and when they see the hero near enough they wind up
// and throw a shot in an arc that comes down on him. One hit beats a flower. Each flower's Kind
// says what it throws, how, and which attack leaves it untouched.
#include "enemies/GroundEnemy.h"

enum FlowerState {
    kFlowerStand = 0,
    kFlowerStomped = 1,
    kFlowerRecoiled = 2,
    kFlowerAir = 3,
    kFlowerWindUp = 4,
    kFlowerThrow = 5,
    kFlowerAfterThrow = 6,
};

class CFlowerBase : public CGroundEnemy {
  public:
    // What tells one flower from the other.
    struct Kind {
        SpriteCell cells[6];
        const char* shot;
        double launchVy, gravity, maxSpeed;
        double lookAfter;   // frames standing before it looks for the hero
        double afterThrow;  // frames after a throw
        int harmlessFlag;   // the attack flag that does nothing to it
        bool provokedByWater;
    };

    CFlowerBase(CStage* owner, double x, double y, const Kind& kind);
    ~CFlowerBase() override;

    void SetState(int s) override;
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    void OnBlowEnd() override { SetState(onGround ? kFlowerStand : kFlowerAir); }

    int ChooseCell() const;

    double stretch = 1.0;    // horizontal scale; the vertical is its inverse
    double alertFrames = 0;  // provoked by water (CFlower001)
    const Kind& kind;

  private:
    void Stop() { vx = ax = 0.0; }
    void Throw();

    CSpriteSheet sheet_;
};
