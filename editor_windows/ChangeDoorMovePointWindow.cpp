#include "editor_windows/ChangeDoorMovePointWindow.h"

#include <string>

namespace Controls {

namespace {
std::string DestinationText(int32_t area, int32_t column, int32_t row) {
    if (area < 0) return "行き先：なし";
    return "行き先：エリア" + std::to_string(area + 1) + " (" + std::to_string(column) + "," +
           std::to_string(row) + ")";
}
}  // namespace

CChangeDoorMovePointWindow::CChangeDoorMovePointWindow(int32_t x, int32_t y, int32_t area,
                                                       int32_t /*areaHeight*/, int32_t column, int32_t row,
                                                       int32_t targetArea, int32_t /*targetAreaHeight*/,
                                                       int32_t targetColumn, int32_t targetRow)
    : CStandInWindow("行き先の変更", x, y, DestinationText(targetArea, targetColumn, targetRow),
                     {"マップから選ぶ", "O K"}),
      area_(area),
      column_(column),
      row_(row),
      targetArea_(targetArea),
      targetColumn_(targetColumn),
      targetRow_(targetRow) {}

bool CChangeDoorMovePointWindow::OnAnswer(int32_t index) {
    if (index == 0) {
        result_ = kPick;
    } else if (index == 1) {
        // Accepting needs a destination.
        if (targetArea_ < 0) return false;
        result_ = kAccepted;
    } else {
        result_ = kClosed;
    }
    return true;
}

}  // namespace Controls
