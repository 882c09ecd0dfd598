#pragma once
// The heavy baton fighter: a tall enemy with 100 hit points that no blow moves. It waits until
// it sees the hero, paces toward him and, with him close in front, winds up and swings high (or
// low when he is lower), lunging after the swing's short wide box, then hops back. Each hit
// shakes it and slows everything it does to a third for a moment; bumping into it throws the
// other hard. Beaten, it flies up and back, lies still for 72 frames and bursts.
#include "enemies/GroundEnemy.h"

enum BatonFighterState {
    kBatonWait = 0,
    kBatonNotice = 1,
    kBatonWalk = 2,
    kBatonFirstFall = 3,
    kBatonFall = 4,
    kBatonWindUp = 5,
    kBatonHighSwing = 6,
    kBatonCrouch = 7,
    kBatonLowSwing = 8,
    kBatonHopBack = 9,
    kBatonDefeated = 10,
    kBatonDown = 11,
};

class CTonFar001 : public CGroundEnemy, public IAttackable {
  public:
    CTonFar001(CStage* owner, double x, double y, int facing);
    ~CTonFar001() override;

    void SetState(int s) override;
    // Move, but while slowed the frame's change of speed and of place is a third.
    void MoveSlowed();
    bool IsHeroInView() const { return IsHeroAhead(256, 160, 64); }
    bool IsHeroInReach() const { return onGround && IsHeroAhead(96, 64, 64); }
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    void OnAttackHit(int, AttackInfo) override {}
    void OnAttackClash(int, AttackInfo, AttackInfo) override {}
    void AfterAttackClash() override {}

    static constexpr double kSlow = 0.33;
    static constexpr double kGravity = 700.0;

    double scaleX = 1.0, scaleY = 1.0;
    double wobbleFrames = 0;
    double shakeFrames = 0;
    double slowFrames = 0;
    double walkFrames = 0;

  private:
    // The clock step of this frame: a third while slowed.
    double Step() const;
    void Swing(bool high);
    void DrawPose(int pose, double t);

    std::vector<CSpriteSheet> bodyLeft_, bodyRight_;  // one pose each
    CSpriteSheet spin_, slashLeft_, slashRight_;
};
