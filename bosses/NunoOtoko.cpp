#include "bosses/NunoOtoko.h"

#include <cmath>
#include <memory>

#include "bosses/LastBoss.h"
#include "bosses/LastBossShots.h"
#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/CommonShots.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"

namespace {

constexpr SpriteCell kClothCell{208, 0, 256, 72};
const std::vector<SpriteCell> kFirstFormCells{
    {0, 0, 48, 64}, {48, 0, 96, 64}, {96, 0, 144, 64}, {144, 0, 192, 64}, kClothCell};

void HangStill(IBase& o) {
    o.vx = o.vy = o.ax = o.ay = 0;
    SetSpeedLimits(o, 0, 0);
}

}  // namespace

using lastboss::GetScreenRect;

CNunoOtoko::CNunoOtoko(CStage* ownerStage, double px, double py, bool startFacing, CLastBoss_Controller* boss)
    : CPatternEnemy(ownerStage, px, py, startFacing ? 1 : 0, kHitPoints),
      controller_(boss),
      left_("Char", "Boss011_L", kFirstFormCells),
      right_("Char", "Boss011_R", kFirstFormCells),
      glows_("Object", "Objects004",
             {{0, 160, 64, 224}, {0, 160, 64, 224}, {64, 160, 128, 224}, {64, 160, 128, 224}}) {
    category = kCategoryFlyer;
    width = 20.0;
    height = 44.0;
    ignoresMap = true;
    removeWhenOffScreen = false;
    sprite = nullptr;
    UpdateCentre();
    SetState(kNunoEntrance);
}

CNunoOtoko::~CNunoOtoko() = default;

CLastBoss_Controller* CNunoOtoko::Controller() const {
    return static_cast<CLastBoss_Controller*>(controller_.Get());
}

CNunoOtokoBarrier* CNunoOtoko::GetBarrier(int i) const {
    IBase* orb = barriers_[i & 1].Get();
    return orb && !orb->IsDead() ? static_cast<CNunoOtokoBarrier*>(orb) : nullptr;
}

void CNunoOtoko::SetState(int s) {
    if (s == kNunoIdle && state != kNunoIdle) hoverFrames = 0.0;
    EnterState(s);
    shotFrames = 9999.0;
    rainFrames = 0.0;
    rainStep = 0;
    switch (s) {
        case kNunoEntrance:
        case kNunoAppear:
            HangStill(*this);
            break;
        case kNunoIdle:
            vx = vy = ax = ay = 0;
            SetSpeedLimits(*this, 80.0, 0);
            break;
        case kNunoHurt:
            SetSpeedLimits(*this, 1000.0, 1000.0);
            break;
        case kNunoVanish:
            HangStill(*this);
            PlaySE(SoundId::kDash2);
            break;
        case kNunoTrack:
            vx = ax = ay = 0;
            vy = GetDistanceYToHero() * 0.5;
            SetSpeedLimits(*this, 220.0, 0);
            PlaySE(SoundId::kMagic3);
            break;
        case kNunoStream:
            SetSpeedLimits(*this, 220.0, 0);
            PlaySE(SoundId::kDark);
            break;
        case kNunoStreamSettle:
            ax = 0;
            ay = -2 * vy;
            SetSpeedLimits(*this, 220.0, 0);
            break;
        case kNunoIce:
        case kNunoBarrier:
        case kNunoBombRain:
            ay = -2 * vy;
            SetSpeedLimits(*this, 80.0, 0);
            break;
        case kNunoIceSettle:
            SetSpeedLimits(*this, 80.0, 0);
            break;
        case kNunoBarrierHeld:
            SetSpeedLimits(*this, 80.0, 0);
            PlaySE(SoundId::kDark);
            break;
        case kNunoDefeat:
            HangStill(*this);
            lastboss::BurstChildren(*this);
            break;
        default:
            break;
    }
}

void CNunoOtoko::StopVertically() {
    if ((ay < 0 && vy < 0) || (ay > 0 && vy > 0)) ay = vy = 0;
}

void CNunoOtoko::TrackHero(double accel) {
    FaceHero();
    const double dy = GetDistanceYToHero();
    if (dy >= 0 && vy < 0) ay = accel;
    if (dy < 0 && vy > 0) ay = -accel;
}

void CNunoOtoko::ChooseFromIdle() {
    const int r = RandomRange(0, 99);
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    int next;
    if (hitPoints <= kRainHitPoints && !rainDone) {
        rainDone = true;
        next = kNunoBombRain;
    } else if (std::fabs(dx) < 128 && std::fabs(dy) < 128) {
        next = r < 25 ? kNunoVanish : r < 30 ? kNunoTrack : r < 80 ? kNunoBarrier : kNunoIdle;
    } else if (hitPoints <= kRainHitPoints && RandomRange(0, 99) < 15) {
        next = kNunoBombRain;
    } else if (dy > 96) {
        next = r < 20   ? kNunoVanish
               : r < 35 ? kNunoTrack
               : r < 80 ? kNunoIce
               : r < 90 ? kNunoBarrier
                        : kNunoIdle;
    } else {
        next = r < 30 ? kNunoVanish : r < 50 ? kNunoTrack : r < 70 ? kNunoBarrier : kNunoIdle;
    }
    SetState(next);
}

void CNunoOtoko::Teleport() {
    const lastboss::ScreenRect sr = GetScreenRect(*this);
    const IBase* hero = GetHero();
    for (int i = 0; i < 10; ++i) {
        x = RandomRange(static_cast<int>(sr.left) + 96,
                        static_cast<int>(static_cast<int>(sr.right) - 96 - width));
        if (RandomRange(0, 99) < 20 && hero)
            y = hero->y - 20.0;
        else
            y = RandomRange(static_cast<int>(sr.top) + 128,
                            static_cast<int>(static_cast<int>(sr.bottom) - 96 - height));
        if (!hero || GetDistance(hero->centerX, hero->centerY, x, y) > 96) break;
    }
    UpdateCentre();
}

void CNunoOtoko::FireDarkBall() {
    shotFrames += FramesThisFrame();
    if (shotFrames <= 12) return;
    shotFrames = 0;
    if (facing == 0)
        AddChild(std::make_unique<CSmallDarkBall>(owner, prevX - 54, prevY + 37, -300.0, 0.0, false));
    else
        AddChild(std::make_unique<CSmallDarkBall>(owner, prevX + width + 54, prevY + 37, 300.0, 0.0, false));
}

void CNunoOtoko::ThrowIceBalls() {
    const double bx = prevX + width / 2 + (facing == 0 ? -60 : 60);
    const double by = prevY + height / 2 + 47;
    const double base = facing == 0 ? 0.8 * kPi : 2.2 * kPi;
    for (double a : {base - 1.4, base + 1.4})
        AddChild(
            std::make_unique<CPatriotIceBall>(owner, bx, by, 110 * std::cos(a), 110 * std::sin(a), false));
    PlaySE(SoundId::kIce5);
}

void CNunoOtoko::RaiseBarriers() {
    AttackInfo a;
    a.damage = 10;
    a.power = 30.0;
    a.angle = -0.5 * kPi;
    a.delay = 8.0;
    a.flags[kAttackRedBurst] = 1;
    const double offsets[2] = {width / 2 - 16, width / 2 + 16};
    const double starts[2] = {0.0, kPi};
    for (int i = 0; i < 2; ++i) {
        auto orb = std::make_unique<CNunoOtokoBarrier>(this, this, owner, offsets[i], height / 2, 15.0, 150.0,
                                                       3.0, kSideEnemy, kAimKeep, a, starts[i], facing == 0);
        barriers_[i] = ObjectHandle(orb.get());
        AddChild(std::move(orb));
    }
}

void CNunoOtoko::DropBarriers() {
    for (ObjectHandle& h : barriers_) {
        if (IBase* orb = h.Get()) RemoveChild(orb);
        h.Reset();
    }
}

void CNunoOtoko::StepBombRain() {
    rainFrames += FramesThisFrame();
    const bool due = rainStep == 0 ? rainFrames > 20 : rainStep < 6 && rainFrames > 7;
    if (!due) return;
    if (rainStep == 0) {
        PlaySE(SoundId::kIce5);
        if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->BeginScreenFade(160, 60, 0);
    }
    rainFrames = 0;
    ++rainStep;
    const lastboss::ScreenRect sr = GetScreenRect(*this);
    const int bx = RandomRange(static_cast<int>(sr.left + 64), static_cast<int>(sr.right - 80));
    const int by = RandomRange(static_cast<int>(sr.top + 64), static_cast<int>(sr.bottom - 80));
    AddChild(std::make_unique<CLightBeforeBomb>(owner, bx, by, facing));
}

void CNunoOtoko::BreakOff() {
    if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->EndScreenFade();
    DropBarriers();
}

void CNunoOtoko::Act() {
    BeginFrame();
    IBase::Move();
    const double t = stateFrames;
    switch (state) {
        case kNunoEntrance:
            if (t > 160) {
                SetState(kNunoTrack);
                if (CLastBoss_Controller* boss = Controller()) boss->OnNunoOtokoEntered();
            }
            break;
        case kNunoIdle:
            FaceHero();
            hoverFrames += FramesThisFrame();
            ay = static_cast<int>(hoverFrames) % 80 < 40 ? 200.0 : -200.0;
            if (t > 15) ChooseFromIdle();
            break;
        case kNunoHurt:
            BrakeStop();
            StopVertically();
            if (t > 40) SetState(kNunoVanish);
            break;
        case kNunoVanish:
            if (t > 20) {
                Teleport();
                SetState(kNunoAppear);
            }
            break;
        case kNunoAppear:
            FaceHero();
            if (t > 20) SetState(kNunoIdle);
            break;
        case kNunoTrack:
            TrackHero(200.0);
            if (t > 100) SetState(kNunoStream);
            break;
        case kNunoStream:
            TrackHero(290.0);
            FireDarkBall();
            if (t > 80) SetState(kNunoStreamSettle);
            break;
        case kNunoStreamSettle:
            StopVertically();
            if (t > 50) SetState(kNunoVanish);
            break;
        case kNunoIce:
            StopVertically();
            if (t > 30) {
                ThrowIceBalls();
                SetState(kNunoIceSettle);
            }
            break;
        case kNunoIceSettle:
            StopVertically();
            if (t > 50) {
                const int chance = hitPoints > kRainHitPoints ? 20 : 35;
                SetState(RandomRange(0, 99) < chance ? kNunoIce : kNunoVanish);
            }
            break;
        case kNunoBarrier:
            StopVertically();
            if (t > 15) {
                RaiseBarriers();
                SetState(kNunoBarrierHeld);
            }
            break;
        case kNunoBarrierHeld:
            StopVertically();
            if (t > 180) {
                SetState(kNunoVanish);
                DropBarriers();
            }
            break;
        case kNunoBombRain:
            StopVertically();
            StepBombRain();
            if (t > 140) {
                SetState(kNunoVanish);
                if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->EndScreenFade();
            }
            break;
        case kNunoDefeat:
            lastboss::ExplodeNowAndThen(*this, &explosionFrames);
            if (t > 180 && !IsDead())
                if (CLastBoss_Controller* boss = Controller()) boss->RemoveNunoOtoko();
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

int CNunoOtoko::Collide(IBase*) {
    switch (state) {
        case kNunoEntrance:
        case kNunoHurt:
        case kNunoVanish:
        case kNunoAppear:
        case kNunoDefeat:
            break;
        default:
            BreakOff();
            SetState(kNunoVanish);
    }
    return kHitImmune;
}

int CNunoOtoko::ReceiveAttack(AttackInfo attack) {
    if (state == kNunoEntrance || state == kNunoVanish || state == kNunoAppear || state == kNunoDefeat ||
        attack.flags[kAttackRedBurst])
        return kHitImmune;
    hitPoints -= attack.damage;
    BreakOff();
    FaceHero();
    PlaySE(SoundId::kDamage);
    if (hitPoints <= 0) {
        SetState(kNunoDefeat);
        if (CLastBoss_Controller* boss = Controller()) boss->SpawnDevilBar();
        return kHitDefeated;
    }
    vx = std::cos(attack.angle) * attack.power;
    vy = std::sin(attack.angle) * attack.power;
    ax = -2 * vx;
    ay = -2 * vy;
    SetState(kNunoHurt);
    return kHitHurt;
}

void CNunoOtoko::Draw() {
    const double t = stateFrames;
    const double s = std::cos(4 * t) > 0 ? 1.0 : -1.0;
    int frame = 0;
    double bodyOffset = 0, bodyAlpha = 1.0;
    bool clothShown = true;
    double clothX = -20, clothY = -8, clothAlpha = 1.0, clothTurn = -0.1 * kPi, clothBAlpha = 0;
    int glow = -1;  // 0 dark, 2 ice
    double glowX = 2, glowY = -40, innerScale = 0, innerAlpha = 0, outerScale = 0, outerAlpha = 0;
    switch (state) {
        case kNunoEntrance:
            if (t < 16) {
                bodyOffset = std::trunc((16 - t) * s * 3.5);
                bodyAlpha = t / 16;
            }
            if (t < 30) {
                clothShown = false;
            } else if (t < 90) {
                clothTurn = 1.2 * t;
                clothY = std::trunc(t - 98);
                clothBAlpha = 1 - (t - 30) / 60;
            }
            break;
        case kNunoHurt:
            frame = static_cast<int>(t) % 4 < 2 ? 1 : 3;
            clothTurn = 0.07 * kPi;
            clothX = -2, clothY = -20;
            break;
        case kNunoVanish:
            if (t >= 16) return;
            bodyOffset = std::trunc(s * t * 3.5);
            clothX = bodyOffset - 20;
            bodyAlpha = clothAlpha = 1 - t / 16;
            break;
        case kNunoAppear:
            if (t < 16) {
                bodyOffset = std::trunc((16 - t) * s * 3.5);
                clothX = bodyOffset - 20;
                bodyAlpha = clothAlpha = t / 16;
            }
            break;
        case kNunoTrack: {
            frame = 1;
            clothTurn = 0.07 * kPi;
            clothX = -2, clothY = -20;
            const double u = t * 0.01;
            glow = 0;
            innerScale = 0.3 + 0.075 * u, innerAlpha = 0.4 + 0.35 * u;
            outerScale = 0.375 + 0.625 * (1 - u), outerAlpha = 0.1 + 0.2 * u;
            break;
        }
        case kNunoStream:
        case kNunoStreamSettle:
            frame = 2;
            clothTurn = -0.53 * kPi;
            clothX = -38, clothY = 12;
            break;
        case kNunoIce: {
            frame = 2;
            clothTurn = -0.7 * kPi;
            clothX = -38, clothY = 30;
            const double u = t / 30;
            glow = 2;
            glowX = -60, glowY = 47;
            innerScale = 0.3 + 0.2 * u, innerAlpha = 0.4 + 0.35 * u;
            outerScale = (2 - u) / 2, outerAlpha = 0.1 + 0.2 * u;
            break;
        }
        case kNunoIceSettle:
            frame = 2;
            clothTurn = -0.7 * kPi;
            clothX = -38, clothY = 30;
            break;
        case kNunoBombRain:
            frame = 1;
            clothTurn = 0.07 * kPi;
            clothX = -2, clothY = -20;
            break;
        case kNunoDefeat:
            clothShown = false;
            if (t >= 60) return;
            bodyAlpha = 1 - t / 60;
            break;
        default:
            break;
    }
    const auto put = lastboss::PutSprite;
    if (facing == 0)
        put(left_[frame], centerX + 6 + bodyOffset, centerY + 6, 0.0017, bodyAlpha, 0, 1);
    else
        put(right_[frame], centerX - 6 - bodyOffset, centerY + 6, 0.0017, bodyAlpha, 0, 1);
    if (facing == 1) {
        clothTurn = -clothTurn;
        clothX = -clothX;
        glowX = -glowX;
    }
    if (clothShown) put(left_[4], centerX + clothX, centerY + clothY, 0.0019, clothAlpha, clothTurn, 1);
    put(right_[4], centerX + clothX, centerY + clothY, 0.0018, clothBAlpha, clothTurn, 1);
    if (glow >= 0) {
        put(glows_[glow + 1], centerX + glowX, centerY + glowY, 0.0017, outerAlpha, 0, outerScale);
        put(glows_[glow], centerX + glowX, centerY + glowY, 0.0016, innerAlpha, 0, innerScale);
    }
}
