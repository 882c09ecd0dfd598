#pragma once
// Drawing words for the stick-man bosses' sheets: `barman` (one stick man in a pose cell),
// `barmanbar` (a boss's weapon strip), and two sheet tools, `flipbox` (turns a rectangle over in
// place) and `tint` (pulls every drawn pixel of a rectangle towards one colour).
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

void DrawBarMan(Canvas& canvas, const Line& op);
void DrawBarManBar(Canvas& canvas, const Line& op);
void FlipBox(Canvas& canvas, const Line& op);
void TintBox(Canvas& canvas, const Line& op);

}  // namespace gen
