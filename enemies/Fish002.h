#pragma once
// The long fish: it swims straight through walls in surges with a biting snout. Any attack beats it.
#include "enemies/PatternEnemy.h"

class CFish002 : public CPatternEnemy, public IAttackable {
  public:
    CFish002(CStage* owner, double x, double y, int facing);
    ~CFish002() override;

    void SetState(int s) { EnterState(s); }
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    void OnAttackHit(int result, AttackInfo mine) override;
    void OnAttackClash(int, AttackInfo, AttackInfo) override {}
    void AfterAttackClash() override {}

    // The snout's attack box while the fish has it.
    IBase* GetSnout() const { return snout_.Get(); }

    enum { kSurge = 0, kGlide = 1, kRecoil = 2 };

  private:
    void Surge();

    ObjectHandle snout_;
    CSpriteSheet left_, right_;
};
