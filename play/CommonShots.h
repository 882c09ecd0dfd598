#pragma once
// Shots and shot behaviours that several layers share: batting a ball back, the water drop's
// body (braked sideways until it falls straight, splashing on the first map contact), the
// battery's shot and the burner's flame puff. The gimmicks fire the last two; the enemies' balls
// and water build on the first two.
#include "play/Shots.h"

// Small pieces of every shot's construction and motion.
AttackInfo ShotAttack(int damage, double power, double angle, int flag = -1, double delay = 0.0);
void MakeRoundShape(IBase& shot, double radius);  // a circle, its box 2 r wide
void SetSpeedLimits(IBase& shot, double upDown, double leftRight);
bool TouchesMap(const IBase& shot);  // any of the four map contacts
// A cell of the shots' sheet ("Objects002" of the group "Object").
OwnedSprite MakeShotSprite(int left, int top, int right, int bottom);

// The knock-back angles of a shot's attack by the direction it flies.
double ForwardUpAngle(double vx);       // -0.15 pi, or -0.85 pi flying left
double SteepForwardUpAngle(double vx);  // -0.25 pi, or -0.75 pi flying left

// Batted back by any attack, whatever its damage: reflected to the hero's side, then sent at
// `speed` along the attack's angle, or a quarter turn up from it when the attack's flag 0 is set
// (a level blow sends the ball straight up). Returns 1.
int BatBack(CShotBase& shot, const AttackInfo& incoming, double speed);

// The contact point with another body: the own centre moved toward the other's by the share of
// the own radius in the sum of both radii.
void ContactPoint(const IBase& self, const IBase& other, double* x, double* y);

// Three ice sparks (effect 12) around a point, each shifted by -2..2 pixels, and the ice sound.
void ShowIceSparks(CStage* owner, int x, int y);

// A drop of water (the hero's hose, the gun enemy's water): braked sideways until it falls
// straight, splashing (effects 17 to 20 by the first side that met the map, with the water sound)
// and gone at the first map contact or hit.
class CWaterDropBase : public CShotBase {
  public:
    using CShotBase::CShotBase;
    void Move() override;
    // Delivers the water once and splashes whatever the target answered.
    int Collide(IBase* other) override;

  protected:
    // The splash toward its flight: effect 19 flying left, else 20, at its left edge.
    void SplashSideways();
};

// The battery's cannonball: 20 damage, straight on; bursts red on walls and hits; batted back
// at 400.
class CBatteryShot : public CShotBase {
  public:
    CBatteryShot(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;

  private:
    void Burst();
};

// A short flame puff of the burner: fire (flag 4) that passes through everything it burns,
// grows in over 6 frames and shrinks after 24 of its 28.
class CBurnerFire : public CShotBase {
  public:
    CBurnerFire(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    void Move() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }
    // The puff's size at an age.
    static double ScaleAt(double age);
};
