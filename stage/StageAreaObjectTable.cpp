#include "stage/StageAreaObjectTable.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

#include "engine/Scene.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"
#include "stage/AreaObjectKinds_Doors.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageObjectKindTable.h"
#include "stage/StageSprite.h"

namespace {

// The kind table of the living object tables. Each table holds it; the last one to go drops it,
// on whatever thread that is, and the next table made reads the file again. Once read, the kind
// table is only read, so tables on several threads use it without a lock.
struct SharedKinds {
    std::mutex mutex;
    std::weak_ptr<const CStageObjectKindTable> table;
    int liveTables = 0;
};

SharedKinds& Shared() {
    static SharedKinds shared;
    return shared;
}

std::shared_ptr<const CStageObjectKindTable> HoldKinds() {
    SharedKinds& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    std::shared_ptr<const CStageObjectKindTable> held = s.table.lock();
    if (!held) {
        held = std::make_shared<const CStageObjectKindTable>();  // may throw: not counted then
        s.table = held;
    }
    ++s.liveTables;
    return held;
}

}  // namespace

CStageAreaObjectTable::CStageAreaObjectTable(CStage* stage) : kinds(HoldKinds()), ownerStage(stage) {
    std::memset(maySpawn, 1, sizeof maySpawn);
}

CStageAreaObjectTable::~CStageAreaObjectTable() {
    Clear();
    SharedKinds& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    --s.liveTables;
}

const CStageObjectKindTable* CStageAreaObjectTable::GetKindTable() {
    SharedKinds& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.table.lock().get();
}

int CStageAreaObjectTable::GetLiveTableCount() {
    SharedKinds& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.liveTables;
}

void CStageAreaObjectTable::SetOwner(CStageArea* area) {
    ownerArea = area;
    for (const std::unique_ptr<CStageAreaObject>& object : slots) {
        if (object) object->SetOwnerArea(area);
    }
}

std::string CStageAreaObjectTable::TileKey(int x, int y) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d.%04d", x, y);
    return buf;
}

int CStageAreaObjectTable::FindFreeId() const {
    for (int id = 1; id <= kMaxObjects; ++id) {
        if (!slots[id]) return id;
    }
    return 0;
}

bool CStageAreaObjectTable::Add(const std::string& kindKey, int x, int y, double a1, double a2, double a3,
                                double a4, const std::string& text) {
    const int id = FindFreeId();
    if (id == 0) return false;
    if (GetIdAt(x, y) != 0) return false;
    std::unique_ptr<CStageAreaObject> object =
        kinds->CreateByKey(kindKey, ownerStage, ownerArea, this, x, y, a1, a2, a3, a4, text);
    if (!object) return false;
    object->SetId(id);
    slots[id] = std::move(object);
    tileIndex[PackTile(x, y)] = id;
    ++count;
    return true;
}

bool CStageAreaObjectTable::Add(const std::string& kindKey, int x, int y) {
    return Add(kindKey, x, y, 0.0, 0.0, 0.0, 0.0, std::string());
}

bool CStageAreaObjectTable::Remove(int x, int y) {
    auto it = tileIndex.find(PackTile(x, y));
    if (it == tileIndex.end() || it->second == 0) return false;
    const int id = it->second;
    slots[id].reset();
    tileIndex.erase(it);
    --count;
    return true;
}

bool CStageAreaObjectTable::Move(int fromX, int fromY, int toX, int toY) {
    const int id = GetIdAt(fromX, fromY);
    if (id == 0 || GetIdAt(toX, toY) != 0) return false;
    tileIndex.erase(PackTile(fromX, fromY));
    tileIndex[PackTile(toX, toY)] = id;
    slots[id]->SetPosition(toX, toY);
    return true;
}

void CStageAreaObjectTable::Clear() {
    for (auto& slot : slots) slot.reset();
    tileIndex.clear();
    count = 0;
}

CStageAreaObject* CStageAreaObjectTable::GetById(int id) const {
    if (id < 0 || id >= kSlots) return nullptr;
    return slots[id].get();
}

int CStageAreaObjectTable::GetIdAt(int x, int y) const {
    auto it = tileIndex.find(PackTile(x, y));
    return it == tileIndex.end() ? 0 : it->second;
}

CStageAreaObject* CStageAreaObjectTable::GetAt(int x, int y) const {
    const int id = GetIdAt(x, y);
    return id == 0 ? nullptr : slots[id].get();
}

bool CStageAreaObjectTable::HasGoal() const {
    for (const std::unique_ptr<CStageAreaObject>& object : slots) {
        if (dynamic_cast<const CStageAreaObject_Goal*>(object.get())) return true;
    }
    return false;
}

bool CStageAreaObjectTable::HasLockedObject() const {
    for (const std::unique_ptr<CStageAreaObject>& object : slots) {
        if (object && object->IsLocked()) return true;
    }
    return false;
}

std::vector<StageObjectProblem> CStageAreaObjectTable::CollectProblems() const {
    std::vector<StageObjectProblem> problems;
    for (const std::unique_ptr<CStageAreaObject>& object : slots) {
        if (!object) continue;
        std::string text = object->GetProblemText();
        if (!text.empty()) problems.push_back({std::move(text), object->GetTileX(), object->GetTileY()});
    }
    return problems;
}

bool CStageAreaObjectTable::CanSpawn(int id) const {
    if (id < 0 || id >= kSlots) return false;
    if (ownerStage && ownerStage->scene) {
        if (auto* keys = dynamic_cast<IStageKeyQuery*>(ownerStage->scene)) {
            if (keys->IsKeyCollected(keys->GetCurrentAreaIndex(), id)) return false;
        }
    }
    return maySpawn[id] != 0;
}

void CStageAreaObjectTable::SetSpawnFlag(int id, bool flag) {
    if (id < 0 || id >= kSlots) return;
    maySpawn[id] = flag ? 1 : 0;
}

template <class F>
void CStageAreaObjectTable::ForVisibleTiles(int x1, int x2, int y1, int y2, F&& visit) {
    if (count == 0) return;
    const int sx[4] = {x1, x1, x2, x2};
    const int sy[4] = {y1, y2, y1, y2};
    int minCol = 0, maxCol = 0, minRow = 0, maxRow = 0;
    for (int i = 0; i < 4; ++i) {
        float wx = 0.0f, wy = 0.0f;
        stagesprite::ScreenToWorld(static_cast<float>(sx[i]), static_cast<float>(sy[i]), wx, wy);
        const int col = CStageAreaObject::CutToInt(wx) / 32;
        const int row = CStageAreaObject::CutToInt(wy) / 32;
        if (i == 0 || col < minCol) minCol = col;
        if (i == 0 || col > maxCol) maxCol = col;
        if (i == 0 || row < minRow) minRow = row;
        if (i == 0 || row > maxRow) maxRow = row;
    }
    // At most 255 objects: walking the records is cheaper than the tile window when it is large.
    const long long windowTiles =
        (static_cast<long long>(maxCol) - minCol + 2) * (static_cast<long long>(maxRow) - minRow + 2);
    if (windowTiles > 4 * kMaxObjects) {
        // Same visiting order: column by column, row by row within a column.
        std::vector<CStageAreaObject*> inside;
        for (const std::unique_ptr<CStageAreaObject>& slot : slots) {
            CStageAreaObject* o = slot.get();
            if (o && o->GetTileX() >= minCol - 1 && o->GetTileX() <= maxCol && o->GetTileY() >= minRow - 1 &&
                o->GetTileY() <= maxRow)
                inside.push_back(o);
        }
        std::sort(inside.begin(), inside.end(), [](const CStageAreaObject* a, const CStageAreaObject* b) {
            return a->GetTileX() != b->GetTileX() ? a->GetTileX() < b->GetTileX()
                                                  : a->GetTileY() < b->GetTileY();
        });
        for (CStageAreaObject* o : inside) visit(o);
        return;
    }
    for (int c = minCol - 1; c <= maxCol; ++c) {
        for (int r = minRow - 1; r <= maxRow; ++r) {
            if (CStageAreaObject* o = GetAt(c, r)) visit(o);
        }
    }
}

void CStageAreaObjectTable::DrawVisible(int x1, int x2, int y1, int y2) {
    ForVisibleTiles(x1, x2, y1, y2, [](CStageAreaObject* o) { o->DrawEditorImage(); });
}

void CStageAreaObjectTable::DrawVisibleOverlay(int x1, int x2, int y1, int y2) {
    ForVisibleTiles(x1, x2, y1, y2, [](CStageAreaObject* o) { o->DrawEditorOverlay(); });
}

std::string CStageAreaObjectTable::ToText() const {
    std::string out;
    for (const std::unique_ptr<CStageAreaObject>& object : slots) {
        if (object) out += object->ToText();
    }
    return out;
}

namespace {

// A tile coordinate of a record: decimal digits with an optional '-', within the int range.
std::optional<int> RecordTile(const std::string& field) {
    const size_t digits = !field.empty() && field[0] == '-' ? 1 : 0;
    if (field.size() <= digits || field.size() > 11 ||
        field.find_first_not_of("0123456789", digits) != std::string::npos)
        return std::nullopt;
    const long long v = std::strtoll(field.c_str(), nullptr, 10);
    if (v < INT_MIN || v > INT_MAX) return std::nullopt;
    return static_cast<int>(v);
}

// An attribute of a record as the game writes it: a fixed-point decimal, within the int range
// that every use cuts it to (an area number, a tile, a speed or a count). No exponent, nan or
// infinity: such a number would not write back as it was read.
std::optional<double> RecordAttribute(const std::string& field) {
    if (field.empty() || field.size() > 24 || field.find_first_not_of("0123456789.-") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(field.c_str(), &end);
    if (end != field.c_str() + field.size() || !std::isfinite(v) || v < -2147483648.0 || v > 2147483647.0)
        return std::nullopt;
    return v;
}

}  // namespace

bool CStageAreaObjectTable::AddFromRecord(const std::string& record) {
    if (std::count(record.begin(), record.end(), ':') > 9) return false;
    const std::vector<std::string> f = SplitString(record, ':');
    if (f.size() != 3 && f.size() != 8) return false;
    const std::optional<int> x = RecordTile(f[1]), y = RecordTile(f[2]);
    if (!x || !y) return false;
    if (f.size() == 3) return Add(f[0], *x, *y);
    std::optional<double> a[4];
    for (int i = 0; i < 4; ++i) {
        a[i] = RecordAttribute(f[3 + static_cast<size_t>(i)]);
        if (!a[i]) return false;
    }
    return Add(f[0], *x, *y, *a[0], *a[1], *a[2], *a[3], f[7]);
}

bool CStageAreaObjectTable::AllInside(int width, int height) const {
    return std::all_of(std::begin(slots), std::end(slots), [&](const std::unique_ptr<CStageAreaObject>& o) {
        return !o ||
               (o->GetTileX() >= 0 && o->GetTileX() < width && o->GetTileY() >= 0 && o->GetTileY() < height);
    });
}

bool CStageAreaObjectTable::FromText(const std::string& text) {
    Clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '|') continue;
        if (!AddFromRecord(text.substr(start, i - start))) {
            Clear();
            throw CStageDataException("SDE0005", "マップのオブジェクトを解析できません。");
        }
        start = i + 1;
    }
    return true;
}

bool IsDoorAreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_DoorBase*>(object) != nullptr;
}

bool IsDoorKey(const std::string& kindKey) {
    static const char* const kDoors[] = {"Door001",          "Door002", "Door003",
                                         "Door004",          "Door005", "KeyDoor001",
                                         "EnemyZeroDoor001", "Warp001", "InvisibleWarp001"};
    for (const char* k : kDoors) {
        if (kindKey == k) return true;
    }
    return false;
}
