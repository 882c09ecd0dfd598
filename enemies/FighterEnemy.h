#pragma once
// A ground enemy that fights with attack shapes: a clash throws it back and shields its body for
// the rest of that pass.
#include "enemies/GroundEnemy.h"

class CFighterEnemy : public CGroundEnemy, public IAttackable {
  public:
    CFighterEnemy(CStage* owner, double x, double y, int facing, int hitPoints, int recoilState);

    // Nothing while its own attack has just clashed; else hurt or beaten.
    int ReceiveAttack(AttackInfo info) override;
    void OnAttackHit(int, AttackInfo) override {}
    // Back along the other attack's side at 200, braked by 900.
    void OnAttackClash(int result, AttackInfo mine, AttackInfo theirs) override;
    void AfterAttackClash() override { clashGuard = true; }

    bool clashGuard = false;  // cleared by the class at the end of each of its frames

  private:
    int recoilState_;
};
