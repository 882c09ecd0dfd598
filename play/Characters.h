#pragma once
// The bases of everything that fights: ICharacter (the hero and the enemies), IEnemy with its
// knock-back and defeat flight (the blow) and its body contact, IBoss, and IAttackable, through
// which a hitbox tells its attacker what its attack did.
#include "play/AttackParameter.h"
#include "play/Base.h"

class IAttackable {
  public:
    virtual ~IAttackable() = default;
    // The attacker's hitbox hit a body; result is the body's answer.
    virtual void OnAttackHit(int result, AttackInfo attack) = 0;
    // The attacker's hitbox met another attack.
    virtual void OnAttackClash(int result, AttackInfo mine, AttackInfo theirs) = 0;
    // After OnAttackClash, and on the attacker of a hitbox that another attack struck.
    virtual void AfterAttackClash() = 0;
};

// Characters stop nothing in the solid pass; each class keeps itself out of the map and draws
// itself.
class ICharacter : public IBase {
  public:
    ICharacter(CStage* owner, double x, double y);
    ICharacter(CStage* owner, double dx, double dy, IBase* parent);
    void CollideWithMap() override = 0;
    void Draw() override = 0;
};

// An enemy acts (Act) until a blow knocks it away: a hit-stop frozen in place, then a braked
// flight of 20 frames (12 for a defeat, which ends in the defeat effect, sound and death).
class IEnemy : public ICharacter {
  public:
    IEnemy(CStage* owner, double x, double y);
    IEnemy(CStage* owner, double dx, double dy, IBase* parent);

    // The blow step while a blow runs, else Act.
    void Update() override;
    void UpdateSuspended() override {}

    // One frame of the enemy's own behaviour.
    virtual void Act() = 0;
    virtual void UpdateBlown();
    // Every blow frame, between moving and ending the frame.
    virtual void BlowHook() {}
    // A blow that is not a defeat has ended.
    virtual void OnBlowEnd() {}

    // Starts a blow with the attack's delay, power and angle. A blow started while another runs
    // replaces it but keeps the max speeds saved by the first, so that landing gives back the
    // enemy's own speeds.
    void StartBlow(AttackInfo attack, bool brakeVertical);
    // A blow that ends in death, flying at 700 pixels per second at least.
    void StartDefeatBlow(AttackInfo attack, int defeatEffect);
    // Every blow field back to zero; the max speeds are left as they are.
    void ResetBlowState();
    // The usual body contact: no damage, power 130 from this centre toward the other's, flag 9.
    int DeliverContactAttack(IBase* other);

    static constexpr double kDefeatPowerFloor = 700.0;
    static constexpr double kContactPower = 130.0;

    double blowDelay = 0;  // hit-stop frames left; -1 while flying
    double blowTimer = 0;  // flight frames left
    double blowSpeed = 0;
    double blowAngle = 0;
    bool isBlown = false;
    bool brakeVertical = false;
    bool isDefeated = false;
    int defeatEffect = 0;
    double savedMaxSpeeds[4] = {};  // up, down, left, right

  private:
    // The velocity of the last blow frame's move, before the map's contacts stopped it.
    double flightVx_ = 0, flightVy_ = 0;
};

// A boss is never removed for being off screen; the play scene runs its entrance and asks, at
// its defeat, whether it ends the game.
class IBoss : public IEnemy {
  public:
    IBoss(CStage* owner, double x, double y);
    // One frame of the entrance; true once it has played out.
    virtual bool EntranceStep() = 0;
    virtual bool IsFinalBoss() = 0;
};

// Where a hit or defeat effect of an object shows: the centre of its box in whole pixels.
void GetEffectPoint(const IBase* object, double* x, double* y);
