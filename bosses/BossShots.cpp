#include "bosses/BossShots.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "foundation/WindowHelpers.h"
#include "gimmicks/GimmickSupport.h"
#include "play/EffectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

constexpr double kStraightUp = -0.5 * kPi;

// Frames of the object's life as a whole number, for the flicker of its images.
int AgeFrames(const IBase& o) { return static_cast<int>(o.age); }

// A result that says the target stopped the shot without being touched.
bool Stopped(int r) { return r == kHitNoEffect || r == kHitGuarded; }

CSpriteSheet Cells(const char* key, const std::vector<SpriteCell>& cells) {
    return CSpriteSheet("Object", key, cells);
}

void SetRect(IBase& o, double w, double h) {
    o.shapeType = kShapeRect;
    o.width = w;
    o.height = h;
}

}  // namespace

// ---- CFallingRock ----

CFallingRock::CFallingRock(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                           bool heroSide)
    : CFragileShot(ownerStage, px, py, 900, heroSide, !heroSide, false) {
    SetAttackInfo(ShotAttack(10, 320.0, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, 14.0);
    vx = velocityX;
    vy = velocityY;
    ay = 400.0;
    SetSpeedLimits(*this, 400.0, 400.0);
    // The map pushes it out of the chips but its speed is its own to change.
    stopOnTouchTop = stopOnTouchBottom = stopOnTouchLeft = stopOnTouchRight = false;
    SetSprite(MakeShotSprite(128, 0, 160, 32));
}

void CFallingRock::Move() {
    BeginFrame();
    IBase::Move();
    spin += vx * GetFrameTime() * 0.038;
    if (!ignoresMap) {
        if (touchBottom) {
            vx = RandomRange(-130, 130);
            if (vy > 0) vy *= -0.6;
            PlaySE(SoundId::kShock4);
            // One bounce only: the next fall goes through the floor.
            ignoresMap = true;
        } else if (touchTop) {
            if (vy < 0) vy *= -0.6;
            PlaySE(SoundId::kShock4);
        } else if (touchLeft) {
            if (vx < 0) vx = -vx;
            PlaySE(SoundId::kShock4);
        } else if (touchRight) {
            if (vx > 0) vx = -vx;
            PlaySE(SoundId::kShock4);
        }
    }
    EndFrame();
}

void CFallingRock::Draw() {
    if (sprite) sprite->angleZ = static_cast<float>(spin);
    CShotBase::Draw();
}

void CFallingRock::Break() {
    ShowEffect(kEffectBreakRock);
    PlaySE(SoundId::kShock5);
    Kill();
}

// ---- CGrandFrame ----

CGrandFrame::CGrandFrame(CStage* ownerStage, double px, double py, double velocityX, bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, false),
      cells_(Cells("Objects003", {{96, 144, 128, 160}, {128, 144, 160, 160}})) {
    SetAttackInfo(ShotAttack(10, 150.0, SteepForwardUpAngle(velocityX), kAttackRedBurst));
    SetRect(*this, 32, 16);
    vx = velocityX;
    vy = 4.0 * GetFrameRate();  // four pixels a frame, pressing it onto the floor
    ay = 500.0;
    SetSpeedLimits(*this, 500.0, 500.0);
    sprite = cells_[0];
}

void CGrandFrame::BurstAtTop() {
    CreateEffect(kEffectBurstRed, centerX, std::trunc(GetTop()), owner);
    PlaySE(SoundId::kBomb2);
}

void CGrandFrame::Move() {
    BeginFrame();
    IBase::Move();
    if (touchLeft || touchRight) {
        Kill();
        BurstAtTop();
    } else if (age > 25.0 && (IsAtLedge(0) || IsAtLedge(1) || !onGround)) {
        Kill();
    }
    EndFrame();
}

void CGrandFrame::Draw() {
    sprite = cells_[AgeFrames(*this) % 4 < 2 ? 0 : 1];
    CShotBase::Draw();
}

int CGrandFrame::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune && !Stopped(r)) BurstAtTop();
    return r;
}

// ---- CShockWave ----

CShockWave::CShockWave(CStage* ownerStage, double px, double py, int countIn, int directionIn,
                       int maxHeightIn, bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, true),
      count(countIn),
      direction(directionIn),
      maxHeight(maxHeightIn),
      heroSide_(heroSide),
      cells_(Cells("Objects003", {{112, 96, 128, 128}, {112, 64, 128, 80}, {112, 80, 128, 96}})) {
    SetAttackInfo(ShotAttack(15, 150.0, kStraightUp));
    SetRect(*this, 16, 16);
    ignoresMap = true;
    SetSpeedLimits(*this, 0.0, 0.0);
}

double CShockWave::HeightAt(double a, int maxH) { return 16.0 + (maxH - 16.0) * std::sin(kPi * a * 0.05); }

void CShockWave::Move() {
    BeginFrame();
    if (age >= 20.0) {
        Kill();
    } else {
        const double h = HeightAt(age, maxHeight);
        height = h;
        y = startY - (h - 16.0);
    }
    if (age > 4.5 && !spawned) {
        spawned = true;
        if (count >= 1) {
            const double nx = direction == 0 ? startX - 15.0 : startX + 15.0;
            Registry().Add(
                std::make_unique<CShockWave>(owner, nx, startY, count - 1, direction, maxHeight, heroSide_));
            PlaySE(SoundId::kFire);
        }
    }
    EndFrame();
}

void CShockWave::Draw() {
    constexpr double kDepth = -0.004;
    DrawSpriteAt(cells_[AgeFrames(*this) % 4 < 2 ? 1 : 2], centerX, y + 8.0, kDepth);
    const double h = height;
    if (h > 16.0) {
        CSprite* body = cells_[0];
        if (!body) return;
        body->scaleY = static_cast<float>((h - 16.0) / 32.0);
        DrawSpriteAt(body, centerX, y + 16.0 + (h - 16.0) / 2.0, kDepth);
    }
}

int CShockWave::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune && !Stopped(r)) PlaySE(SoundId::kBomb2);
    return r;
}

// ---- CThunder ----

CThunder::CThunder(CStage* ownerStage, double px, double py, bool heroSide, int markYIn)
    : CShotBase(ownerStage, px, py, 600, heroSide, !heroSide, false),
      markY(markYIn),
      cells_(Cells("Objects003", {{144, 160, 168, 248},
                                  {168, 160, 192, 248},
                                  {144, 160, 168, 248},
                                  {168, 160, 192, 248},
                                  {144, 248, 168, 256}})) {
    SetAttackInfo(ShotAttack(20, 100.0, kStraightUp));
    SetRect(*this, 24, 88);
    vy = 1500.0;
    SetSpeedLimits(*this, 1500.0, 1500.0);
}

void CThunder::Move() {
    BeginFrame();
    IBase::Move();
    if (TouchesMap(*this)) {
        CreateEffect(kEffectThunderBrunt, centerX, std::trunc(GetBottom()), owner);
        PlaySE(SoundId::kBomb2);
        Camera().Shake();
        Kill();
    }
    EndFrame();
}

void CThunder::Draw() {
    const int flicker = AgeFrames(*this) % 4 < 2 ? 0 : 1;
    if (CSprite* core = cells_[flicker]) {
        core->SetAlpha(1.0f);
        DrawSpriteAt(core, centerX, centerY, depth);
    }
    if (CSprite* glow = cells_[2 + flicker]) {
        glow->scaleX = glow->scaleY = 1.2f;
        glow->SetAlpha(0.35f);
        DrawSpriteAt(glow, centerX, centerY, -0.004);
    }
    if (CSprite* mark = cells_[4]) {
        // The spot it will strike blinks.
        mark->SetAlpha(static_cast<float>((std::sin(age) + 1.0) / 2.0));
        DrawSpriteAt(mark, centerX, markY, -0.004);
    }
}

int CThunder::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune && !Stopped(r)) PlaySE(SoundId::kMagic1);
    return r;
}

// ---- CSniperShot ----

CSniperShot::CSniperShot(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                         bool heroSide)
    : CShotBase(ownerStage, px, py, 60, heroSide, !heroSide, true) {
    SetAttackInfo(ShotAttack(15, 400.0, ForwardUpAngle(velocityX), kAttackSlash));
    SetRect(*this, 16, 1);
    vx = velocityX;
    vy = velocityY;
    ignoresMap = true;
    // Level flight whatever it was given.
    SetSpeedLimits(*this, 0.0, 3000.0);
}

void CSniperShot::Move() {
    BeginFrame();
    IBase::Move();
    EndFrame();
}

void CSniperShot::GetStreak(int* headX, int* tailX, int* lineY) const {
    *lineY = static_cast<int>(y);
    const int head = static_cast<int>(vx < 0 ? x : x + width);
    int tail = head - static_cast<int>(vx * 0.135);
    // Never behind the muzzle.
    const int start = static_cast<int>(startX);
    if (vx >= 0)
        tail = std::max(tail, start);
    else
        tail = std::min(tail, start + static_cast<int>(width));
    *headX = head;
    *tailX = tail;
}

void CSniperShot::DrawDebug() {
    int head, tail, ly;
    GetStreak(&head, &tail, &ly);
    const CCamera* cam = &Camera();
    const float fy = static_cast<float>(ly);
    const int hx = static_cast<int>(cam->WorldToScreenX(static_cast<float>(head), fy));
    const int hy = static_cast<int>(cam->WorldToScreenY(static_cast<float>(head), fy));
    const int tx = static_cast<int>(cam->WorldToScreenX(static_cast<float>(tail), fy));
    const int ty = static_cast<int>(cam->WorldToScreenY(static_cast<float>(tail), fy));
    // White at the head fading to pink at the tail (colour references: red in the low byte).
    static constexpr double kStops[5] = {0.0, 0.5, 0.75, 0.9, 1.0};
    static constexpr uint32_t kColours[4] = {0xffffff, 0xe1e1ff, 0xc3c3ff, 0xa5a5ff};
    for (int i = 0; i < 4; ++i) {
        const auto at = [&](double f, int a, int b) { return static_cast<int>(a + (b - a) * f); };
        elDraw::DrawLine(at(kStops[i], hx, tx), at(kStops[i], hy, ty), at(kStops[i + 1], hx, tx),
                         at(kStops[i + 1], hy, ty), kColours[i], 1);
    }
}

int CSniperShot::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune && !Stopped(r)) {
        ShowEffect(kEffectSlash);
        PlaySE(SoundId::kAttack10);
    }
    return r;
}

// ---- The break shots ----

CBreakShot_Mother::CBreakShot_Mother(CStage* ownerStage, double px, double py, double velocityX,
                                     double velocityY, bool heroSide)
    : CBreakingShot(ownerStage, px, py, 900, heroSide, !heroSide, true),
      cells_(Cells("Objects003", {{96, 80, 112, 96}, {96, 96, 112, 112}})) {
    SetAttackInfo(ShotAttack(15, 150.0, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, 4.0);
    vx = velocityX;
    vy = velocityY;
    ax = -1.5 * velocityX;
    SetSpeedLimits(*this, 500.0, 500.0);
    ignoresMap = true;
    sprite = cells_[0];
}

void CBreakShot_Mother::Move() {
    BeginFrame();
    IBase::Move();
    if (!IsDead() && ((ax > 0 && vx > 0) || (ax < 0 && vx < 0))) {
        PlaySE(SoundId::kGun2);
        // The children fly back the way the mother was fired.
        const double childVx = ax > 0 ? -500.0 : 500.0;
        for (double childVy : {-360.0, -180.0, 0.0, 180.0, 360.0})
            Registry().Add(std::make_unique<CBreakShot_Child>(owner, x, y, childVx, childVy, false));
        Kill();
    }
    EndFrame();
}

void CBreakShot_Mother::Draw() {
    sprite = cells_[AgeFrames(*this) % 8 < 4 ? 0 : 1];
    CShotBase::Draw();
}

void ShotTrail::Fill(double px, double py) {
    std::fill(std::begin(x), std::end(x), px);
    std::fill(std::begin(y), std::end(y), py);
}

void ShotTrail::Push(double px, double py) {
    std::copy_backward(std::begin(x), std::end(x) - 1, std::end(x));
    std::copy_backward(std::begin(y), std::end(y) - 1, std::end(y));
    x[0] = px;
    y[0] = py;
}

void ShotTrail::Draw(const CSpriteSheet& images, double shrink) const {
    static constexpr double kDepths[4] = {-0.002, -0.0019, -0.0018, -0.0017};
    for (int i = 0; i < 4; ++i) {
        CSprite* s = images[i];
        if (!s) continue;
        s->scaleX = s->scaleY = static_cast<float>(1.0 - shrink * i);
        s->SetAlpha(static_cast<float>(1.0 - 0.2 * i));
        DrawSpriteAt(s, x[2 * i], y[2 * i], kDepths[i]);
    }
}

CBreakShot_Child::CBreakShot_Child(CStage* ownerStage, double px, double py, double velocityX,
                                   double velocityY, bool heroSide)
    : CBreakingShot(ownerStage, px, py, 900, heroSide, !heroSide, true),
      images_(Cells("Objects003", std::vector<SpriteCell>(4, SpriteCell{96, 112, 112, 128}))) {
    SetAttackInfo(ShotAttack(5, 150.0, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, 4.0);
    vx = velocityX;
    vy = velocityY;
    ay = -3.0 * velocityY;
    SetSpeedLimits(*this, 500.0, 500.0);
    ignoresMap = true;
    trail.Fill(px, py);
}

void CBreakShot_Child::Move() {
    BeginFrame();
    IBase::Move();
    // The fan spreads until its slant has been braked away, then flies level.
    if ((ay < 0 && vy < 0) || (ay > 0 && vy > 0)) vy = ay = 0.0;
    trail.Push(x, y);
    EndFrame();
}

void CBreakShot_Child::Draw() { trail.Draw(images_, 0.0); }

// ---- CWaveShot ----

CWaveShot::CWaveShot(CStage* ownerStage, double px, double py, int directionIn, double phase, bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, true),
      direction(directionIn),
      wavePhase(phase),
      images_(
          CSpriteSheet("Object", "Objects002", std::vector<SpriteCell>(4, SpriteCell{160, 96, 192, 128}))) {
    SetAttackInfo(ShotAttack(20, 550.0, (directionIn == 1 ? -0.25 : -0.75) * kPi, kAttackBlueBurst));
    MakeRoundShape(*this, 15.0);
    SetSpeedLimits(*this, 1000.0, 1000.0);
    ignoresMap = true;
    trail.Fill(px, py);
}

void CWaveShot::Move() {
    BeginFrame();
    const double run = 0.15 * age * age;
    x = direction == 0 ? startX - run : startX + run;
    const double swing = std::min(1.3 * age, 96.0);
    y = startY + std::sin(0.4 * age + wavePhase) * swing;
    trail.Push(x, y);
    EndFrame();
}

void CWaveShot::Draw() { trail.Draw(images_, 0.25); }

int CWaveShot::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) {
        ShowEffect(kEffectBrunt);
        PlaySE(SoundId::kMagic1);
    }
    return r;
}
