#include "bosses/DevilBar.h"

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
#include "gimmicks/Items.h"
#include "play/CommonShots.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

namespace {

enum MoveMode {
    kMoveKeep = 0,
    kMoveDriftLeft = 2,
    kMoveTurnRight = 3,
    kMoveDriftRight = 4,
    kMoveTurnLeft = 5,
    kMoveLeap = 6,
    kMoveRise = 7,
    kMoveDive = 8,
    kMoveStop = 9,
};

void StopBothWays(IBase& o) {
    if ((o.ax < 0 && o.vx < 0) || (o.ax > 0 && o.vx > 0)) o.ax = o.vx = 0;
    if ((o.ay < 0 && o.vy < 0) || (o.ay > 0 && o.vy > 0)) o.ay = o.vy = 0;
}

// The world point at the centre of the screen that shows `o`.
double ScreenCentreX(const IBase& o) { return o.Camera().ScreenToWorldX(320, 240); }
double ScreenCentreY(const IBase& o) { return o.Camera().ScreenToWorldY(320, 240); }

// The order of the sweep's bolts across the screen: from the edges inwards, alternating sides.
constexpr double kSweep[8] = {8 / 9.0, 1 / 9.0, 7 / 9.0, 2 / 9.0, 6 / 9.0, 3 / 9.0, 5 / 9.0, 4 / 9.0};

}  // namespace

CDevilBar::CDevilBar(CStage* ownerStage, double px, double py, CLastBoss_Controller* boss)
    : CPatternEnemy(ownerStage, px, py, 0, kHitPoints),
      controller_(boss),
      body_("Char", "Boss012_L",
            {{0, 0, 128, 96},
             {128, 0, 256, 96},
             {128, 128, 256, 224},
             {32, 96, 96, 160},
             {32, 160, 96, 224},
             {0, 224, 32, 256}}),
      flash_("Char", "Boss012_R",
             {{0, 0, 128, 96},
              {128, 0, 256, 96},
              {128, 128, 256, 224},
              {32, 96, 96, 160},
              {32, 160, 96, 224},
              {0, 224, 32, 256}}),
      cloth_("Char", "Boss011_L", {{208, 0, 256, 72}, {0, 64, 96, 160}, {96, 64, 192, 160}}),
      orb_("Object", "Objects004", {{0, 160, 64, 224}}) {
    width = 64.0;
    height = 48.0;
    vy = -400.0;
    ay = 250.0;
    ignoresMap = true;
    removeWhenOffScreen = false;
    sprite = nullptr;
    UpdateCentre();
    SetState(kDevilDrop);
    SetMoveMode(kMoveKeep);
}

CDevilBar::~CDevilBar() = default;

CLastBoss_Controller* CDevilBar::Controller() const {
    return static_cast<CLastBoss_Controller*>(controller_.Get());
}

void CDevilBar::Resize(double w, double h) {
    x += (std::trunc(width) - w) / 2;
    y += (std::trunc(height) - h) / 2;
    width = w;
    height = h;
    UpdateCentre();
}

void CDevilBar::SetState(int s) {
    EnterState(s);
    stepDone[0] = stepDone[1] = false;
    step = 0;
    switch (s) {
        case kDevilDrop:
        case kDevilRest:
            ay = 250.0;
            SetSpeedLimits(*this, 750.0, 750.0);
            break;
        case kDevilGlide: {
            const double tx = ScreenCentreX(*this), ty = ScreenCentreY(*this) - 64.0;
            const double d = GetDistance(centerX, centerY, tx, ty);
            const double a = GetAngle(centerX, centerY, tx, ty);
            vx = 0.5 * d * std::cos(a);
            vy = 0.5 * d * std::sin(a);
            ax = ay = 0;
            maxSpeedUp = maxSpeedDown = std::fabs(vy);
            maxSpeedLeft = maxSpeedRight = std::fabs(vx);
            break;
        }
        case kDevilRoar:
            vx = vy = ax = ay = 0;
            SetSpeedLimits(*this, 0, 0);
            hoverY = y;
            break;
        case kDevilDefeat:
            vx = vy = ax = ay = 0;
            SetSpeedLimits(*this, 0, 0);
            lastboss::BurstChildren(*this);
            break;
        case kDevilCoreDrop:
            vx = vy = ax = 0;
            ay = 750.0;
            SetSpeedLimits(*this, 750.0, 750.0);
            break;
        case kDevilRoll:
            vx = 50.0;
            ax = -25.0;
            ay = 750.0;
            SetSpeedLimits(*this, 750.0, 750.0);
            break;
        default:
            break;
    }
    if (s <= kDevilRoar || s >= kDevilDefeat) SetMoveMode(kMoveKeep);
    if (s <= kDevilGlide)
        Resize(72.0, 72.0);
    else if (s >= kDevilCoreDrop)
        Resize(20.0, 20.0);
    else
        Resize(32.0, 32.0);
    if (s == kDevilRecoil) {
        AttackInfo a;
        a.damage = 10;
        a.power = 800.0;
        a.flags[kAttackSlash] = 1;
        auto ring = std::make_unique<CCollisionDetectionCircle>(this, this, owner, width / 2, height / 2,
                                                                48.0, 30.0, 4.0, kSideEnemy, kAimAtTarget, a);
        guardRing = ObjectHandle(ring.get());
        AddChild(std::move(ring));
        ++guardCount;
    } else if (s == kDevilDarkBall) {
        guardCount = 0;
    }
}

void CDevilBar::SetMoveMode(int m) {
    moveMode = m;
    moveFrames = 0;
    switch (m) {
        case kMoveTurnRight:
        case kMoveTurnLeft:
            ax = -3 * vx;
            ay = -3 * vy;
            break;
        case kMoveDriftLeft:
        case kMoveDriftRight:
            ax = m == kMoveDriftLeft ? -200.0 : 200.0;
            ay = 0;
            SetSpeedLimits(*this, 100.0, 40.0);
            break;
        case kMoveLeap:
            vx = ax = 0;
            vy = -500.0;
            ay = -3000.0;
            SetSpeedLimits(*this, 1500.0, 0);
            break;
        case kMoveRise:
            vx = vy = ax = 0;
            ay = -1500.0;
            SetSpeedLimits(*this, 400.0, 0);
            break;
        case kMoveDive:
            vx = ax = ay = 0;
            vy = 1500.0;
            SetSpeedLimits(*this, 1500.0, 0);
            break;
        case kMoveStop:
            vx = vy = ax = ay = 0;
            SetSpeedLimits(*this, 0, 0);
            break;
        default:
            break;
    }
}

bool CDevilBar::RollGuardChance() {
    if (state >= kDevilLeap && state <= kDevilRise) return false;
    int chance;
    if (hitPoints > 80)
        chance = -10 - 35 * guardCount;
    else if (hitPoints > 30)
        chance = 40 - 35 * guardCount;
    else
        chance = 50 - 30 * guardCount;
    return RandomRange(0, 99) < chance;
}

void CDevilBar::DropThunder(double px) {
    const lastboss::ScreenRect sr = lastboss::GetScreenRect(*this);
    AddChild(std::make_unique<CDarkThunder>(owner, px, std::trunc(sr.top - 1200), false,
                                            static_cast<int>(groundY - 4)));
}

void CDevilBar::UpdateThunderRain() {
    if (hitPoints <= 70 && firstSweepDone) rainCharge += ((70 - hitPoints) * 1.5 + 90.0) * GetFrameTime();
    if (rainCharge <= 210) return;
    rainCharge = RandomRange(0, 30);
    PlaySE(SoundId::kThunder);
    const lastboss::ScreenRect sr = lastboss::GetScreenRect(*this);
    if (RandomRange(0, 99) < 5) {
        const int px = RandomRange(static_cast<int>(sr.left + 64), static_cast<int>(sr.right - 64));
        AddChild(std::make_unique<CUmaibo>(owner, px, std::trunc(sr.top - 40), 0.0, 200.0));
    } else {
        DropThunder(RandomRange(static_cast<int>(sr.left + 64), static_cast<int>(sr.right - 64)));
    }
}

void CDevilBar::ThrowCutters(double dy, double cutterVy) {
    AddChild(std::make_unique<CMoonCutter>(owner, centerX - 48, centerY + dy, -300.0, cutterVy, false, true));
    AddChild(std::make_unique<CMoonCutter>(owner, centerX + 48, centerY + dy, 300.0, cutterVy, false, false));
}

void CDevilBar::ChooseAttack() {
    const int r = RandomRange(0, 99);
    int next;
    if (hitPoints <= 30) {
        if (!firstRainDone) {
            firstRainDone = true;
            next = kDevilBombRain;
        } else if (attackCount >= 2 || r >= 62) {
            attackCount = 0;
            next = kDevilDarkBall;
        } else if (r < 50) {
            ++attackCount;
            next = kDevilBombRain;
        } else if (r < 55) {
            ++attackCount;
            next = kDevilCutters;
        } else {
            ++attackCount;
            next = kDevilSweep;
        }
    } else if (hitPoints <= 70) {
        if (!firstSweepDone) {
            firstSweepDone = true;
            next = kDevilSweep;
        } else if (attackCount >= 2 || r >= 60) {
            attackCount = 0;
            next = kDevilDarkBall;
        } else if (r < 50) {
            ++attackCount;
            next = kDevilCutters;
        } else {
            ++attackCount;
            next = kDevilSweep;
        }
    } else {
        next = kDevilDarkBall;
    }
    SetState(next);
}

void CDevilBar::LandDive() {
    PlaySE(SoundId::kShock2);
    Camera().Shake();
    SetState(kDevilLanded);
    SetMoveMode(kMoveStop);
    // The shock-wave rows belong to the stick-man bosses' shots; they are made through the
    // creator table, so the dive goes on when they are not there.
    CObjectRegistry* registry = &Registry();
    registry->Add(CreateLiveObject("CShockWave", owner, GetLeft() - 16, groundY - 16, {20, 0, 64, false}));
    registry->Add(CreateLiveObject("CShockWave", owner, GetRight(), groundY - 16, {20, 1, 64, false}));
    PlaySE(SoundId::kFire);
    if (IBase* box = stompBox.Get()) RemoveChild(box);
    stompBox.Reset();
}

void CDevilBar::StepState() {
    const double t = stateFrames;
    switch (state) {
        case kDevilDrop:
        case kDevilRest:
        case kDevilGlide:
        case kDevilRoar:
            StepEntrance(t);
            break;
        case kDevilHover:
            StepHover(t);
            break;
        case kDevilRecoil:
            if (t > 30) SetState(kDevilHover);
            break;
        case kDevilDarkBall:
            StepDarkBall(t);
            break;
        case kDevilCutters:
            StepCutters(t);
            break;
        case kDevilSweep:
            StepSweep(t);
            break;
        case kDevilBombRain:
            StepBombRain(t);
            break;
        case kDevilLeap:
        case kDevilDive:
        case kDevilLanded:
        case kDevilRise:
            StepLeapAttack(t);
            break;
        case kDevilDefeat:
        case kDevilCoreDrop:
        case kDevilRoll:
            StepDefeat(t);
            break;
        default:
            break;
    }
}

// The drop in, the rest on the floor, the glide to the screen's middle and the roar.
void CDevilBar::StepEntrance(double t) {
    switch (state) {
        case kDevilDrop:
            ignoresMap = t < 60;
            if (!stepDone[0]) {
                if (t > 8 && onGround) {
                    vy = -400.0;
                    ay = 600.0;
                    PlaySE(SoundId::kItem2);
                    stepDone[0] = true;
                }
            } else if (!stepDone[1]) {
                stepDone[1] = true;
            } else if (onGround) {
                SetState(kDevilRest);
            }
            break;
        case kDevilRest:
            if (!stepDone[0]) {
                stepDone[0] = true;
                groundY = GetPreviousBottom();
            }
            if (t > 80) SetState(kDevilGlide);
            break;
        case kDevilGlide:
            if (t > 120) {
                SetState(kDevilRoar);
                y -= 20;
            }
            break;
        default:  // kDevilRoar
            if (t > 20 && !stepDone[0]) {
                stepDone[0] = true;
                PlaySE(SoundId::kGun3);
            }
            if (t > 190 && !stepDone[1]) {
                stepDone[1] = true;
                PlaySE(SoundId::kThunder);
                Camera().Shake();
            }
            if (t > 260) {
                SetState(kDevilHover);
                SetMoveMode(kMoveDriftLeft);
            }
            break;
    }
}

// Hovering between attacks: the next attack when the wait is over, a leap onto a hero below.
void CDevilBar::StepHover(double t) {
    UpdateThunderRain();
    const double wait = hitPoints > 70 ? 180 : hitPoints > 30 ? 140 : 105;
    if (t > wait) {
        ChooseAttack();
    } else if (leapCooldown > 210 && std::fabs(GetDistanceXToHero()) < 16 && GetHero()) {
        leapCooldown = 0;
        PlaySE(SoundId::kThunder);
        SetState(kDevilLeap);
        SetMoveMode(kMoveLeap);
        if (hitPoints <= 50) {
            PlaySE(SoundId::kIce5);
            ThrowCutters(-20, -100.0);
        }
    }
}

// The dark ball at the hero, sometimes thrown again at once when hurt.
void CDevilBar::StepDarkBall(double t) {
    if (t <= 20) return;
    const int chance = hitPoints <= 30 ? 35 : hitPoints <= 70 ? 20 : 0;
    const double aim = angleToHero;
    const double ballX = centerX, ballY = centerY;
    SetState(RandomRange(0, 99) < chance ? kDevilDarkBall : kDevilHover);
    PlaySE(SoundId::kGun3);
    const double v = (100 - hitPoints) * 1.7 + 220.0;
    AddChild(std::make_unique<CBigDarkBall>(owner, ballX, ballY, v * std::cos(aim), v * std::sin(aim), false,
                                            this));
}

// Two fans of cutters, upwards and then downwards.
void CDevilBar::StepCutters(double t) {
    if (t > 28 && !stepDone[0]) {
        stepDone[0] = true;
        PlaySE(SoundId::kIce5);
        ThrowCutters(-20, -100.0);
    }
    if (t > 35) {
        SetState(kDevilHover);
        ThrowCutters(20, 100.0);
    }
}

// Eight bolts across the screen, one every 12 frames.
void CDevilBar::StepSweep(double t) {
    const lastboss::ScreenRect sr = lastboss::GetScreenRect(*this);
    if (step < 8 && t > 12.0 * (step + 1)) {
        DropThunder(std::trunc(sr.left + kSweep[step] * (sr.right - sr.left)) - 12);
        if (step == 4) PlaySE(SoundId::kThunder);
        ++step;
    } else if (step == 8 && t > 108) {
        SetState(kDevilHover);
        rainCharge = -120.0;
    }
}

// Six lights that turn into bombs, at random points of the screen.
void CDevilBar::StepBombRain(double t) {
    const lastboss::ScreenRect sr = lastboss::GetScreenRect(*this);
    if (step == 0 && t > 7) {
        PlaySE(SoundId::kIce5);
        rainSide = GetDistanceXToHero() < 0 ? 0 : 1;
        ++step;
    } else if (step >= 1 && step <= 6 && t > 7.0 * (step + 1)) {
        const int bx = RandomRange(static_cast<int>(sr.left + 64), static_cast<int>(sr.right - 80));
        const int by = RandomRange(static_cast<int>(sr.top + 64), static_cast<int>(sr.bottom - 80));
        AddChild(std::make_unique<CLightBeforeBomb>(owner, bx, by, rainSide));
        ++step;
    } else if (step == 7 && t > 60) {
        SetState(kDevilHover);
    }
}

// The leap up, the stomping dive, the landing and the rise back to the hover.
void CDevilBar::StepLeapAttack(double t) {
    switch (state) {
        case kDevilLeap:
            if (t > 24 || touchTop) {
                SetState(kDevilDive);
                SetMoveMode(kMoveDive);
                AttackInfo a;
                a.damage = 10;
                a.power = 300.0;
                a.angle = 0.5 * kPi;
                auto box = std::make_unique<CCollisionDetectionRectangle>(
                    this, this, owner, width / 2 - 8, height, 16, 152, CCollisionDetectionBase::kNeverExpires,
                    9999.0, kSideEnemy, kAimKeep, a);
                stompBox = ObjectHandle(box.get());
                AddChild(std::move(box));
            }
            break;
        case kDevilDive:
            if (onGround) {
                LandDive();
            } else if (y > groundY - 48) {
                y = groundY - 48;
                UpdateCentre();
                LandDive();
            }
            break;
        case kDevilLanded:
            if (t > 20) {
                SetState(kDevilRise);
                SetMoveMode(kMoveRise);
            }
            break;
        default:  // kDevilRise
            if (hoverY > y || touchTop) {
                SetState(kDevilHover);
                SetMoveMode(RandomRange(0, 99) < 50 ? kMoveDriftLeft : kMoveDriftRight);
            }
            break;
    }
}

// The defeat: bursts all over the body, the core drops and rolls, and the fight ends.
void CDevilBar::StepDefeat(double t) {
    switch (state) {
        case kDevilDefeat:
            SetMoveMode(kMoveKeep);
            if (t > 420) {
                SetState(kDevilCoreDrop);
                PlaySE(SoundId::kDark);
            }
            lastboss::ExplodeNowAndThen(*this, &explosionFrames);
            break;
        case kDevilCoreDrop:
            if (onGround) SetState(kDevilRoll);
            break;
        default:  // kDevilRoll
            BrakeStop();
            rollAngle += GetFrameTime() * vx * 0.038;
            if (t > 270 && !IsDead())
                if (CLastBoss_Controller* boss = Controller()) boss->FinishFight();
            break;
    }
}

void CDevilBar::StepMoveMode() {
    switch (moveMode) {
        case kMoveDriftLeft:
        case kMoveDriftRight: {
            bobPhase += FramesThisFrame();
            vy = 2 * (hoverY + 32 * std::sin(0.1 * bobPhase) - y);
            ay = 0;
            const double sx = ScreenCentreX(*this);
            if (moveMode == kMoveDriftLeft && (centerX < sx - 256 || touchLeft))
                SetMoveMode(kMoveTurnRight);
            else if (moveMode == kMoveDriftRight && (centerX > sx + 256 || touchRight))
                SetMoveMode(kMoveTurnLeft);
            break;
        }
        case kMoveTurnRight:
        case kMoveTurnLeft:
            StopBothWays(*this);
            if (moveFrames > 20) SetMoveMode(moveMode == kMoveTurnRight ? kMoveDriftRight : kMoveDriftLeft);
            break;
        default:
            break;
    }
}

void CDevilBar::Act() {
    BeginFrame();
    IBase::Move();
    angleToHero = GetHero() ? GetAngleToHero() : 0.0;
    StepState();
    StepMoveMode();
    const double f = FramesThisFrame();
    AdvanceStateClock();
    moveFrames += f;
    leapCooldown += f;
    blinkFrames = std::max(0.0, blinkFrames - f);
    EndFrame();
}

int CDevilBar::ReceiveAttack(AttackInfo attack) {
    if (state <= kDevilRoar || state >= kDevilDefeat) return kHitImmune;
    if (attack.flags[kAttackRedBurst]) return kHitNoEffect;
    if (!attack.extra || state == kDevilRecoil) {
        PlaySE(SoundId::kGuard1);
        return kHitGuarded;
    }
    if (RollGuardChance()) {
        PlaySE(SoundId::kGuard2);
        SetState(kDevilRecoil);
        return kHitImmune;
    }
    hitPoints -= attack.damage;
    guardCount = 0;
    PlaySE(SoundId::kDamage);
    IPlaySceneServices* scene = GetSceneServices(owner);
    if (hitPoints > 0) {
        blinkFrames = 60.0;
        if (hitPoints == 30 && scene) scene->BeginScreenFade(160, 60, 0);
        return kHitHurt;
    }
    if (scene) {
        scene->EndScreenFade();
        scene->StopMusicAfterBoss();
        scene->ResetHeroLongTimer();
    }
    SetState(kDevilDefeat);
    return kHitDefeated;
}

void CDevilBar::DrawCore(bool wobble, double scale, double alpha) const {
    double px = centerX, py = centerY;
    if (state >= kDevilLeap && state <= kDevilLanded) {
        py += 2;
    } else if (wobble) {
        px += 2 * std::cos(angleToHero);
        py += 2 * std::sin(angleToHero);
    }
    lastboss::PutSprite(body_[5], px, py, 0.002, alpha, state == kDevilRoll ? rollAngle : 0.0, scale);
}

void CDevilBar::Draw() {
    const double t = stateFrames;
    const auto put = lastboss::PutSprite;
    switch (state) {
        case kDevilDrop:
            put(cloth_[0], centerX, centerY, 0.002, 1.0, 0.7 * t, 1.0);
            return;
        case kDevilRest:
        case kDevilGlide:
            put(cloth_[0], centerX, centerY, 0.002, 1.0, 0.0, 1.0);
            return;
        case kDevilCoreDrop:
            DrawCore(false, 1.0, 1.0);
            return;
        case kDevilRoll:
            DrawCore(false, 1.0, t < 90 ? 1.0 : t < 180 ? 1 - (t - 90) / 90 : 0.0);
            return;
        default:
            break;
    }
    double bodyAlpha = 1.0, flashAlpha = 0.0, s = 1.0, orbScale = 0.0;
    int pose = 0;
    bool wobble = true, guardFlash = false;
    if (state >= kDevilHover && state <= kDevilRise && blinkFrames > 0)
        flashAlpha = std::fabs(std::sin(blinkFrames)) * blinkFrames / 60.0;
    switch (state) {
        case kDevilRoar:
            wobble = false;
            if (t < 20) {
                flashAlpha = 0.05 * t, s = 0.333;
            } else if (t < 80) {
                flashAlpha = 1, s = std::pow((t - 20) / 60, 2) * 0.666 + 0.333;
            } else if (t < 140) {
                flashAlpha = 1 - (t - 80) / 60;
            } else if (t < 160) {
            } else if (t < 190) {
                pose = 1;
            } else if (t < 240) {
                pose = 2;
                flashAlpha = std::fabs(std::sin(t)) * (1 - (t - 190) * 0.02);
            }
            break;
        case kDevilRecoil:
            pose = 1;
            guardFlash = static_cast<int>(t) % 4 < 2;
            break;
        case kDevilDarkBall:
            orbScale = 2 - 0.05 * t;
            break;
        case kDevilCutters:
        case kDevilSweep:
        case kDevilBombRain:
        case kDevilLeap:
        case kDevilDive:
        case kDevilLanded:
            pose = 2;
            break;
        case kDevilRise:
            pose = 1;
            break;
        case kDevilDefeat:
            wobble = false;
            bodyAlpha = t < 420 ? 1 - t / 420 : 0.0;
            flashAlpha = static_cast<int>(t) % 4 < 2 ? bodyAlpha : 0.0;
            break;
        default:
            break;
    }
    DrawCore(wobble, s, 1.0);
    for (int layer = 0; layer < 2; ++layer) {
        const CSpriteSheet& sheet = layer == 0 ? body_ : flash_;
        const double z = layer == 0 ? 0.0019 : 0.0018;
        const double alpha = layer == 0 ? bodyAlpha : flashAlpha;
        put(sheet[pose], centerX, centerY, z, alpha, 0, s);
        put(sheet[3], centerX, centerY + 80 * s - 1, z, alpha, 0, s);
        put(sheet[4], centerX, centerY + 144 * s - 2, z, alpha, 0, s);
    }
    if (guardFlash) {
        put(cloth_[1], centerX, centerY, -0.004, 0.85, 0, 1);
        put(cloth_[2], centerX, centerY, -0.0039, 0.4, 0, 1);
    }
    if (orbScale > 0) put(orb_[0], centerX, centerY, -0.004, 0.8 - (orbScale - 1) * 0.7, 0, orbScale);
}
