#include "flow/TopMenuScene.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/Dialogs.h"
#include "engine/Music.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "flow/TopMenuModes.h"
#include "flow/TopMenuRootForm.h"
#include "foundation/ClientInfo.h"
#include "foundation/FrameTime.h"
#include "foundation/QuorException.h"
#include "play/Letterbox.h"

namespace {
constexpr double kFadeFrames = 15;
}  // namespace

CTopMenuScene::CTopMenuScene(IScene* parent) : IScene(parent) {}

CTopMenuScene::~CTopMenuScene() = default;

void CTopMenuScene::Start() { PlayMusic(staffRollRequested_ ? MusicId::kNone : MusicId::kTopMenu); }

void CTopMenuScene::RebuildRootForm() {
    root_.reset();
    root_ = std::make_unique<Controls::CTopMenuRootForm>(this);
    timer_ = 0;
    selectedMode_ = kModeNone;
    opened_ = false;
    if (pendingMode_ != kModeNone) {
        // Straight on to the mode, behind the closed letterbox.
        opened_ = true;
        timer_ = 10000.0;
        selectedMode_ = pendingMode_;
        pendingMode_ = kModeNone;
    }
    // What the start had to do with the player's files (the settings, a damaged play history),
    // told once each, one window after the other.
    if (auto notice = CClientInfo::GetInstance()->TakeLoadNotice()) notices_.push_back(*notice);
    for (const StringPair& n : TakeRecoveredErrors()) notices_.push_back(n);
    ShowNextNotice();
}

void CTopMenuScene::ShowNextNotice() {
    if (notices_.empty() || root_->GetModalForm()) return;
    const StringPair n = notices_.front();
    notices_.erase(notices_.begin());
    root_->OpenModal(std::make_unique<Controls::CAlertWindow>("[" + n.code + "]\n" + n.message));
}

void CTopMenuScene::Update() {
    const double step = GetFrameTime() * 60.0;
    if (rebuildRequested_) {
        rebuildRequested_ = false;
        RebuildRootForm();
        if (staffRollRequested_) {
            staffRollRequested_ = false;
            PushChild(CreateStaffRollScene(this));
            return;
        }
    }
    if (!opened_) {
        timer_ += step;
        if (timer_ > kOpeningFrames) {
            timer_ = 0;
            opened_ = true;
        }
        return;
    }
    root_->Update();
    ShowNextNotice();
    if (selectedMode_ != kModeNone) timer_ += step;
    if (timer_ <= kLeaveFrames) return;
    PushChild(CreateModeScene(selectedMode_, this));
    rebuildRequested_ = true;
}

void CTopMenuScene::OnChildClosed(IScene* child) {
    if (EndedWithEnding(child)) staffRollRequested_ = true;
}

double CTopMenuScene::LetterboxRatio() const {
    if (!opened_) return std::min(1.0, (kOpeningFrames - timer_) / kFadeFrames);
    if (timer_ > kOpeningFrames) return std::min(1.0, (timer_ - kOpeningFrames) / kFadeFrames);
    return 0;
}

void CTopMenuScene::DrawBackground() const {
    // Bricks: every other row shifted by half a brick.
    const int tile = FindImage("Editer", "Controls_009");
    for (int y = 0; y <= 448; y += 32) {
        const int shift = (y % 64 == 0) ? 0 : 32;
        for (int x = -64; x <= 576; x += 64) elDraw::PutObject(x + shift, y, tile, 160, 80, 224, 112);
    }
}

void CTopMenuScene::DrawCreatorHeader() const {
    CClientInfo* info = CClientInfo::GetInstance();
    if (!info->HasCreatorId()) return;
    constexpr uint32_t kBand = Rgb(0, 7, 27), kRule = Rgb(72, 60, 30);
    elDraw::DrawRect(0, 0, 640, 46, kBand, kBand, 1);
    elDraw::DrawRect(0, 46, 640, 48, kRule, kRule, 1);
    char number[32];
    DrawText("ようこそ、" + info->GetCreatorName() + " さん！", 15, 8, 335, 26, 255, 255, 255,
             kProportionalGothic, 14, 0, false, 0);
    DrawText("クリエイターレベル:", 420, 8, 580, 24, 255, 255, 255, kProportionalGothic, 14, 0, false, 2);
    std::snprintf(number, sizeof number, "%d", GetCreatorLevel());
    DrawText(number, 586, 8, 638, 24, 255, 255, 255, kProportionalGothic, 14, 0, false, 0);
    DrawText("クリエイターポイント:", 420, 25, 580, 41, 255, 255, 255, kProportionalGothic, 14, 0, false, 2);
    std::snprintf(number, sizeof number, "%d", info->GetCreatorPoint());
    DrawText(number, 586, 25, 638, 41, 255, 255, 255, kProportionalGothic, 14, 0, false, 0);
}

void CTopMenuScene::DrawOverlay() {
    DrawBackground();
    DrawCreatorHeader();
    if (root_) root_->Draw();
    if (const double ratio = LetterboxRatio(); ratio > 0) DrawLetterbox(ratio);
}
