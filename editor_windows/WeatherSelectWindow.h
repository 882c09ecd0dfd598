#pragma once
// Stand-in for the weather picker of a placed event: it keeps the weather it is given and answers
// accept or close. Replaced by the real picker with its list.
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class CWeatherSelectWindow : public Controls::CStandInWindow {
  public:
    CWeatherSelectWindow(int32_t x, int32_t y, int32_t current, int32_t area, int32_t column, int32_t row)
        : CStandInWindow("天気の選択", x, y, "番号：" + std::to_string(current), {"O K"}),
          chosen_(current),
          area_(area),
          column_(column),
          row_(row) {}
    bool IsAccepted() const { return accepted_; }
    int32_t GetSelectedId() const { return chosen_; }
    int32_t GetArea() const { return area_; }
    int32_t GetColumn() const { return column_; }
    int32_t GetRow() const { return row_; }

  protected:
    bool OnAnswer(int32_t index) override {
        accepted_ = index == 0;
        return true;
    }

  private:
    bool accepted_ = false;
    int32_t chosen_, area_, column_, row_;
};
