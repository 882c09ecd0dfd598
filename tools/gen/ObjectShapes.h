#pragma once
// The `obj` drawing word: the solid build materials of stage gimmicks (wooden crates, stone
// blocks, lift planks, riveted metal), bevelled and outlined so that they read as solid things
// at 1x and keep hard edges against the transparent key.
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

// Draws one `obj` line; throws GenError for an unknown kind.
void DrawObjectShape(Canvas& canvas, const Line& op);
// `turn sx sy w h [dx dy] quarter=N`: copies a square of the picture to (dx, dy) turned clockwise
// by N quarter turns, so one drawing serves a fixture facing up, right, down and left.
void DrawTurnedCopy(Canvas& canvas, const Line& op);

}  // namespace gen
