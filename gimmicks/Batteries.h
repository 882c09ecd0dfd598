#pragma once
// Batteries and burners: shooting fixtures fixed to one side of a tile. All of an area's fixtures
// open and close on the area clock (frames of play since the area was entered), in a cycle of
// 200 frames that each fixture's timing (A to D) shifts by 150, 100, 50 or 0 frames. A battery
// fires one bullet as it opens; a burner blows a stream of flames for the first 80 frames. They
// cannot be hurt, killed or moved. The shots come from their own classes through the live-object
// creators; while those are missing the fixtures still open, close and sound.
#include <array>

#include "engine/SpriteManager.h"
#include "play/Base.h"

class CBatteryBase : public IBase {
  public:
    // The way the muzzle points, and the index of the tables by direction.
    enum Direction { kUp = 0, kRight = 1, kDown = 2, kLeft = 3 };
    enum Timing { kTimingA = 0, kTimingB = 1, kTimingC = 2, kTimingD = 3 };
    enum Picture { kOpen = 0, kClosed = 1 };

    // direction: a Direction (only its two low bits count); timing: a Timing (anything else counts
    // as D).
    CBatteryBase(CStage* owner, double x, double y, int direction, int timing);

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;
    void Kill() override {}  // a fixture cannot be killed

    // Where the fixture stands in the area's 200-frame cycle.
    int GetPhase() const;

    int direction;           // a Direction
    int timing;              // a Timing
    int imageIndex = kOpen;  // a Picture

  protected:
    // Where a shot starts: the share of the body's width and height from its top-left corner, then
    // a shift in pixels.
    struct Muzzle {
        double acrossWidth, acrossHeight, dx, dy;
    };
    // Makes the shot of the class at the muzzle, flying the fixture's way at the speed, through
    // the live-object creators, and registers it.
    void Launch(const char* liveClass, const Muzzle& muzzle, double speed);

    // The open and closed pictures, cut from the row of the sheet at `left`.
    void MakeImages(int left);

    std::array<OwnedSprite, 2> images_;
};

// Fires one bullet in the first frame of each open phase; a new battery first waits for a closed
// phase to pass.
class CNormalBattery : public CBatteryBase {
  public:
    CNormalBattery(CStage* owner, double x, double y, int direction, int timing);
    void Update() override;
    void Fire();

    bool fired = true;
};

// Blows a flame each time the phase passes a multiple of 5 during the first 80 frames of a cycle.
class CBurner : public CBatteryBase {
  public:
    CBurner(CStage* owner, double x, double y, int direction, int timing);
    void Update() override;
    void FireFlame();

    int flameCount = 99;  // a new burner waits for one blow to end before its first
};
