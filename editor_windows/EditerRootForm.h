#pragma once
// The editor screen's root form: the whole 640 x 480 screen. The editor draws the map inside the
// viewport rectangle; the form paints everything outside it in the window colour, draws the
// editor's controls over that and frames the viewport with the open frame of the second sheet.
// Every editor window is shown as its modal form. It holds no editing logic.
#include <cstdint>

#include "controls/Forms.h"

namespace Controls {

class CEditerRootForm : public COriginalBaseForm, public IPushedEventHandler, public IClosedEventHandler {
  public:
    // The viewport, right and bottom exclusive.
    CEditerRootForm(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void Draw() override;
    void OnPushed(GCButton*) override {}
    void OnClosed(GCForm*) override {}

    int32_t GetViewLeft() const { return left_; }
    int32_t GetViewTop() const { return top_; }
    int32_t GetViewRight() const { return right_; }
    int32_t GetViewBottom() const { return bottom_; }

  private:
    int32_t left_, top_, right_, bottom_;
};

}  // namespace Controls
