#include "enemies/SkyMobile001.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "enemies/EnemyShotHelpers.h"
#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"
#include "play/HitEffect.h"

namespace {

const std::vector<SpriteCell> kFrames = {
    {0, 128, 104, 192}, {104, 128, 208, 192}, {0, 192, 104, 256}, {104, 192, 208, 256}};

}  // namespace

CSkyMobile001::CSkyMobile001(CStage* ownerStage, double px, double py, int facingIn)
    : CPatternEnemy(ownerStage, px, py, facingIn, kHitPoints),
      homeX(px),
      homeY(py),
      left_("Char", "Enemy008_L", kFrames),
      right_("Char", "Enemy008_R", kFrames) {
    width = 104.0;
    height = 36.0;
    removeWhenOffScreen = false;
    auto zone = std::make_unique<CSkyMobileChild001>(ownerStage, 0.0, 0.0, this);
    child_ = zone.get();
    AddChild(std::move(zone));
    // It first backs away from the hero it faces, climbing.
    if (facing == 0) {
        SetFacing(0);
        SetState(kDashRightStart);
        ax = 230.0;
    } else {
        SetFacing(1);
        SetState(kDashLeftStart);
        ax = -230.0;
    }
    ay = -210.0;
}

CSkyMobile001::~CSkyMobile001() = default;

CSkyMobileChild001* CSkyMobile001::GetChild() const {
    return dynamic_cast<CSkyMobileChild001*>(child_.Get());
}

void CSkyMobile001::SetFacing(int f) {
    facing = f == 1 ? 1 : 0;
    IBase* zone = child_.Get();
    if (!zone || IsDead()) return;
    zone->parentOffsetX = facing == 0 ? 64.0 : 24.0;
    zone->parentOffsetY = -20.0;
}

void CSkyMobile001::SetState(int s) {
    EnterState(s);
    decisionFrames = 0;
    shotsFired = 0;
    maxSpeedLeft = maxSpeedRight = 400.0;
    if (s == kHover || s == kFalling) {
        maxSpeedUp = maxSpeedDown = 30.0;
    } else {
        maxSpeedUp = 60.0;
        maxSpeedDown = 80.0;
    }
    stopOnTouchTop = stopOnTouchBottom = true;
    stopOnTouchLeft = !(s == kDashLeftStart || s == kDashLeft);
    stopOnTouchRight = !(s == kDashRightStart || s == kDashRight);
}

void CSkyMobile001::BackToCruising() {
    SetState(kHover);
    ay = y >= homeY ? -80.0 : 80.0;
}

// toward 1 dashes right, 0 left.
void CSkyMobile001::Dash(int toward, double push, double rise) {
    SetFacing(toward);
    SetState(toward == 1 ? kDashRightStart : kDashLeftStart);
    ax = toward == 1 ? push : -push;
    ay = rise;
}

CSkyMobile001::Attack CSkyMobile001::ChooseAttack() const {
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    const int r = RandomRange(0, 99);
    if (dy < -48.0) return r < 25 ? kAttackShotBurst : kAttackPatriot;
    if (std::fabs(dx) >= 48.0) return r < 40 ? kAttackShotBurst : (r < 70 ? kAttackMissiles : kAttackPatriot);
    return r < 25 ? kAttackShotBurst : (r < 85 ? kAttackMissiles : kAttackPatriot);
}

void CSkyMobile001::Decide() {
    if (!HasHero()) return;  // nobody to chase or shoot at: it keeps cruising
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    if (dx > 280.0 && x < homeX + 1280.0) {
        Dash(1, 230.0, -210.0);
    } else if (dx < -280.0 && x > homeX - 1280.0) {
        Dash(0, 230.0, -210.0);
    } else if (dx * dx + dy * dy >= 16384.0) {
        if (RandomRange(0, 9) == 0) {
            Dash(dx >= 0 ? 1 : 0, 230.0, -180.0);
            return;
        }
        const Attack attack = ChooseAttack();
        if (attack == kAttackPatriot) {
            LaunchPatriot();
            PlaySE(SoundId::kShock5B);
            decisionFrames -= 80.0;
            return;
        }
        SetFacing(dx >= 0 ? 1 : 0);
        ay = -2.0 * vy;
        SetState(attack == kAttackShotBurst ? kShotBurst : kMissiles);
    } else {
        Dash(dx >= 0 ? 0 : 1, 280.0, -180.0);  // too close: back away
    }
}

void CSkyMobile001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    const double dt60 = GetFrameTime() * 60.0;
    switch (state) {
        case kHover:
            BrakeStop();
            if (y < homeY - 8.0 && ay < 0)
                ay = 80.0;
            else if (y > homeY + 8.0 && ay > 0)
                ay = -80.0;
            decisionFrames += dt60;
            if (decisionFrames > 40.0) {
                decisionFrames = 0.0;
                Decide();
            }
            break;
        case kDashLeftStart:
        case kDashRightStart: {
            const bool left = state == kDashLeftStart;
            if (left ? (touchLeft && vx < 0) : (touchRight && vx > 0)) vx = -vx;
            if (f > 30.0) {
                SetState(left ? kDashLeft : kDashRight);
                ax = left ? -600.0 : 600.0;
                ay = 120.0;
            }
            break;
        }
        case kDashLeft:
        case kDashRight: {
            const bool left = state == kDashLeft;
            if (left ? (touchLeft && vx < 0) : (touchRight && vx > 0)) vx = -vx;
            if (vy > 0) vy = ay = 0.0;
            const double dx = GetDistanceXToHero();
            if (HasHero() && (left ? dx > 88.0 : dx < -88.0)) {
                SetFacing(left ? 1 : 0);
                SetState(left ? kBrakeLeft : kBrakeRight);
                ax = left ? 900.0 : -900.0;
                ay = 300.0;
            }
            break;
        }
        case kBrakeLeft:
        case kBrakeRight:
            BrakeStop();
            if (y > homeY || touchBottom) {
                SetState(kHover);
                ay = -80.0;
                homeY = y;
            }
            break;
        case kShotBurst:
            BrakeStopBoth(*this);
            if (f <= 110.0) {
                if (shotsFired < 8 && f > 30.0 + 5.0 * shotsFired) {
                    if (shotsFired == 0) PlaySE(SoundId::kGun1);
                    FireShot();
                }
            } else if (RandomRange(0, 7) == 0) {
                SetState(kShotBurst);
            } else {
                BackToCruising();
            }
            break;
        case kMissiles:
            BrakeStopBoth(*this);
            if (f <= 120.0) {
                if (shotsFired < 4 && f > 30.0 + 15.0 * shotsFired) {
                    PlaySE(SoundId::kFall1B);
                    DropMissile();
                }
            } else {
                BackToCruising();
            }
            break;
        case kFalling:
            BrakeStop();
            ay = 120.0;
            burstFrames += dt60;
            if (burstFrames > 14.0) {
                burstFrames = 0.0;
                const int by = RandomRange(static_cast<int>(GetTop()), static_cast<int>(GetBottom()));
                const int bx = RandomRange(static_cast<int>(GetLeft()), static_cast<int>(GetRight()));
                CreateEffect(kEffectBurstRed, bx, by, owner);
                PlaySE(SoundId::kBomb2);
            }
            if (f > 150.0) Kill();
            break;
        default:
            break;
    }
    AdvanceStateClock();
    flashFrames = std::max(0.0, flashFrames - dt60);
    if (GetScreenDistance() > kLeaveDistance) Kill();
    EndFrame();
}

void CSkyMobile001::FireShot() {
    const int k = shotsFired;
    const double a = (0.4 - 0.065 * k) * std::numbers::pi;
    EnemyShotLaunch shot;
    shot.owner = owner;
    shot.x = facing == 1 ? x + width : x;
    shot.y = y + 24.0;
    shot.vx = (facing == 1 ? 250.0 : -250.0) * std::cos(a);
    shot.vy = 250.0 * std::sin(a);
    CreateEffect(kEffectBrunt, static_cast<int>(shot.x), static_cast<int>(shot.y), owner);
    LaunchEnemyShot(EnemyShotKind::kNormalShot, shot);
    ++shotsFired;
}

void CSkyMobile001::DropMissile() {
    EnemyShotLaunch missile;
    missile.owner = owner;
    missile.x = x + width * 0.5 - 16.0;
    missile.y = y + height;
    missile.vy = RandomRange(10, 20);
    missile.vx = RandomRange(-4, 4);
    missile.direction = facing;
    LaunchEnemyShot(EnemyShotKind::kMissilry, missile);
    ++shotsFired;
}

void CSkyMobile001::LaunchPatriot() {
    // From the back edge, up and backwards; it steers itself from there.
    EnemyShotLaunch patriot;
    patriot.owner = owner;
    patriot.x = facing == 0 ? x + width : x;
    patriot.y = y;
    patriot.vx = facing == 0 ? 100.0 : -100.0;
    patriot.vy = -100.0;
    LaunchEnemyShot(EnemyShotKind::kPatriot, patriot);
}

void CSkyMobile001::Defeat() {
    SetState(kFalling);
    ax = -2.0 * vx;
    ay = 120.0;
    burstFrames = 100.0;  // the first burst comes at once
    if (IBase* zone = child_.Get()) RemoveChild(zone);
    child_.Reset();
    ClearSpawnFlag();
    CreateEffect(kEffectCrash, static_cast<int>(x) + (facing == 1 ? 32 : 72), static_cast<int>(y) - 10,
                 owner);
}

int CSkyMobile001::Collide(IBase* other) {
    if (IsDead() || state == kFalling) return kHitImmune;
    return DeliverContactAttack(other);
}

int CSkyMobile001::ReceiveAttack(AttackInfo info) {
    if (IsDead() || state == kFalling) return kHitImmune;
    hitPoints -= info.damage;
    if (hitPoints > 0) {
        flashFrames = 24.0;
        PlaySE(SoundId::kDamage);
        return kHitHurt;
    }
    Defeat();
    return kHitDefeated;
}

void CSkyMobile001::Draw() {
    const CSpriteSheet& sheet = facing == 1 ? right_ : left_;
    if (state == kFalling) {
        sprite = sheet[static_cast<int>(stateFrames) % 4 < 2 ? 0 : 2];
        if (sprite) sprite->SetAlpha(static_cast<float>(1.0 - stateFrames / 150.0));
    } else {
        sprite = sheet[flashFrames > 0 && static_cast<int>(flashFrames) % 4 >= 2 ? 3 : 1];
    }
    imageX = centerX;
    imageY = centerY - 14.0;
    DrawSprite();
}

// ---- The hit zone ----

CSkyMobileChild001::CSkyMobileChild001(CStage* ownerStage, double dx, double dy, CSkyMobile001* machine)
    : IEnemy(ownerStage, dx, dy, machine), machine_(machine) {
    attachedToParent = true;
    ignoresMap = true;
    width = 16.0;
    height = 20.0;
    category = kCategoryFlyer;
}

int CSkyMobileChild001::ReceiveAttack(AttackInfo info) {
    IBase* machine = machine_.Get();
    return machine ? machine->ReceiveAttack(info) : kHitImmune;
}

void CSkyMobileChild001::DrawDebug() { DrawDebugBox(*this); }
