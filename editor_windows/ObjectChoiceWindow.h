#pragma once
// Stand-ins for the property dialogs whose answer is one of a few buttons (a battery's timing, a
// switch's colour, a zoom event's rate): the button's number, 1 for the first, 0 when closed,
// with the placed object's area and tile handed back.
#include <cstdint>
#include <string>
#include <vector>

#include "editor_windows/StandInWindow.h"

namespace Controls {

class CObjectChoiceWindow : public CStandInWindow {
  public:
    int32_t GetResult() const { return result_; }
    int32_t GetArea() const { return area_; }
    int32_t GetColumn() const { return column_; }
    int32_t GetRow() const { return row_; }

  protected:
    CObjectChoiceWindow(const std::string& title, int32_t x, int32_t y, const std::string& text,
                        const std::vector<std::string>& choices, int32_t area, int32_t column, int32_t row)
        : CStandInWindow(title, x, y, text, choices), area_(area), column_(column), row_(row) {}
    bool OnAnswer(int32_t index) override {
        result_ = index + 1;
        return true;
    }

  private:
    int32_t result_ = 0;
    int32_t area_, column_, row_;
};

}  // namespace Controls
