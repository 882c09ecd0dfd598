#pragma once
// The ice sculpture: slides along the floor toward the hero, brakes to stop in front of him and
// blows a stream of snow puffs, then backs off and starts again. Walls and ceilings bounce it
// with a clink; a hard fall onto the floor, a hero landing on it, or any blow that is not ice or
// water shatters it, once.
#include "enemies/GroundEnemy.h"

enum IceSculptureState { kIceApproach = 0, kIceBrake = 1, kIceBlow = 2, kIceBackOff = 3, kIceRecoil = 4 };

class CIceSculpture001 : public CGroundEnemy {
  public:
    CIceSculpture001(CStage* owner, double x, double y, int facing);
    ~CIceSculpture001() override;

    void SetState(int s) override;
    void Act() override;
    void Draw() override;
    // The shattering: the ice break, its sound, and gone. Only the first call does anything.
    void Kill() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    // How close the hero must be for the brake to start: the stopping distance at the braking
    // of 320, a lead for a hero running toward it, and 80.
    double BrakeReach() const;

    static constexpr double kGravity = 600.0;
    static constexpr double kBrake = 320.0;
    static constexpr double kShatterSpeed = 600.0;
    static constexpr int kMaxPuffs = 20;

    int puffCount = 0;
    double puffFrames = 0;

  private:
    // Shattered and kept from coming back while the stage is played.
    void Shatter();
    void BlowPuff();

    CSpriteSheet left_, right_;
};
