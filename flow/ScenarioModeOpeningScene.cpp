#include "flow/ScenarioModeOpeningScene.h"

#include "engine/InputManager.h"
#include "engine/Music.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"

namespace {

struct Piece {
    int x, y, left, top, right, bottom;
};

// The pictures of the page, from "Single001": the title, the hero and his caption, the thief and
// his.
constexpr Piece kPieces[] = {
    {60, 40, 0, 184, 216, 224},   {100, 200, 0, 0, 104, 120},   {400, 170, 120, 0, 216, 128},
    {128, 340, 0, 128, 184, 160}, {432, 130, 0, 160, 128, 184},
};

}  // namespace

void CScenarioModeOpeningScene::Start() { PlayMusic(MusicId::kSelectStage); }

void CScenarioModeOpeningScene::Update() {
    const CInputManager* input = CInputManager::GetInstance();
    if (input->IsPushed(kKeyZ) || input->IsPushed(kKeyX) || input->IsMouseLeftPushed()) Close();
}

void CScenarioModeOpeningScene::DrawOverlay() {
    const int image = FindImage("System", "Single001");
    for (const Piece& p : kPieces) elDraw::PutObject(p.x, p.y, image, p.left, p.top, p.right, p.bottom);
    DrawText("天の国より 「天地創造の秘宝」 が 盗まれた！\n怪盗 バット・バット を追いかけて 取り戻そう！", 80,
             100, 400, 140, 0, 0, 0, kProportionalGothic, 16, 0, false, 0);
    DrawText("push Z Key…", 440, 400, 620, 440, 0, 0, 0, kProportionalGothic, 14, 0, false, 0);
}
