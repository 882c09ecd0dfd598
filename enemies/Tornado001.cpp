#include "enemies/Tornado001.h"

#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SpriteManager.h"

namespace {

const std::vector<SpriteCell> kTornadoCells = {
    {128, 32, 160, 64}, {160, 32, 192, 64}, {192, 32, 224, 64}, {224, 32, 256, 64}};

}  // namespace

CTornado001::CTornado001(CStage* ownerStage, double px, double py, int facingIn, int axis)
    : CPatternEnemy(ownerStage, px, py, facingIn, 0),
      swayAxis(axis),
      left_("Char", "Enemy006_L", kTornadoCells),
      right_("Char", "Enemy006_R", kTornadoCells) {
    category = kCategoryFlyer;
    width = height = 32.0;
    vx = vy = ax = ay = 0.0;
    ignoresMap = true;
    removeWhenOffScreen = false;
}

CTornado001::~CTornado001() = default;

void CTornado001::Act() {
    BeginFrame();
    const double offset = std::sin(age * kSwayPerFrame) * kSwayReach;
    x = startX + (swayAxis == 0 ? offset : 0.0);
    y = startY + (swayAxis == 0 ? 0.0 : offset);
    facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
    EndFrame();
}

void CTornado001::Draw() {
    int n = static_cast<int>(age) % 16;
    if (n < 0) n += 16;
    sprite = (facing == 1 ? right_ : left_)[n / 4];
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

int CTornado001::Collide(IBase* other) { return ThrowUpAndAway(this, other, 10, 400.0, kAttackSlash); }
