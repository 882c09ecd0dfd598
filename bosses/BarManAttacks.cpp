#include "bosses/BarManAttacks.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "bosses/BarManBase.h"
#include "play/Hitboxes.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"

namespace {
// A boss's strike lands once on each target for as long as it lasts.
constexpr double kNoRehit = 9999.0;

// Hands a new box to the boss and returns it (null when the boss could take no more children).
template <class Box, class... Args>
IBase* Adopt(CBarManBase* boss, Args&&... args) {
    auto box = std::make_unique<Box>(std::forward<Args>(args)...);
    IBase* raw = box.get();
    return boss->AddChild(std::move(box)) ? raw : nullptr;
}
}  // namespace

AttackInfo BossAttack(int damage, double power, double angle, std::initializer_list<int> flags) {
    AttackInfo a;
    a.damage = damage;
    a.power = power;
    a.angle = angle;
    for (int f : flags)
        if (f >= 0 && f < 12) a.flags[f] = 1;
    return a;
}

IBase* AddBossRectangle(CBarManBase* boss, double dx, double dy, int w, int h, double lifetime, int aimMode,
                        const AttackInfo& attack) {
    return Adopt<CCollisionDetectionRectangle>(boss, boss, boss, boss->owner, dx, dy, w, h, lifetime,
                                               kNoRehit, kSideEnemy, aimMode, attack);
}

IBase* AddBossCircle(CBarManBase* boss, double dx, double dy, double radius, double lifetime, int aimMode,
                     const AttackInfo& attack, double rehitInterval) {
    return Adopt<CCollisionDetectionCircle>(boss, boss, boss, boss->owner, dx, dy, radius, lifetime,
                                            rehitInterval, kSideEnemy, aimMode, attack);
}

IBase* AddBossQuarter(CBarManBase* boss, bool right, double dx, double dy, double radius, double lifetime,
                      const AttackInfo& attack) {
    if (right)
        return Adopt<CCollisionDetectionSectorUpRight>(boss, boss, boss, boss->owner, dx, dy, radius,
                                                       lifetime, kNoRehit, kSideEnemy, kAimKeep, attack);
    return Adopt<CCollisionDetectionSectorUpLeft>(boss, boss, boss, boss->owner, dx, dy, radius, lifetime,
                                                  kNoRehit, kSideEnemy, kAimKeep, attack);
}

void ThrowBossShot(const IBase& from, const char* className, double x, double y, const LiveObjectArgs& args) {
    std::unique_ptr<IBase> shot(CreateLiveObject(className, from.owner, x, y, args));
    if (shot) from.Registry().Add(std::move(shot));
}
