#pragma once
// The drill: drives back and forth along the floor, turning at walls, with a drill in front
// that is an endless attack box moving to the side it faces. Hits knock it away like a kid's;
// left far behind off screen it goes, and comes back when its tile is in view again.
#include "enemies/FighterEnemy.h"
#include "enemies/GroundHelpers.h"

enum DrillState { kDrillDrive = 0, kDrillStomped = 1, kDrillRecoil = 2, kDrillFall = 3 };

class CDrill001 : public CFighterEnemy {
  public:
    CDrill001(CStage* owner, double x, double y, int facing);
    ~CDrill001() override;

    void SetState(int s) override;
    // Puts a new drill box on the side it faces, in place of the old one.
    void ResetDrillHitbox();
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    void OnBlowEnd() override { SetState(onGround ? kDrillDrive : kDrillFall); }

    IBase* GetDrillHitbox() const { return drill_.Get(); }

    static constexpr double kGravity = 500.0;

  private:
    CKeptChild drill_;
    CSpriteSheet left_, right_;
};
