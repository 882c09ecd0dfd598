#include "gimmicks/ParticleEffects.h"

#include <cmath>

#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"

namespace {

// How one kind of break throws its pieces: offsets and speeds of the left-hand side (the right
// side mirrors x), and the spread of the offsets.
struct BreakStyle {
    double lifetime;
    double gravity;
    EffectCell cells[4];  // pieces 0..3, repeated for 4..7 and 8..11
    int reach;            // dx up to this far to the piece's side
    int dyReach;          // dy from -dyReach to dyReach
    int vxFast, vxSlow;   // side 0: vx in -fast..-slow; side 1: slow..fast
    int vyUp;             // vy in -vyUp..20
};

const BreakStyle kWood = {
    40, 500, {{0, 0, 24, 24}, {24, 0, 48, 24}, {0, 24, 24, 40}, {24, 24, 48, 48}}, 30, 30, 180, 40, 220};
const BreakStyle kStone = {
    40, 500, {{48, 0, 72, 24}, {72, 0, 96, 24}, {48, 24, 72, 48}, {72, 24, 96, 48}}, 30, 30, 180, 40, 220};
const BreakStyle kRock = {
    30, 400, {{160, 0, 176, 16}, {160, 0, 176, 16}, {160, 0, 176, 16}, {160, 0, 176, 16}}, 12, 12, 100,
    10, 140};

const BreakStyle& StyleOf(int kind) {
    return kind == CBreakEffect::kRockBreak ? kRock : kind == CBreakEffect::kStoneBreak ? kStone : kWood;
}

}  // namespace

// ---- Breaks ----

CBreakEffect::CBreakEffect(CStage* ownerStage, double px, double py, int kind)
    : IEffect(ownerStage, px, py, StyleOf(kind).lifetime), gravity_(StyleOf(kind).gravity) {
    const BreakStyle& s = StyleOf(kind);
    for (int i = 0; i < kPieces; ++i) MakeEffectSprite("Effect002", s.cells[i % 4]);
    for (Piece& p : pieces_) {
        const bool right = RandomRange(0, 1) == 1;
        p.x = px + (right ? RandomRange(0, s.reach) : RandomRange(-s.reach, 0));
        p.y = py + RandomRange(-s.dyReach, s.dyReach);
        p.vx = right ? RandomRange(s.vxSlow, s.vxFast) : RandomRange(-s.vxFast, -s.vxSlow);
        p.vy = RandomRange(-s.vyUp, 20);
        p.tilt = RandomRange(-50, 50) * 0.1;
        p.spin = (right ? RandomRange(15, 40) : RandomRange(-40, -15)) * 0.1;
    }
}

void CBreakEffect::Update() {
    const double dt = GetFrameTime();
    for (Piece& p : pieces_) {
        p.x += dt * p.vx;
        p.y += dt * p.vy;
        p.tilt += dt * p.spin;
        p.vy += dt * gravity_;
    }
    Age();
}

void CBreakEffect::Draw() {
    const float alpha = static_cast<float>(FadeOutAlpha());
    for (int i = 0; i < kPieces; ++i) {
        CSprite* s = sprites_[i].get();
        if (!s) continue;
        s->SetAlpha(alpha);
        s->angleZ = static_cast<float>(pieces_[i].tilt);
        PlaceAndDraw(s, pieces_[i].x, pieces_[i].y);
    }
}

// ---- The wave-shot charge ----

CEffect_WaveShotCharge::CEffect_WaveShotCharge(CStage* ownerStage, double px, double py)
    : IEffect(ownerStage, px, py, 80.0) {
    core_ = MakeEffectSprite("Effect002", {48, 96, 80, 128});
    halo_ = MakeEffectSprite("Effect002", {48, 96, 80, 128});
    for (int k = 0; k < kParticles; ++k) {
        particles_[k] = MakeEffectSprite("Effect002", {80, 96, 96, 112});
        angle_[k] = RandomRange(0, 628) * 0.01;
    }
}

void CEffect_WaveShotCharge::Update() {
    BeginFrame();
    for (int k = 0; k < kParticles; ++k) {
        // Each spark runs in at 3 pixels a tick and is seen between 8 and 56 pixels out.
        const double d = 48.0 + 12.0 * k - 3.0 * age;
        visible_[k] = d > 8.0 && d <= 56.0;
        if (visible_[k]) {
            offsetX_[k] = d * std::cos(angle_[k]);
            offsetY_[k] = d * std::sin(angle_[k]);
        }
    }
    Age();
    EndFrame();
}

void CEffect_WaveShotCharge::Draw() {
    if (core_) {
        core_->SetAlpha(static_cast<float>(0.45 + 0.01 * age));
        core_->scaleX = core_->scaleY = static_cast<float>(0.45 + 0.01 * age);
        PlaceAndDraw(core_, centerX, centerY, depth - 0.0001);
    }
    if (halo_) {
        halo_->SetAlpha(static_cast<float>(0.1 + 0.01 * age));
        halo_->scaleX = halo_->scaleY = static_cast<float>(1.2 - 0.007 * age);
        PlaceAndDraw(halo_, centerX, centerY, depth + 0.0001);
    }
    for (int k = 0; k < kParticles; ++k) {
        if (!visible_[k] || !particles_[k]) continue;
        particles_[k]->SetAlpha(0.8f);
        PlaceAndDraw(particles_[k], centerX + offsetX_[k], centerY + offsetY_[k]);
    }
}
