#pragma once
// Doors, warp points and the goal: the ways out of the place where the hero stands. A door or
// warp point takes the hero to a tile of an area of the same stage through the play scene's
// warp; the goal ends the stage. They never move, never meet the map and are never killed;
// the registry drops them far off the screen and the spawner makes them again from their record.
//
// They act only when the hero touches them. A door is entered by pushing Up with the hero's
// centre inside its box; a warp point takes the hero the moment he overlaps its circle.
#include <array>

#include "engine/SpriteManager.h"
#include "play/Base.h"

class IPlaySceneServices;

class IDoor : public IBase {
  public:
    static constexpr double kDoorWidth = 32, kDoorHeight = 48;
    static constexpr double kWarpRadius = 14;
    static constexpr int kNoSound = -1;

    // (x, y) is the top-left corner of the box (the centre for circles, set by the class).
    IDoor(CStage* owner, double x, double y, int targetArea, int targetX, int targetY, bool entersByItself,
          int sound);

    void Update() override {}
    void UpdateSuspended() override {}
    void CollideWithMap() override {}
    void Draw() override = 0;
    void Kill() override {}
    void OnTouch(IBase* other) override;
    void OnHeroAttackStarted() override {}
    void ApplyWind(double) override {}

    int sound;       // played on entering, or kNoSound
    int targetArea;  // the area's own number, not its slot
    int targetX, targetY;
    bool entersByItself;
    bool used = false;  // entered at least once; shows the open picture

  protected:
    static bool IsHero(const IBase* other);
    // The hero's centre inside the box, edges included; always true for a circle.
    bool HasHeroInside(const IBase* hero) const;
    static bool IsUpPushed();
    IPlaySceneServices* Services() const;
    // Asks the scene for the warp; only a warp that the scene accepts marks the door used and
    // plays its sound, so a door whose target is missing stays as it was.
    void Enter();
    // The picture at the centre.
    void DrawAtCentre(CSprite* picture);
};

// A door with a closed and an open picture (the open one after entering).
class CPlainDoor : public IDoor {
  public:
    CPlainDoor(CStage* owner, double x, double y, int targetArea, int targetX, int targetY, int sound,
               int closedLeft, const char* key = "Objects001");
    void Draw() override;

  protected:
    OwnedSprite closed_;
    OwnedSprite open_;
};

class CDoorA : public CPlainDoor {
  public:
    CDoorA(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
};

class CDoorB : public CPlainDoor {
  public:
    CDoorB(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
};

class CShutter : public CPlainDoor {
  public:
    CShutter(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
};

// A hole in the rock: one picture, no sound.
class CCaveHole : public IDoor {
  public:
    CCaveHole(CStage* owner, double x, double y, int targetArea, int targetX, int targetY, int cellLeft);
    void Draw() override { DrawAtCentre(picture_.get()); }

  private:
    OwnedSprite picture_;
};

class CCaveHoleA : public CCaveHole {
  public:
    CCaveHoleA(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
};

class CCaveHoleB : public CCaveHole {
  public:
    CCaveHoleB(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
};

// Locked until a key is used on it. The first entry with a key held takes one key and opens the
// door for the rest of the play (the scene keeps the list, so it is open again when spawned
// anew, after a lost life too); an open key door is entered silently and free.
class CKeyDoor : public CPlainDoor {
  public:
    CKeyDoor(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
    void OnTouch(IBase* other) override;
    void SetAreaObjectId(int id) override;
    void Draw() override;

    bool opened = false;
};

// Open while no enemy is alive; opening shows a puff and a sound, closing is silent.
class CEnemyZeroDoor : public CPlainDoor {
  public:
    CEnemyZeroDoor(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
    void Update() override;
    void OnTouch(IBase* other) override;
    void Draw() override;

    bool open = false;
    bool wasOpen = false;
};

// A spinning circle that takes the hero on touch (with the warp-out animation) and vanishes.
class CWarpPoint : public IDoor {
  public:
    // (x, y) is the centre of the circle.
    CWarpPoint(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
    void Update() override;
    void Draw() override;

    double spinTime = 0;

  private:
    OwnedSprite picture_;
};

class CInvisibleWarpPoint : public IDoor {
  public:
    CInvisibleWarpPoint(CStage* owner, double x, double y, int targetArea, int targetX, int targetY);
    void Draw() override;
};

// The end of the stage: a waving banner entered with Up.
class CNormalGoal : public IDoor {
  public:
    static constexpr int kCellCount = 6;
    CNormalGoal(CStage* owner, double x, double y);
    void Update() override;
    void Draw() override;
    void OnTouch(IBase* other) override;
    // The cell 1..6 shown at an animation time.
    static int CellAt(double animationTime);

    double animationTime = 0;

  private:
    std::array<OwnedSprite, kCellCount> cells_;
};
