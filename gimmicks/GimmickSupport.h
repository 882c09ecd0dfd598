#pragma once
// Small pieces that the placed gimmicks share: their start-up settings, forgetting a record whose
// object is gone for good, the effect at a box's middle, the slash that a hazard's body deals on
// contact, making a sprite of the object sheets, and drawing a further sprite at a point.
#include "engine/SpriteManager.h"

class IBase;

// The settings a placed hazard starts with: of the category, still (no speed, acceleration or
// gravity), drawn among the gimmicks (priority 20) at the depth, despawned off the screen or not.
void SetUpHazard(IBase& object, int category, double depth, bool despawnOffScreen);
// Makes the object a circle of the radius about its position.
void MakeCircle(IBase& object, double radius);

// Clears the may-spawn flag of the object's placed record in the area being played, so the spawner
// does not make it again during this visit; nothing without a current area or record.
void ForgetPlacedObject(const IBase& object);

// Makes an effect of the kind at the middle of the object's box, in whole pixels.
void EffectAtBoxCentre(int effectKind, const IBase& object);

// The cut that a spinning or spiked hazard deals to whatever touches it: `damage`, thrown up and
// away from the hazard at `power`. When the victim is hurt or beaten, the slash spark and sound at
// the contact point. Returns the victim's answer; 6 when the hazard itself is gone.
int DealContactSlash(IBase& hazard, IBase* victim, int damage, double power);

// A sprite of the cell (left, top)-(right, bottom) of a picture of the "Object" group, blend mode 2,
// for the gimmick to keep; null when no sprite can be made (no sprite manager, or a thread that makes
// none, such as a stage checked off the game's thread).
OwnedSprite MakeObjectSprite(const char* key, int left, int top, int right, int bottom);

// Draws a sprite the way IBase::DrawSprite draws an object's own: at world pixels / 256 and the
// depth given. Nothing for a null sprite.
void DrawSpriteAt(CSprite* sprite, double worldX, double worldY, double depth);
