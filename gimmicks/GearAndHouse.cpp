#include "gimmicks/GearAndHouse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "gimmicks/GimmickSupport.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

// ---- Air gear -------------------------------------------------------------------------------

CAirGear::CAirGear(CStage* ownerStage, double px, double py, int turnWay, double angle)
    : IBase(ownerStage, px, py), turn(turnWay), startAngle(angle) {
    SetUpHazard(*this, kCategoryFlyer, 0.003, false);
    ignoresMap = true;
    MakeCircle(*this, 16.0);
    image_ = MakeObjectSprite("Objects003", 128, 96, 160, 128);
    sprite = image_.get();
}

void CAirGear::Update() {
    BeginFrame();
    Orbit();
    EndFrame();
}

void CAirGear::Orbit() {
    IPlaySceneServices* scene = GetSceneServices(owner);
    const double t = (scene ? scene->GetMapAnimTime() : 0.0) / 60.0;
    // 1.3 radians a second; with y downward, a falling angle turns counter-clockwise on the screen.
    const double a = turn == kCounterClockwise ? -1.3 * t - startAngle : 1.3 * t + startAngle;
    x = startX + 80.0 * std::cos(a);
    y = startY + 80.0 * std::sin(a);
}

void CAirGear::Draw() {
    if (sprite)
        sprite->angleZ =
            static_cast<float>(std::numbers::pi * age * (turn == kCounterClockwise ? -0.03 : 0.03));
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

int CAirGear::Collide(IBase* other) { return DealContactSlash(*this, other, 10, 300.0); }

// ---- Devil house ----------------------------------------------------------------------------

CDevilHouse::CDevilHouse(CStage* ownerStage, double px, double py) : IBase(ownerStage, px, py) {
    width = 64.0;
    height = 72.0;
    SetUpHazard(*this, kCategoryEffect, 0.003, false);
    ignoresMap = true;
    UpdateCentre();
    house_ = MakeObjectSprite("Objects003", 0, 176, 80, 256);
    door_ = MakeObjectSprite("Objects003", 80, 213, 144, 256);
    kid_[0] = CreateSprite("Char", "Enemy001_L", 2, 128, 0, 192, 64);
    kid_[1] = CreateSprite("Char", "Enemy001_R", 2, 128, 0, 192, 64);
    SetState(kClosed);
}

void CDevilHouse::SetState(State s) {
    stateChanged = true;
    state = s;
    stateTime = 0.0;
}

bool CDevilHouse::CanSpawn() const {
    if (Registry().Count() > 255) return false;
    return GetScreenDistanceSelf() <= 16.0;
}

void CDevilHouse::Update() {
    BeginFrame();
    stateChanged = false;
    switch (state) {
        case kClosed:
            if (stateTime > 240.0 && CanSpawn()) {
                facing = GetDistanceXToHero() >= 0.0 ? kFacingRight : kFacingLeft;
                PlaySE(SoundId::kDoor2);
                SetState(kOpening);
            }
            break;
        case kOpening:
            if (stateTime > 30.0) {
                SetState(kClosing);
                const double kidX = x + width / 2 + (facing == kFacingLeft ? 2.0 : -2.0) - 10.0;
                Registry().Add(CreateLiveObject("CKid002", owner, kidX, y + 42.0, {facing}));
            }
            break;
        case kClosing:
            if (stateTime > 30.0) SetState(kClosed);
            break;
        default:
            break;
    }
    stateTime += GetFrameTime() * 60.0;
    EndFrame();
}

double CDevilHouse::GetDoorScale() const {
    if (state == kOpening) return std::max(0.1, (30.0 - stateTime) / 30.0);
    if (state == kClosing) return std::max(0.1, stateTime / 30.0);
    return 1.0;
}

void CDevilHouse::Draw() {
    DrawSpriteAt(house_.get(), centerX, centerY - 4.0, 0.0034);
    const double s = GetDoorScale();
    if (door_) door_->scaleY = static_cast<float>(s);
    DrawSpriteAt(door_.get(), centerX, centerY + 14.5 - (1.0 - s) * 21.5, 0.0032);
    // The kid waits in the doorway until the real one has appeared.
    if (state == kOpening || (state == kClosing && stateChanged)) {
        const double kx = facing == kFacingLeft ? centerX - 6.0 : centerX + 6.0;
        DrawSpriteAt(kid_[facing & 1].get(), kx, centerY + 12.0, 0.0033);
    }
}
