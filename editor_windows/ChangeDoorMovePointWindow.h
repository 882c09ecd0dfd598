#pragma once
// Stand-in for a door's destination dialog: it keeps the door and its destination and answers
// pick the destination on the map, accept (only while a destination area is set) or close.
#include <cstdint>

#include "editor_windows/StandInWindow.h"

namespace Controls {

class CChangeDoorMovePointWindow : public CStandInWindow {
  public:
    enum Result : int32_t { kClosed = 0, kPick = 1, kAccepted = 2 };
    CChangeDoorMovePointWindow(int32_t x, int32_t y, int32_t area, int32_t areaHeight, int32_t column,
                               int32_t row, int32_t targetArea, int32_t targetAreaHeight,
                               int32_t targetColumn, int32_t targetRow);
    int32_t GetResult() const { return result_; }
    int32_t GetArea() const { return area_; }
    int32_t GetColumn() const { return column_; }
    int32_t GetRow() const { return row_; }
    int32_t GetTargetArea() const { return targetArea_; }
    int32_t GetTargetColumn() const { return targetColumn_; }
    int32_t GetTargetRow() const { return targetRow_; }

  protected:
    bool OnAnswer(int32_t index) override;

  private:
    int32_t result_ = kClosed;
    int32_t area_, column_, row_, targetArea_, targetColumn_, targetRow_;
};

}  // namespace Controls
