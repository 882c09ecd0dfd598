#include "stage/AreaObjectKinds_Blocks.h"

#include <cstring>

namespace {

const char kBlockImage[] = "StageObjects002";

// One block kind: its icon cell, the live class, the offset from the tile's top-left pixel and
// whether it is one of the tall stone blocks (a frame half a tile higher).
struct BlockKindRow {
    const char* key;
    int left, top;
    const char* liveClass;
    int dx, dy;
    bool tall;
};

const BlockKindRow kBlockKinds[] = {
    {"WoodBlock001", 0, 128, "CWoodBlock001", 0, -32, false},
    {"WoodBlock002", 32, 96, "CWoodBlock002", 0, -32, false},
    {"WoodBlock003", 64, 96, "CWoodBlock003", 0, -32, false},
    {"WoodBlock004", 160, 96, "CWoodBlock004", 0, -32, false},
    {"StoneBlock001", 32, 128, "CStoneBlock001", 0, -32, false},
    {"StoneBlock002", 64, 128, "CStoneBlock002", 0, -32, false},
    {"StoneBlock003", 224, 224, "CStoneBlock003", 0, -48, true},
    {"StoneBlock004", 96, 96, "CStoneBlock004", 0, -48, true},
};

const BlockKindRow& FindBlockRow(const char* key) { return FindKindRow(kBlockKinds, key); }

// The green outline of the tiles a block covers: its tile, the tile to its right and the two
// above them; a tall block half a tile more upward.
std::vector<ExtentStroke> BlockStrokes(const BlockKindRow& row, int tileX, int tileY) {
    const double x1 = tileX * 32.0, y1 = (tileY + (row.tall ? -1.5 : -1.0)) * 32.0;
    const double x2 = (tileX + 2) * 32.0, y2 = (tileY + 1) * 32.0;
    return {FrameRect(FrameScreenX(x1, y1), FrameScreenY(x1, y1), FrameScreenX(x2, y2), FrameScreenY(x2, y2),
                      kFrameGreen)};
}

}  // namespace

void AppendBlockKindCells(std::vector<KindEditorCell>& out) {
    for (const BlockKindRow& row : kBlockKinds) {
        out.push_back({row.key, kBlockImage, row.left, row.top, row.left + 32, row.top + 32});
    }
}

std::string BlockContentName(const std::string& contentKey) {
    static const struct {
        const char* key;
        const char* name;
    } kContents[] = {
        {"Pokikki001", "ポキッキー"},
        {"AirPokikki001", "空中ポキッキー"},
        {"Umaibo001", "うまぁい棒"},
        {"IceBar001", "ホムーランバー"},
        {"1UP001", "１機アップ"},
        {"Key", "鍵"},
        {"RedWhitePole", "ものほし竿or高飛び棒"},
        {"WoodenMallet", "きね"},
        {"Propeller", "プロペラ"},
        {"Hose", "ホース"},
    };
    for (const auto& content : kContents) {
        if (contentKey == content.key) return content.name;
    }
    return std::string();
}

#define QUOR_BLOCK_COMMON(Cls, kindKey)                                                   \
    Cls::Cls(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x, int y) \
        : CStageAreaObject(stage, area, table, x, y) {                                    \
        static const BlockKindRow& row = FindBlockRow(kindKey);                           \
        SetKindImage(kBlockImage, row.left, row.top, row.left + 32, row.top + 32);        \
        RefreshImages();                                                                  \
    }                                                                                     \
    LiveObjectSpec Cls::GetObjectSpec(bool) { return {}; }                                \
    std::vector<ExtentStroke> Cls::GetExtentStrokes() const {                             \
        static const BlockKindRow& row = FindBlockRow(kindKey);                           \
        return BlockStrokes(row, tileX, tileY);                                           \
    }                                                                                     \
    void Cls::DrawExtentFrame() { DrawExtentStrokes(GetExtentStrokes()); }

#define QUOR_BLOCK_BODY(Cls, kindKey)                                                       \
    QUOR_BLOCK_COMMON(Cls, kindKey)                                                         \
    LiveObjectSpec Cls::GetStartObjectSpec(bool) {                                          \
        static const BlockKindRow& row = FindBlockRow(kindKey);                             \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy)); \
    }

QUOR_BLOCK_BODY(CStageAreaObject_WoodBlock001, "WoodBlock001")
QUOR_BLOCK_COMMON(CStageAreaObject_WoodBlock002, "WoodBlock002")
QUOR_BLOCK_BODY(CStageAreaObject_WoodBlock003, "WoodBlock003")
QUOR_BLOCK_BODY(CStageAreaObject_WoodBlock004, "WoodBlock004")
QUOR_BLOCK_BODY(CStageAreaObject_StoneBlock001, "StoneBlock001")
QUOR_BLOCK_BODY(CStageAreaObject_StoneBlock002, "StoneBlock002")
QUOR_BLOCK_BODY(CStageAreaObject_StoneBlock003, "StoneBlock003")
QUOR_BLOCK_BODY(CStageAreaObject_StoneBlock004, "StoneBlock004")

// ---- The block with an item ------------------------------------------------------------------

std::string CStageAreaObject_WoodBlock002::GetInfoText() { return name + " " + BlockContentName(text); }

LiveObjectSpec CStageAreaObject_WoodBlock002::GetStartObjectSpec(bool) {
    static const BlockKindRow& row = FindBlockRow("WoodBlock002");
    // The content key goes on unchecked; the live block decides what an unknown one releases.
    return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), {text});
}

bool IsWoodBlock002AreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_WoodBlock002*>(object) != nullptr;
}

bool IsWoodBlock002Key(const std::string& kindKey) { return kindKey == "WoodBlock002"; }
