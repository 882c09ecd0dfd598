#include "bosses/BarManAttacks.h"

#include <algorithm>
#include <cmath>

#include "bosses/BarManBase.h"
#include "play/Hitboxes.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"

namespace {
// A boss's strike lands once on each target for as long as it lasts.
constexpr double kNoRehit = 9999.0;

IBase* Adopt(CBarManBase* boss, IBase* box) {
    boss->AddChild(box);
    return box;
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
    return Adopt(boss, new CCollisionDetectionRectangle(boss, boss, boss->owner, dx, dy, w, h, lifetime,
                                                        kNoRehit, kSideEnemy, aimMode, attack));
}

IBase* AddBossCircle(CBarManBase* boss, double dx, double dy, double radius, double lifetime, int aimMode,
                     const AttackInfo& attack, double rehitInterval) {
    return Adopt(boss, new CCollisionDetectionCircle(boss, boss, boss->owner, dx, dy, radius, lifetime,
                                                     rehitInterval, kSideEnemy, aimMode, attack));
}

IBase* AddBossQuarter(CBarManBase* boss, bool right, double dx, double dy, double radius, double lifetime,
                      const AttackInfo& attack) {
    if (right)
        return Adopt(boss,
                     new CCollisionDetectionSectorUpRight(boss, boss, boss->owner, dx, dy, radius, lifetime,
                                                          kNoRehit, kSideEnemy, kAimKeep, attack));
    return Adopt(boss, new CCollisionDetectionSectorUpLeft(boss, boss, boss->owner, dx, dy, radius, lifetime,
                                                           kNoRehit, kSideEnemy, kAimKeep, attack));
}

void ThrowBossShot(const char* className, CStage* owner, double x, double y, const LiveObjectArgs& args) {
    if (std::unique_ptr<IBase> shot = CreateLiveObject(className, owner, x, y, args))
        CObjectRegistry::GetInstance()->Add(std::move(shot));
}
