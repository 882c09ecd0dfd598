#pragma once
// The floating turret, a flyer that looks at the hero all the time.
//
// CSphere001 hovers up and down in a band about the height where it was made and, every few
// seconds, stops, flashes and fires a burst of beams at the hero: variant 0 five pairs of beams
// spread either side of its aim, variant 1 two bursts of five freezing beams with a small error.
#include "enemies/PatternEnemy.h"

class CSphere001 : public CPatternEnemy {
  public:
    CSphere001(CStage* owner, double x, double y, int variant);
    ~CSphere001() override;

    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override { return TakeHit(info, 4); }
    void OnBlowEnd() override { SetState(kHover); }
    // One shot of the burst.
    void Fire();

    // Half the height of the band it hovers in.
    static constexpr double kHoverBand = 12.0;

    enum { kHover = 0, kAim = 1, kBurst = 2, kSecondBurst = 3, kRecoil = 4 };

    int variant = 0;
    int shotCount = 0;
    double aimAngle = 0;
    double targetAngle = 0;
    double hoverY = 0;

  private:
    void FireOnSchedule();
    void ReturnToHover();

    CSpriteSheet sheet_;  // eight looks, charge, hurt
};
