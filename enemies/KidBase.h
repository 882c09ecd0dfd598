#pragma once
// What the walking kids share.
//
// A kid walks the floor, stops to look around, turns at walls and ledges, and when the hero
// stands close in front of it at its own height it brakes, hops twice and lunges with a
// short-lived quarter-circle attack. The hero can bounce off its head or gets pushed away by its
// body. CKid001 is the small kid, CKid002 the big, faster one; they share every behaviour and
// differ only in their numbers (KidTuning) and their sheet cells.
#include "enemies/PatternEnemy.h"

struct KidTuning {
    SpriteCell cells[8];
    double walkSpeed;                 // max left/right speed while walking
    double lookTurnStep;              // frames between the turns while looking around
    double lookEnd;                   // frames of looking around
    double ledgeWait;                 // frames standing at a ledge
    double hopBackSpeed;              // hops: speed against the facing
    double hopUpSpeed;                // hops: upward speed
    double lungeSpeed;                // lunge: speed toward the facing
    double lungeBrake;                // lunge: braking acceleration
    double lungeUpSpeed;              // lunge: upward speed
    double lungeEnd;                  // frames of the lunge
    double hitboxRadius, hitboxLife;  // the lunge's attack
    bool slashHit;                    // the lunge's hit shows the slash (else the plain hit)
    double sightHeight, sightReach;   // hero-in-front window
    double imageShiftX;               // the picture's shift toward the facing (every cell)
    double imageShiftLunge;           // further shift toward the facing for the lunge cells
    double imageLift;                 // the picture sits this much above the centre
};

enum KidState {
    kKidWalk = 0,
    kKidLookAround = 1,
    kKidLedge = 2,
    kKidStomped = 3,
    kKidRecoil = 4,
    kKidFall = 5,
    kKidBrake = 6,
    kKidHop1 = 7,
    kKidHop2 = 8,
    kKidLunge = 9,
};

class CKidBase : public CPatternEnemy, public IAttackable {
  public:
    CKidBase(CStage* owner, double x, double y, int facing, const KidTuning& tuning);
    ~CKidBase() override;

    void SetState(int s);
    void Act() override;
    // A state of a class built on the kid, beyond the kid's own (after the frame's move, with
    // the state's frames `f` as they stood before it); nothing for the kids themselves.
    virtual void ActOwnState(double /*f*/) {}
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    void OnBlowEnd() override;

    void OnAttackHit(int, AttackInfo) override {}
    void OnAttackClash(int result, AttackInfo mine, AttackInfo theirs) override;
    void AfterAttackClash() override { clashGuard = true; }

    // The cell Draw shows now (0..7), with its scale and bob.
    int ChooseCell(double* scale, int* bob) const;
    // Cell 0..7 of the left- (facing 0) or right-facing sheet.
    CSprite* GetCellSprite(int facingSide, int cell) const {
        return (facingSide == 0 ? left_ : right_)[cell];
    }

    const KidTuning& tuning;
    double waitFrames = 0;  // walking before the kid may stop and look around
    bool attackSpawned = false;
    bool clashGuard = false;  // the lunge clashed this frame: the body takes nothing

  private:
    void SpawnLungeAttack();

    CSpriteSheet left_, right_;
};
