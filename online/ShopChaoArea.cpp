#include "online/ShopChaoArea.h"

#include <cmath>

#include "controls/ControlPort.h"
#include "controls/Forms.h"
#include "engine/SoundIds.h"
#include "online/ShopSceneRootForm.h"

namespace Controls {

namespace {

const std::string kHeroGroup = "Char";

// Counts down a reaction timer, never below 0.
void CountDown(double& timer) {
    timer -= FrameStep();
    if (timer < 0) timer = 0;
}

// The hero's four-step walk: step, stand, other step, stand.
int32_t WalkCellLeft(double animTime) {
    const double t = std::fmod(animTime, 32.0);
    if (t < 8) return 40;
    if (t < 16) return 0;
    if (t < 24) return 80;
    return 0;
}

}  // namespace

CShopChaoArea::CShopChaoArea(int32_t x, int32_t y, CShopSceneRootForm* owner)
    : COriginalBasePart(x, y, kWidth, kHeight), owner_(owner) {}

void CShopChaoArea::UpdateSelf() {
    animTime_ += FrameStep();
    CountDown(heroReaction_);
    CountDown(mascotReaction_);
    COriginalBasePart::UpdateSelf();
}

void CShopChaoArea::HandleInput() {
    if (mode_ != kStaying) return;
    const MouseInput mouse = Port().Mouse();
    if (!mouse.leftPressed) return;
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const double hx = ax + heroOffset_;
    if (IsPointInRect(mouse.x, mouse.y, hx + 104, ay + 88, hx + 128, ay + 128)) {
        heroReaction_ = 30;
        Port().PlaySound(SoundId::kShock3);
    }
    if (IsPointInRect(mouse.x, mouse.y, ax + 104, ay + 88, ax + 128, ay + 128)) {
        if (++mascotClicks_ >= kClicksToComplain) {
            mascotClicks_ = 0;
            if (owner_) owner_->ComplainAboutClicks();
        } else {
            mascotReaction_ = 30;
            Port().PlaySound(ControlSound::kChaoClick);
        }
    }
}

void CShopChaoArea::DrawWall(int32_t ax, int32_t ay) const {
    for (int32_t row = 0; row < 5; ++row) {
        for (int32_t column = 0; column < 11; ++column) {
            int32_t left = 224, top = 192;
            if (row == 4) {
                left = column % 2 == 0 ? 192 : 224, top = 224;
            } else if (row == 1 && (column == 3 || column == 7)) {
                left = 192;  // a window
            }
            PutSheet(kSheet11, ax + 32 * column, ay + 32 * row, left, top, left + 32, top + 32);
        }
    }
}

void CShopChaoArea::DrawMascot(int32_t ax, int32_t ay) const {
    const int32_t x = ax + 96, y = ay + 88;
    if (mode_ == kLeaving) {
        const int32_t left = std::fmod(animTime_, 16.0) < 8 ? 80 : 120;  // waving goodbye
        PutSheet(kSheet11, x, y, left, 152, left + 40, 192);
    } else if (mascotReaction_ > 0) {
        if (std::fmod(mascotReaction_, 4.0) < 2) {
            PutSheet(kSheet11, x, y, 0, 152, 40, 192);
        } else {
            PutSheet(kSheet11, x, y - 8, 0, 200, 56, 256);  // startled
        }
    } else {
        const int32_t left = std::fmod(animTime_, 72.0) < 36 ? 0 : 40;  // blinking now and then
        PutSheet(kSheet11, x, y, left, 152, left + 40, 192);
    }
}

void CShopChaoArea::DrawHero(int32_t ax, int32_t ay) const {
    const int32_t x = ax + static_cast<int32_t>(heroOffset_) + 96, y = ay + 88;
    int32_t left = 0, top = 0;
    const char* key = "Quor001_L";
    if (mode_ == kStaying) {
        if (heroReaction_ > 24 || (heroReaction_ <= 18 && heroReaction_ > 12)) {
            top = 120;  // started
        } else if (heroReaction_ > 18) {
            left = 40, top = 120;
        }
    } else {
        left = WalkCellLeft(animTime_);
        if (mode_ == kLeaving) key = "Quor001_R";
    }
    Port().PutImage(x, y, kHeroGroup, key, left, top, left + 40, top + 40);
}

void CShopChaoArea::DrawPillars(int32_t ax, int32_t ay) const {
    for (int32_t row = 0; row < 5; ++row) {
        const int32_t y = ay + 32 * row;
        const int32_t shaft = row == 4 ? 32 : 0;  // the last row is the foot
        for (int32_t column = 0; column < 4; ++column) {
            const int32_t left = column == 3 ? 240 : 224;
            PutSheet(kSheet11, ax + 16 * column, y, left, 64 + shaft, left + 16, 96 + shaft);
        }
        for (int32_t column = 18; column < 22; ++column) {
            const int32_t left = column == 18 ? 224 : 240;
            PutSheet(kSheet11, ax + 16 * column, y, left, shaft, left + 16, 32 + shaft);
        }
    }
}

void CShopChaoArea::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    DrawWall(ax, ay);
    DrawMascot(ax, ay);
    DrawHero(ax, ay);
    DrawPillars(ax, ay);
    DrawOpenFrame(ax, ay, GetWidth(), GetHeight());
    DrawChildren();
}

}  // namespace Controls
