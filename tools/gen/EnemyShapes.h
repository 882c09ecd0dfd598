#pragma once
// The `enemy` drawing word: every hostile creature of the enemy sheets, one pose in one cell,
// drawn facing left (the right-facing sheets flip their cells with `flipbox`). Shapes are
// shaded in three steps with a dark outline and stay hard against the key colour.
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

// Draws one `enemy` line: enemy x y w h kind=<creature> pose=<n> [variant=<n>].
void DrawEnemyShape(Canvas& canvas, const Line& op);

}  // namespace gen
