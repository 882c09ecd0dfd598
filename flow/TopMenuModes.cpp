#include "flow/TopMenuModes.h"

#include "flow/DownLoadScene.h"
#include "flow/EditorScene.h"
#include "flow/FormHostScenes.h"
#include "flow/ScenarioModeStandIn.h"
#include "flow/TopMenuScene.h"
#include "foundation/ClientInfo.h"

std::unique_ptr<IScene> CreateModeScene(int mode, CTopMenuScene* menu) {
    switch (mode) {
        case kModeScenario:
            return std::make_unique<CScenarioModeStandInScene>(menu);
        case kModeStageSelect:
            return std::make_unique<CDownLoadScene>(menu);
        case kModeMakeStage:
            return std::make_unique<CEditorScene>(menu);
        case kModeRegisterCreator:
        case kModeCreatorAdmin:
            // Whoever holds a creator id sees the account, everyone else the registration.
            if (CClientInfo::GetInstance()->HasCreatorId()) return std::make_unique<CAdminCreatorScene>(menu);
            return std::make_unique<CRegisterCreatorScene>(menu);
        case kModeShop:
            return std::make_unique<CShopScene>(menu);
        case kModeNetWorkTest:
            return std::make_unique<CNetWorkTestScene>(menu);
        case kModeConfig:
            return std::make_unique<CConfigScene>(menu);
        default:
            return nullptr;
    }
}

bool EndedWithEnding(IScene*) { return false; }

std::unique_ptr<IScene> CreateStaffRollScene(CTopMenuScene*) { return nullptr; }
