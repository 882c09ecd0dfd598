#include "stage/AreaObjectKinds_Lifts.h"

#include <cstring>

namespace {

// The editor frame of a lift (see LiftStrokes).
enum class LiftFrame { H, V, B4, B3, B7, R, L, U };

// One lift kind: its icon, the live class, the offset from the tile's top-left pixel, the
// arguments (round trip: horizontal flag and phase in radians; wide lift: width kind 1..4) and
// its editor frame.
struct LiftKindRow {
    const char* key;
    const char* image;
    int left, top;
    const char* liveClass;
    int dx, dy;
    bool horizontal;
    double phase;
    int widthKind;  // 0: none
    LiftFrame frame;
};

const LiftKindRow kLiftKinds[] = {
    {"HorizontalLift001", "StageObjects002", 0, 64, "CRoundTripLift", 0, 0, true, 0.0, 0, LiftFrame::H},
    {"HorizontalLift002", "StageObjects002", 64, 64, "CRoundTripLift", 0, 0, true, 3.7, 0, LiftFrame::H},
    {"VerticalLift001", "StageObjects002", 32, 64, "CRoundTripLift", 0, 0, false, 1.5, 0, LiftFrame::V},
    {"VerticalLift002", "StageObjects002", 96, 64, "CRoundTripLift", 0, 0, false, 5.2, 0, LiftFrame::V},
    {"FallingLift001", "StageObjects002", 128, 64, "CFallingLift", -48, 0, false, 0.0, 0, LiftFrame::B4},
    {"RightMoveLift001", "StageObjects002", 160, 64, "CRightMoveLift", -32, 0, false, 0.0, 0, LiftFrame::R},
    {"LeftMoveLift001", "StageObjects002", 192, 64, "CLeftMoveLift", -32, 0, false, 0.0, 0, LiftFrame::L},
    {"RisingLift001", "StageObjects002", 224, 64, "CRisingLift", -32, 0, false, 0.0, 0, LiftFrame::U},
    {"CloudLift001", "StageObjects002", 128, 96, "CCloudLift", -32, 0, false, 0.0, 0, LiftFrame::B3},
    {"CustomLift001", "StageObjects002", 0, 96, "CCustomLift", -48, 0, false, 0.0, 0, LiftFrame::B4},
    {"WideLift001", "StageObjects003", 128, 64, "CWideLift", -96, 0, false, 0.0, 1, LiftFrame::B7},
    {"WideLift002", "StageObjects003", 160, 64, "CWideLift", -96, 0, false, 0.0, 2, LiftFrame::B7},
    {"WideLift003", "StageObjects003", 192, 64, "CWideLift", -96, 0, false, 0.0, 3, LiftFrame::B7},
    {"WideLift004", "StageObjects003", 224, 64, "CWideLift", -96, 0, false, 0.0, 4, LiftFrame::B7},
};

const LiftKindRow& FindLiftRow(const char* key) { return FindKindRow(kLiftKinds, key); }

// The platform outline (green) and the course (white) of a lift, for the camera's current view.
// X(a) = (tile x + a) x 32 and Y(b) = (tile y + b) x 32 in world pixels; every point is turned
// into the screen as a whole.
std::vector<ExtentStroke> LiftStrokes(LiftFrame frame, int tileX, int tileY) {
    auto X = [tileX](double a) { return (tileX + a) * 32.0; };
    auto Y = [tileY](double b) { return (tileY + b) * 32.0; };
    auto sx = [](double wx, double wy) { return FrameScreenX(wx, wy); };
    auto sy = [](double wx, double wy) { return FrameScreenY(wx, wy); };

    // Platform corners in the world.
    double ax = X(-1.5), ay = Y(0), bx = X(2.5), by = Y(0.5);  // four tiles wide (B4, H, V)
    switch (frame) {
        case LiftFrame::B3:
            ax = X(-1);
            bx = X(2);
            break;
        case LiftFrame::B7:
            ax = X(-3);
            bx = X(4);
            break;
        case LiftFrame::R:
        case LiftFrame::L:
        case LiftFrame::U:
            ax = X(-1);
            bx = X(2);
            by = Y(0.75);
            break;
        default:
            break;
    }
    const int left = sx(ax, ay), top = sy(ax, ay);
    const int right = sx(bx, by), bottom = sy(bx, by);

    std::vector<ExtentStroke> out;
    out.push_back(FrameRect(left, top, right, bottom, kFrameGreen));
    switch (frame) {
        case LiftFrame::H: {
            const int y = sy(X(0.5), Y(0.25));
            const int x1 = sx(X(-4), Y(0.25)), x2 = sx(X(5), Y(0.25));
            out.push_back(FrameLine(x1, y, x2, y, kFrameWhite));
            out.push_back(FrameLine(x1, top, x1, bottom, kFrameWhite));
            out.push_back(FrameLine(x2, top, x2, bottom, kFrameWhite));
            break;
        }
        case LiftFrame::V: {
            const int x = sx(X(0.5), Y(0.25));
            const int y1 = sy(X(0.5), Y(-2.5)), y2 = sy(X(0.5), Y(3));
            out.push_back(FrameLine(x, y1, x, y2, kFrameWhite));
            out.push_back(FrameLine(left, y1, right, y1, kFrameWhite));
            out.push_back(FrameLine(left, y2, right, y2, kFrameWhite));
            break;
        }
        case LiftFrame::R: {
            const int y = sy(X(0.5), Y(0.375));
            const int end = sx(X(14), Y(0.375));
            out.push_back(FrameLine(right, y, end, y, kFrameWhite));
            out.push_back(FrameLine(end, top, end, bottom, kFrameWhite));
            break;
        }
        case LiftFrame::L: {
            const int y = sy(X(0.5), Y(0.375));
            const int end = sx(X(-13), Y(0.375));
            out.push_back(FrameLine(end, y, left, y, kFrameWhite));
            out.push_back(FrameLine(end, top, end, bottom, kFrameWhite));
            break;
        }
        case LiftFrame::U: {
            const int x = sx(X(0.5), Y(0.25));
            const int end = sy(X(0.5), Y(-10.5));
            out.push_back(FrameLine(x, end, x, top, kFrameWhite));
            out.push_back(FrameLine(left, end, right, end, kFrameWhite));
            break;
        }
        default:
            break;  // B3, B4, B7: the outline only
    }
    return out;
}

}  // namespace

void AppendLiftKindCells(std::vector<KindEditorCell>& out) {
    for (const LiftKindRow& row : kLiftKinds) {
        out.push_back({row.key, row.image, row.left, row.top, row.left + 32, row.top + 32});
    }
}

#define QUOR_LIFT_COMMON(Cls, kindKey)                                                    \
    Cls::Cls(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x, int y) \
        : CStageAreaObject(stage, area, table, x, y) {                                    \
        static const LiftKindRow& row = FindLiftRow(kindKey);                             \
        SetKindImage(row.image, row.left, row.top, row.left + 32, row.top + 32);          \
        RefreshImages();                                                                  \
    }                                                                                     \
    std::vector<ExtentStroke> Cls::GetExtentStrokes() const {                             \
        static const LiftKindRow& row = FindLiftRow(kindKey);                             \
        return LiftStrokes(row.frame, tileX, tileY);                                      \
    }                                                                                     \
    void Cls::DrawExtentFrame() { DrawExtentStrokes(GetExtentStrokes()); }

#define QUOR_ROUND_TRIP_LIFT_BODY(Cls, kindKey)                                            \
    QUOR_LIFT_COMMON(Cls, kindKey)                                                         \
    LiveObjectSpec Cls::GetObjectSpec(bool) { return {}; }                                 \
    LiveObjectSpec Cls::GetStartObjectSpec(bool) {                                         \
        static const LiftKindRow& row = FindLiftRow(kindKey);                              \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), \
                        {row.horizontal, row.phase});                                      \
    }

#define QUOR_LIFT_BODY(Cls, kindKey)                                                              \
    QUOR_LIFT_COMMON(Cls, kindKey)                                                                \
    LiveObjectSpec Cls::GetObjectSpec(bool) {                                                     \
        static const LiftKindRow& row = FindLiftRow(kindKey);                                     \
        LiveObjectArgs args;                                                                      \
        if (row.widthKind != 0) args.emplace_back(row.widthKind);                                 \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), args); \
    }

QUOR_ROUND_TRIP_LIFT_BODY(CStageAreaObject_HorizontalLift001, "HorizontalLift001")
QUOR_ROUND_TRIP_LIFT_BODY(CStageAreaObject_HorizontalLift002, "HorizontalLift002")
QUOR_ROUND_TRIP_LIFT_BODY(CStageAreaObject_VerticalLift001, "VerticalLift001")
QUOR_ROUND_TRIP_LIFT_BODY(CStageAreaObject_VerticalLift002, "VerticalLift002")
QUOR_LIFT_BODY(CStageAreaObject_FallingLift001, "FallingLift001")
QUOR_LIFT_BODY(CStageAreaObject_RightMoveLift001, "RightMoveLift001")
QUOR_LIFT_BODY(CStageAreaObject_LeftMoveLift001, "LeftMoveLift001")
QUOR_LIFT_BODY(CStageAreaObject_RisingLift001, "RisingLift001")
QUOR_LIFT_BODY(CStageAreaObject_CloudLift001, "CloudLift001")
QUOR_LIFT_BODY(CStageAreaObject_WideLift001, "WideLift001")
QUOR_LIFT_BODY(CStageAreaObject_WideLift002, "WideLift002")
QUOR_LIFT_BODY(CStageAreaObject_WideLift003, "WideLift003")
QUOR_LIFT_BODY(CStageAreaObject_WideLift004, "WideLift004")

// ---- Custom lift -----------------------------------------------------------------------------

QUOR_LIFT_COMMON(CStageAreaObject_CustomLift001, "CustomLift001")

LiveObjectSpec CStageAreaObject_CustomLift001::GetObjectSpec(bool) {
    static const LiftKindRow& row = FindLiftRow("CustomLift001");
    // The route is passed on unchecked, an empty one included.
    return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), {text});
}

bool CStageAreaObject_CustomLift001::IsLocked() { return !IsKindItemBought("CustomLift001"); }

bool IsCustomLiftAreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_CustomLift001*>(object) != nullptr;
}
