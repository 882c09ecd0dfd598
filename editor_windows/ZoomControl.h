#pragma once
// The editor's zoom dial: a handle dragged along three quarters of a circle, from straight up
// (-pi/2) through right and down to left (pi). It only keeps the angle; the editor turns it
// into the camera's zoom every frame.
#include <cstdint>

#include "controls/Forms.h"

namespace Controls {

class CZoomControl : public CRotatablePart {
  public:
    static constexpr double kSmallestAngle = -1.5707963267948966;
    static constexpr double kLargestAngle = 3.141592653589793;
    // (x, y) is the dial's top-left corner; its centre lies 32 pixels right and below.
    CZoomControl(int32_t x, int32_t y, double startAngle);
    void Draw() override;
};

}  // namespace Controls
