#pragma once
// The iron ball on its chain, which drops on the hero passing below, rests and is hauled back up;
// the switch bomb, lit by anything standing on it, which explodes three seconds later; and the
// floating bomb, lit by the hero coming within 80 pixels, which explodes a second later. A bomb
// explodes into a red burst, and a red burst sets off any bomb it reaches at once.
//
// Without a hero on the stage a floating bomb stays unlit: there is nobody for it to wait for.
#include <array>
#include <vector>

#include "engine/SpriteManager.h"
#include "play/Base.h"
#include "play/ObjectHandle.h"

class CIronBall : public IBase {
  public:
    enum State { kWaiting = 0, kFalling = 1, kResting = 2, kReturning = 3 };

    // (x, y) is the ball's centre and its home; the chain's anchor is found in the map above.
    CIronBall(CStage* owner, double x, double y);

    void Update() override;
    void UpdateSuspended() override {}
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }

    void SetState(State s);

    double rehitInterval = 10.0;
    double rehitTimer = 0.0;
    double homeX, homeY;
    double anchorX, anchorY;
    State state = kWaiting;
    double stateTime = 0.0;

  private:
    void FindAnchor();
    // One frame of each state.
    void UpdateWaiting();
    void UpdateFalling();
    void UpdateResting();
    void UpdateReturning();

    std::vector<ObjectHandle> hitTargets_;
    OwnedSprite ball_;
    std::array<OwnedSprite, 8> links_;
};

// What the two bombs share: a fuse that burns down once the bomb is lit and cannot be put out, a
// red-burst attack that sets it off at once (every other attack does nothing), and the explosion
// into a red burst of the bomb's radius.
class CBombBase : public IBase {
  public:
    CBombBase(CStage* owner, double x, double y, int category, double fuse, int burstRadius);

    void Update() override;
    void UpdateSuspended() override {}
    int ReceiveAttack(AttackInfo attack) override;
    void Explode();

    bool lit = false;
    double fuse;

  protected:
    // Asked each frame while the bomb is unlit: true lights it.
    virtual bool CatchesFire() = 0;
    virtual void OnExploded() {}

    std::array<OwnedSprite, 5> images_;

  private:
    int burstRadius_;
};

// Lit by anything standing on it; explodes three seconds later.
class CSwitchBomb : public CBombBase {
  public:
    CSwitchBomb(CStage* owner, double x, double y);
    void Draw() override;

    // The pictures of the fuse, in the order of the sheet: unlit, long, short, and the two of the
    // last second's blink.
    enum Picture { kUnlit = 0, kLongFuse = 1, kShortFuse = 2, kBlinkA = 3, kBlinkB = 4 };
    // The Picture for the fuse.
    int GetImageIndex() const;

  protected:
    bool CatchesFire() override;
};

// Lit by the hero coming within 80 pixels; explodes a second later and is gone for the visit. Its
// body cuts whatever touches it, lit or not.
class CFloatingBomb : public CBombBase {
  public:
    CFloatingBomb(CStage* owner, double x, double y);
    void Draw() override;
    int Collide(IBase* other) override;

    enum Picture { kDark = 0, kBright = 1 };
    // The Picture: a lit bomb blinks.
    int GetImageIndex() const;

  protected:
    bool CatchesFire() override;
    void OnExploded() override;
};
