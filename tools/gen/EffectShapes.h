#pragma once
// The `fx` drawing word: the pictures of hits, blasts and other short-lived effects. Every kind
// is shaded from a bright core through its body colour to a dark rim, with hard edges against
// the transparent key (sprites show each texel fully or not at all) and smooth edges elsewhere.
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

// Draws one `fx` line; throws GenError for an unknown kind.
void DrawEffectShape(Canvas& canvas, const Line& op);

}  // namespace gen
