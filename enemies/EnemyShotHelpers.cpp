#include "enemies/EnemyShotHelpers.h"

#include <memory>
#include <utility>

#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"

const char* EnemyShotClass(EnemyShotKind kind) {
    switch (kind) {
        case EnemyShotKind::kNormalShot:
            return "CNormalShot";
        case EnemyShotKind::kNormalBeam:
            return "CNormalBeam";
        case EnemyShotKind::kIceBeam:
            return "CIceBeam";
        case EnemyShotKind::kMissilry:
            return "CMissilry";
        case EnemyShotKind::kPatriot:
            return "CPatriot";
        case EnemyShotKind::kBaseball:
            return "CBaseball";
        case EnemyShotKind::kMagicalBall:
            return "CPatriotMagicalBall";
        case EnemyShotKind::kCount:
            break;
    }
    return "";
}

bool FireEnemyShot(const char* shotClass, CStage* owner, double x, double y, double vx, double vy,
                   int direction) {
    std::unique_ptr<IBase> shot = CreateLiveObject(shotClass, owner, x, y, {vx, vy, false, direction});
    if (!shot) return false;
    CObjectRegistry& registry = shot->Registry();
    return registry.Add(std::move(shot));
}

void LaunchEnemyShot(EnemyShotKind kind, const EnemyShotLaunch& l) {
    FireEnemyShot(EnemyShotClass(kind), l.owner, l.x, l.y, l.vx, l.vy, l.direction);
}
