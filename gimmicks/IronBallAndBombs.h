#pragma once
// The iron ball on its chain, which drops on the hero passing below, rests and is hauled back up;
// the switch bomb, lit by anything standing on it, which explodes three seconds later; and the
// floating bomb, lit by the hero coming within 80 pixels, which explodes a second later. A bomb
// explodes into a red burst, and a red burst sets off any bomb it reaches at once.
//
// Without a hero on the stage a floating bomb stays unlit: there is nobody for it to wait for.
#include <vector>

#include "play/Base.h"
#include "play/ObjectHandle.h"

class CSprite;

class CIronBall : public IBase {
  public:
    enum State { kWaiting = 0, kFalling = 1, kResting = 2, kReturning = 3 };

    // (x, y) is the ball's centre and its home; the chain's anchor is found in the map above.
    CIronBall(CStage* owner, double x, double y);
    ~CIronBall() override;

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    void SetState(int s);

    double rehitInterval = 10.0;
    double rehitTimer = 0.0;
    double homeX, homeY;
    double anchorX, anchorY;
    int state = kWaiting;
    double stateTime = 0.0;

  private:
    void FindAnchor();

    std::vector<ObjectHandle> hitTargets_;
    CSprite* links_[8] = {};
};

class CSwitchBomb : public IBase {
  public:
    CSwitchBomb(CStage* owner, double x, double y);
    ~CSwitchBomb() override;

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;
    int ReceiveAttack(AttackInfo attack) override;
    void Explode();

    // The picture for the fuse: 0 unlit, 1 long fuse, 2 short fuse, 3 and 4 the last second's blink.
    int GetImageIndex() const;

    bool lit = false;
    double fuse = 180.0;

  private:
    CSprite* images_[5] = {};
};

class CFloatingBomb : public IBase {
  public:
    CFloatingBomb(CStage* owner, double x, double y);
    ~CFloatingBomb() override;

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
    void Explode();

    // 0 dark, 1 bright: a lit bomb blinks.
    int GetImageIndex() const;

    bool lit = false;
    double fuse = 60.0;

  private:
    CSprite* images_[2] = {};
};
