#pragma once
// The property dialogs that pick one of a few values of a placed object (a battery's timing, a
// switch's colour, a zoom event's rate): a column of buttons, each closing the dialog with its
// number, 1 for the first, and standing for the value the object then takes. The close button
// leaves the result 0 (no value), and the editor changes nothing. The object's area and tile are
// kept for the caller.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "controls/Dialogs.h"
#include "editor_windows/ObjectPlace.h"

namespace Controls {

// A button's text and the value it stands for.
struct PropertyChoice {
    const char* text;
    int32_t value;
};

class CPropertyChoiceWindowBase : public CCloseableBeigeForm, public CObjectPlace {
  public:
    void OnButtonPushed(GCButton* sender) override;
    static constexpr int32_t kNoValue = -1;

    int32_t GetResult() const { return result_; }
    // The object's new value (its first attribute), kNoValue when closed without a choice.
    int32_t GetValue() const { return result_ > 0 ? values_[size_t(result_ - 1)] : kNoValue; }
    int32_t GetChoiceCount() const { return int32_t(choices_.size()); }
    // Choice `index` (0 for the first), null outside.
    GCButton* GetChoiceButton(int32_t index) const;

  protected:
    CPropertyChoiceWindowBase(const std::string& title, int32_t x, int32_t y, int32_t width, int32_t height,
                              int32_t areaIndex, int32_t tileX, int32_t tileY);
    // Adds the next choice's button, standing for `value`, the window subscribed to it.
    void AddChoice(std::unique_ptr<GCButton> button, int32_t value);
    // A column of small blue buttons at x 68 from y 52, 40 apart.
    void AddBlueChoices(std::initializer_list<PropertyChoice> choices);

  private:
    std::vector<GCButton*> choices_;
    std::vector<int32_t> values_;
    int32_t result_ = 0;
};

}  // namespace Controls
