#include "enemies/FighterEnemy.h"

#include <cmath>

#include "play/EffectFactory.h"

CFighterEnemy::CFighterEnemy(CStage* ownerStage, double px, double py, int facingIn, int hp, int recoilState)
    : CGroundEnemy(ownerStage, px, py, facingIn, hp), recoilState_(recoilState) {}

int CFighterEnemy::ReceiveAttack(AttackInfo info) {
    if (clashGuard) return kHitNoEffect;
    return TakeHit(info, kEffectEnemyDeath);
}

void CFighterEnemy::OnAttackClash(int, AttackInfo, AttackInfo theirs) {
    SetState(recoilState_);
    const double s = std::cos(theirs.angle) >= 0 ? 1.0 : -1.0;
    vx = 200.0 * s;
    ax = -900.0 * s;
}
