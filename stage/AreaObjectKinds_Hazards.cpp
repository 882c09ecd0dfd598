#include "stage/AreaObjectKinds_Hazards.h"

#include <cstring>

#include "foundation/Geometry.h"

namespace {

const char kHazardImage[] = "StageObjects001";

// One hazard kind: its icon cell, the live class, the offset from the tile's top-left pixel and,
// for batteries and burners, the firing direction 0..3 (for the air gears, the variant 0 or 1).
struct HazardKindRow {
    const char* key;
    int left, top;
    const char* liveClass;
    int dx, dy;
    int direction;
};

const HazardKindRow kHazardKinds[] = {
    {"Battery001", 0, 160, "CNormalBattery", 8, 8, 0},
    {"Battery002", 32, 160, "CNormalBattery", 0, 8, 1},
    {"Battery003", 64, 160, "CNormalBattery", 8, 0, 2},
    {"Battery004", 96, 160, "CNormalBattery", 8, 8, 3},
    {"Burner001", 128, 160, "CBurner", 8, 8, 0},
    {"Burner002", 160, 160, "CBurner", 0, 8, 1},
    {"Burner003", 192, 160, "CBurner", 8, 0, 2},
    {"Burner004", 224, 160, "CBurner", 8, 8, 3},
    {"IronBall001", 0, 192, "CIronBall", 16, 16, 0},
    {"SwitchBomb001", 32, 192, "CSwitchBomb", -8, 0, 0},
    {"FloatingBomb001", 64, 192, "CFloatingBomb", 16, 16, 0},
    {"AirGear001", 96, 192, "CAirGear", 16, 16, 0},
    {"AirGear002", 128, 192, "CAirGear", 16, 16, 1},
    {"House001", 160, 192, "CDevilHouse", -16, -40, 0},
};

const HazardKindRow& FindHazardRow(const char* key) { return FindKindRow(kHazardKinds, key); }

// The start angle of an air gear's arm for its timing, in radians, not reduced below 2 pi.
double AirGearStartAngle(int variant, int timing) {
    if (variant == 0) {
        switch (timing) {
            case 0:
                return 0.0;
            case 1:
                return kPi * 0.5;
            case 2:
                return kPi;
            default:
                return kPi * 1.5;
        }
    }
    switch (timing) {
        case 0:
            return kPi;
        case 1:
            return kPi * 1.5;
        case 2:
            return kPi + kPi;
        default:
            return kPi * 2.5;
    }
}

// Screen centre of a tile and the circles of the given world radii about it.
std::vector<ExtentStroke> CirclesAboutTile(int tileX, int tileY, std::initializer_list<double> radii) {
    const double wx = TilePixel(tileX, 16);
    const double wy = TilePixel(tileY, 16);
    const int cx = FrameScreenX(wx, wy);
    const int cy = FrameScreenY(wx, wy);
    std::vector<ExtentStroke> out;
    for (double r : radii) out.push_back(FrameCircle(cx, cy, FrameScreenLength(r), kFrameRed));
    return out;
}

}  // namespace

void AppendHazardKindCells(std::vector<KindEditorCell>& out) {
    for (const HazardKindRow& row : kHazardKinds) {
        out.push_back({row.key, kHazardImage, row.left, row.top, row.left + 32, row.top + 32});
    }
}

// ---- Timing base -----------------------------------------------------------------------------

CStageAreaObject_TimingChangableBase::CStageAreaObject_TimingChangableBase(CStage* stage, CStageArea* area,
                                                                           CStageAreaObjectTable* table,
                                                                           int x, int y)
    : CStageAreaObject(stage, area, table, x, y) {}

int CStageAreaObject_TimingChangableBase::GetTiming() const {
    const int t = CutToInt(a1);
    return (t == 0 || t == 1 || t == 2) ? t : 3;
}

std::string CStageAreaObject_TimingChangableBase::GetInfoText() {
    static const char* const kTimingTexts[] = {" タイミング：Ａ", " タイミング：Ｂ", " タイミング：Ｃ",
                                               " タイミング：Ｄ"};
    return name + kTimingTexts[GetTiming()];
}

bool IsTimingChangableAreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_TimingChangableBase*>(object) != nullptr;
}

// ---- Kinds -----------------------------------------------------------------------------------

#define QUOR_HAZARD_CONSTRUCTOR(Cls, Base, kindKey)                                       \
    Cls::Cls(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x, int y) \
        : Base(stage, area, table, x, y) {                                                \
        static const HazardKindRow& row = FindHazardRow(kindKey);                         \
        SetKindImage(kHazardImage, row.left, row.top, row.left + 32, row.top + 32);       \
        RefreshImages();                                                                  \
    }

// Batteries and burners: (direction, firing timing); a1 is read afresh at every creation.
#define QUOR_TIMED_HAZARD_BODY(Cls, kindKey)                                               \
    QUOR_HAZARD_CONSTRUCTOR(Cls, CStageAreaObject_TimingChangableBase, kindKey)            \
    LiveObjectSpec Cls::GetObjectSpec(bool) {                                              \
        static const HazardKindRow& row = FindHazardRow(kindKey);                          \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), \
                        {row.direction, GetTiming()});                                     \
    }

// The hazards without timing: (owner stage, x, y) only.
#define QUOR_PLAIN_HAZARD_BODY(Cls, kindKey)                                                \
    QUOR_HAZARD_CONSTRUCTOR(Cls, CStageAreaObject, kindKey)                                 \
    LiveObjectSpec Cls::GetObjectSpec(bool) {                                               \
        static const HazardKindRow& row = FindHazardRow(kindKey);                           \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy)); \
    }

#define QUOR_AIR_GEAR_BODY(Cls, kindKey)                                                   \
    QUOR_HAZARD_CONSTRUCTOR(Cls, CStageAreaObject_TimingChangableBase, kindKey)            \
    LiveObjectSpec Cls::GetObjectSpec(bool) { return {}; }                                 \
    LiveObjectSpec Cls::GetStartObjectSpec(bool) {                                         \
        static const HazardKindRow& row = FindHazardRow(kindKey);                          \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), \
                        {row.direction, AirGearStartAngle(row.direction, GetTiming())});   \
    }                                                                                      \
    std::vector<ExtentStroke> Cls::GetExtentStrokes() const {                              \
        return CirclesAboutTile(tileX, tileY, {96.0, 64.0});                               \
    }                                                                                      \
    void Cls::DrawExtentFrame() { DrawExtentStrokes(GetExtentStrokes()); }

QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Battery001, "Battery001")
QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Battery002, "Battery002")
QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Battery003, "Battery003")
QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Battery004, "Battery004")
QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Burner001, "Burner001")
QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Burner002, "Burner002")
QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Burner003, "Burner003")
QUOR_TIMED_HAZARD_BODY(CStageAreaObject_Burner004, "Burner004")
QUOR_PLAIN_HAZARD_BODY(CStageAreaObject_IronBall001, "IronBall001")
QUOR_PLAIN_HAZARD_BODY(CStageAreaObject_SwitchBomb001, "SwitchBomb001")
QUOR_PLAIN_HAZARD_BODY(CStageAreaObject_FloatingBomb001, "FloatingBomb001")
QUOR_AIR_GEAR_BODY(CStageAreaObject_AirGear001, "AirGear001")
QUOR_AIR_GEAR_BODY(CStageAreaObject_AirGear002, "AirGear002")
QUOR_PLAIN_HAZARD_BODY(CStageAreaObject_House001, "House001")

std::vector<ExtentStroke> CStageAreaObject_IronBall001::GetExtentStrokes() const {
    return CirclesAboutTile(tileX, tileY, {48.0});
}
void CStageAreaObject_IronBall001::DrawExtentFrame() { DrawExtentStrokes(GetExtentStrokes()); }

std::vector<ExtentStroke> CStageAreaObject_SwitchBomb001::GetExtentStrokes() const {
    const double x1 = (tileX - 0.25) * 32.0, y1 = tileY * 32.0;
    const double x2 = (tileX + 1.25) * 32.0, y2 = (tileY + 0.95) * 32.0;
    return {FrameRect(FrameScreenX(x1, y1), FrameScreenY(x1, y1), FrameScreenX(x2, y2), FrameScreenY(x2, y2),
                      kFrameGreen)};
}
void CStageAreaObject_SwitchBomb001::DrawExtentFrame() { DrawExtentStrokes(GetExtentStrokes()); }
