#include "enemies/GroundEnemy.h"

#include <cmath>

#include "engine/SpriteManager.h"

bool CGroundEnemy::IsHeroAhead(double reach, double above, double below) const {
    if (!HasHero()) return false;
    const double ahead = GetDistanceXToHero() * FacingSign(), dy = GetDistanceYToHero();
    return ahead >= 0 && ahead <= reach && -above <= dy && dy <= below && IsHeroInSight();
}

int CGroundEnemy::ContactAndReact(IBase* other, int stompState, double minFall, int recoilState,
                                  double gravity) {
    const int r = DeliverContactAttack(other);
    if (isBlown) return r;
    if (r == kHitBounced) {
        SetState(stompState);
        if (vy < minFall) vy = minFall;
    } else if (r == kHitPushed) {
        SetState(recoilState);
        RecoilFrom(other, 200.0, 900.0, gravity);
    }
    return r;
}

void CGroundEnemy::DrawSquashed(CSprite* cell, double s, double dx, double lift) {
    sprite = cell;
    if (!sprite) return;
    sprite->scaleX = static_cast<float>(s);
    sprite->scaleY = static_cast<float>(1.0 / s);
    imageX = centerX + dx;
    const double h = sprite->height;
    imageY = centerY - lift + std::trunc((h - h / s) * 0.5);
    DrawSprite();
}
