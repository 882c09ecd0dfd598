#pragma once
// What every enemy of a stage does alike, kept in one place: hit points, a state with its clock,
// a facing, the brake stop, the rise of a lift it stands on, the hero tests (which never read the
// hero when there is none), the hit that knocks it away or beats it for good (clearing the spawn
// flag of its placed record), the recoil from a body it bumped into, and the sprite sheets it
// cuts once and owns.
#include <memory>
#include <vector>

#include "engine/SpriteManager.h"
#include "play/Characters.h"

// A pixel rectangle of an image sheet.
struct SpriteCell {
    int left, top, right, bottom;
};

// Sprites cut once from one sheet and owned until the object goes.
class CSpriteSheet {
  public:
    CSpriteSheet() = default;
    CSpriteSheet(const char* group, const char* key, const std::vector<SpriteCell>& cells);
    ~CSpriteSheet();
    CSpriteSheet(CSpriteSheet&&) noexcept;
    CSpriteSheet& operator=(CSpriteSheet&&) noexcept;

    CSprite* operator[](size_t i) const { return i < sprites_.size() ? sprites_[i].get() : nullptr; }
    size_t size() const { return sprites_.size(); }

  private:
    std::vector<OwnedSprite> sprites_;
};

// Keeps the placed record that made the object from making it again while the stage is played:
// only through the owner's current area table, and only for a record id.
void ClearPlacedSpawnFlag(const IBase* object);

class CPatternEnemy : public IEnemy {
  public:
    CPatternEnemy(CStage* owner, double x, double y, int facing, int hitPoints);
    ~CPatternEnemy() override;

    void CollideWithMap() override { ResolveMapCollision(); }

    // ---- Motion ----
    // The brake stop: a horizontal acceleration that has carried the velocity through zero stops
    // both, so braking brings the enemy to rest instead of turning it round.
    void BrakeStop();
    // How far the object the enemy stands on rose since the previous frame (0 when it sank, or
    // when the enemy rides nothing).
    double GetLiftRise() const;
    // Walking into a wall turns the enemy round: facing, velocity and acceleration at once.
    void TurnAtWalls();
    // +1 facing right, -1 facing left.
    double FacingSign() const { return facing == 1 ? 1.0 : -1.0; }

    // ---- The hero ----
    bool HasHero() const { return GetHero() != nullptr; }
    // True when the hero's centre lies less than yWindow above or below the own centre and
    // strictly between 0 and xWindow ahead in the facing direction. False without a hero.
    bool IsHeroInFront(double yWindow, double xWindow) const;
    // Faces the hero (right when he is level or to the right); nothing without a hero.
    void FaceHero();

    // ---- Being hit ----
    // Takes the damage: a knock-away while hit points remain (1), else the defeat flight with the
    // effect kind and the spawn flag cleared (0).
    int TakeHit(const AttackInfo& attack, int defeatEffect);
    void ClearSpawnFlag() const { ClearPlacedSpawnFlag(this); }
    // Thrown back from a body that pushed it away: along the ground (+-speed, with a level
    // brake) when it stood on the ground at the end of the last frame, else straight away from
    // the other body; gravity in both cases.
    void RecoilFrom(const IBase* other, double speed, double brake, double gravity);

    // ---- The state clock ----
    // Sets the state and clears its clock; the class sets the rest of the state.
    void EnterState(int s) {
        state = s;
        stateFrames = 0;
    }
    void AdvanceStateClock();

    int hitPoints;
    int state = 0;
    double stateFrames = 0;  // frames spent in the state, before this frame's advance
    int facing = 0;          // 0 left, 1 right
};
