#pragma once
// The air gear, a spinning cog that circles its placed point at 80 pixels on the area clock, so
// every gear of an area turns in step and stands still while play is paused; and the devil house,
// which, while it is near the screen, opens its door every five seconds and sends a walking kid
// out toward the hero. The kid comes from its own class through the live-object creators; while
// that is missing the house still opens and closes.
#include <array>

#include "engine/SpriteManager.h"
#include "play/Base.h"

class CAirGear : public IBase {
  public:
    enum Turn { kCounterClockwise = 0, kClockwise = 1 };

    // (x, y) is the middle of the orbit; turn 0 circles counter-clockwise on the screen, 1
    // clockwise; startAngle in radians.
    CAirGear(CStage* owner, double x, double y, int turn, double startAngle);

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }

    void Orbit();

    int turn;  // a Turn (anything but kCounterClockwise turns clockwise)
    double startAngle;

  private:
    OwnedSprite image_;
};

class CDevilHouse : public IBase {
  public:
    enum State { kClosed = 0, kOpening = 1, kClosing = 2 };
    // The kid's way, as the kid's creator takes it.
    enum Facing { kFacingLeft = 0, kFacingRight = 1 };

    // (x, y) is the top-left corner of the 64 x 72 house.
    CDevilHouse(CStage* owner, double x, double y);

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;

    void SetState(State s);
    // Near the screen (within 16 pixels) and the registry not crowded.
    bool CanSpawn() const;
    // The door's height as a share of its full height: it shrinks upward while the house opens and
    // grows back while it closes, never below a tenth.
    double GetDoorScale() const;

    State state = kClosed;
    double stateTime = 0.0;
    bool stateChanged = false;
    int facing = kFacingLeft;  // a Facing: where the next kid walks

  private:
    OwnedSprite house_;
    OwnedSprite door_;
    std::array<OwnedSprite, 2> kid_;
};
