#pragma once
// Stand-in for a custom lift's route editor: it keeps the route it is given and answers accept
// or close. Replaced by the real route editor.
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

namespace Controls {

class CCustomLiftConfigWindow : public CStandInWindow {
  public:
    CCustomLiftConfigWindow(int32_t x, int32_t y, int32_t area, int32_t column, int32_t row,
                            const std::string& command)
        : CStandInWindow("動きの設定", x, y, "動き：" + command, {"O K"}),
          area_(area),
          column_(column),
          row_(row),
          command_(command) {}
    // Non-zero when accepted.
    int32_t GetResult() const { return accepted_; }
    int32_t GetArea() const { return area_; }
    int32_t GetColumn() const { return column_; }
    int32_t GetRow() const { return row_; }
    std::string GetCommandString() const { return command_; }

  protected:
    bool OnAnswer(int32_t index) override {
        accepted_ = index == 0 ? 1 : 0;
        return true;
    }

  private:
    int32_t accepted_ = 0;
    int32_t area_, column_, row_;
    std::string command_;
};

}  // namespace Controls
