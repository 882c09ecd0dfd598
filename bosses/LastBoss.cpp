#include "bosses/LastBoss.h"

#include <cmath>
#include <memory>

#include "bosses/DevilBar.h"
#include "bosses/NunoOtoko.h"
#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/CommonShots.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"

namespace lastboss {

ScreenRect GetScreenRect(const IBase& o) {
    const CCamera* cam = &o.Camera();
    return {cam->ScreenToWorldX(0, 0), cam->ScreenToWorldY(0, 0), cam->ScreenToWorldX(640, 480),
            cam->ScreenToWorldY(640, 480)};
}

void BurstChildren(IBase& form) {
    form.AdoptPendingChildren();
    for (const auto& child : form.GetChildren()) {
        if (!child || child->IsDead()) continue;
        CreateEffect(kEffectEnemyDeath, static_cast<int>((child->GetLeft() + child->GetRight()) / 2),
                     static_cast<int>((child->GetTop() + child->GetBottom()) / 2), form.owner);
        form.RemoveChild(child.get());
    }
}

void RandomPointIn(const IBase& o, int* px, int* py) {
    *px = RandomRange(static_cast<int>(o.GetLeft()), static_cast<int>(o.GetRight()));
    *py = RandomRange(static_cast<int>(o.GetTop()), static_cast<int>(o.GetBottom()));
}

void ExplodeNowAndThen(IBase& form, double* frames) {
    *frames += FramesThisFrame();
    if (*frames <= 14) return;
    *frames = 0;
    int ex, ey;
    RandomPointIn(form, &ex, &ey);
    CreateEffect(kEffectBurstRed, ex, ey, form.owner);
    PlaySE(SoundId::kBomb2);
}

void PutSprite(CSprite* sp, double px, double py, double z, double alpha, double turn, double scale) {
    if (!sp || alpha <= 0) return;
    sp->x = static_cast<float>(px / 256.0);
    sp->y = static_cast<float>(py / 256.0);
    sp->z = static_cast<float>(z);
    sp->angleZ = static_cast<float>(turn);
    sp->scaleX = sp->scaleY = static_cast<float>(scale);
    sp->SetAlpha(static_cast<float>(alpha));
    sp->ApplyTransform();
    sp->Draw();
}

}  // namespace lastboss

// ---- The controller ----

CLastBoss_Controller::CLastBoss_Controller(CStage* ownerStage, double px, double py, bool facing)
    : IBoss(ownerStage, px, py), startFacing_(facing) {
    category = kCategoryController;
    width = height = 16.0;
    ignoresMap = true;
    depth = -0.004;
    drawPriority = 40;
    removeWhenOffScreen = false;
    UpdateCentre();
    SetPhase(kPhaseEntrance);
}

void CLastBoss_Controller::MakeFirstForm() {
    firstFormMade_ = true;
    auto form = std::make_unique<CNunoOtoko>(owner, x, y, startFacing_, this);
    const ObjectHandle handle(form.get());
    // A refused form is deleted by the registry, and its handle then resolves to nothing.
    Registry().Add(std::move(form));
    nunoOtoko_ = handle;
}

void CLastBoss_Controller::Act() {
    if (!firstFormMade_) MakeFirstForm();
    if (!registered) {
        registered = true;
        if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->RegisterBoss(this);
    }
    BeginFrame();
    phaseFrames += FramesThisFrame();
    EndFrame();
}

bool CLastBoss_Controller::EntranceStep() {
    if (CNunoOtoko* form = GetNunoOtoko()) form->Update();
    return phase != kPhaseEntrance;
}

void CLastBoss_Controller::SetPhase(Phase p) {
    phase = p;
    phaseFrames = 0.0;
}

CNunoOtoko* CLastBoss_Controller::GetNunoOtoko() const { return static_cast<CNunoOtoko*>(nunoOtoko_.Get()); }

CDevilBar* CLastBoss_Controller::GetDevilBar() const { return static_cast<CDevilBar*>(devilBar_.Get()); }

void CLastBoss_Controller::OnNunoOtokoEntered() {
    if (phase == kPhaseEntrance) SetPhase(kPhaseFirstForm);
}

void CLastBoss_Controller::SpawnDevilBar() {
    CNunoOtoko* first = GetNunoOtoko();
    if (phase != kPhaseFirstForm || !first || !devilBar_.IsEmpty()) return;
    const double px = (first->GetLeft() + first->GetRight()) * 0.5 - 32.0;
    const double py = (first->GetTop() + first->GetBottom()) * 0.5 - 24.0;
    auto second = std::make_unique<CDevilBar>(owner, px, py, this);
    devilBar_ = ObjectHandle(second.get());
    Registry().Add(std::move(second));
}

void CLastBoss_Controller::RemoveNunoOtoko() {
    CNunoOtoko* first = GetNunoOtoko();
    if (phase != kPhaseFirstForm || !first) return;
    SetPhase(kPhaseSecondForm);
    InvokeKill(first);
    nunoOtoko_.Reset();
}

void CLastBoss_Controller::FinishFight() {
    CDevilBar* second = GetDevilBar();
    if (phase != kPhaseSecondForm || !second) return;
    SetPhase(kPhaseOver);
    InvokeKill(second);
    devilBar_.Reset();
    if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->OnBossDefeated();
    Kill();
    if (!owner || areaObjectId < 0 || areaObjectId >= CStageAreaObjectTable::kSlots) return;
    if (!owner->IsValidAreaIndex(owner->currentArea)) return;
    if (CStageAreaObjectTable* table = owner->GetCurrentAreaObjects())
        table->SetSpawnFlag(areaObjectId, false);
}
