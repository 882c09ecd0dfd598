#pragma once
// How the flyers fire: every shot they make goes through one seam, so that an enemy names the
// projectile it wants and the projectile classes (which live in their own files) say how each is
// built. A kind that has no maker yet flies as a plain shot along the same line, so an enemy is
// never left unarmed. Tests put a recording maker in place to see what was fired.
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

// Builds the shot, unregistered (null when it cannot be made).
using EnemyShotMaker = IBase* (*)(const EnemyShotLaunch& launch);

// Sets (or, with null, removes) the maker of a kind.
void SetEnemyShotMaker(EnemyShotKind kind, EnemyShotMaker maker);

// Makes the shot (an enemy's, not the hero's) and hands it to the object registry.
void LaunchEnemyShot(EnemyShotKind kind, const EnemyShotLaunch& launch);
