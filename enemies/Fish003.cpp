#include "enemies/Fish003.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "enemies/EnemyShotHelpers.h"
#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"

CFish003::CFish003(CStage* ownerStage, double px, double py, int facingIn)
    : CPatternEnemy(ownerStage, px, py, RecordFacing(facingIn), 1),
      left_("Char", "Enemy005_L",
            {{128, 192, 192, 224}, {192, 192, 256, 224}, {128, 224, 192, 256}, {192, 224, 256, 256}}),
      right_("Char", "Enemy005_R",
             {{128, 192, 192, 224}, {192, 192, 256, 224}, {128, 224, 192, 256}, {192, 224, 256, 256}}) {
    category = kCategoryFlyer;
    ignoresMap = true;
    width = 36.0;
    height = 22.0;
    vx = 100.0 * FacingSign();
    ax = 150.0 * FacingSign();
    SetState(kApproach);
}

CFish003::~CFish003() = default;

void CFish003::SetState(int s) {
    EnterState(s);
    const double limit = (s == kRecoil || s == kRecoilThrown) ? 300.0 : 100.0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = limit;
}

void CFish003::SwimOn() { ax = 150.0 * FacingSign(); }

void CFish003::Act() {
    BeginFrame();
    Move();
    switch (state) {
        case kApproach:
            if (IsHeroInThrowRange()) {
                SetState(kWindUp);
                ax = -150.0 * FacingSign();
            }
            break;
        case kWindUp:
            if (stateFrames <= 40.0) {
                BrakeStop();
            } else {
                EnemyShotLaunch ball;
                ball.owner = owner;
                ball.x = facing == 0 ? GetLeft() - 9.0 : GetRight() + 9.0;
                ball.y = GetTop() + 5.0;
                ball.vx = facing == 0 ? -1.0 : 1.0;
                LaunchEnemyShot(EnemyShotKind::kBaseball, ball);
                PlaySE(SoundId::kThrow);
                SetState(kThrown);
                SwimOn();
            }
            break;
        case kRecoil:
        case kRecoilThrown:
            BrakeStopBoth(*this);
            if (stateFrames > 50.0) {
                SetState(state == kRecoil ? kApproach : kThrown);
                SwimOn();
            }
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

bool CFish003::IsHeroInThrowRange() const {
    const IBase* hero = GetHero();
    if (!hero) return false;
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    if (dy < 0) return false;
    if ((facing == 0 && dx > 0) || (facing != 0 && dx < 0)) return false;
    const double v = std::clamp(vx, -50.0, 50.0);
    const double h = hero->GetVelocityX();
    if (h * v > 0 && ((v > 0 && h > v) || (v < 0 && h < v))) return false;
    double closing = std::fabs(v - h);
    if (closing == 0) closing = 0.001;
    const double t = std::fabs(dx) / closing;
    const double limit = (std::sqrt(std::max(0.0, dy / 225.0)) + 0.66) * 0.66;
    return t < limit;
}

void CFish003::Draw() {
    int cell = 0;
    if (state == kThrown || state == kRecoilThrown)
        cell = 1;
    else if (state == kWindUp)
        cell = static_cast<int>(stateFrames) % 4 < 2 ? 2 : 3;
    sprite = (facing != 0 ? right_ : left_)[cell];
    if (!sprite) return;
    if (isBlown) {
        sprite->angleZ = BlownSpin(*this);
    } else {
        sprite->angleZ = 0.0f;
        if (state != kWindUp) {
            const double k = 1.0 + 0.05 * std::sin(std::numbers::pi * age / 30.0);
            sprite->scaleX = static_cast<float>(k);
            sprite->scaleY = static_cast<float>(1.0 / k);
        }
    }
    imageX = centerX + (facing == 0 ? -6.0 : 6.0);
    imageY = centerY;
    DrawSprite();
}

int CFish003::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (IsBump(*this, r)) {
        SetState(state == kThrown || state == kRecoilThrown ? kRecoilThrown : kRecoil);
        RecoilAway(*this, *other, 300.0, 800.0);
    }
    return r;
}

int CFish003::ReceiveAttack(AttackInfo info) {
    StartDefeatBlow(info, kEffectEnemyDeath);
    ClearSpawnFlag();
    return kHitDefeated;
}
