#pragma once
// Hitboxes: invisible, short-lived objects that carry one attack. The attacker makes one as its
// child at an offset from itself; the registry's hit pass calls its Collide for every linked
// object it overlaps, and the hitbox delivers its attack at most once per target and re-hit
// interval, aims it, tells the attacker, and shows the hit effect with its sound. Two hitboxes
// that meet clash.
#include <vector>

#include "engine/SpriteManager.h"
#include "play/AttackParameter.h"
#include "play/Base.h"

class IAttackable;

enum HitboxSide { kSideHero = 0, kSideEnemy = 1, kSideOther = 2 };

enum AimMode { kAimKeep = 0, kAimAtTarget = 1, kAimAtTargetPlusEighth = 2, kAimAtTargetMinusEighth = 3 };

class CCollisionDetectionBase : public IBase {
  public:
    // Placed at parent + (dx, dy), or at (dx, dy) without a parent. Side 0 makes a hero attack,
    // 1 an enemy attack, anything else another attack. The attacker must not be null. When the
    // attacker is a live object and goes away, the hitbox stops: it hits nothing more and dies
    // at its next update.
    CCollisionDetectionBase(IAttackable* attacker, IBase* parent, CStage* owner, double dx, double dy,
                            double lifetime, double rehitInterval, int side, int aimMode, AttackInfo attack);
    ~CCollisionDetectionBase() override;

    void Update() override;
    void CollideWithMap() override {}
    void Draw() override {}
    // The outline in blue (hero), red (enemy) or magenta (other), while debug drawing is on
    // (SetDebugDrawing in play/HitEffect.h; play itself never turns it on).
    void DrawDebug() override;
    int Collide(IBase* other) override;
    // Another attack struck this one: the attacks clash (3).
    int ReceiveAttack(AttackInfo attack) override;

    AttackInfo GetAttackInfo() const { return attack; }
    // The attacker while it is there, else null.
    IAttackable* GetAttacker() const;

    static constexpr double kNeverExpires = -1.0;

    int aimMode = kAimKeep;
    AttackInfo attack;  // its angle is rewritten by aiming
    double lifetime = 0;
    double rehitInterval = 0;
    double rehitTimer = 0;
    // Targets hit since the last clearing; handles, so a target that is gone never matches a
    // newcomer at its address.
    std::vector<ObjectHandle> hitTargets;

  protected:
    // Step 1 of the update is the class's own; these are the lifetime and re-hit steps. True when
    // the hitbox died of age.
    bool AgeAndRehit();

  private:
    bool AlreadyHit(const IBase* other) const;

    IAttackable* attacker_ = nullptr;
    // Set when the attacker is a live object: then attacker_ is trusted only while it resolves.
    ObjectHandle attackerObject_;
};

// The round shapes: a circle around (x, y), or the quarter of it that opens up and to the left
// or up and to the right.
template <int Shape>
class CCollisionDetectionRound : public CCollisionDetectionBase {
  public:
    CCollisionDetectionRound(IAttackable* attacker, IBase* parentObject, CStage* ownerStage, double dx,
                             double dy, double r, double lifetimeIn, double rehitIntervalIn, int side,
                             int aimModeIn, AttackInfo attackIn)
        : CCollisionDetectionBase(attacker, parentObject, ownerStage, dx, dy, lifetimeIn, rehitIntervalIn,
                                  side, aimModeIn, attackIn) {
        shapeType = Shape;
        radius = r;
    }
};
using CCollisionDetectionCircle = CCollisionDetectionRound<kShapeCircle>;
using CCollisionDetectionSectorUpLeft = CCollisionDetectionRound<kShapeQuarterUpLeft>;
using CCollisionDetectionSectorUpRight = CCollisionDetectionRound<kShapeQuarterUpRight>;

class CCollisionDetectionRectangle : public CCollisionDetectionBase {
  public:
    CCollisionDetectionRectangle(IAttackable* attacker, IBase* parent, CStage* owner, double dx, double dy,
                                 int width, int height, double lifetime, double rehitInterval, int side,
                                 int aimMode, AttackInfo attack);
};

// A round attack circling its parent on a widening orbit (16 pixels out, 1.8 more each frame, at
// most 96), drawn as a fading trail of four images. Without its parent it dies.
class CNunoOtokoBarrier : public CCollisionDetectionCircle {
  public:
    CNunoOtokoBarrier(IAttackable* attacker, IBase* parent, CStage* owner, double dx, double dy,
                      double radius, double lifetime, double rehitInterval, int side, int aimMode,
                      AttackInfo attack, double startAngle, bool clockwise);
    ~CNunoOtokoBarrier() override;

    void Update() override;
    void Draw() override;

    // The orbit's radius at an age.
    static double OrbitRadius(double age);

    double startAngle = 0;  // whole radians
    bool clockwise = true;  // clear: the angle runs the other way
    static constexpr int kTrailLength = 8;
    double trailX[kTrailLength] = {};
    double trailY[kTrailLength] = {};

  private:
    OwnedSprite sprites_[4];
    double spriteDepths_[4] = {-0.002, -0.0019, -0.0018, -0.0017};
};
