#pragma once
// The note ball: bounces round the room under gravity losing little speed, and at every hard
// bounce plays one of five notes and takes that note's colour. Every attack knocks it away, none
// hurts it, and no door waits for it.
#include "enemies/PatternEnemy.h"

class COtoBall001 : public IEnemy {
  public:
    COtoBall001(CStage* owner, double x, double y, int facing);
    ~COtoBall001() override;

    void Act() override;
    void CollideWithMap() override { ResolveMapCollision(); }
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    // A new colour and its note, and the wobble starts.
    void Bounce();

    static constexpr double kKeep = 0.98;        // of the speed a bounce gives back
    static constexpr double kNoteSpeedY = 70.0;  // a softer bounce off floor or ceiling is silent
    static constexpr double kNoteSpeedX = 25.0;  // a softer bounce off a wall is silent
    static constexpr double kHitSpeed = 450.0;   // launched by an attack
    static constexpr double kPushSpeed = 200.0;  // pushed by a body
    static constexpr double kWobbleFrames = 45.0;

    int colour = 0;  // 0..4: the disc drawn, the note of the last bounce
    int facing = 0;
    double spin = 0;  // the disc's turn, radians
    double wobbleFrames = 0;

  private:
    void PushAwayFrom(const IBase* other);

    CSpriteSheet sheet_;  // the ball, then the five discs
};
