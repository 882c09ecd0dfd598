#pragma once
// What the flying enemies and the invisible controllers share beyond the enemy pattern: the
// recoil straight away from a body, braking on both axes, the spin of a flyer knocked away, the
// eight looks by direction, and the spawn flag of a placed object that is not itself an enemy.
#include "gimmicks/GimmickSupport.h"
#include "play/Base.h"

class IEnemy;
class CSprite;

// Thrown straight away from the other body's centre at `speed`, braking by `brake` on both axes.
void RecoilAway(IBase& self, const IBase& other, double speed, double brake);
// A body contact that bumped this flyer: the other bounced off its top or was pushed away, while
// the flyer was not itself knocked away.
bool IsBump(const IEnemy& self, int contactResult);
// The brake stop on the vertical axis: an acceleration that has carried the velocity through
// zero stops both.
void BrakeStopVertical(IBase& self);
// The brake stop on both axes.
void BrakeStopBoth(IBase& self);
// The spin angle of a flyer knocked away: it turns with its age, against its flight.
float BlownSpin(const IEnemy& self);

// DrawSpriteAt (a sprite the object draws itself, at a world point) comes with the gimmicks' helpers.

// Eight directions in the order of the look cells: up, up-right, right, down-right, down,
// down-left, left, up-left. Picked from the direction's cosine and sine with a dead zone of 0.55.
int LookDirection(double angle);

// Keeps the placed object that made `object` from making it again while the stage is played
// (through the owner's current area table, only for a record id).
void ClearSpawnFlagOf(const IBase& object);

// The facing of a flyer placed with `facing`: 0 left, any other value right (1).
int RecordFacing(int facing);

// Which way the hero looks (0 left, 1 right); a stand-in hero of a test looks the way it moves.
int GetHeroFacing(const IBase& hero);
