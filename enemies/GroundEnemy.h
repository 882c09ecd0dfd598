#pragma once
// What the ground enemies share beyond the enemy pattern: a state machine entered through
// SetState, the hero window ahead, the answer to a stomp or a push, and a picture that squashes
// about its feet. CFighterEnemy (FighterEnemy.h) adds the attack shapes' side.
#include "enemies/PatternEnemy.h"

class CGroundEnemy : public CPatternEnemy {
  public:
    using CPatternEnemy::CPatternEnemy;

    virtual void SetState(int s) = 0;

    // The hero's centre ahead in the facing direction by 0..reach (both included), from `above`
    // over to `below` under the own centre (both included), and in sight. False without a hero.
    bool IsHeroAhead(double reach, double above, double below) const;

  protected:
    static constexpr double kNoFallFloor = -1e300;

    // The usual body contact, and the enemy's answer unless it is being knocked away: a stomp
    // puts it in stompState falling at least minFall; a push puts it in recoilState thrown back
    // at 200 (braked by 900) under the given gravity.
    int ContactAndReact(IBase* other, int stompState, double minFall, int recoilState, double gravity);
    // Shows a cell at horizontal scale s (the vertical 1/s) shifted by dx and lifted, keeping
    // the feet where they are.
    void DrawSquashed(CSprite* cell, double s, double dx, double lift);
};
