#pragma once
// Small pieces several ground enemies share.
#include <memory>

#include "enemies/EnemyShotHelpers.h"
#include "enemies/PatternEnemy.h"
#include "foundation/Geometry.h"
#include "play/AttackParameter.h"
#include "play/Base.h"

// The contact of the enemies that throw whoever touches them up and away (45 degrees up, to the
// side the other's centre lies; straight above counts as the left): an attack of the given
// damage, power and flag, with the spark and sound of that flag when it hurt or destroyed.
// Nothing but 6 from a dead thrower.
int ThrowUpAndAway(IBase* self, IBase* other, int damage, double power, int flag);

// The squash-and-stretch of a body just landed on: the horizontal scale f frames after the stomp
// (1.0 from frame 30 on).
double StompWobble(double f);

// The one attack shape (or other child) an enemy keeps at a time. Set removes the previous one
// first; Clear removes it and forgets it, so the enemy never reaches a child that has gone. A
// child the holder no longer has is simply forgotten.
class CKeptChild {
  public:
    void Set(IBase* holder, std::unique_ptr<IBase> child);
    void Clear(IBase* holder);
    IBase* Get() const { return handle_.Get(); }

  private:
    ObjectHandle handle_;
};

// Thrown back along an angle: along the ground (+-speed by the side the angle points to, the
// brake against it, a small drop to keep it on the floor) when it stood on the ground at the end
// of the last frame, else straight along the angle; then the given gravity.
void RecoilAlong(IBase* self, double angle, double speed, double brake, double gravity);

// The direction a blow sends a ball-like body: the attack's own, or for a batting attack (flag 0)
// a quarter turn upward from it.
double LaunchAngle(const AttackInfo& attack);

// FireEnemyShot (a shot by class name through the creator table) comes with EnemyShotHelpers.h.

// Shows every cell of a sheet at the scale, both ways.
void ScaleSheet(const CSpriteSheet& sheet, float scale);
