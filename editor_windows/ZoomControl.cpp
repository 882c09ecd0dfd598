#include "editor_windows/ZoomControl.h"

#include <cmath>

#include "controls/ControlPort.h"

namespace Controls {

namespace {
constexpr int32_t kCentre = 32;
constexpr double kPathRadius = 24.0, kGripRadius = 12.0;
}  // namespace

CZoomControl::CZoomControl(int32_t x, int32_t y, double startAngle)
    : CRotatablePart(x, y, startAngle, kLargestAngle, kSmallestAngle, kCentre, kCentre, kPathRadius,
                     kGripRadius) {}

void CZoomControl::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    PutSheet(kSheet2, x, y, 128, 120, 192, 184);
    const int32_t hx = int32_t(x + kCentre + std::cos(angle) * kPathRadius);
    const int32_t hy = int32_t(y + kCentre + std::sin(angle) * kPathRadius);
    int32_t top = 40;
    if (IsDragging()) {
        top = 88;
    } else if (IsHovered()) {
        top = 64;
    }
    PutSheet(kSheet2, hx - 12, hy - 12, 232, top, 256, top + 24);
}

}  // namespace Controls
