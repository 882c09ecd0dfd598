#pragma once
// The stick-man bosses' figure as data: the 72 pose cells (two pages of 6 x 6) with where the
// hands and the bar sit in each, which cells stand 8 pixels forward, and the eleven bar effects
// (swooshes, flashes and glows around the bar) with their time windows. The functions here only
// compute; CBarManBase turns their answers into sprites.
#include <array>

// How a pose holds its bar.
enum BarHold {
    kBarFixed = 0,  // at the row's angle
    kBarDisc = 1,   // a spinning disc
    kBarBody = 2,   // turned with the body
    kBarSpin = 3,   // turned by the spin clock
};

// Markers in the pose table's bar and hand columns.
inline constexpr int kPoseHidden = -128;
inline constexpr int kPoseFromHandX = 1000;  // bar x: hand 1 x - 30
inline constexpr int kPoseFromHandY = 1001;  // bar y: hand 1 y - 2
inline constexpr int kPoseCentred = 1002;    // bar centred by its rotation

struct BarManPoseRow {
    int hand1X, hand1Y, hand2X, hand2Y;
    int barX, barY;
    BarHold hold;
    double barAngle;  // radians, for kBarFixed
};

// Row r + 6c + 36(page - 1) of the table; null outside pages 1..2, columns and rows 0..5.
const BarManPoseRow* FindBarManPose(int page, int column, int row);
// The cells whose body stands 8 pixels forward of the centre.
bool IsBarManPoseShifted(int page, int column, int row);

// Everything of one figure that follows from its pose, without sprites.
struct BarManFigureLayout {
    int bodyImage = 0;  // n of "Boss%03d_L/_R"
    std::array<int, 4> bodyCell{};
    double bodyTurn = 0;
    int bodyShift = 0;
    bool disc = false;  // the bar is a frame of the spinning disc
    int discFrame = 0;  // 1..8
    std::array<int, 4> discCell{};
    double barTurn = 0;  // the bar sprite's rotation
    int barX = 0, barY = 0;
    int hand1X = 0, hand1Y = 0, hand2X = 0, hand2Y = 0;
    bool barInFront = false;
};

// The layout of pose (page, column, row) for a boss of a colour (its bar kind) facing right or
// left, at a body angle and spin clock. False for a cell outside the table.
bool LayoutBarManPose(int colour, int page, int column, int row, bool right, double angle, double spinTime,
                      BarManFigureLayout* out);

// Which frame (1..8) of the spinning disc shows at a spin clock.
int GetBarManDiscFrame(double spinTime);

// One bar effect cell for a figure: the image (1..4 of the colour's set), the cell, where it sits
// from the body part, its scales, alpha and turn.
struct BarEffectChoice {
    int image = 0;
    std::array<int, 4> cell{};
    int offsetX = 0, offsetY = 0;
    double scaleX = 1, scaleY = 1;
    double alpha = 1;
    double turn = 0;
};

// The effect of a kind (1..11) at effect clock T for a bar of length barLength, facing right or
// left, with the body angle and the bar's own offset. False when nothing shows.
bool ChooseBarEffect(int kind, double T, int barKind, bool right, double angle, int barX, int barY,
                     BarEffectChoice* out);

// "Bar_Effect%03d_L/_R": the sheet number of image 1..4 for a colour.
int GetBarEffectSheet(int colour, int image);
