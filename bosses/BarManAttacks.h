#pragma once
// How the stick-man bosses attack: the attack record of a blow, their hitboxes (children of the
// boss, enemy side, never re-hitting the same target) and the shots they hand to the registry.
#include <initializer_list>

#include "foundation/Geometry.h"
#include "play/AttackParameter.h"
#include "stage/LiveObjectSpec.h"

class CBarManBase;
class CStage;
class IBase;

// Damage, launch speed and angle with the listed flags set; no hit-stop.
AttackInfo BossAttack(int damage, double power, double angle, std::initializer_list<int> flags);

// Hitboxes at (dx, dy) from the boss's position, added as its children; each returns the new box.
IBase* AddBossRectangle(CBarManBase* boss, double dx, double dy, int w, int h, double lifetime, int aimMode,
                        const AttackInfo& attack);
IBase* AddBossCircle(CBarManBase* boss, double dx, double dy, double radius, double lifetime, int aimMode,
                     const AttackInfo& attack, double rehitInterval = 9999.0);  // by default never again
// The quarter circle that opens up and forward (up-right facing right, up-left facing left).
IBase* AddBossQuarter(CBarManBase* boss, bool right, double dx, double dy, double radius, double lifetime,
                      const AttackInfo& attack);

// Makes a shot of a live class at (x, y) with its arguments after the position, in the stage of
// `from`, and hands it to that object's registry; nothing when the class is not there.
void ThrowBossShot(const IBase& from, const char* className, double x, double y, const LiveObjectArgs& args);
