#include "enemies/OtoBall001.h"

#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/HeroVitals.h"

COtoBall001::COtoBall001(CStage* ownerStage, double px, double py, int facingIn)
    : IEnemy(ownerStage, px, py),
      facing(facingIn == 1 ? 1 : 0),
      sheet_("Char", "Enemy006_L",
             {{0, 216, 40, 256},
              {40, 216, 80, 256},
              {80, 216, 120, 256},
              {120, 216, 160, 256},
              {160, 216, 200, 256},
              {200, 216, 240, 256}}) {
    shapeType = kShapeCircle;
    radius = 20.0;
    vx = facing == 1 ? 80.0 : -80.0;
    vy = 300.0;
    ax = 0.0;
    ay = 500.0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 700.0;
    colour = RandomRange(0, 4);
    // The map pushes the ball out of walls but leaves its speed, which Act turns round.
    stopOnTouchTop = stopOnTouchBottom = stopOnTouchLeft = stopOnTouchRight = false;
    category = kCategoryMusicBall;
}

COtoBall001::~COtoBall001() = default;

void COtoBall001::Bounce() {
    colour = RandomRange(0, 4);
    PlaySE(SoundId::kBall1 + colour);
    wobbleFrames = kWobbleFrames;
}

void COtoBall001::Act() {
    BeginFrame();
    Move();
    if ((touchTop && vy < 0) || (touchBottom && vy > 0)) {
        vy *= -kKeep;
        if (std::fabs(vy) > kNoteSpeedY) Bounce();
    }
    if ((touchLeft && vx < 0) || (touchRight && vx > 0)) {
        vx *= -kKeep;
        if (std::fabs(vx) > kNoteSpeedX) Bounce();
    }
    spin += GetFrameTime() * vx * 0.038;
    wobbleFrames -= GetFrameTime() * 60.0;
    if (wobbleFrames < 0.0) wobbleFrames = 0.0;
    EndFrame();
}

void COtoBall001::PushAwayFrom(const IBase* other) {
    const double a = GetAngle(other->centerX, other->centerY, centerX, centerY);
    vx = kPushSpeed * std::cos(a);
    vy = kPushSpeed * std::sin(a);
}

int COtoBall001::Collide(IBase* other) {
    // The hero is the player's object itself (only it has the hero's vitals), not whatever shares
    // its category.
    if (!dynamic_cast<const IHeroVitals*>(other)) {
        PushAwayFrom(other);
        Bounce();
        return kHitNoEffect;
    }
    const int r = DeliverContactAttack(other);
    if (r == kHitBounced) {
        if (vy < 300.0) vy = 300.0;
        Bounce();
    } else if (r == kHitPushed) {
        PushAwayFrom(other);
        Bounce();
    }
    return r;
}

int COtoBall001::ReceiveAttack(AttackInfo info) {
    Bounce();
    const double a = LaunchAngle(info);
    vx = kHitSpeed * std::cos(a);
    vy = kHitSpeed * std::sin(a);
    return kHitHurt;
}

void COtoBall001::Draw() {
    imageX = centerX;
    imageY = centerY;
    double w = 1.0;
    if (wobbleFrames > 0) w = 1.0 + std::sin(wobbleFrames * 0.4) * wobbleFrames * 0.0044;
    const int disc = 1 + (colour >= 0 && colour <= 3 ? colour : 4);
    // The ball, then its turning disc just in front of it; both wobble alike.
    const double ownDepth = depth;
    for (int layer : {0, disc}) {
        sprite = sheet_[layer];
        if (!sprite) continue;
        sprite->scaleX = static_cast<float>(w);
        sprite->scaleY = static_cast<float>(1.0 / w);
        sprite->angleZ = layer == 0 ? 0.0f : static_cast<float>(spin);
        depth = layer == 0 ? 0.0019 : 0.0018;
        DrawSprite();
    }
    depth = ownDepth;
    sprite = nullptr;
}
