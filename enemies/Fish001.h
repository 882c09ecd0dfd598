#pragma once
// The small fish, a flyer of the water levels that swims straight through walls toward the hero's
// side and bobs across the screen at a steady pace; it swims alone or in a school of three that
// an invisible CFish_Controller001 leads. The controller drops members that swam far out of view,
// goes when none is left, and keeps its placed object from coming back once all three were
// beaten. Any attack beats it.
#include "enemies/PatternEnemy.h"

class CFish_Controller001;

class CFish001 : public CPatternEnemy {
  public:
    // A lone fish.
    CFish001(CStage* owner, double x, double y, int facing, double phase);
    // A member of a school (index 0..2).
    CFish001(CStage* owner, double x, double y, int facing, double phase, CFish_Controller001* controller,
             int schoolIndex);
    ~CFish001() override;

    void Act() override;
    void Draw() override;
    // A biting touch of 10; the hero landing on top destroys the fish on the spot.
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    // The school this fish swims in, while there is one.
    CFish_Controller001* GetController() const;

    static constexpr double kSwimSpeed = 70.0;
    static constexpr double kBob = 20.0;

    double phase = 0;  // radians: the bob and the flap
    int schoolIndex = -1;

  private:
    void TellSchool() const;

    ObjectHandle controller_;
    CSpriteSheet left_, right_;  // frames A and B
};

class CFish_Controller001 : public IBase {
  public:
    CFish_Controller001(CStage* owner, double x, double y, int mode);

    void Update() override;
    void Draw() override {}
    void DrawDebug() override;
    void OnFishDefeated(int schoolIndex);

    // Members farther than this out of view leave the school.
    static constexpr double kStrayDistance = 224.0;

    int mode = 0;  // 0: the school swims left
    bool defeated[3] = {};
};
