#pragma once
// How enemies fire: every shot goes through the live-object creator table by its class name, with
// the arguments (vx, vy, heroSide, direction), so an enemy names the projectile it wants and the
// projectile's own file says how it is built (RegisterEnemyShotKinds). A class without a creator
// fires nothing. Tests register recording creators under the same names to see what was fired.
#include "play/Base.h"

enum class EnemyShotKind {
    kNormalShot,   // straight shot
    kNormalBeam,   // straight beam of the turret
    kIceBeam,      // freezing beam of the turret
    kMissilry,     // dropped missile of the flying machine
    kPatriot,      // homing missile of the flying machine
    kBaseball,     // ball dropped by the fish
    kMagicalBall,  // homing ball of the magician
    kCount
};

struct EnemyShotLaunch {
    CStage* owner = nullptr;
    double x = 0, y = 0;    // where the shot starts
    double vx = 0, vy = 0;  // its first velocity
    int direction = 0;      // the missile's facing; 0 for the others
};

// The class a kind of shot is made as.
const char* EnemyShotClass(EnemyShotKind kind);

// Makes an enemy's shot of a class (not the hero's) through the creator table and hands it to the
// registry of its stage's scene; false when nothing was made or taken.
bool FireEnemyShot(const char* shotClass, CStage* owner, double x, double y, double vx, double vy,
                   int direction = 0);

// The same, by the kind of shot.
void LaunchEnemyShot(EnemyShotKind kind, const EnemyShotLaunch& launch);
