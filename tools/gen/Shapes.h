#pragma once
// The drawing vocabulary of the image manifests. Every word draws into a rectangle of the
// picture; see README.md for the list of words and their parameters.
#include <string>
#include <vector>

#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

// Draws one manifest line onto the canvas. Throws GenError for an unknown word or bad values.
void DrawShape(Canvas& canvas, const Line& op);
// The words DrawShape understands (for messages and the README check).
const std::vector<std::string>& ShapeWords();

}  // namespace gen
