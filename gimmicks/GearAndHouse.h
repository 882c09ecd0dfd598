#pragma once
// The air gear, a spinning cog that circles its placed point at 80 pixels on the area clock, so
// every gear of an area turns in step and stands still while play is paused; and the devil house,
// which, while it is near the screen, opens its door every five seconds and sends a walking kid
// out toward the hero. The kid comes from its own class through the live-object creators; while
// that is missing the house still opens and closes.
#include "play/Base.h"

class CSprite;

class CAirGear : public IBase {
  public:
    // (x, y) is the middle of the orbit; turn 0 circles counter-clockwise on the screen, 1
    // clockwise; startAngle in radians.
    CAirGear(CStage* owner, double x, double y, int turn, double startAngle);
    ~CAirGear() override;

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }

    void Orbit();

    int turn;
    double startAngle;
};

class CDevilHouse : public IBase {
  public:
    enum State { kClosed = 0, kOpening = 1, kClosing = 2 };

    // (x, y) is the top-left corner of the 64 x 72 house.
    CDevilHouse(CStage* owner, double x, double y);
    ~CDevilHouse() override;

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;

    void SetState(int s);
    // Near the screen (within 16 pixels) and the registry not crowded.
    bool CanSpawn() const;
    // The door's height as a share of its full height: it shrinks upward while the house opens and
    // grows back while it closes, never below a tenth.
    double GetDoorScale() const;

    int state = kClosed;
    double stateTime = 0.0;
    bool stateChanged = false;
    int facing = 0;  // 0 left, 1 right: where the next kid walks

  private:
    CSprite* house_ = nullptr;
    CSprite* door_ = nullptr;
    CSprite* kid_[2] = {};
};
