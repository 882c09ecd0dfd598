#pragma once
// The strawberry: waits a moment facing the hero, makes two small hops toward him and then a
// high spinning leap that carries an attack circle, lands, brakes and starts again. It bounces
// off walls in the leap, squashes when stomped and recoils when it pushes the hero or its attack
// clashes with another.
#include "enemies/FighterEnemy.h"
#include "enemies/GroundHelpers.h"

enum StrawberryState {
    kBerryWait = 0,
    kBerryHop1 = 1,
    kBerryHop2 = 2,
    kBerryLeap = 3,
    kBerryLand = 4,
    kBerryFall = 5,
    kBerryStomped = 6,
    kBerryRecoil = 7,
};

class CIchigo001 : public CFighterEnemy {
  public:
    CIchigo001(CStage* owner, double x, double y, int facing);
    ~CIchigo001() override;

    // Sets the state with its speed limits; the leap (and only the leap) carries the circle.
    void SetState(int s) override;
    void Act() override;
    void Draw() override;
    // In the leap only the body contact goes out; otherwise a stomp squashes it and a push
    // throws it back.
    int Collide(IBase* other) override;
    void OnBlowEnd() override;

    // The cell Draw shows now (0..8) with its horizontal scale.
    int ChooseCell(double* scale) const;
    IBase* GetAttackShape() const { return attackShape_.Get(); }

    static constexpr double kGravity = 700.0;

  private:
    void BackToWait();

    CKeptChild attackShape_;
    CSpriteSheet left_, right_;
};
