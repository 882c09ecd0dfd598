#include "stage/AreaObjectKinds_Doors.h"

#include <cstring>

namespace {

const char kDoorImage[] = "StageObjects002";

// One door or warp kind: its icon cell, the live class, the offset from the tile's top-left pixel
// and the shop item that unlocks it (null: not a shop part; it is the kind key itself).
struct DoorKindRow {
    const char* key;
    int left, top;
    const char* liveClass;
    int dx, dy;
    const char* shopItem;
};

const DoorKindRow kDoorKinds[] = {
    {"Door001", 0, 0, "CDoorA", 0, -16, nullptr},
    {"Door002", 32, 0, "CDoorB", 0, -16, nullptr},
    {"Door003", 64, 0, "CShutter", 0, -16, nullptr},
    {"Door004", 96, 0, "CCaveHoleA", 0, -16, nullptr},
    {"Door005", 128, 0, "CCaveHoleB", 0, -16, nullptr},
    {"KeyDoor001", 160, 0, "CKeyDoor", 0, -16, nullptr},
    {"EnemyZeroDoor001", 64, 32, "CEnemyZeroDoor", 0, -16, "EnemyZeroDoor001"},
    {"Warp001", 192, 0, "CWarpPoint", 16, 16, "Warp001"},
    {"InvisibleWarp001", 224, 0, "CInvisibleWarpPoint", 16, 16, "InvisibleWarp001"},
};

const DoorKindRow& FindDoorRow(const char* key) { return FindKindRow(kDoorKinds, key); }

constexpr int kGoalLeft = 0, kGoalTop = 32;

}  // namespace

void AppendDoorKindCells(std::vector<KindEditorCell>& out) {
    // The goal comes before the doors in the factory list.
    out.push_back({"Goal", kDoorImage, kGoalLeft, kGoalTop, kGoalLeft + 32, kGoalTop + 32});
    for (const DoorKindRow& row : kDoorKinds) {
        out.push_back({row.key, kDoorImage, row.left, row.top, row.left + 32, row.top + 32});
    }
}

// The destination is passed exactly as stored (each attribute cut toward zero); whether the area
// exists is the door base's problem text and the play scene's concern.
#define QUOR_DOOR_KIND_BODY(Cls, kindKey)                                                  \
    Cls::Cls(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x, int y)  \
        : CStageAreaObject_DoorBase(stage, area, table, x, y) {                            \
        static const DoorKindRow& row = FindDoorRow(kindKey);                              \
        SetKindImage(kDoorImage, row.left, row.top, row.left + 32, row.top + 32);          \
        RefreshImages();                                                                   \
    }                                                                                      \
    LiveObjectSpec Cls::GetObjectSpec(bool) {                                              \
        static const DoorKindRow& row = FindDoorRow(kindKey);                              \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), \
                        {CutToInt(a1), CutToInt(a2), CutToInt(a3)});                       \
    }

#define QUOR_DOOR_KIND_LOCK(Cls, kindKey)                     \
    bool Cls::IsLocked() {                                    \
        static const DoorKindRow& row = FindDoorRow(kindKey); \
        return !IsKindItemBought(row.shopItem);               \
    }

QUOR_DOOR_KIND_BODY(CStageAreaObject_Door001, "Door001")
QUOR_DOOR_KIND_BODY(CStageAreaObject_Door002, "Door002")
QUOR_DOOR_KIND_BODY(CStageAreaObject_Door003, "Door003")
QUOR_DOOR_KIND_BODY(CStageAreaObject_Door004, "Door004")
QUOR_DOOR_KIND_BODY(CStageAreaObject_Door005, "Door005")
QUOR_DOOR_KIND_BODY(CStageAreaObject_KeyDoor001, "KeyDoor001")
QUOR_DOOR_KIND_BODY(CStageAreaObject_EnemyZeroDoor001, "EnemyZeroDoor001")
QUOR_DOOR_KIND_LOCK(CStageAreaObject_EnemyZeroDoor001, "EnemyZeroDoor001")
QUOR_DOOR_KIND_BODY(CStageAreaObject_Warp001, "Warp001")
QUOR_DOOR_KIND_LOCK(CStageAreaObject_Warp001, "Warp001")
QUOR_DOOR_KIND_BODY(CStageAreaObject_InvisibleWarp001, "InvisibleWarp001")
QUOR_DOOR_KIND_LOCK(CStageAreaObject_InvisibleWarp001, "InvisibleWarp001")

// ---- Goal ------------------------------------------------------------------------------------

CStageAreaObject_Goal::CStageAreaObject_Goal(CStage* stage, CStageArea* area, CStageAreaObjectTable* table,
                                             int x, int y)
    : CStageAreaObject(stage, area, table, x, y) {
    SetKindImage(kDoorImage, kGoalLeft, kGoalTop, kGoalLeft + 32, kGoalTop + 32);
    RefreshImages();
}

LiveObjectSpec CStageAreaObject_Goal::GetObjectSpec(bool) {
    return LiveSpec("CNormalGoal", TilePixel(tileX, 0), TilePixel(tileY, -8));
}
