#include "flow/ScenarioStageNamePlate.h"

#include <utility>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "flow/ScenarioTables.h"
#include "foundation/FrameTime.h"

CScenarioStageNamePlate::CScenarioStageNamePlate(int land, std::string stageName)
    : shownLand_(land), shownName_(stageName), nextLand_(land), nextName_(std::move(stageName)) {}

void CScenarioStageNamePlate::SetStage(int land, std::string stageName) {
    nextLand_ = land;
    nextName_ = std::move(stageName);
    if (shownLand_ == nextLand_) {
        shownName_ = nextName_;
        return;
    }
    PlaySE(SoundId::kOk1);
    if (phase_ == kStill || phase_ == kSlidingIn) SetPhase(kSlidingOut);
}

void CScenarioStageNamePlate::Update() {
    const double step = kSlideSpeed * GetFrameTime();
    switch (phase_) {
        case kStill:
            offset_ = 0;
            break;
        case kSlidingOut:
            offset_ += step;
            if (offset_ > kSlideDepth) {
                SetPhase(kSlidingIn);
                shownLand_ = nextLand_;
                shownName_ = nextName_;
            }
            break;
        case kSlidingIn:
            offset_ -= step;
            if (offset_ < 0) {
                offset_ = 0;
                SetPhase(kStill);
            }
            break;
        default:
            break;
    }
}

void CScenarioStageNamePlate::Draw() const {
    const ScenarioLand& land = GetScenarioLand(shownLand_);
    const auto y = [this](int top) { return static_cast<int>(top + offset_); };
    elDraw::PutObject(kLeft, y(kTop), FindImage("System", land.plateImage), 0, land.plateTop, 256,
                      land.plateTop + 64);
    DrawText(land.name, 400, y(425), 624, y(450), land.red, land.green, land.blue, kProportionalGothic, 16, 0,
             false, 0);
    DrawText(shownName_, 416, y(447), 624, y(466), land.red, land.green, land.blue, kProportionalGothic, 16,
             0, false, 0);
}
