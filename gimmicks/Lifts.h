#pragma once
// Lifts: the moving platforms of a stage. A lift only moves itself; standing on it and being
// carried is the registry's solid pass and rider step, for which a lift offers a solid top face
// (its other sides are open, so characters jump through from below). Each frame a lift reads who
// stood on it in the previous frame's solid pass, and most kinds start to move, fall or sink only
// once the hero has stepped on them. Lifts pass through the map and ignore Kill; the spawned kinds
// leave play when the registry finds them far off the screen.
#include <array>

#include "engine/SpriteManager.h"
#include "play/Base.h"

class ILift : public IBase {
  public:
    ILift(CStage* owner, double x, double y);

    void Update() override = 0;
    void CollideWithMap() override {}
    // The lift's one sprite at its centre; kinds with several pictures draw their own.
    void Draw() override;
    void Kill() override {}
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }
    double GetSurfaceFriction() override { return 1.0; }

  protected:
    // True when one of last frame's riders is still registered and is the scene's hero.
    bool IsHeroRiding() const;
    // Places a sprite of the lift at a world point with the lift's depth and draws it.
    void DrawAt(CSprite* s, double worldX, double worldY) const;
};

// Swings on a sine path read from the scene's area clock, so every such lift of an area moves in
// step and never waits for the hero.
class CRoundTripLift : public ILift {
  public:
    static constexpr double kAngularRate = 1.3;  // radians per second
    static constexpr double kAmplitude = 80.0;   // pixels either side

    // x, y: the top-left of the placed tile; the lift is centred on it.
    CRoundTripLift(CStage* owner, double x, double y, bool horizontal, double phase);
    void Update() override;
    void UpdatePosition();

  private:
    double originX_, originY_, phase_;
    bool horizontal_;
    OwnedSprite image_;
};

// Drops about a third of a second after the hero first lands on it.
class CFallingLift : public ILift {
  public:
    CFallingLift(CStage* owner, double x, double y);
    void Update() override;
    bool IsFalling() const { return falling_; }

  private:
    bool triggered_ = false, falling_ = false;
    double triggerTime_ = 0.0;
    OwnedSprite image_;
};

// Speeds off sideways when the hero steps on it, travels two seconds, then falls while its
// sideways speed runs down to rest. direction +1 right, -1 left.
class CSideMoveLift : public ILift {
  public:
    void Update() override;
    void Draw() override;
    bool IsStarted() const { return started_; }
    bool IsFalling() const { return falling_; }

  protected:
    CSideMoveLift(CStage* owner, double x, double y, int direction);

  private:
    int direction_;
    bool started_ = false, falling_ = false;
    double travelTime_ = 0.0;
    OwnedSprite resting_, fallingImage_;
};

class CRightMoveLift : public CSideMoveLift {
  public:
    CRightMoveLift(CStage* ownerStage, double px, double py) : CSideMoveLift(ownerStage, px, py, +1) {}
};

class CLeftMoveLift : public CSideMoveLift {
  public:
    CLeftMoveLift(CStage* ownerStage, double px, double py) : CSideMoveLift(ownerStage, px, py, -1) {}
};

// Rises on its jets for 100 frames after the hero steps on it, then is pulled back down; the jet
// flames speed up and run down with it, and so does the engine's beat.
class CRisingLift : public ILift {
  public:
    CRisingLift(CStage* owner, double x, double y);
    void Update() override;
    void Draw() override;
    bool IsDescending() const { return descending_; }
    double GetFlameSpeed() const { return flameSpeed_; }

  private:
    bool started_ = false, descending_ = false, fallSoundPlayed_ = false;
    double travelTime_ = 0.0;
    double flamePhase_ = 0.0, flameSpeed_ = 0.0, flameRate_ = 0.0, flameSoundCounter_ = 0.0;
    OwnedSprite body_;
    std::array<OwnedSprite, 4> flames_;
};

// Idle until the hero first lands; from then on it sinks while the hero stands on it and climbs
// whenever nobody does, starting from rest at each change.
class CCloudLift : public ILift {
  public:
    CCloudLift(CStage* owner, double x, double y);
    void Update() override;
    void Draw() override;
    bool IsRidden() const { return ridden_; }

  private:
    bool activated_ = false, ridden_ = false;
    OwnedSprite free_, riddenImage_;
};

// Seven tiles wide; once the hero lands it moves for good, the way its direction names (anything
// but left, right or up goes down).
class CWideLift : public ILift {
  public:
    static constexpr int kPieces = 7;
    enum Direction { kDownward = 0, kLeftward = 1, kRightward = 2, kUpward = 3 };
    CWideLift(CStage* owner, double x, double y, int direction);
    void Update() override;
    void Draw() override;

  private:
    int direction_;  // a Direction
    bool started_ = false;
    std::array<OwnedSprite, kPieces> pieces_;
};
