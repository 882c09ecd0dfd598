#pragma once
// Creator levels 1..100 from a rating-point sum, the creator points earned from rating points,
// and the game's tick clock (1/60-second ticks advanced by the frame loop).
#include "foundation/Singleton.h"

// Deleted at the end of the game.
class CCreatorLevelTable : public CSingleton<CCreatorLevelTable> {
  public:
    static constexpr int kLevelCount = 100;

    // Tick clock to 0, thresholds filled.
    void Init();
    void Reset() { Init(); }

    // 1..100: one more than the index of the first threshold above the points; 100 when none.
    int GetLevel(int points) const;
    // trunc(points x 0.3)
    int GetCreatorPointGain(int points) const;
    // Tick clock += last frame time x 60.
    void AdvanceTicks();
    double GetTicks() const;

    int GetThreshold(int index) const;

  private:
    friend class CSingleton<CCreatorLevelTable>;
    CCreatorLevelTable();
};
