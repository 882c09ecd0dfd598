#pragma once
// Projectiles. CShotBase carries one attack and a lifetime, delivers the attack to each object
// at most once in its life, and can be turned back (reflected) to the other side. CNormalShot is
// the plainest shot: straight on until a wall, a hit or a strike.
#include <memory>
#include <vector>

#include "engine/SpriteManager.h"
#include "play/AttackParameter.h"
#include "play/Base.h"

class CShotBase : public IBase {
  public:
    // The category follows the side: heroSide picks the hero's shots (10, 13), fixedSide the
    // shots that stay on the hero's side when reflected (12, 15), secondGroup the second group
    // of categories (13..15, which fly over blocks).
    CShotBase(CStage* owner, double x, double y, int lifetime, bool heroSide, bool fixedSide,
              bool secondGroup);
    ~CShotBase() override;

    // Move, then death once the age passes the lifetime.
    void Update() override;
    void Draw() override;

    // One frame of the shot's own motion. It hides IBase::Move, which a shot calls by its full
    // name for the integration step.
    virtual void Move() = 0;
    // Turns the shot back: sound, velocity and angle mirrored, the category changes side.
    virtual void Reflect();

    void SetAttackInfo(AttackInfo info) { attack = info; }
    // The common body of a shot's Collide: 6 when dead or already delivered to this object, else
    // the other's answer to the attack.
    int DeliverAttackOnce(IBase* other);
    // The common body of a shot's ReceiveAttack: reflected by flag 8 (1), destroyed by damage (0),
    // else untouched (2).
    int ReactToAttack(AttackInfo incoming);

    // The category a shot's side flags give.
    static int CategoryOf(bool heroSide, bool fixedSide, bool secondGroup);

    AttackInfo attack;
    int lifetime = 0;  // frames
    // Everything ever hit; handles, so a newcomer at a freed address is not taken for it.
    std::vector<ObjectHandle> hitTargets;

  protected:
    // Makes an effect at the shot's centre.
    void ShowEffect(int kind) const;
    // Takes the sprite as the one the standard draw shows.
    void SetSprite(OwnedSprite s);

  private:
    OwnedSprite ownSprite_;
};

// A shot that breaks on any target (a spark where the target stopped it, a blow where it hurt)
// and under any attack.
class CBreakingShot : public CShotBase {
  public:
    using CShotBase::CShotBase;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
};

// A straight shot of 10 damage that breaks on walls, lives 900 frames and cannot be reflected.
class CNormalShot : public CBreakingShot {
  public:
    CNormalShot(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
};
