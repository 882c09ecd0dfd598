#include "editor_windows/MusicPlayButton.h"

#include <string>

#include "controls/ControlPort.h"

namespace Controls {

namespace {
const std::string kToolSheet = "Controls_004";
constexpr int32_t kCycle = 40, kPhaseLength = 10;
// The resting note, then the four phases of its dance (the fourth repeats the second's pose).
constexpr int32_t kRest[2] = {80, 0};
constexpr int32_t kPhases[4][2] = {{120, 0}, {80, 40}, {120, 40}, {80, 40}};
}  // namespace

void CMusicPlayButton::DrawContent(int32_t x, int32_t y) {
    const int32_t* piece = kRest;
    if (IsDown()) piece = kPhases[(int32_t(GetFrameCounter()) % kCycle) / kPhaseLength];
    PutSheet(kToolSheet, x, y, piece[0], piece[1], piece[0] + 40, piece[1] + 40);
}

}  // namespace Controls
