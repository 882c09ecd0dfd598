#include "play/Spawner.h"

#include <memory>
#include <utility>

#include "engine/Camera.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"

CObjectSpawner::CObjectSpawner(CStageAreaObjectTable* t) {
    Reset();
    table = t;
}

TileWindow CObjectSpawner::WindowFromCamera() {
    const CCamera* cam = CCamera::GetInstance();
    TileWindow w;
    w.left = static_cast<int>(cam->ScreenToWorldX(0, 0) / kTilePixels);
    w.top = static_cast<int>(cam->ScreenToWorldY(0, 0) / kTilePixels);
    w.right = static_cast<int>(cam->ScreenToWorldX(640, 480) / kTilePixels);
    w.bottom = static_cast<int>(cam->ScreenToWorldY(640, 480) / kTilePixels);
    return w;
}

void CObjectSpawner::Reset() {
    table = nullptr;
    window = WindowFromCamera();
    previous = window;
}

void CObjectSpawner::Update(int heroX) {
    window = WindowFromCamera();
    const TileWindow& w = window;
    if (w.left < previous.left) SpawnRect(w.left - kBand, w.top - 1, w.left - 1, w.bottom + 1, heroX);
    if (w.top < previous.top) SpawnRect(w.left - 1, w.top - kBand, w.right + 1, w.top - 1, heroX);
    if (w.right > previous.right) SpawnRect(w.right + 1, w.top - 1, w.right + kBand, w.bottom + 1, heroX);
    if (w.bottom > previous.bottom) SpawnRect(w.left - 1, w.bottom + 1, w.right + 1, w.bottom + kBand, heroX);
    previous = window;
}

void CObjectSpawner::SpawnRect(int c0, int r0, int c1, int r1, int heroX) {
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) Spawn(c, r, heroX, false);
}

void CObjectSpawner::SpawnStartRect(int c0, int r0, int c1, int r1, int heroX) {
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) Spawn(c, r, heroX, true);
}

void CObjectSpawner::SpawnAt(int column, int row, int heroX) { Spawn(column, row, heroX, false); }
void CObjectSpawner::SpawnStartAt(int column, int row, int heroX) { Spawn(column, row, heroX, true); }

void CObjectSpawner::Spawn(int column, int row, int heroX, bool startKinds) {
    if (!table) return;
    const int id = table->GetIdAt(column, row);
    if (id == 0) return;
    CObjectRegistry* registry = CObjectRegistry::GetInstance();
    if (!table->CanSpawn(id) || registry->IsIdSlotUsed(id)) return;
    CStageAreaObject* record = table->GetById(id);
    if (!record) return;
    const bool rightOfHero = column * kTilePixels >= heroX;
    const LiveObjectSpec spec =
        startKinds ? record->GetStartObjectSpec(rightOfHero) : record->GetObjectSpec(rightOfHero);
    std::unique_ptr<IBase> object = CreateLiveObject(spec, record->GetOwnerStage());
    if (!object) return;
    object->SetAreaObjectId(id);
    registry->AddWithId(std::move(object), id);
}
