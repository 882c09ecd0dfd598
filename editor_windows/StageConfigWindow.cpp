#include "editor_windows/StageConfigWindow.h"

CStageConfigWindow::CStageConfigWindow(int32_t x, int32_t y, int32_t startAreaHeight, const std::string& name,
                                       int32_t startArea, int32_t startX, int32_t startY, int32_t music,
                                       int32_t backGround, int32_t weather)
    : CStandInWindow("ステージの設定", x, y, "ステージ名：" + name, {"O K", "開始地点を選ぶ", "キャンセル"}),
      startAreaHeight_(startAreaHeight),
      name_(name),
      startArea_(startArea),
      startX_(startX),
      startY_(startY),
      music_(music),
      backGround_(backGround),
      weather_(weather) {}

bool CStageConfigWindow::OnAnswer(int32_t index) {
    if (index == 0) {
        result_ = kAccepted;
    } else if (index == 1) {
        result_ = kPickStartPoint;
    } else {
        result_ = kCancelled;
    }
    return true;
}
