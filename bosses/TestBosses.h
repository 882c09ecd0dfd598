#pragma once
// The test bosses: the walking kid turned into a boss fight, for trying out boss stages. The kid
// walks, looks around and lunges as ever, but drops in from above during the entrance, has more
// hit points and, when beaten, flies off, bursts and ends the fight through the scene.
// CTestBoss002 is a final boss: its defeat ends the stage as the last boss's does.
//
// The kid's behaviour lives in CKidBase, an enemy; the scene's boss role (the entrance steps and
// the final-boss question) is played by a small invisible child, CTestBossRole, that the test
// boss registers with the scene and that hands those calls to it.
#include "enemies/Kid001.h"
#include "play/Characters.h"

enum TestBossState {
    kTestBossEntrance = 10,
    kTestBossFlight = 11,
    kTestBossGone = 12,
    kTestBossRemoval = 13,
};

class CTestBoss001 : public CKid001 {
  public:
    CTestBoss001(CStage* owner, double x, double y, int facing);

    void Act() override;
    void ActOwnState(double f) override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    // One frame of the entrance; true once it has played out (120 frames).
    bool EntranceStep();
    virtual bool IsFinalBoss() const { return false; }

    static constexpr double kEntranceFrames = 120.0;

    bool registered = false;
    bool inEntrance = false;
    // The role registered with the scene, while it is there.
    ObjectHandle role;

  private:
    bool InBossState() const { return state >= kTestBossEntrance && state <= kTestBossRemoval; }
};

class CTestBoss002 : public CTestBoss001 {
  public:
    using CTestBoss001::CTestBoss001;
    bool IsFinalBoss() const override { return true; }
};

// The boss face of a test boss toward the scene: attached to it, never drawn, touching nothing.
class CTestBossRole : public IBoss {
  public:
    explicit CTestBossRole(CTestBoss001* boss);
    void Act() override {}
    void CollideWithMap() override {}
    void Draw() override {}
    int Collide(IBase*) override { return kHitImmune; }
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }
    bool EntranceStep() override;
    bool IsFinalBoss() override;

  private:
    CTestBoss001* Boss() const;
};
