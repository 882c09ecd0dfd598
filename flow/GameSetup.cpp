#include "flow/GameSetup.h"

#include "bosses/BossKinds.h"
#include "enemies/EnemyKinds.h"
#include "engine/GameHooks.h"
#include "flow/LoadingScene.h"
#include "flow/ScenarioMap.h"
#include "flow/ScenarioSaveData.h"
#include "flow/TitleScene.h"
#include "flow/TopMenuScene.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "gimmicks/EffectKinds.h"
#include "gimmicks/GimmickKinds.h"
#include "online/EmbeddedServer.h"
#include "online/NetWorkAccessor.h"
#include "online/ShopItemTable.h"
#include "online/StagePostThroughAccessor.h"
#include "play/AttackParameter.h"
#include "play/ObjectRegistry.h"
#include "play/SpriteBatch.h"
#include "stage/StageObjectKindTable.h"

namespace {

// The network accessor as the shell polls and draws it.
class NetWorkHost : public INetWorkHost {
  public:
    void Poll() override {
        if (CNetWorkAccessor::HasInstance()) CNetWorkAccessor::GetInstance()->Poll();
    }
    bool IsBusy() override {
        return CNetWorkAccessor::HasInstance() && CNetWorkAccessor::GetInstance()->IsBusy();
    }
    void Draw() override {
        if (CNetWorkAccessor::HasInstance()) CNetWorkAccessor::GetInstance()->Draw();
    }
};

NetWorkHost g_netHost;

template <class Step>
void LoggingErrors(Step step) {
    try {
        step();
    } catch (const CQuorException& e) {
        CLog::GetInstance()->Write(FormatErrorReport(e));
    }
}

}  // namespace

void InstallGameHooks() {
    // The tables read only when first needed are read at start as well: a damaged one stops the
    // game there, not in the editor's file list or its pallet with unsaved work open.
    SetShippedTableCheck([] {
        CheckShippedKeyTextTables();
        CScenarioMap::CheckMapFile();
    });
    // A progress file that cannot be read never stops the game: the error goes to the log, and
    // the scenario mode shows it when the player enters it.
    SetSingletonHooks(UpperSingleton::ScenarioSaveData,
                      {[] { LoggingErrors([] { CScenarioSaveData::GetInstance(); }); },
                       [] { LoggingErrors([] { CScenarioSaveData::GetInstance()->Reload(); }); },
                       [] { CScenarioSaveData::DeleteInstance(); }});
    SetSingletonHooks(UpperSingleton::ShopItemTable, {[] { CShopItemTable::GetInstance(); },
                                                      [] {
                                                          CShopItemTable::GetInstance();
                                                          CShopItemTable::Reload();
                                                      },
                                                      [] { CShopItemTable::DeleteInstance(); }});
    SetSingletonHooks(UpperSingleton::NetWorkAccessor,
                      OwnedSingletonHooks<CNetWorkAccessor, &CNetWorkAccessor::Reset>());
    // The object registry's first use, and every game reset, clears it and reloads the relation
    // table.
    SetSingletonHooks(UpperSingleton::ObjectRegistry,
                      OwnedSingletonHooks<CObjectRegistry, &CObjectRegistry::Reset>());
    SetSingletonHooks(UpperSingleton::SpriteBatch, OwnedSingletonHooks<CSpriteBatch, &CSpriteBatch::Reset>());
    SetSingletonHooks(
        UpperSingleton::AttackParameterTable,
        {[] { CAttackParameterTable::GetInstance(); }, [] { CAttackParameterTable::GetInstance(); },
         [] { CAttackParameterTable::DeleteInstance(); }});
    InstallEffectFactory();
    RegisterGimmickKinds();
    RegisterEnemyKinds();
    RegisterBossKinds();
    SetNetWorkHost(&g_netHost);
    InstallEmbeddedServer();
    InstallStagePostService();
    SetSceneFactory(
        {[]() -> std::unique_ptr<IScene> { return std::make_unique<CTopMenuScene>(nullptr); },
         [](IScene* parent) -> std::unique_ptr<IScene> { return std::make_unique<CTitleScene>(parent); },
         [](const std::vector<std::string>& groups, bool objectStep, IScene* parent)
             -> std::unique_ptr<IScene> { return std::make_unique<CLoading>(groups, objectStep, parent); }});
}
