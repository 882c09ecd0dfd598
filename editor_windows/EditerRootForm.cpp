#include "editor_windows/EditerRootForm.h"

#include "controls/ControlPort.h"

namespace Controls {

CEditerRootForm::CEditerRootForm(int32_t left, int32_t top, int32_t right, int32_t bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom) {}

void CEditerRootForm::Draw() {
    if (!IsVisible()) return;
    const uint32_t band = PackColor(205, 165, 106);
    Port().Rect(0, 0, left_, 480, band, band, 1);
    Port().Rect(right_, 0, 640, 480, band, band, 1);
    Port().Rect(left_, 0, right_, top_, band, band, 1);
    Port().Rect(left_, bottom_, right_, 480, band, band, 1);
    DrawChildren();
    // The frame lies inside the viewport, over the map's edge.
    DrawOpenFrame(left_, top_, right_ - left_, bottom_ - top_);
    if (GCForm* modal = GetModalForm()) modal->Draw();
}

}  // namespace Controls
