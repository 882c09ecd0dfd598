#pragma once
// Effects that carry arrays of pieces moving on their own: the splinters of a broken wooden or
// stone block and of a broken rock, and the sparks streaming into the charge of a wave shot. The
// pieces are no objects: fixed arrays inside the effect, moved by its update, drawn by its draw.
#include "gimmicks/Effect.h"

// Twelve pieces thrown from the point, falling under gravity and turning as they fly.
class CBreakEffect : public IEffect {
  public:
    static constexpr int kPieces = 12;
    enum Kind { kWoodBreak = 23, kStoneBreak = 24, kRockBreak = 27 };
    struct Piece {
        double x = 0, y = 0;    // world pixels
        double vx = 0, vy = 0;  // pixels per second
        double tilt = 0;        // radians
        double spin = 0;        // radians per second
    };

    // kind: a Kind (anything else breaks as wood).
    CBreakEffect(CStage* owner, double x, double y, int kind);
    void Update() override;
    void Draw() override;

    const Piece& GetPiece(int i) const { return pieces_[i]; }
    double GetGravity() const { return gravity_; }

  private:
    Piece pieces_[kPieces];
    double gravity_;
};

using CEffect_BreakBlock001 = CEffectOfKind<CBreakEffect, CBreakEffect::kWoodBreak>;
using CEffect_BreakBlock002 = CEffectOfKind<CBreakEffect, CBreakEffect::kStoneBreak>;
using CEffect_BreakRock001 = CEffectOfKind<CBreakEffect, CBreakEffect::kRockBreak>;

// A glowing core and halo with fifteen sparks running into the centre from random directions
// (kind 36). A boss may keep it as its child, or tie it to itself with FollowTarget.
class CEffect_WaveShotCharge : public IEffect {
  public:
    static constexpr int kParticles = 15;
    CEffect_WaveShotCharge(CStage* owner, double x, double y);
    void Update() override;
    void Draw() override;

    // Particle k of 1..15.
    bool IsParticleVisible(int k) const { return visible_[k - 1]; }
    double GetParticleAngle(int k) const { return angle_[k - 1]; }
    double GetParticleOffsetX(int k) const { return offsetX_[k - 1]; }
    double GetParticleOffsetY(int k) const { return offsetY_[k - 1]; }

  private:
    CSprite* core_;
    CSprite* halo_;
    CSprite* particles_[kParticles] = {};
    bool visible_[kParticles] = {};
    double angle_[kParticles] = {};
    double offsetX_[kParticles] = {};
    double offsetY_[kParticles] = {};
};
