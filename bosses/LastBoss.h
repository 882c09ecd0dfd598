#pragma once
// The last fight: an invisible controller, the one boss the play scene knows, that makes the first
// form (CNunoOtoko), hands it the scene's entrance, makes the second form (CDevilBar) when the first
// is beaten and reports the defeat once the second has played out. The forms are ordinary enemies
// that call their controller back; every reference between the three is a handle, so a form that
// the registry refused or already removed is simply absent.
#include "enemies/PatternEnemy.h"
#include "play/Characters.h"
#include "play/HitEffect.h"

class CNunoOtoko;
class CDevilBar;
class CSprite;

class CLastBoss_Controller : public IBoss {
  public:
    // `facing` is the first form's starting facing (true: right). The forms are not made here: the
    // first comes with the controller's first update, once the registry holds the controller.
    CLastBoss_Controller(CStage* owner, double x, double y, bool facing);

    void Act() override;
    void CollideWithMap() override {}
    void Draw() override {}
    void DrawDebug() override { DrawDebugBox(*this); }
    // It touches nothing and nothing hurts it.
    int Collide(IBase*) override { return kHitImmune; }
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }
    // Plays the first form's entrance while the scene holds the world still.
    bool EntranceStep() override;
    bool IsFinalBoss() override { return true; }

    // The fight's phases, in order.
    enum Phase { kPhaseEntrance = 0, kPhaseFirstForm = 1, kPhaseSecondForm = 2, kPhaseOver = 3 };
    void SetPhase(Phase p);
    // The callbacks of the forms; each does nothing unless the phase and the forms fit.
    void OnNunoOtokoEntered();
    void SpawnDevilBar();
    void RemoveNunoOtoko();
    void FinishFight();

    CNunoOtoko* GetNunoOtoko() const;
    CDevilBar* GetDevilBar() const;

    Phase phase = kPhaseEntrance;
    double phaseFrames = 0;
    bool registered = false;

  private:
    void MakeFirstForm();

    bool startFacing_;
    bool firstFormMade_ = false;
    ObjectHandle nunoOtoko_;
    ObjectHandle devilBar_;
};

namespace lastboss {
// The world rectangle that the screen showing `o` shows.
struct ScreenRect {
    double left, top, right, bottom;
};
ScreenRect GetScreenRect(const IBase& o);
// Every child bursts (effect 4 at its centre) and goes: a beaten form takes its shots with it.
void BurstChildren(IBase& form);
// A random point of the object's box, in whole pixels.
void RandomPointIn(const IBase& o, int* x, int* y);
// A beaten form's explosions: the frames counted in `frames`, every 14 a red burst at a random
// point of the form, with a bang.
void ExplodeNowAndThen(IBase& form, double* frames);
// Draws the sprite at a world point with a depth, alpha, turn and scale; nothing at alpha 0.
void PutSprite(CSprite* sprite, double x, double y, double depth, double alpha, double turn, double scale);
}  // namespace lastboss
