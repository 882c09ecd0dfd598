#include "gimmicks/Lifts.h"

#include <algorithm>
#include <cmath>

#include "engine/SoundEffects.h"
#include "foundation/FrameTime.h"
#include "gimmicks/GimmickSupport.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

// ---- Base ------------------------------------------------------------------------------------

ILift::ILift(CStage* ownerStage, double px, double py) : IBase(ownerStage, px, py) {
    category = kCategoryLift;
    solidTop = true;
    solidBottom = solidLeft = solidRight = false;
    ignoresMap = true;
    removeWhenOffScreen = false;
    depth = 0.003;
    drawPriority = 20;
}

bool ILift::IsHeroRiding() const {
    const IBase* hero = GetHero();
    if (!hero) return false;
    for (const ObjectHandle& h : riders)
        if (CObjectRegistry::Contains(h) && h.Get() == hero) return true;
    return false;
}

void ILift::Draw() {
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

void ILift::DrawAt(CSprite* s, double worldX, double worldY) const { DrawSpriteAt(s, worldX, worldY, depth); }

// ---- Round trip ------------------------------------------------------------------------------

CRoundTripLift::CRoundTripLift(CStage* ownerStage, double px, double py, bool horizontal, double phase)
    : ILift(ownerStage, px, py), originX_(px - 48.0), originY_(py), phase_(phase), horizontal_(horizontal) {
    width = 128;
    height = 16;
    image_ = MakeObjectSprite("Objects001", 0, 48, 128, 64);
    sprite = image_.get();
    UpdatePosition();
    centerX = x + width * 0.5;
    centerY = y + height * 0.5;
}

void CRoundTripLift::UpdatePosition() {
    if (!owner) return;
    IPlaySceneServices* scene = GetSceneServices(owner);
    const double offset =
        scene ? std::sin(scene->GetMapAnimTime() * kAngularRate / 60.0 + phase_) * kAmplitude : 0.0;
    x = horizontal_ ? originX_ + offset : originX_;
    y = horizontal_ ? originY_ : originY_ + offset;
}

void CRoundTripLift::Update() {
    BeginFrame();
    UpdatePosition();
    EndFrame();
}

// ---- Falling ---------------------------------------------------------------------------------

CFallingLift::CFallingLift(CStage* ownerStage, double px, double py) : ILift(ownerStage, px, py) {
    width = 128;
    height = 16;
    maxSpeedDown = 700.0;
    removeWhenOffScreen = true;
    image_ = MakeObjectSprite("Objects001", 0, 64, 128, 80);
    sprite = image_.get();
}

void CFallingLift::Update() {
    BeginFrame();
    Move();
    if (falling_) {
    } else if (triggered_) {
        triggerTime_ += FramesThisFrame();
        if (triggerTime_ > 20.0) {
            ay = 600.0;
            falling_ = true;
            PlaySE(SoundId::kFall1);
        }
    } else if (IsHeroRiding()) {
        triggered_ = true;  // the count starts in the next frame
    }
    EndFrame();
}

// ---- Sideways --------------------------------------------------------------------------------

CSideMoveLift::CSideMoveLift(CStage* ownerStage, double px, double py, int direction)
    : ILift(ownerStage, px, py), direction_(direction) {
    width = 96;
    height = 24;
    maxSpeedLeft = maxSpeedRight = 220.0;
    maxSpeedDown = 700.0;
    removeWhenOffScreen = true;
    const int restingTop = direction > 0 ? 128 : 152;
    resting_ = MakeObjectSprite("Objects002", 0, restingTop, 96, restingTop + 24);
    fallingImage_ = MakeObjectSprite("Objects002", 0, restingTop + 48, 96, restingTop + 72);
    sprite = resting_.get();
}

void CSideMoveLift::Update() {
    BeginFrame();
    Move();
    if (!started_) {
        if (IsHeroRiding()) {
            ax = 400.0 * direction_;
            started_ = true;
        }
    } else if (!falling_) {
        travelTime_ += FramesThisFrame();
        if (travelTime_ > 120.0) {
            ay = 600.0;
            ax = -100.0 * direction_;
            falling_ = true;
            PlaySE(SoundId::kFall1);
        }
    } else if (vx * direction_ < 0.0) {
        // The sideways speed has run past zero: it rests there.
        vx = 0.0;
        ax = 0.0;
    }
    EndFrame();
}

void CSideMoveLift::Draw() {
    sprite = falling_ ? fallingImage_.get() : resting_.get();
    ILift::Draw();
}

// ---- Rising ----------------------------------------------------------------------------------

CRisingLift::CRisingLift(CStage* ownerStage, double px, double py) : ILift(ownerStage, px, py) {
    width = 96;
    height = 20;
    maxSpeedUp = 220.0;
    maxSpeedDown = 700.0;
    removeWhenOffScreen = true;
    body_ = MakeObjectSprite("Objects002", 96, 128, 192, 148);
    for (int i = 0; i < 4; ++i)
        flames_[i] = MakeObjectSprite("Objects002", 112, 148 + 16 * i, 176, 156 + 16 * i);
}

void CRisingLift::Update() {
    BeginFrame();
    Move();
    const double dt = GetFrameTime();
    if (!started_) {
        if (IsHeroRiding()) {
            ay = -400.0;
            flameRate_ = 200.0;
            started_ = true;
        }
    } else if (!descending_) {
        travelTime_ += FramesThisFrame();
        if (travelTime_ > 100.0) {
            ay = 600.0;
            flameRate_ = -200.0;
            descending_ = true;
        }
    } else if (!fallSoundPlayed_ && vy > 0.0) {
        PlaySE(SoundId::kFall1);
        fallSoundPlayed_ = true;
    }
    flameSpeed_ = std::clamp(flameSpeed_ + dt * flameRate_, 0.0, 100.0);
    flamePhase_ += dt * flameSpeed_;
    flameSoundCounter_ += dt * flameSpeed_;
    if (flameSoundCounter_ > 10.0) {
        flameSoundCounter_ = 0.0;
        PlaySE(SoundId::kAttack1);  // the engine's beat
    }
    EndFrame();
}

void CRisingLift::Draw() {
    imageX = centerX;
    imageY = centerY;
    DrawAt(body_.get(), imageX, imageY);
    const int k = static_cast<int>(flamePhase_) % 12;
    DrawAt(flames_[k / 3].get(), imageX, imageY + 14.0);
}

// ---- Cloud -----------------------------------------------------------------------------------

CCloudLift::CCloudLift(CStage* ownerStage, double px, double py) : ILift(ownerStage, px, py) {
    width = 96;
    height = 16;
    maxSpeedUp = 120.0;
    maxSpeedDown = 60.0;
    removeWhenOffScreen = true;
    free_ = MakeObjectSprite("Objects005", 64, 0, 176, 24);
    riddenImage_ = MakeObjectSprite("Objects005", 64, 24, 176, 48);
}

void CCloudLift::Update() {
    BeginFrame();
    Move();
    ridden_ = false;
    if (IsHeroRiding()) ridden_ = activated_ = true;
    if (activated_) {
        if (ridden_ && vy <= 0.0) {
            vy = 0.0;
            ay = 160.0;  // sinks under the hero
        } else if (!ridden_ && vy >= 0.0) {
            vy = 0.0;
            ay = -200.0;  // climbs when left alone
        }
    }
    EndFrame();
}

void CCloudLift::Draw() {
    imageX = centerX;
    imageY = centerY + 4.0;
    DrawAt(ridden_ ? riddenImage_.get() : free_.get(), imageX, imageY);
}

// ---- Wide ------------------------------------------------------------------------------------

CWideLift::CWideLift(CStage* ownerStage, double px, double py, int direction)
    : ILift(ownerStage, px, py), direction_(direction) {
    width = 32.0 * kPieces;
    height = 16;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 100.0;
    removeWhenOffScreen = true;
    for (auto& piece : pieces_) piece = MakeObjectSprite("Objects005", 0, 224, 32, 240);
}

void CWideLift::Update() {
    BeginFrame();
    Move();
    if (!started_ && IsHeroRiding()) {
        started_ = true;
        switch (direction_) {
            case kLeftward:
                ax = -160.0;
                break;
            case kRightward:
                ax = 160.0;
                break;
            case kUpward:
                ay = -160.0;
                break;
            default:
                ay = 160.0;
                break;
        }
    }
    EndFrame();
}

void CWideLift::Draw() {
    imageX = centerX;
    imageY = centerY;
    for (int i = 0; i < kPieces; ++i) DrawAt(pieces_[i].get(), imageX + 32.0 * i - 96.0, imageY);
}
