#pragma once
// Stand-in for the pickers of one catalogue value of a placed event (its music, its weather): it
// keeps the value it is given and answers accept or close, with the object's area and tile.
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

namespace Controls {

class CObjectValueWindow : public CStandInWindow {
  public:
    bool IsAccepted() const { return accepted_; }
    int32_t GetSelectedId() const { return chosen_; }
    int32_t GetArea() const { return area_; }
    int32_t GetColumn() const { return column_; }
    int32_t GetRow() const { return row_; }

  protected:
    CObjectValueWindow(const std::string& title, int32_t x, int32_t y, int32_t current, int32_t area,
                       int32_t column, int32_t row)
        : CStandInWindow(title, x, y, "番号：" + std::to_string(current), {"O K"}),
          chosen_(current),
          area_(area),
          column_(column),
          row_(row) {}
    bool OnAnswer(int32_t index) override {
        accepted_ = index == 0;
        return true;
    }

  private:
    bool accepted_ = false;
    int32_t chosen_, area_, column_, row_;
};

}  // namespace Controls
