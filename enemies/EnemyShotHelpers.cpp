#include "enemies/EnemyShotHelpers.h"

#include "play/ObjectRegistry.h"
#include "play/Shots.h"

namespace {

EnemyShotMaker g_makers[static_cast<int>(EnemyShotKind::kCount)] = {};

}  // namespace

void SetEnemyShotMaker(EnemyShotKind kind, EnemyShotMaker maker) {
    const int i = static_cast<int>(kind);
    if (i >= 0 && i < static_cast<int>(EnemyShotKind::kCount)) g_makers[i] = maker;
}

void LaunchEnemyShot(EnemyShotKind kind, const EnemyShotLaunch& launch) {
    const int i = static_cast<int>(kind);
    if (i < 0 || i >= static_cast<int>(EnemyShotKind::kCount)) return;
    IBase* shot = g_makers[i]
                      ? g_makers[i](launch)
                      : new CNormalShot(launch.owner, launch.x, launch.y, launch.vx, launch.vy, false);
    if (shot) CObjectRegistry::GetInstance()->Add(shot);
}
