#pragma once
// Drawing words of the play scene's backdrops: `landscape` (a window onto an endless band of
// hills, peaks, cloud tops or crystal ground that repeats every `period` pixels, so cells cut
// from it join without seams) and `darkness` (black all round a lit circle, dithered at its rim).
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

void DrawLandscape(Canvas& canvas, const Line& op);
void DrawDarkness(Canvas& canvas, const Line& op);

}  // namespace gen
