#pragma once
// What the sprouts share: small plants rooted in the floor that always turn to the hero. Nothing
// hurts them but water, which makes them wither into the ground for good; touching one throws the
// toucher up and away with a hurting burst.
#include "enemies/PatternEnemy.h"

class CMoyashiBase : public CPatternEnemy {
  public:
    // The two cells of one sprout (the same rectangles on both facing sheets) and the burst
    // flag of its contact, which also picks the spark where the contact hurt.
    struct Look {
        SpriteCell cells[2];
        int burstFlag;
    };

    CMoyashiBase(CStage* owner, double x, double y, int facing, const Look& look);
    ~CMoyashiBase() override;

    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    // Only water counts: it starts the withering (0) and keeps the sprout from coming back.
    int ReceiveAttack(AttackInfo info) override;

    static constexpr double kWitherFrames = 12.0;

    // stateFrames drives the two-cell sway, and the shrinking while withering.
    bool isWithering = false;

  protected:
    // What the sprout does of its own between turning to the hero and the end of the wither.
    virtual void Creep() {}

  private:
    const Look& look_;
    CSpriteSheet left_, right_;
};
