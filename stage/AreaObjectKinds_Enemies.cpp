#include "stage/AreaObjectKinds_Enemies.h"

namespace {

const char kEnemyImage[] = "StageObjects001";

// The enemy and boss kinds in factory order, one row each: adding an enemy to the stage model is
// adding its row here.
const EnemyKindRow kEnemyKinds[] = {
    {"Kid001", 64, 0, "CKid001", 0, 2, true, 0, {0, 0}, nullptr},
    {"Kid002", 96, 0, "CKid002", 0, 2, true, 0, {0, 0}, nullptr},
    {"Pukka001", 160, 0, "CPukka001", 16, 16, false, 0, {0, 0}, nullptr},
    {"Chop001", 192, 0, "CChop001", 6, -8, true, 1, {0, 0}, nullptr},
    {"Chop002", 224, 0, "CChop001", 6, -8, true, 1, {1, 0}, "Chop002"},
    {"Gun001", 160, 128, "CGun001", 6, -8, true, 1, {0, 0}, nullptr},
    {"Gun002", 192, 128, "CGun001", 6, -8, true, 1, {1, 0}, "Gun002"},
    {"Moyashi001", 0, 32, "CMoyashi001", 16, 20, true, 0, {0, 0}, nullptr},
    {"Moyashi002", 32, 32, "CMoyashi002", 16, 20, true, 0, {0, 0}, nullptr},
    {"Flower001", 64, 32, "CFlower001", 4, 4, false, 0, {0, 0}, nullptr},
    {"Flower002", 96, 32, "CFlower002", 4, 4, false, 0, {0, 0}, nullptr},
    {"IceSculpture001", 128, 32, "CIceSculpture001", 7, -18, true, 0, {0, 0}, nullptr},
    {"Drill001", 160, 32, "CDrill001", 0, 4, true, 0, {0, 0}, nullptr},
    {"TonFar001", 192, 32, "CTonFar001", -2, -32, true, 0, {0, 0}, "TonFar001"},
    {"Professor001", 224, 32, "CProfessor001", 8, -8, true, 0, {0, 0}, nullptr},
    {"Fish001", 0, 64, "CFish001", 0, 2, true, 2, {0, 0}, nullptr},
    {"Fish002", 32, 64, "CFish_Controller001", 0, 0, true, 0, {0, 0}, nullptr},
    {"Fish003", 32, 96, "CFish002", -14, 10, true, 0, {0, 0}, nullptr},
    {"Fish004", 64, 96, "CFish003", -2, 5, true, 0, {0, 0}, nullptr},
    {"Bat001", 64, 64, "CBat001", 16, 20, false, 1, {0, 0}, nullptr},
    {"Bat002", 96, 64, "CBat001", 16, 20, false, 1, {1, 0}, nullptr},
    {"Sphere001", 128, 64, "CSphere001", 16, 16, false, 1, {0, 0}, nullptr},
    {"Sphere002", 160, 64, "CSphere001", 16, 16, false, 1, {1, 0}, nullptr},
    {"Caterpillar001", 192, 64, "CCaterpillar001", 4, 2, true, 1, {3, 0}, nullptr},
    {"Caterpillar002", 224, 64, "CCaterpillar001", 4, 2, true, 1, {5, 0}, nullptr},
    {"Caterpillar003", 0, 96, "CCaterpillar001", 4, 2, true, 1, {7, 0}, nullptr},
    {"Megane001", 96, 96, "CMegane001", 6, -4, true, 1, {0, 0}, nullptr},
    {"Megane002", 128, 96, "CMegane001", 6, -4, true, 1, {1, 0}, nullptr},
    {"Tornado001", 160, 96, "CTornado001", 0, 0, true, 1, {0, 0}, nullptr, EnemyExtent::kHorizontalRange},
    {"Tornado002", 192, 96, "CTornado001", 0, 0, true, 1, {1, 0}, nullptr, EnemyExtent::kVerticalRange},
    {"Ichigo001", 224, 96, "CIchigo001", 4, 4, true, 0, {0, 0}, nullptr},
    {"Oto001", 0, 128, "COtoBall001", 16, 12, true, 0, {0, 0}, "Oto001"},
    {"Needle001", 32, 128, "CNeedle001", -8, 4, true, 0, {0, 0}, nullptr},
    {"Nageru001", 64, 128, "CNageru001", -4, -4, true, 1, {0, 0}, nullptr},
    {"Nageru002", 96, 128, "CNageru001", -4, -4, true, 1, {1, 0}, nullptr},
    {"SkyMobile001", 128, 128, "CSkyMobile001", -36, -4, true, 0, {0, 0}, "SkyMobile001"},
    {"Magician001", 224, 128, "CMagician_Controller001", 0, 0, true, 0, {0, 0}, "Magician001"},
    // The test bosses show the icon of "Kid001".
    {"TestBoss001", 64, 0, "CTestBoss001", 0, 2, true, 0, {0, 0}, nullptr},
    {"TestBoss002", 64, 0, "CTestBoss002", 0, 2, true, 0, {0, 0}, nullptr},
    {"BarMan001", 192, 192, "CBarManRed", 6, -6, true, 1, {1, 0}, "BarMan001"},
    {"BarMan002", 224, 192, "CBarManYellow", 6, -6, true, 1, {1, 0}, "BarMan002"},
    {"BarMan003", 0, 224, "CBarManBlue", 6, -6, true, 1, {1, 0}, "BarMan003"},
    {"BarMan004", 32, 224, "CBarManGreen", 6, -6, true, 1, {1, 0}, "BarMan004"},
    {"BarMan005", 64, 224, "CBarManPink", 6, -6, true, 1, {1, 0}, "BarMan005"},
    {"DevilBar001", 96, 224, "CLastBoss_Controller", 0, 0, true, 0, {0, 0}, "DevilBar001"},
};

// The live object's arguments after its position. facing = NOT side: the tile lies left of the
// hero, so the enemy starts out toward him.
LiveObjectArgs EnemyArgs(const EnemyKindRow& row, bool side) {
    LiveObjectArgs args;
    if (row.facing) args.emplace_back(!side);
    for (int i = 0; i < row.extraCount; ++i) args.emplace_back(row.extra[i]);
    return args;
}

// ---- Tornado range marks ---------------------------------------------------------------------
// X(a) = (tile x + a) x 32, Y(b) = (tile y + b) x 32. Every screen x is taken at the height
// Y(0.5), every screen y at X(0.5).
std::vector<ExtentStroke> TornadoStrokes(int tileX, int tileY, bool horizontal) {
    auto X = [tileX](double a) { return (tileX + a) * 32.0; };
    auto Y = [tileY](double b) { return (tileY + b) * 32.0; };
    auto sx = [&](double wx) { return FrameScreenX(wx, Y(0.5)); };
    auto sy = [&](double wy) { return FrameScreenY(X(0.5), wy); };
    std::vector<ExtentStroke> out;
    if (horizontal) {
        out.push_back(FrameLine(sx(X(-2.5)), sy(Y(0.5)), sx(X(3.5)), sy(Y(0.5)), kFrameWhite));
        out.push_back(FrameLine(sx(X(-2.5)), sy(Y(0)), sx(X(-2.5)), sy(Y(1)), kFrameWhite));
        out.push_back(FrameLine(sx(X(3.5)), sy(Y(0)), sx(X(3.5)), sy(Y(1)), kFrameWhite));
    } else {
        out.push_back(FrameLine(sx(X(0.5)), sy(Y(-2.5)), sx(X(0.5)), sy(Y(3.5)), kFrameWhite));
        out.push_back(FrameLine(sx(X(0)), sy(Y(-2.5)), sx(X(1)), sy(Y(-2.5)), kFrameWhite));
        out.push_back(FrameLine(sx(X(0)), sy(Y(3.5)), sx(X(1)), sy(Y(3.5)), kFrameWhite));
    }
    return out;
}

}  // namespace

CStageAreaObject_Enemy::CStageAreaObject_Enemy(const EnemyKindRow& kindRow, CStage* stage, CStageArea* area,
                                               CStageAreaObjectTable* table, int x, int y)
    : CStageAreaObject(stage, area, table, x, y), row(kindRow) {
    SetKindImage(kEnemyImage, row.left, row.top, row.left + 32, row.top + 32);
    RefreshImages();
}

LiveObjectSpec CStageAreaObject_Enemy::GetObjectSpec(bool side) {
    return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), EnemyArgs(row, side));
}

bool CStageAreaObject_Enemy::IsLocked() { return row.shopItem != nullptr && !IsKindItemBought(row.shopItem); }

std::vector<ExtentStroke> CStageAreaObject_Enemy::GetExtentStrokes() const {
    if (row.extent == EnemyExtent::kNone) return {};
    return TornadoStrokes(tileX, tileY, row.extent == EnemyExtent::kHorizontalRange);
}

void CStageAreaObject_Enemy::DrawExtentFrame() {
    if (row.extent != EnemyExtent::kNone) DrawExtentStrokes(GetExtentStrokes());
}

void AddEnemyKinds(StageAreaObjectKindList& list) { AddRowKinds<CStageAreaObject_Enemy>(list, kEnemyKinds); }

void AppendEnemyKindCells(std::vector<KindEditorCell>& out) { AppendRowCells(out, kEnemyImage, kEnemyKinds); }
