#pragma once
// The effect kinds 1..40 that every object names when it shows a spark, a blast or a break, and
// the factory behind play's CreateEffect.
#include <memory>

#include "gimmicks/Effect.h"

class CStage;

// A new effect of kind 1..40 at (x, y), not registered; null for any other kind.
std::unique_ptr<IEffect> NewEffect(int kind, CStage* owner, double x, double y);
// Makes kind 1..40 at the whole-pixel point and hands it to the object registry (which refuses it
// when full); any other kind makes nothing.
void MakeEffect(int kind, double x, double y, CStage* owner);
// Fills play's effect seam; the game calls it once at start.
void InstallEffectFactory();
