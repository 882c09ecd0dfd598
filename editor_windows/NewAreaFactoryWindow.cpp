#include "editor_windows/NewAreaFactoryWindow.h"

#include <memory>

#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

CNewAreaFactoryWindow::CNewAreaFactoryWindow(CStage* stage, int32_t /*flag*/)
    : CStandInWindow("新しいエリア", 160, 100, "追加するエリアの大きさ",
                     {"ワンルーム", "ショート", "キャンセル"}),
      stage_(stage) {}

bool CNewAreaFactoryWindow::OnAnswer(int32_t index) {
    if (!stage_ || (index != 0 && index != 1)) return true;
    const int areaClass = index == 0 ? AreaClass_OneRoom : AreaClass_Short;
    // The area is made on its own and only its text is handed on: the stage itself is not
    // touched, and the number it takes is the one the stage gives out next.
    CStageArea area(stage_, CStageMap::Create(areaClass), std::make_unique<CStageAreaObjectTable>(stage_), "",
                    0, 1, 0, stage_->NextAbsoluteAreaNum());
    areaXml_ = area.WriteXml();
    return true;
}
