#pragma once
// The hero's drawing words: `hero` (one body frame of the kid with the pointed hat),
// `weapon` (the things the hero swings, laid along a strip or across an item cell) and `swing`
// (the streaks a swing leaves). Every part is a distance field painted with a one-pixel dark
// outline and hard edges against the transparent key.
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

void DrawHeroShape(Canvas& canvas, const Line& op);
void DrawWeaponShape(Canvas& canvas, const Line& op);
void DrawSwingShape(Canvas& canvas, const Line& op);

}  // namespace gen
