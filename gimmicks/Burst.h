#pragma once
// Bursts: the damaging circle of an explosion. For its first frames a burst hands its attack to
// every object the relation table lets it hit (at most once per object and re-hit interval), then
// shows a fading picture until its lifetime ends. Nothing can hurt it, and it never moves.
#include <vector>

#include "engine/SpriteManager.h"
#include "play/AttackParameter.h"
#include "play/Base.h"
#include "play/ObjectHandle.h"

class CBurstBase : public IBase {
  public:
    // The circle's centre and radius; frames of life (-1: until killed), of hitting, and after
    // which the burst forgets whom it has hit.
    CBurstBase(CStage* owner, double x, double y, int radius, double lifetime, double activeTime,
               double rehitInterval);

    void Update() override;
    void UpdateSuspended() override {}
    void CollideWithMap() override {}
    void Draw() override = 0;
    void DrawDebug() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    void SetAttackInfo(const AttackInfo& info) { attack = info; }

    AttackInfo attack;
    double lifetime;
    double activeTime;
    double rehitInterval;
    double rehitTimer = 0.0;

  protected:
    // The objects hit since the last clearing. Handles, so that an object deleted meanwhile
    // is never taken for a new one at the same address.
    std::vector<ObjectHandle> hitTargets_;
};

// The red explosion: 20 damage, a power hit that sets off the bombs it reaches.
class CRedBurst : public CBurstBase {
  public:
    CRedBurst(CStage* ownerStage, double px, double py) : CRedBurst(ownerStage, px, py, 40) {}
    CRedBurst(CStage* owner, double x, double y, int radius);
    void Draw() override;

    static AttackInfo RedBurstAttack();

  private:
    OwnedSprite image_;
};
