#include "flow/FormHostScenes.h"

#include "engine/Music.h"
#include "flow/ConfigSceneRootForm.h"
#include "flow/NetworkTestForm.h"
#include "flow/TopMenuScene.h"
#include "online/AdminCreatorForm.h"
#include "online/RegisterCreatorForm.h"
#include "online/ShopSceneRootForm.h"

CFormHostScene::CFormHostScene(IScene* parent, int music, bool fadeIn)
    : IScene(parent), music_(music), fadeIn_(fadeIn) {}

CFormHostScene::~CFormHostScene() = default;

void CFormHostScene::Start() { PlayMusic(music_, CMusicPlayer::kEndless, 1.0f, fadeIn_); }

void CFormHostScene::Update() {
    if (root_) root_->Update();
}

void CFormHostScene::DrawOverlay() {
    if (root_) root_->Draw();
}

void CFormHostScene::SetRootForm(std::unique_ptr<Controls::GCForm> form) { root_ = std::move(form); }

CRegisterCreatorScene::CRegisterCreatorScene(IScene* parent)
    : CFormHostScene(parent, MusicId::kDownload, true) {
    SetRootForm(std::make_unique<Controls::CRegisterCreatorSceneRootForm>(this));
}

CAdminCreatorScene::CAdminCreatorScene(IScene* parent) : CFormHostScene(parent, MusicId::kDownload, true) {
    SetRootForm(std::make_unique<Controls::CAdminCreatorSceneRootForm>(this));
}

void CAdminCreatorScene::CloseToEditor() {
    if (auto* menu = dynamic_cast<CTopMenuScene*>(GetParent())) menu->SetPendingMode(kModeMakeStage);
    Close();
}

CShopScene::CShopScene(IScene* parent) : CFormHostScene(parent, MusicId::kSelectStage, true) {
    SetRootForm(std::make_unique<Controls::CShopSceneRootForm>(this));
}

CNetWorkTestScene::CNetWorkTestScene(IScene* parent) : CFormHostScene(parent, MusicId::kNone, false) {
    SetRootForm(std::make_unique<Controls::CNetWorkTestSceneRootForm>(this));
}

CConfigScene::CConfigScene(IScene* parent) : CFormHostScene(parent, MusicId::kTopMenu, true) {
    SetRootForm(std::make_unique<Controls::CConfigSceneRootForm>(this));
}
