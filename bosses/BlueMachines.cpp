#include "bosses/BlueMachines.h"

#include <cmath>
#include <memory>

#include "bosses/BossThrows.h"
#include "enemies/EnemyShots.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/CommonShots.h"
#include "play/EffectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

// The brake stop on both axes: an acceleration that has carried its velocity through zero stops.
void BrakeStopBoth(IBase& o) {
    if ((o.ax < 0 && o.vx < 0) || (o.ax > 0 && o.vx > 0)) o.vx = o.ax = 0;
    if ((o.ay < 0 && o.vy < 0) || (o.ay > 0 && o.vy > 0)) o.vy = o.ay = 0;
}

// A machine's end of its own: a blue burst at the middle of its box.
void Burst(IBase& o) {
    CreateEffect(kEffectBurstBlue, std::trunc((o.GetLeft() + o.GetRight()) / 2.0),
                 std::trunc((o.GetTop() + o.GetBottom()) / 2.0), o.owner);
    PlaySE(SoundId::kBomb2);
    o.Kill();
}

// A wall-passing enemy shot from (sx, sy) along angle a.
void FireAimed(const IBase& from, double sx, double sy, double a, double speed = 150.0) {
    from.Registry().Add(std::make_unique<CWallThroughNormalShot>(from.owner, sx, sy, speed * std::cos(a),
                                                                 speed * std::sin(a), false));
    PlaySE(SoundId::kGun5);
}

double PreviousMidX(const IBase& o) { return (o.GetPreviousLeft() + o.GetPreviousRight()) / 2.0; }
double PreviousMidY(const IBase& o) { return (o.GetPreviousTop() + o.GetPreviousBottom()) / 2.0; }

// The two short flashes of a machine about to fire, in frames of its state.
bool InFireFlash(double frames) { return (10 < frames && frames <= 15) || (20 < frames && frames <= 25); }

// The flyer's and the gunner's answer to any blow: beaten.
int Beaten(CPatternEnemy& m, const AttackInfo& attack) {
    if (m.isDefeated) return kHitImmune;
    m.StartDefeatBlow(attack, kEffectEnemyDeath);
    return kHitDefeated;
}

// A round machine thrown through the air, which passes through the map.
void Thrown(IBase& o, double radius, double vx, double vy) {
    MakeRoundShape(o, radius);
    o.category = kCategoryFlyer;
    o.ignoresMap = true;
    o.vx = vx;
    o.vy = vy;
}

bool PushedTheHero(int r) { return r == kHitBounced || r == kHitPushed; }

}  // namespace

// ---- CBlueMachine001 ----

CBlueMachine001::CBlueMachine001(CStage* ownerStage, double px, double py, double velocityX, double velocityY)
    : CPatternEnemy(ownerStage, px, py, 0, 1),
      images_("Char", "Enemy009_L", {{0, 160, 40, 200}, {40, 160, 80, 200}, {80, 160, 120, 200}}) {
    width = 24;
    height = 20;
    vx = velocityX;
    vy = velocityY;
    SetState(kHop);
}

void CBlueMachine001::SetState(int s) {
    EnterState(s);
    maxSpeedUp = maxSpeedDown = 700;
    maxSpeedLeft = maxSpeedRight = 140;
    if (s == kRest || s == kAim || s == kAfterShot) {
        ax = vx < 0 ? 2500 : -2500;  // braking
        ay = 800;
    } else if (s == kHop) {
        ax = vx >= 0 ? 200 : -200;
        ay = 800;
    }
}

void CBlueMachine001::Hop() {
    const int r = RandomRange(0, 99);
    const double toward = GetDistanceXToHero() >= 0 ? 1.0 : -1.0;
    vx = 140.0 * (r < 75 ? toward : -toward);
    vy = -450.0;
    PlaySE(SoundId::kJump3);
    SetState(kHop);
}

void CBlueMachine001::Act() {
    BeginFrame();
    IBase::Move();
    switch (state) {
        case kRest:
            BrakeStop();
            if (age > 1500) {
                Burst(*this);
            } else if (!onGround || stateFrames > 40) {
                Hop();
            }
            break;
        case kHop:
            if (onGround && stateFrames > 8) SetState(RandomRange(0, 99) < 50 ? kRest : kAim);
            break;
        case kKnocked:
            if (stateFrames <= 40)
                BrakeStop();
            else
                SetState(onGround ? kRest : kHop);
            break;
        case kAim:
            BrakeStop();
            if (!onGround) {
                Hop();
            } else if (stateFrames > 30) {
                // From the muzzle on top, where the machine stood at the start of the frame.
                const double sx = PreviousMidX(*this), sy = GetPreviousTop() + 8.0;
                const IBase* hero = GetHero();
                const double a = hero ? GetAngle(sx, sy, hero->centerX, hero->centerY) : 0.0;
                FireAimed(*this, sx, sy, a);
                SetState(kAfterShot);
            }
            break;
        case kAfterShot:
            BrakeStop();
            if (!onGround || stateFrames > 45) Hop();
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

void CBlueMachine001::Draw() {
    if (state == kAim && InFireFlash(stateFrames))
        sprite = images_[2];
    else
        sprite = images_[state == kHop || state == kKnocked ? 1 : 0];
    imageX = centerX;
    imageY = centerY - 2.0;
    DrawSprite();
}

int CBlueMachine001::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (!isBlown && PushedTheHero(r)) {
        SetState(kKnocked);
        RecoilFrom(other, 200.0, 900.0, 300.0);
    }
    return r;
}

int CBlueMachine001::ReceiveAttack(AttackInfo attack) { return Beaten(*this, attack); }

// ---- CBlueMachine002 ----

CBlueMachine002::CBlueMachine002(CStage* ownerStage, double px, double py, double velocityX, double velocityY)
    : CPatternEnemy(ownerStage, px, py, 0, 1),
      images_("Char", "Enemy010",
              {{120, 160, 152, 192},
               {152, 160, 184, 192},
               {184, 160, 216, 192},
               {216, 160, 248, 192},
               {120, 192, 152, 224},
               {152, 192, 184, 224},
               {184, 192, 216, 224},
               {216, 192, 248, 224},
               {96, 128, 128, 160},
               {64, 160, 96, 192}}) {
    Thrown(*this, 12.0, velocityX, velocityY);
    angleToHero = GetAngleToHero();
    heading = GetAngle(0, 0, velocityX, velocityY);
    speed = std::sqrt(velocityX * velocityX + velocityY * velocityY);
    SetState(kCruise);
}

void CBlueMachine002::SetState(int s) {
    EnterState(s);
    if (s == kCruise) {
        stateFrames += RandomRange(-30, 30);
    } else if (s == kKnocked) {
        maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 300;
        speed = 0;
    }
}

void CBlueMachine002::Act() {
    BeginFrame();
    IBase::Move();
    angleToHero = GetAngleToHero();
    if (state != kKnocked) {
        if (GetHero()) TurnToward(angleToHero, GetFrameTime() * kPi / 4.0, &heading);
        SteerAlong(*this, heading, speed);
    }
    switch (state) {
        case kCruise:
            speed = std::min(120.0, speed + GetFrameTime() * 100.0);
            if (age > 1500)
                Burst(*this);
            else if (stateFrames > 120)
                SetState(kBrakeAndFire);
            break;
        case kKnocked:
            BrakeStopBoth(*this);
            if (stateFrames > 50) SetState(kCruise);
            break;
        case kBrakeAndFire:
            speed = std::max(0.0, speed - GetFrameTime() * 300.0);
            if (stateFrames > 30) {
                // Off the screen it holds its fire but still pauses.
                if (GetScreenDistanceSelf() < 8.0)
                    FireAimed(*this, PreviousMidX(*this), PreviousMidY(*this), angleToHero);
                SetState(kPause);
            }
            break;
        case kPause:
            speed = 0;
            if (stateFrames > 20) SetState(kCruise);
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

void CBlueMachine002::Draw() {
    constexpr int kFlash = 8, kBlink = 9;
    int cell;
    if (isBlown || (state == kKnocked && stateFrames < 30 && static_cast<int>(stateFrames) % 4 < 2)) {
        cell = kBlink;
    } else if (state == kBrakeAndFire && InFireFlash(stateFrames)) {
        cell = kFlash;
    } else {
        // The cannon points at the hero: eight directions, up first, clockwise.
        const double c = std::cos(angleToHero), s = std::sin(angleToHero);
        if (c < -0.55)
            cell = s < -0.55 ? 7 : (s < 0.55 ? 6 : 5);
        else if (c < 0.55)
            cell = s >= 0 ? 4 : 0;
        else
            cell = s < -0.55 ? 1 : (s < 0.55 ? 2 : 3);
    }
    sprite = images_[cell];
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

int CBlueMachine002::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (!isBlown && PushedTheHero(r)) {
        SetState(kKnocked);
        const double a = GetAngle(other->centerX, other->centerY, centerX, centerY);
        vx = 300.0 * std::cos(a);
        vy = 300.0 * std::sin(a);
        ax = -800.0 * std::cos(a);
        ay = -800.0 * std::sin(a);
    }
    return r;
}

int CBlueMachine002::ReceiveAttack(AttackInfo attack) { return Beaten(*this, attack); }

// ---- CBlueMachine003 ----

CBlueMachine003::CBlueMachine003(CStage* ownerStage, double px, double py, double velocityX, double velocityY)
    : CPatternEnemy(ownerStage, px, py, 0, 1), images_("Char", "Enemy009_L", {{0, 200, 40, 240}}) {
    Thrown(*this, 12.0, velocityX, velocityY);
    ax = -velocityX;  // the throw dies away in one second
    ay = -velocityY;
    angle = RandomRange(0, 7) * kPi / 4.0;
    turnClockwise = RandomRange(0, 1) == 0;
    sprite = images_[0];
}

void CBlueMachine003::Act() {
    BeginFrame();
    IBase::Move();
    if (age > 960) {
        Burst(*this);
    } else if (turnFrames <= 60) {
        if (shotFrames > 34) {
            shotFrames = 0;
            FireAimed(*this, PreviousMidX(*this) + 24.0 * std::cos(angle),
                      PreviousMidY(*this) + 24.0 * std::sin(angle), angle, 160.0);
        }
    } else {
        turnFrames = shotFrames = 0;
        angle += turnClockwise ? kPi / 4.0 : -kPi / 4.0;
    }
    BrakeStopBoth(*this);
    turnFrames += FramesThisFrame();
    shotFrames += FramesThisFrame();
    EndFrame();
}

void CBlueMachine003::Draw() {
    if (sprite) sprite->angleZ = static_cast<float>(angle);
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

// ---- CBlueMachine004 ----

CBlueMachine004::CBlueMachine004(CStage* ownerStage, double px, double py, double velocityX, double velocityY)
    : IBase(ownerStage, px, py),
      body_("Char", "Enemy009_L", {{40, 200, 72, 232}}),
      flash_("Object", "Objects003", {{160, 64, 192, 96}}) {
    Thrown(*this, 16.0, velocityX, velocityY);
    ax = -velocityX;
    ay = -velocityY;
    depth = 0.003;
    drawPriority = 20;
    sprite = body_[0];
}

CBlueMachine004::~CBlueMachine004() { sprite = nullptr; }

void CBlueMachine004::Update() {
    BeginFrame();
    IBase::Move();
    if (lit) {
        fuse -= FramesThisFrame();
        if (fuse <= 0) Explode();
    } else {
        const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
        const bool heroNear = GetHero() && dx * dx + dy * dy < 6400.0;
        if ((heroNear && age > 60) || age > 600) lit = true;
    }
    BrakeStopBoth(*this);
    EndFrame();
}

void CBlueMachine004::Explode() { BurstRed(*this, 48); }

void CBlueMachine004::Draw() {
    sprite = lit && static_cast<int>(fuse) % 4 >= 2 ? flash_[0] : body_[0];
    imageX = centerX;
    imageY = centerY + 2.0 * std::sin(age * 0.05);  // a slow bob
    DrawSprite();
}

int CBlueMachine004::Collide(IBase* other) {
    if (IsDead()) return kHitImmune;
    AttackInfo cut;
    cut.damage = 10;
    cut.power = 200.0;
    cut.angle = centerX < other->centerX ? -kPi / 4.0 : -3.0 * kPi / 4.0;
    cut.flags[kAttackSlash] = 1;
    const int r = other->ReceiveAttack(cut);
    if (r == kHitDefeated || r == kHitHurt) {
        double px, py;
        ContactPoint(*this, *other, &px, &py);
        const int ex = static_cast<int>(px) + RandomRange(-2, 2);
        const int ey = static_cast<int>(py) + RandomRange(-2, 2);
        CreateEffect(kEffectSlash, ex, ey, owner);
        PlaySE(SoundId::kAttack10);
    }
    return r;
}

int CBlueMachine004::ReceiveAttack(AttackInfo attack) {
    if (attack.flags[kAttackRedBurst]) {
        Explode();
        return kHitDefeated;
    }
    return kHitNoEffect;
}
