#pragma once
// CBarFigure: a figure of up to five sprites that move together (the body, the bar in its hands,
// two hand parts and a bar effect), drawn at a base position with per-part offsets. The hero and
// the stick-man bosses draw themselves with it. The bar functions cut the weapons out of their
// sheets: the hero's from "Bar001", the stick-men's from "Bar002".
#include <array>

#include "engine/SpriteManager.h"

class CBarFigure {
  public:
    static constexpr int kParts = 5;
    static constexpr int kHidden = -128;  // an offset that hides its part
    enum Part { kBody = 0, kBar = 1, kHand1 = 2, kHand2 = 3, kEffect = 4 };

    // Every part empty at offset (0, 0); the hand parts get the small dot sprites when withHands.
    explicit CBarFigure(bool withHands = true);
    ~CBarFigure();
    CBarFigure(const CBarFigure&) = delete;
    CBarFigure& operator=(const CBarFigure&) = delete;

    // Replaces parts 0, 1 and 4, freeing what they held.
    void SetParts(OwnedSprite body, OwnedSprite bar, OwnedSprite effect);
    // Replaces one part's sprite, freeing the old one.
    void SetPart(int part, OwnedSprite sprite);
    // x, y of parts 0..3; part 4's offset becomes (0, 0).
    void SetPartOffsets(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3);
    void SetEffectOffset(int x, int y) { offsets_[kEffect] = {x, y}; }
    void SetPosition(double x, double y) {
        baseX = x;
        baseY = y;
    }
    void SetPartOrder(bool barInFront) { swapFront = barInFront; }
    // Draws every part that has a sprite and is not hidden, at depths about `depth` and with its
    // alpha multiplied by `alpha` for this draw.
    void Draw(double depth, float alpha);

    CSprite* GetPart(int part) const { return parts_[part].get(); }
    std::array<int, 2> GetOffset(int part) const { return offsets_[part]; }
    // Where a part is placed, in world pixels, or false when it is hidden or empty.
    bool GetPartPosition(int part, double* x, double* y) const;

    double baseX = 0, baseY = 0;
    bool swapFront = false;

  private:
    OwnedSprite parts_[kParts];
    std::array<int, 2> offsets_[kParts] = {};
};

// The hero's weapons: length (also the reach) of kinds 0..5, 0 for any other kind.
int GetHeroBarLength(int kind);
int GetLongestHeroBarLength();
// The weapon sprite of a kind, left- or right-facing, scaled to its length; null for other kinds.
OwnedSprite MakeHeroBarSprite(int kind);
OwnedSprite MakeHeroBarSpriteRight(int kind);

// The stick-men's bars: lengths of kinds 0..4, 0 for any other kind.
int GetBarManBarLength(int kind);
int GetLongestBarManBarLength();
OwnedSprite MakeBarManBarSprite(int kind);
OwnedSprite MakeBarManBarSpriteRight(int kind);
