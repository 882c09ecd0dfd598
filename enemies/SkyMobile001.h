#pragma once
// The flying machine: the largest ordinary enemy. It cruises at a height, dashes after the hero
// when he gets far away, backs off when he comes close, and attacks from the air with one of
// three weapons: a fanned burst of eight shots, a row of four dropped missiles, or one homing
// missile. Hits do not knock it away (it flashes); beaten, it falls burning and fades out. A
// small hit zone on its top (CSkyMobileChild001) takes hits for it.
#include "enemies/PatternEnemy.h"

class CSkyMobileChild001;

class CSkyMobile001 : public CPatternEnemy {
  public:
    CSkyMobile001(CStage* owner, double x, double y, int facing);
    ~CSkyMobile001() override;

    void SetFacing(int f);
    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    enum Attack { kAttackShotBurst = 0, kAttackMissiles = 1, kAttackPatriot = 2 };
    // The next attack, by where the hero is and chance.
    Attack ChooseAttack() const;
    void FireShot();
    void DropMissile();
    void LaunchPatriot();
    void Defeat();

    // The hit zone on top while the machine has it.
    CSkyMobileChild001* GetChild() const;

    enum {
        kHover = 0,
        kDashLeftStart = 1,
        kDashLeft = 2,
        kBrakeLeft = 3,
        kDashRightStart = 4,
        kDashRight = 5,
        kBrakeRight = 6,
        kShotBurst = 7,
        kMissiles = 8,
        kFalling = 9
    };

    static constexpr int kHitPoints = 80;
    // How far out of view it may get before it is gone.
    static constexpr double kLeaveDistance = 192.0;

    double decisionFrames = 0;
    double burstFrames = 0;
    double flashFrames = 0;
    int shotsFired = 0;
    double homeX = 0, homeY = 0;

  private:
    void Decide();
    void BackToCruising();
    void Dash(int toward, double push, double rise);

    ObjectHandle child_;
    CSpriteSheet left_, right_;
};

// The hit zone: no picture, touches like a body and hands every hit to the machine.
class CSkyMobileChild001 : public IEnemy {
  public:
    CSkyMobileChild001(CStage* owner, double dx, double dy, CSkyMobile001* machine);

    void Act() override {
        BeginFrame();
        EndFrame();
    }
    void CollideWithMap() override {}
    void Draw() override {}
    void DrawDebug() override;
    int Collide(IBase* other) override { return DeliverContactAttack(other); }
    // The machine's answer; immune once the machine is gone.
    int ReceiveAttack(AttackInfo info) override;

  private:
    ObjectHandle machine_;
};
