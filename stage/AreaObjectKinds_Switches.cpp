#include "stage/AreaObjectKinds_Switches.h"

#include <cstring>

#include "stage/StageSprite.h"

namespace {

const char kSwitchImage[] = "StageObjects002";

// One switch kind: its red, green and blue icon cells (left, top), the live class and the
// offset from the tile's top-left pixel.
struct SwitchKindRow {
    const char* key;
    int cells[3][2];
    const char* liveClass;
    int dx, dy;
};

const SwitchKindRow kSwitchKinds[] = {
    {"Switch001", {{96, 128}, {128, 128}, {160, 128}}, "CPushSwitch", 3, 8},
    {"Switch002", {{192, 128}, {224, 128}, {0, 160}}, "CTimerSwitch", 3, 2},
    {"Switch003", {{32, 160}, {64, 160}, {96, 160}}, "CChangeSwitch", 3, 8},
    {"Switch004", {{128, 160}, {160, 160}, {192, 160}}, "CDevilSwitch", 6, 12},
    {"Switch005", {{224, 160}, {64, 224}, {96, 224}}, "CSpringSwitch", 3, 8},
    {"Switch006", {{128, 224}, {160, 224}, {192, 224}}, "CForceSwitch", 3, 4},
};

const SwitchKindRow& FindSwitchRow(const char* key) { return FindKindRow(kSwitchKinds, key); }

}  // namespace

void AppendSwitchKindCells(std::vector<KindEditorCell>& out) {
    for (const SwitchKindRow& row : kSwitchKinds) {
        for (const auto& cell : row.cells) {
            out.push_back({row.key, kSwitchImage, cell[0], cell[1], cell[0] + 32, cell[1] + 32});
        }
    }
}

// ---- Switch base -----------------------------------------------------------------------------

CStageAreaObject_SwitchBase::CStageAreaObject_SwitchBase(CStage* stage, CStageArea* area,
                                                         CStageAreaObjectTable* table, int x, int y)
    : CStageAreaObject(stage, area, table, x, y) {}

CStageAreaObject_SwitchBase::~CStageAreaObject_SwitchBase() = default;

void CStageAreaObject_SwitchBase::MakeColorImages(const int cells[3][2]) {
    OwnedSprite* images[3] = {&redImage, &greenImage, &blueImage};
    for (int i = 0; i < 3; ++i) {
        images[i]->reset();  // the old image goes before the new one is made
        *images[i] = stagesprite::Create("System", kSwitchImage, 2, cells[i][0], cells[i][1],
                                         cells[i][0] + 32, cells[i][1] + 32);
    }
}

int CStageAreaObject_SwitchBase::GetColor() const {
    const int c = CutToInt(a1);
    return (c == 0 || c == 1) ? c : 2;
}

CSprite* CStageAreaObject_SwitchBase::GetColorImage(int color) const {
    switch (color) {
        case 0:
            return redImage.get();
        case 1:
            return greenImage.get();
        case 2:
            return blueImage.get();
        default:
            return nullptr;
    }
}

std::string CStageAreaObject_SwitchBase::GetInfoText() {
    static const char* const kColorTexts[] = {" (赤)", " (緑)", " (青)"};
    return name + kColorTexts[GetColor()];
}

void CStageAreaObject_SwitchBase::RefreshImages() {
    CStageAreaObject::RefreshImages();
    const float x = static_cast<float>(TilePixel(tileX, 16)) * stagesprite::kUnitsPerPixel;
    const float y = static_cast<float>(TilePixel(tileY, 16)) * stagesprite::kUnitsPerPixel;
    for (const OwnedSprite* image : {&redImage, &greenImage, &blueImage}) {
        stagesprite::SetPosition(image->get(), x, y, -0.001f);
    }
}

void CStageAreaObject_SwitchBase::DrawEditorImage() {
    DrawEditorImages(GetColorImage(GetColor()), 1.0f, true);
}

void CStageAreaObject_SwitchBase::DrawEditorOverlay() {
    DrawEditorImages(GetColorImage(GetColor()), 0.5f, false);
}

bool IsSwitchAreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_SwitchBase*>(object) != nullptr;
}

// ---- Kinds -----------------------------------------------------------------------------------

#define QUOR_SWITCH_BODY(Cls, kindKey)                                                                    \
    Cls::Cls(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x, int y)                 \
        : CStageAreaObject_SwitchBase(stage, area, table, x, y) {                                         \
        static const SwitchKindRow& row = FindSwitchRow(kindKey);                                         \
        MakeColorImages(row.cells);                                                                       \
        RefreshImages();                                                                                  \
    }                                                                                                     \
    LiveObjectSpec Cls::GetObjectSpec(bool) {                                                             \
        static const SwitchKindRow& row = FindSwitchRow(kindKey);                                         \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), {GetColor()}); \
    }

QUOR_SWITCH_BODY(CStageAreaObject_Switch001, "Switch001")
QUOR_SWITCH_BODY(CStageAreaObject_Switch002, "Switch002")
QUOR_SWITCH_BODY(CStageAreaObject_Switch003, "Switch003")
QUOR_SWITCH_BODY(CStageAreaObject_Switch004, "Switch004")
QUOR_SWITCH_BODY(CStageAreaObject_Switch005, "Switch005")
QUOR_SWITCH_BODY(CStageAreaObject_Switch006, "Switch006")

bool CStageAreaObject_Switch004::IsLocked() { return !IsKindItemBought("Switch004"); }
