#pragma once
// What the player sees and hears when a blow lands: the spark at the contact point and the hit
// sound, chosen from the answer of the victim and the kind of attack; and the outlines that debug
// drawing shows.
#include <cstdint>

#include "play/AttackParameter.h"

class IBase;

// After `victim` answered `result` to the attack of `attacker`: for 0, 1 and 3 an effect at the
// point on the line between the centres at rs / (rs + ro) from the attacker, and its sound;
// nothing for any other answer.
void ShowHitEffect(const IBase* attacker, const IBase* victim, const AttackInfo& attack, int result);
// True when `result` is the hero's defeat. Hitboxes and bursts then show no hit effect (the hero
// shows its own defeat); every other attacker shows its effect all the same.
bool BeatsTheHero(const IBase* victim, int result);

// The switch that shows the outlines of attack shapes and bursts; play never turns it on.
void SetDebugDrawing(bool on);
bool IsDebugDrawing();
// An outline circle of a world radius about a world point, drawn through the object's camera.
void DrawDebugCircle(const IBase& object, double worldX, double worldY, double radius, uint32_t colorRef);

// The shared debug outline: while debug drawing is on and the object lives, its box from (x, y)
// to (x + width, y + height), through the camera, one pixel wide, in magenta unless a class
// names its own colour.
struct DebugColour {
    int red = 255, green = 0, blue = 255;
};
inline constexpr DebugColour kDebugCyan{0, 255, 255};
void DrawDebugBox(const IBase& object, DebugColour colour = {});
