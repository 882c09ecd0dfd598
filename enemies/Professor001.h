#pragma once
// The spell-caster: mostly not there. It stays hidden a second or two, fades in where it
// stands and, unless the hero is already close, raises a growing, spinning ball for 100 frames
// and fires it straight at him; then it waits, fades out and starts over. Hidden or fading,
// nothing touches it. Its head follows the hero: the picture looks down, level or up.
#include "enemies/GroundEnemy.h"

enum CasterState {
    kCasterHidden = 0,
    kCasterFadeIn = 1,
    kCasterFadeOut = 2,
    kCasterAppear = 3,
    kCasterCast = 4,
    kCasterAfterCast = 5,
    kCasterStomped = 6,
    kCasterRecoil = 7,
};

class CProfessor001 : public CGroundEnemy {
  public:
    CProfessor001(CStage* owner, double x, double y, int facing);
    ~CProfessor001() override;

    void SetState(int s) override;
    bool IsVisible() const { return state > kCasterFadeOut; }
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    void OnBlowEnd() override { SetState(kCasterFadeOut); }

    // The picture's alpha now.
    double Alpha() const;

  private:
    void Cast();

    CSpriteSheet left_, right_;
    CSpriteSheet ball_;
};
