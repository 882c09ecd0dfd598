#include "flow/TitleScene.h"

#include <algorithm>

#include "engine/InputManager.h"
#include "engine/Music.h"
#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/FrameTime.h"
#include "foundation/VersionNumber.h"
#include "play/Letterbox.h"

namespace {
double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }
}  // namespace

CTitleScene::CTitleScene(IScene* parent) : IScene(parent) {}

void CTitleScene::Start() { PlayMusic(MusicId::kOpening); }

uint32_t CTitleScene::GetClearColor() {
    if (GetChild()) return GetChild()->GetClearColor();
    return Rgb(205, 165, 106);
}

void CTitleScene::Update() {
    const double step = GetFrameTime() * 60.0;
    timer_ += step;
    if (started_) {
        leaveTimer_ += step;
        if (leaveTimer_ > 60) Close();
    }
    CInputManager* input = CInputManager::GetInstance();
    if ((input->IsPushed(kKeyZ) || input->IsMouseLeftPushed()) && !started_ && timer_ > 90) {
        started_ = true;
        PlaySE(SoundId::kStart);
        PlayMusic(MusicId::kNone);
    }
}

bool CTitleScene::IsPromptVisible() const {
    return !started_ && timer_ > 90 && static_cast<int>(timer_ - 90) % 40 < 25;
}

double CTitleScene::LogoWidth() const { return timer_ < 40 ? (timer_ - 20) * 0.05 * 512 : 512.0; }

double CTitleScene::LogoY() const {
    if (timer_ < 40) return 204;
    if (timer_ < 60) return 188 + 16 - (timer_ - 40) * 0.8;
    return 188;
}

void CTitleScene::DrawOverlay() {
    // A warm band across the middle of the screen.
    const uint32_t band = Rgb(230, 210, 180);
    elDraw::DrawRect(0, 176, 640, 272, band, band, 1);

    // Columns of ornaments down both sides.
    const int sys1 = FindImage("System", "System001");
    for (int y = 24; y < 456; y += 54) {
        elDraw::PutObject(24, y, sys1, 98, 64, 136, 88);
        elDraw::PutObject(578, y, sys1, 98, 64, 136, 88);
    }

    // The subtitle under the logo.
    const int sys8 = FindImage("System", "System008");
    elDraw::PutObject(192, 280, sys8, 0, 144, 256, 176);

    // The start prompt blinks once the logo has settled.
    if (IsPromptVisible()) {
        elDraw::PutObject(168, 336, sys8, 8, 176, 136, 192);
        elDraw::PutObject(296, 336, sys8, 8, 192, 184, 208);
    }

    // The credit lines, bottom right.
    const int sys9 = FindImage("System", "System009");
    elDraw::PutObject(352, 392, sys9, 0, 144, 224, 216);

    // The version, right of the band.
    DrawText("Ver." + CVersionNumber::Application().ToString(), 496, 256, 640, 272, 0, 0, 0,
             kProportionalGothic, 14, 0, false, 0);

    // The opening fade.
    if (timer_ < 75) DrawLetterbox(Clamp01((75 - timer_) / 15));

    // The logo grows in over the letterbox and flashes while the game starts.
    const double w = LogoWidth();
    const int y = static_cast<int>(LogoY());
    const int logo = (started_ && static_cast<int>(leaveTimer_) % 12 <= 5) ? sys9 : sys8;
    if (w > 0) elDraw::PutObject(64, y, logo, 0, 0, std::min(static_cast<int>(w), 256), 72);
    if (w > 256) elDraw::PutObject(320, y, logo, 0, 72, static_cast<int>(w) - 256, 144);

    // The leaving fade.
    if (started_ && leaveTimer_ > 30) DrawLetterbox(Clamp01((leaveTimer_ - 30) * 0.05));
}
