#include "flow/TopMenuScene.h"

#include <algorithm>
#include <cstdio>

#include "engine/InputManager.h"
#include "engine/Music.h"
#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/ClientInfo.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/FrameTime.h"
#include "play/Letterbox.h"

namespace {
uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16); }
const char* const kFont = "ＭＳ Ｐゴシック";
}  // namespace

CTopMenuScene::CTopMenuScene(IScene* parent) : IScene(parent) {}

void CTopMenuScene::Start() { PlayMusic(MusicId::kTopMenu); }

void CTopMenuScene::Update() {
    if (!opened_) {
        timer_ += GetFrameTime() * 60.0;
        if (timer_ > 30) {
            timer_ = 0;
            opened_ = true;
        }
        return;
    }
    CInputManager* input = CInputManager::GetInstance();
    const int x = input->GetMouseX(), y = input->GetMouseY();
    if (input->IsMouseLeftPushed() && x >= kQuitLeft && x < kQuitRight && y >= kQuitTop && y < kQuitBottom) {
        PlaySE(SoundId::kCancel);
        Close();
    }
}

void CTopMenuScene::DrawOverlay() {
    // The brick background.
    const int tile = FindImage("Editer", "Controls_009");
    for (int y = 0; y <= 448; y += 32) {
        const int shift = (y % 64 == 0) ? 0 : 32;
        for (int x = -64; x <= 576; x += 64) elDraw::PutObject(x + shift, y, tile, 160, 80, 224, 112);
    }

    // The creator header.
    CClientInfo* info = CClientInfo::GetInstance();
    if (info->HasCreatorId()) {
        const uint32_t dark = Rgb(0, 7, 27), line = Rgb(72, 60, 30);
        elDraw::DrawRect(0, 0, 640, 46, dark, dark, 1);
        elDraw::DrawRect(0, 46, 640, 48, line, line, 1);
        char number[32];
        DrawText("ようこそ、" + info->GetCreatorName() + " さん！", 15, 8, 335, 26, 255, 255, 255, kFont, 14,
                 0, false, 0);
        DrawText("クリエイターレベル:", 420, 8, 580, 24, 255, 255, 255, kFont, 14, 0, false, 2);
        std::snprintf(number, sizeof number, "%d",
                      CCreatorLevelTable::GetInstance()->GetLevel(info->GetRatingPointSum()));
        DrawText(number, 586, 8, 638, 24, 255, 255, 255, kFont, 14, 0, false, 0);
        DrawText("クリエイターポイント:", 420, 25, 580, 41, 255, 255, 255, kFont, 14, 0, false, 2);
        std::snprintf(number, sizeof number, "%d", info->GetCreatorPoint());
        DrawText(number, 586, 25, 638, 41, 255, 255, 255, kFont, 14, 0, false, 0);
    }

    // The one button of the stand-in menu.
    const uint32_t face = Rgb(230, 210, 180), edge = Rgb(72, 60, 30);
    elDraw::DrawRect(kQuitLeft, kQuitTop, kQuitRight, kQuitBottom, face, edge, 2);
    DrawText("終了", kQuitLeft, kQuitTop + 10, kQuitRight, kQuitBottom, 45, 30, 8, kFont, 16, 0, false, 1);

    // The opening fade.
    if (!opened_) DrawLetterbox(std::min(1.0, (30 - timer_) / 15));
}
