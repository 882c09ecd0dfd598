#pragma once
// The listen button of the music picker: a 40 x 40 toggle whose note icon dances while it is on.
#include <cstdint>

#include "controls/Buttons.h"

namespace Controls {

class CMusicPlayButton : public CBasicToggleButton {
  public:
    CMusicPlayButton(int32_t x, int32_t y) : CBasicToggleButton(x, y) {}
    void DrawContent(int32_t x, int32_t y) override;
};

}  // namespace Controls
