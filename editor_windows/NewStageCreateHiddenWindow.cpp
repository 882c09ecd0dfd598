#include "editor_windows/NewStageCreateHiddenWindow.h"

#include <memory>

#include "foundation/VersionNumber.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

CNewStageCreateHiddenWindow::CNewStageCreateHiddenWindow(bool modified, IEditorWindowHost* /*host*/,
                                                         bool /*unsaved*/, int32_t /*category*/,
                                                         const std::string& /*stageName*/)
    : CStandInWindow("新規作成", 160, 120,
                     modified ? "新しいステージを作ります。\n保存していない変更は失われます。"
                              : "新しいステージを作ります。",
                     {"作成する", "キャンセル"}) {}

bool CNewStageCreateHiddenWindow::OnAnswer(int32_t index) {
    if (index != 0) return true;
    CStage stage(nullptr, 1, CVersionNumber::Application());
    stage.SetName("新しいステージ");
    auto map = CStageMap::Create(AreaClass_Short);
    const int height = map ? map->GetHeight() : 0;
    stage.AppendArea(std::make_unique<CStageArea>(&stage, std::move(map),
                                                  std::make_unique<CStageAreaObjectTable>(&stage), "", 0, 1,
                                                  0, stage.NextAbsoluteAreaNum()));
    stage.startArea = 0;
    stage.startX = 2;
    stage.startY = height > 3 ? height - 3 : 0;
    stageXml_ = stage.WriteXml();
    return true;
}
