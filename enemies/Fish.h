#pragma once
// The fish: flyers of the water levels that swim straight through walls toward the hero's side.
//
// CFish001 is the small fish that bobs across the screen at a steady pace; it swims alone or in a
// school of three that an invisible CFish_Controller001 leads. The controller drops members that
// swam far out of view, goes when none is left, and keeps its placed object from coming back once
// all three were beaten. CFish002 is the long fish that swims in surges with a biting snout;
// CFish003 swims at the hero, stops above him and drops a ball. Any attack beats any fish.
#include "enemies/EnemyPattern.h"

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

class CFish003 : public CPatternEnemy {
  public:
    CFish003(CStage* owner, double x, double y, int facing);
    ~CFish003() override;

    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    // The hero will pass under the fish before a dropped ball could miss him.
    bool IsHeroInThrowRange() const;

    enum { kApproach = 0, kWindUp = 1, kThrown = 2, kRecoil = 3, kRecoilThrown = 4 };

  private:
    void SwimOn();

    CSpriteSheet left_, right_;  // swim, after the throw, wind-up 1, wind-up 2
};
