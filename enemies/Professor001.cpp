#include "enemies/Professor001.h"

#include <algorithm>
#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"

namespace {

constexpr double kBallSpeed = 170.0;

const std::vector<SpriteCell> kCasterCells = {{0, 64, 32, 112},  {0, 112, 32, 160},  {0, 160, 32, 208},
                                              {32, 64, 64, 112}, {32, 112, 64, 160}, {32, 160, 64, 208},
                                              {0, 208, 32, 256}};

}  // namespace

CProfessor001::CProfessor001(CStage* ownerStage, double px, double py, int facingIn)
    : CGroundEnemy(ownerStage, px, py, facingIn, 10),
      left_("Char", "Enemy005_L", kCasterCells),
      right_("Char", "Enemy005_R", kCasterCells),
      ball_("Object", "Objects002", {{32, 0, 64, 32}}) {
    width = 16.0;
    height = 40.0;
    vx = 0.0;
    vy = 4.0 * GetFrameRate();
    SetState(kCasterHidden);
}

CProfessor001::~CProfessor001() = default;

void CProfessor001::SetState(int s) {
    EnterState(s);
    if (s == kCasterHidden) stateFrames = RandomRange(0, 60);  // hidden for 60 to 120 frames
    vx = ax = 0.0;
    ay = 500.0;
    maxSpeedUp = maxSpeedDown = 500.0;
    maxSpeedLeft = maxSpeedRight = s == kCasterRecoil ? 500.0 : 80.0;
}

void CProfessor001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    if (state <= kCasterCast) FaceHero();
    switch (state) {
        case kCasterHidden:
            if (f > 120) SetState(kCasterFadeIn);
            break;
        case kCasterFadeIn:
            if (f > 20) SetState(kCasterAppear);
            break;
        case kCasterFadeOut:
            if (f > 20) SetState(kCasterHidden);
            break;
        case kCasterAppear:
            if (f > 20) {
                PlaySE(SoundId::kMagic3);
                SetState(kCasterCast);
            } else if (f > 6 && HasHero() && std::fabs(GetDistanceXToHero()) < 64.0 &&
                       std::fabs(GetDistanceYToHero()) < 64.0) {
                SetState(kCasterFadeOut);  // too close to cast: gone again
            }
            break;
        case kCasterCast:
            if (f > 100) Cast();
            break;
        case kCasterAfterCast:
            if (f > 100) SetState(kCasterFadeOut);
            break;
        case kCasterStomped:
            if (f > 40) SetState(kCasterFadeOut);
            break;
        case kCasterRecoil:
            if (f > 30)
                SetState(kCasterFadeOut);
            else
                BrakeStop();
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

void CProfessor001::Cast() {
    PlaySE(SoundId::kMagic2);
    const double sx = (GetPreviousLeft() + GetPreviousRight()) * 0.5, sy = GetPreviousTop() - 14.0;
    if (const IBase* hero = GetHero()) {
        const double a = GetAngle(sx, sy, hero->centerX, hero->centerY);
        FireEnemyShot("CMagicalBall", owner, sx, sy, kBallSpeed * std::cos(a), kBallSpeed * std::sin(a));
    }
    SetState(kCasterAfterCast);
}

int CProfessor001::Collide(IBase* other) {
    if (!IsVisible()) return kHitImmune;
    return ContactAndReact(other, kCasterStomped, kNoFallFloor, kCasterRecoil, 300.0);
}

int CProfessor001::ReceiveAttack(AttackInfo info) {
    if (!IsVisible()) return kHitImmune;
    return TakeHit(info, kEffectEnemyDeath);
}

double CProfessor001::Alpha() const {
    if (isBlown) return 1.0;
    switch (state) {
        case kCasterHidden:
            return 0.0;
        case kCasterFadeIn:
            return std::clamp(stateFrames * 0.05, 0.0, 1.0);
        case kCasterFadeOut:
            return std::clamp(1.0 - stateFrames * 0.05, 0.0, 1.0);
        default:
            return 1.0;
    }
}

void CProfessor001::Draw() {
    const double dy = GetDistanceYToHero();
    const int look = dy > 64.0 ? 0 : (dy <= -64.0 ? 2 : 1);  // down, level, up
    int cell = look;
    double s = 1.0;
    if (isBlown || state == kCasterRecoil)
        cell = 6;
    else if (state == kCasterCast || state == kCasterAfterCast)
        cell = 3 + look;
    else if (state == kCasterStomped) {
        cell = 1;
        s = StompWobble(stateFrames);
    }
    CSprite* picture = (facing == 1 ? right_ : left_)[static_cast<size_t>(cell)];
    if (!picture) return;
    picture->SetAlpha(static_cast<float>(Alpha()));
    DrawSquashed(picture, s, 0.0, 4.0);

    CSprite* ball = ball_[0];
    if (state != kCasterCast || isBlown || !ball) return;
    const float grow = stateFrames < 20 ? static_cast<float>(0.3 + 0.7 * 0.05 * stateFrames) : 1.0f;
    ball->scaleX = ball->scaleY = grow;
    ball->SetAlpha(0.8f);
    ball->angleZ = static_cast<float>(stateFrames * 0.2);  // it spins as it grows
    const double ownDepth = depth, ownY = imageY;
    CSprite* body = sprite;
    sprite = ball;
    imageY = ownY - 32.0;
    depth = -0.002;
    DrawSprite();
    sprite = body;
    imageY = ownY;
    depth = ownDepth;
}
