#pragma once
// Breakable blocks: the two-tile crates and stones that the hero stands on, pushes against and
// attacks. Wooden blocks take 20 points of damage (a power hit breaks them at once) and burst into
// splinters; one holds an item, one explodes, one floats. Stone blocks are unbreakable, broken only
// by a power hit, or knocked sliding along the floor (one of them made of ice).
//
// A block that has broken answers every later attack with 6 (cannot be hit): struck again in the
// frame it broke, before the registry deletes it, it must not break, drop its item or explode twice.
#include <string>

#include "engine/SpriteManager.h"
#include "play/Base.h"

class CBlockBase : public IBase {
  public:
    // (x, y) is the top-left corner of the block's tiles; the block stands one pixel in from their
    // left edge, 62 wide, `height` tall.
    CBlockBase(CStage* owner, double x, double y, double height);

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;

  protected:
    // Keeps a block that has landed pressed on what it landed on at four pixels per frame, with a
    // thud when it came down fast.
    void Land();
    // Breaks the block: splinters of the effect kind at its middle, the crack, death, the class's
    // extras (OnBroken) and the record forgotten for this visit. Result 0.
    int Break(int effectKind);
    virtual void OnBroken() {}
    // Keeps the block's picture and shows it as the object's sprite.
    void KeepImage(OwnedSprite image);

  private:
    OwnedSprite image_;
};

// The wooden blocks: 20 hit points, a short shake after a hit that does not break them.
class CWoodBlockBase : public CBlockBase {
  public:
    CWoodBlockBase(CStage* owner, double x, double y, int effectKind);

    void Update() override;
    int ReceiveAttack(AttackInfo attack) override;
    void Draw() override;

    int hitPoints = 20;
    double shakeTime = 0.0;

  protected:
    // The picture's position: two pixels to the right while a hit still shakes it.
    double ShakenImageX() const;
    // True when the attack breaks the block whatever its hit points.
    virtual bool BreaksAtOnce(const AttackInfo& attack) const;

    int effectKind_;
    double drawOffsetY_ = 0.0;
};

class CWoodBlock001 : public CWoodBlockBase {
  public:
    CWoodBlock001(CStage* owner, double x, double y);
};

// Holds an item, named by the placed record's content text, that jumps out when it breaks.
class CWoodBlock002 : public CWoodBlockBase {
  public:
    CWoodBlock002(CStage* owner, double x, double y, std::string content);
    void DropContent();

    std::string content;

  protected:
    void OnBroken() override { DropContent(); }
};

// Explodes into a red burst when it breaks, and breaks at once in someone else's red burst.
class CWoodBlock003 : public CWoodBlockBase {
  public:
    CWoodBlock003(CStage* owner, double x, double y);

  protected:
    bool BreaksAtOnce(const AttackInfo& attack) const override;
    void OnBroken() override;
};

// Floats where it was placed, with a blinking plate of light under it.
class CWoodBlock004 : public CWoodBlockBase {
  public:
    CWoodBlock004(CStage* owner, double x, double y);
    void Draw() override;

    double platePhase;

  private:
    OwnedSprite body_;
    OwnedSprite plate_;
};

// Broken only by a power hit; guards against everything else.
class CStoneBlock001 : public CBlockBase {
  public:
    CStoneBlock001(CStage* owner, double x, double y);
    int ReceiveAttack(AttackInfo attack) override;
};

// Never breaks.
class CStoneBlock002 : public CBlockBase {
  public:
    CStoneBlock002(CStage* owner, double x, double y);
    int ReceiveAttack(AttackInfo) override { return kHitGuarded; }
};

// A tall stone that a blow sends sliding; it brakes to a stop and bounces off walls.
class CSlidingStoneBase : public CBlockBase {
  public:
    struct Feel {
        double knockFactor;  // share of the attack's power that becomes speed
        double knockLimit;   // the fastest knock
        double waterFactor;  // what is left of it for a water shot
        double braking;      // braking as a share of the starting speed, per second
        double bounce;       // speed kept (reversed) off a wall
    };
    CSlidingStoneBase(CStage* owner, double x, double y, const Feel& feel);

    void Update() override;
    int ReceiveAttack(AttackInfo attack) override;

  private:
    Feel feel_;
};

class CStoneBlock003 : public CSlidingStoneBase {
  public:
    CStoneBlock003(CStage* owner, double x, double y);
};

// The ice block: slides four times as far, and what stands on it slips.
class CStoneBlock004 : public CSlidingStoneBase {
  public:
    CStoneBlock004(CStage* owner, double x, double y);
    double GetSurfaceFriction() override { return 0.25; }
};
