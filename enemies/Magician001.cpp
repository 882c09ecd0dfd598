#include "enemies/Magician001.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "enemies/EnemyShotHelpers.h"
#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "play/EffectFactory.h"
#include "play/HitEffect.h"

namespace {

std::vector<SpriteCell> FigureCells() {
    std::vector<SpriteCell> cells;
    cells.reserve(11);
    for (int i = 0; i < 6; ++i) cells.push_back({40 * i, 0, 40 * i + 40, 48});
    for (int i = 0; i < 2; ++i) cells.push_back({40 * i, 48, 40 * i + 40, 96});
    for (int i = 0; i < 3; ++i) cells.push_back({128, 48 + 32 * i, 224, 80 + 32 * i});
    return cells;
}

std::vector<SpriteCell> WhirlCells() {
    std::vector<SpriteCell> cells;
    for (int j = 0; j < 8; ++j) {
        const int l = j < 4 ? 0 : 128, t = 64 * (j % 4);
        cells.push_back({l, t, l + 128, t + 64});
    }
    return cells;
}

// Spark, the stunned pair, the ball, then the eight ring particles.
std::vector<SpriteCell> PartCells() {
    std::vector<SpriteCell> cells = {
        {240, 0, 256, 16}, {80, 48, 128, 96}, {80, 96, 128, 144}, {0, 96, 32, 128}};
    for (int k = 0; k < 8; ++k) cells.push_back({240, 16, 256, 32});
    return cells;
}

enum { kPartSpark = 0, kPartExtra = 1, kPartBall = 3, kPartRing = 4 };
constexpr int kItemFirst = 8;  // the held items follow the eight body frames

constexpr double kBodyDepth = 0.0019, kItemDepth = 0.0018, kAnchorDepth = 0.0017, kExtraDepth1 = 0.0016,
                 kExtraDepth2 = 0.0015, kRingDepth = -0.004, kBallDepth = -0.0041;

}  // namespace

// ---- The marker ----

CMagician_Controller001::CMagician_Controller001(CStage* ownerStage, double px, double py, int side)
    : IBase(ownerStage, px, py), spawnSide(side) {
    width = height = 32.0;
    category = kCategoryController;
    drawPriority = 40;
    depth = -0.004;
    ignoresMap = true;
    removeWhenOffScreen = false;
    UpdateCentre();
}

void CMagician_Controller001::Update() {
    BeginFrame();
    if (spawned) {
        if (GetChildren().empty() && GetPendingChildCount() == 0)
            Kill();
        else
            for (const auto& c : GetChildren()) {
                // It is made far out of view: while it swoops in (a swoop takes about 90 frames)
                // distance does not end it.
                const auto* mage = dynamic_cast<const CMagician001*>(c.get());
                const bool arriving = mage && mage->state == CMagician001::kSwoop && !mage->isBlown &&
                                      mage->stateFrames < CMagician001::kSwoopFrames;
                if (c && !arriving && c->GetScreenDistanceSelf() > kLeaveDistance) c->Kill();
            }
    } else if (GetHero()) {
        const double dx = GetDistanceXToHero();
        if (spawnSide == 0 && dx > -kCallDistance) {
            spawned = true;
            AddChild(std::make_unique<CMagician001>(owner, x - 600.0 + 7.0, y - 432.0 - 8.0, 1, this, centerX,
                                                    centerY));
        } else if (spawnSide != 0 && dx < kCallDistance) {
            spawned = true;
            AddChild(std::make_unique<CMagician001>(owner, x + 607.0, y - 440.0, 0, this, centerX, centerY));
        }
    }
    EndFrame();
}

// ---- The magician ----

CMagician001::CMagician001(CStage* ownerStage, double px, double py, int facingIn,
                           CMagician_Controller001* controller, double tx, double ty)
    : CPatternEnemy(ownerStage, px, py, facingIn, 20),
      targetX(tx),
      targetY(ty),
      controller_(controller),
      left_("Char", "Enemy009_L", FigureCells()),
      right_("Char", "Enemy009_R", FigureCells()),
      whirl_("Effect", "Bar_Effect002_L", WhirlCells()),
      parts_("Char", "Enemy009_L", PartCells()) {
    SetState(kSwoop);
    width = 18.0;
    height = 40.0;
    vx = facing == 0 ? -413.0 : 413.0;
    vy = 435.0;
    ay = -200.0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 1000.0;
    category = kCategoryFlyer;
    ignoresMap = true;
    removeWhenOffScreen = false;
}

CMagician001::~CMagician001() = default;

CMagician_Controller001* CMagician001::GetController() const {
    return dynamic_cast<CMagician_Controller001*>(controller_.Get());
}

void CMagician001::Leave() {
    PlaySE(SoundId::kAttack6);
    SetState(kLeaving);
    ax = 0.0;
    vy = 80.0;
    ay = -400.0;
}

void CMagician001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    const double dt = GetFrameTime();
    switch (state) {
        case kSwoop:
            if (GetDistance(centerX, centerY, targetX, targetY) < 160.0) {
                facing = 1 - facing;
                ax = -1.5 * vx;
                ay = -1.5 * vy;
                PlaySE(SoundId::kAttack6);
                SetState(kBraking);
            }
            break;
        case kBraking:
            BrakeStopBoth(*this);
            if (f > 35.0) {
                SetState(kCasting);
                vy = ay = 0.0;
            }
            break;
        case kCasting:
            BrakeStop();
            ay = f < 25.0 ? 60.0 : -80.0;
            if (f <= 10.0) {
                FaceHero();
                ringAngle = 0.0;
                ringRadius = 32.0;
            } else if (f <= 50.0) {
                ringAngle += (0.3 * f + 10.0) * dt * FacingSign();
                ringRadius -= dt * f * 0.85;
            } else {
                Throw();
            }
            break;
        case kAfterThrow:
            BrakeStopBoth(*this);
            if (f > 50.0) Leave();
            break;
        case kLeaving:
            if (f > 20.0 && ay > -1500.0) ay = -1500.0;
            break;
        case kStunned:
            BrakeStopBoth(*this);
            if (f > 40.0) {
                if (castDone)
                    Leave();
                else
                    SetState(kCasting);
            }
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

void CMagician001::Throw() {
    SetState(kAfterThrow);
    PlaySE(SoundId::kMagic4);
    castDone = true;
    EnemyShotLaunch ball;
    ball.owner = owner;
    ball.x = (GetPreviousLeft() + GetPreviousRight()) * 0.5 + 24.0 * FacingSign();
    ball.y = (GetPreviousTop() + GetPreviousBottom()) * 0.5 + 8.0;
    ball.vx = 100.0 * FacingSign();
    ball.vy = 100.0;
    LaunchEnemyShot(EnemyShotKind::kMagicalBall, ball);
    ay = vy >= 0 ? -80.0 : 80.0;
}

int CMagician001::Collide(IBase* other) {
    if (!isBlown && (state == kSwoop || state == kBraking || (state == kLeaving && stateFrames > 20.0)))
        return kHitImmune;
    const int r = DeliverContactAttack(other);
    if (IsBump(*this, r)) {
        SetState(kStunned);
        PlaySE(SoundId::kGuard2);
        FaceHero();
        RecoilAway(*this, *other, 300.0, 550.0);
    }
    return r;
}

int CMagician001::ReceiveAttack(AttackInfo info) {
    const int r = TakeHit(info, kEffectEnemyDeath);
    if (r == kHitDefeated)
        if (const CMagician_Controller001* marker = GetController()) ClearSpawnFlagOf(*marker);
    return r;
}

void CMagician001::OnBlowEnd() {
    Leave();
    vx = 0.0;
}

void CMagician001::PoseFigure(int body, int item, bool extra) {
    const CSpriteSheet& side = facing == 1 ? right_ : left_;
    bodySprite_ = side[body];
    bodyPos_ = {centerX, centerY - 4.0};
    static const Point kAnchor[8] = {{28, 35}, {23, 18}, {23, 18}, {32, 17},
                                     {32, 17}, {28, 17}, {28, 17}, {33, 28}};
    anchorPos_ = {x - 11.0 + kAnchor[body].x, y - 8.0 + kAnchor[body].y};
    if (facing == 1) anchorPos_.x = 2 * centerX - anchorPos_.x;
    if (item < 3) {
        itemSprite_ = side[kItemFirst + item];
        itemPos_ = {anchorPos_.x, anchorPos_.y - 4.0};
    } else {
        itemSprite_ = whirl_[item - 3];
        itemPos_ = anchorPos_;
    }
    extraShown_ = extra;
    double ex = centerX;
    if (body == 1 || body == 2) ex -= 4.0;
    if (body == 3 || body == 4) ex += 4.0;
    if (facing == 1) ex = 2 * centerX - ex;
    extraPos_ = {ex, centerY - 4.0};
}

void CMagician001::Draw() {
    imageX = centerX;
    imageY = centerY;
    sprite = nullptr;
    auto n = [this](double k) { return static_cast<int>(stateFrames * k); };
    if (isBlown) {
        PoseFigure(7, 0, false);
    } else {
        switch (state) {
            case kSwoop:
                PoseFigure(n(0.2) % 2 + 1, 2, false);
                break;
            case kBraking:
                PoseFigure(n(0.2) % 2 + 3, n(1) % 8 + 3, false);
                break;
            case kLeaving:
                PoseFigure(6, n(1) % 8 + 3, false);
                break;
            case kStunned:
                PoseFigure(n(0.2) % 2 + 3, 1, n(1) % 4 < 2);
                break;
            default:
                PoseFigure(5, 0, false);
                break;
        }
    }
    DrawSpriteAt(bodySprite_, bodyPos_.x, bodyPos_.y, kBodyDepth);
    DrawSpriteAt(parts_[kPartSpark], anchorPos_.x, anchorPos_.y, kAnchorDepth);
    DrawSpriteAt(itemSprite_, itemPos_.x, itemPos_.y, kItemDepth);
    if (extraShown_) {
        DrawSpriteAt(parts_[kPartExtra], extraPos_.x, extraPos_.y, kExtraDepth1);
        DrawSpriteAt(parts_[kPartExtra + 1], extraPos_.x, extraPos_.y, kExtraDepth2);
    }
    if (state != kCasting || stateFrames <= 10.0 || isBlown) return;
    // The ring shrinks about the point the ball leaves from while the ball grows and fades in.
    const double cx = centerX + 24.0 * FacingSign(), cy = centerY + 8.0;
    for (int k = 0; k < 8; ++k) {
        const double t = ringAngle - FacingSign() * k * std::numbers::pi / 4.0;
        DrawSpriteAt(parts_[kPartRing + k], cx + ringRadius * std::cos(t), cy + ringRadius * std::sin(t),
                     kRingDepth);
    }
    if (CSprite* ball = parts_[kPartBall]) {
        ball->scaleX = ball->scaleY = static_cast<float>((40.0 - ringRadius) * 0.05);
        ball->SetAlpha(static_cast<float>(stateFrames * 0.0075));
        DrawSpriteAt(ball, cx, cy, kBallDepth);
    }
}

void CMagician_Controller001::DrawDebug() { DrawDebugBox(*this); }
