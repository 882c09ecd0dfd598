#include "gimmicks/Doors.h"

#include <cmath>

#include "engine/InputManager.h"
#include "engine/SoundEffects.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "gimmicks/GimmickSupport.h"
#include "play/EffectFactory.h"
#include "play/HeroVitals.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

namespace {
constexpr char kDoorSheet[] = "Objects001";
constexpr int kOpenCellLeft = 224;  // the open doorway every door shows after entering
constexpr int kPuffEffect = 4;
}  // namespace

// ---- IDoor ------------------------------------------------------------------------------------

IDoor::IDoor(CStage* ownerStage, double px, double py, int area, int tx, int ty, bool byItself, int se)
    : IBase(ownerStage, px, py),
      sound(se),
      targetArea(area),
      targetX(tx),
      targetY(ty),
      entersByItself(byItself) {
    category = kCategoryDoor;
    drawPriority = 10;
    depth = 0.0035;
    removeWhenOffScreen = true;
    width = kDoorWidth;
    height = kDoorHeight;
}

bool IDoor::IsHero(const IBase* other) { return dynamic_cast<const IHeroVitals*>(other) != nullptr; }

bool IDoor::HasHeroInside(const IBase* hero) const {
    if (shapeType != kShapeRect) return true;
    return IsPointInRect(hero->centerX, hero->centerY, x, y, x + width, y + height);
}

bool IDoor::IsUpPushed() { return CInputManager::GetInstance()->IsPushed(kKeyUp); }

IPlaySceneServices* IDoor::Services() const { return GetSceneServices(owner); }

void IDoor::OnTouch(IBase* other) {
    if (!IsHero(other) || !HasHeroInside(other)) return;
    if (IsUpPushed() || entersByItself) {
        Enter();
    } else if (IPlaySceneServices* s = Services()) {
        s->ShowDoorHint();
    }
}

void IDoor::Enter() {
    IPlaySceneServices* s = Services();
    if (!s || !s->RequestWarp(targetArea, targetX, targetY, entersByItself)) return;
    used = true;
    if (sound != kNoSound) PlaySE(sound);
}

void IDoor::DrawAtCentre(CSprite* picture) {
    imageX = centerX;
    imageY = centerY;
    sprite = picture;
    DrawSprite();
}

// ---- Doors with a closed and an open picture --------------------------------------------------

CPlainDoor::CPlainDoor(CStage* ownerStage, double px, double py, int area, int tx, int ty, int se,
                       int closedLeft, const char* key)
    : IDoor(ownerStage, px, py, area, tx, ty, false, se) {
    closed_ = MakeObjectSprite(key, closedLeft, 0, closedLeft + 32, 48);
    open_ = MakeObjectSprite(key, kOpenCellLeft, 0, kOpenCellLeft + 32, 48);
    sprite = closed_.get();
}

void CPlainDoor::Draw() { DrawAtCentre(used ? open_.get() : closed_.get()); }

CDoorA::CDoorA(CStage* o, double px, double py, int area, int tx, int ty)
    : CPlainDoor(o, px, py, area, tx, ty, SoundId::kDoor1, 0) {}

CDoorB::CDoorB(CStage* o, double px, double py, int area, int tx, int ty)
    : CPlainDoor(o, px, py, area, tx, ty, SoundId::kDoor1, 32) {}

CShutter::CShutter(CStage* o, double px, double py, int area, int tx, int ty)
    : CPlainDoor(o, px, py, area, tx, ty, SoundId::kDoor2, 64) {}

// ---- Cave holes -------------------------------------------------------------------------------

CCaveHole::CCaveHole(CStage* o, double px, double py, int area, int tx, int ty, int cellLeft)
    : IDoor(o, px, py, area, tx, ty, false, kNoSound) {
    picture_ = MakeObjectSprite(kDoorSheet, cellLeft, 0, cellLeft + 32, 48);
    sprite = picture_.get();
}

CCaveHoleA::CCaveHoleA(CStage* o, double px, double py, int area, int tx, int ty)
    : CCaveHole(o, px, py, area, tx, ty, 96) {}

CCaveHoleB::CCaveHoleB(CStage* o, double px, double py, int area, int tx, int ty)
    : CCaveHole(o, px, py, area, tx, ty, 128) {}

// ---- Key door ---------------------------------------------------------------------------------

CKeyDoor::CKeyDoor(CStage* o, double px, double py, int area, int tx, int ty)
    : CPlainDoor(o, px, py, area, tx, ty, SoundId::kDoor1, 160) {}

void CKeyDoor::SetAreaObjectId(int id) {
    areaObjectId = id;
    if (IPlaySceneServices* s = Services()) opened = s->IsKeyDoorOpened(s->GetCurrentAreaIndex(), id);
}

void CKeyDoor::OnTouch(IBase* other) {
    if (!IsHero(other) || !HasHeroInside(other)) return;
    IPlaySceneServices* s = Services();
    if (!s) return;
    if (!IsUpPushed()) {
        if (opened || s->GetKeyCount() >= 1) s->ShowDoorHint();
        return;
    }
    if (!opened) {
        const int keys = s->GetKeyCount();
        if (keys < 1) return;
        // The key is spent the moment the door opens, so however the warp goes, this door never
        // takes a second one.
        s->SetKeyCount(keys - 1);
        s->AddOpenedKeyDoor(s->GetCurrentAreaIndex(), areaObjectId);
        opened = true;
        PlaySE(SoundId::kDoor1);
    }
    if (s->RequestWarp(targetArea, targetX, targetY, false)) used = true;
}

void CKeyDoor::Draw() { DrawAtCentre(used || opened ? open_.get() : closed_.get()); }

// ---- Enemy-zero door --------------------------------------------------------------------------

CEnemyZeroDoor::CEnemyZeroDoor(CStage* o, double px, double py, int area, int tx, int ty)
    : CPlainDoor(o, px, py, area, tx, ty, kNoSound, 192, "Objects004") {}

void CEnemyZeroDoor::Update() {
    wasOpen = open;
    open = Registry().CountEnemies() == 0;
    if (open && !wasOpen) {
        PlaySE(SoundId::kDoor2);
        // the door's middle, in whole pixels
        const int middleX = static_cast<int>(GetLeft() + GetRight()) / 2;
        const int middleY = static_cast<int>(GetTop() + GetBottom()) / 2;
        CreateEffect(kPuffEffect, middleX, middleY, owner);
    }
}

void CEnemyZeroDoor::OnTouch(IBase* other) {
    if (open) IDoor::OnTouch(other);
}

void CEnemyZeroDoor::Draw() { DrawAtCentre(open ? open_.get() : closed_.get()); }

// ---- Warp points ------------------------------------------------------------------------------

CWarpPoint::CWarpPoint(CStage* o, double px, double py, int area, int tx, int ty)
    : IDoor(o, px, py, area, tx, ty, true, SoundId::kDoor3) {
    shapeType = kShapeCircle;
    radius = kWarpRadius;
    picture_ = MakeObjectSprite(kDoorSheet, 192, 0, 224, 32);
    sprite = picture_.get();
}

void CWarpPoint::Update() { spinTime += GetFrameTime() * 60.0; }

void CWarpPoint::Draw() {
    imageX = centerX;
    imageY = centerY;
    if (used || !picture_) return;
    picture_->angleZ = static_cast<float>(1.2 * std::trunc(spinTime * 0.1));
    sprite = picture_.get();
    DrawSprite();
}

CInvisibleWarpPoint::CInvisibleWarpPoint(CStage* o, double px, double py, int area, int tx, int ty)
    : IDoor(o, px, py, area, tx, ty, true, SoundId::kDoor3) {
    shapeType = kShapeCircle;
    radius = kWarpRadius;
}

void CInvisibleWarpPoint::Draw() {
    imageX = centerX;
    imageY = centerY;
}

// ---- Goal -------------------------------------------------------------------------------------

namespace {
// The six 64 x 64 cells of the banner: two of it hanging, four of it waving.
const int kGoalCells[CNormalGoal::kCellCount][2] = {{0, 128},  {64, 128},  {0, 192},
                                                    {64, 192}, {128, 192}, {192, 192}};
}  // namespace

CNormalGoal::CNormalGoal(CStage* o, double px, double py) : IDoor(o, px, py, 0, 0, 0, false, kNoSound) {
    height = 40;
    for (int i = 0; i < kCellCount; ++i)
        cells_[i] = MakeObjectSprite(kDoorSheet, kGoalCells[i][0], kGoalCells[i][1], kGoalCells[i][0] + 64,
                                     kGoalCells[i][1] + 64);
    sprite = cells_[0].get();
}

void CNormalGoal::Update() { animationTime += GetFrameTime() * 60.0; }

int CNormalGoal::CellAt(double time) {
    const int t = static_cast<int>(std::trunc(time)) % 300;
    if (t < 108) return t % 36 < 18 ? 1 : 2;
    if (t < 120 || t >= 276) return 2;
    return 3 + (t - 120) % 52 / 13;
}

void CNormalGoal::Draw() {
    imageX = centerX;
    imageY = centerY - 12.0;
    sprite = cells_[CellAt(animationTime) - 1].get();
    DrawSprite();
}

void CNormalGoal::OnTouch(IBase* other) {
    if (!IsHero(other) || !HasHeroInside(other)) return;
    IPlaySceneServices* s = Services();
    if (!s) return;
    if (IsUpPushed())
        s->OnGoalReached();
    else
        s->ShowDoorHint();
}
