#include "stage/StageChips.h"

#include <numbers>

uint8_t SwitchColorStates::states[3] = {0, 0, 0};

std::string StageCategoryName(int category) {
    if (category == StageCategory_Scenario) return "Scenario";
    if (category == StageCategory_Local) return "Local";
    return "DownLoaded";
}

int StageCategoryFromName(const std::string& name) {
    if (name == "Scenario") return StageCategory_Scenario;
    if (name == "Local") return StageCategory_Local;
    return StageCategory_DownLoaded;
}

namespace {
struct AreaClassRow {
    const char* key;
    const char* displayName;
    int width;
    int height;
    int units;
};

const AreaClassRow kAreaClasses[10] = {
    {"OneRoom", "ワンルーム", 20, 15, 1},
    {"Short", "ショート", 160, 15, 2},
    {"Middle", "ミドル", 320, 15, 4},
    {"Long", "ロング", 480, 15, 6},
    {"Triathlon", "トライアスロン", 640, 15, 8},
    {"VerticalShort", "バーティカルショート", 20, 120, 2},
    {"VerticalLong", "バーティカルロング", 20, 240, 4},
    {"BoxShort", "ボックスショート", 120, 45, 5},
    {"BoxLong", "ボックスロング", 240, 90, 10},
    {"NoArea", "エリアなし", 20, 15, 1},
};

const AreaClassRow& AreaClassRowOf(int areaClass) {
    if (areaClass < 0 || areaClass > 8) return kAreaClasses[9];
    return kAreaClasses[areaClass];
}
}  // namespace

std::string AreaClassKey(int areaClass) { return AreaClassRowOf(areaClass).key; }
std::string AreaClassDisplayName(int areaClass) { return AreaClassRowOf(areaClass).displayName; }
int AreaClassWidth(int areaClass) { return AreaClassRowOf(areaClass).width; }
int AreaClassHeight(int areaClass) { return AreaClassRowOf(areaClass).height; }
int AreaClassUnits(int areaClass) { return AreaClassRowOf(areaClass).units; }

int AreaClassFromKey(const std::string& key) {
    for (int i = 0; i <= 8; ++i) {
        if (key == kAreaClasses[i].key) return i;
    }
    return AreaClass_NoArea;
}

bool IsPassableChip(uint8_t chip) {
    if (chip <= 39) return true;
    switch (chip) {
        case 58:
            return SwitchColorStates::IsOn(0);
        case 59:
            return !SwitchColorStates::IsOn(0);
        case 60:
            return SwitchColorStates::IsOn(1);
        case 61:
            return !SwitchColorStates::IsOn(1);
        case 62:
            return SwitchColorStates::IsOn(2);
        case 63:
            return !SwitchColorStates::IsOn(2);
        default:
            break;
    }
    return chip >= 228;
}

bool IsPassableChipFrom(uint8_t chip, int direction) {
    if (!IsPassableChip(chip)) return false;
    const bool oneWay = (chip >= 24 && chip <= 37) || (chip >= 228 && chip <= 239);
    if (oneWay) return direction != ChipDirection_Down;
    return true;
}

static bool IsSlipperyChip(uint8_t chip) {
    return chip == 28 || chip == 44 || chip == 46 || chip == 47 || chip == 54 || chip == 55 ||
           (chip >= 128 && chip <= 143);
}

double GetChipFriction(uint8_t chip) { return IsSlipperyChip(chip) ? 0.25 : 1.0; }

double GetChipConveyorSpeed(uint8_t chip) {
    switch (chip) {
        case 224:
            return -50.0;
        case 225:
            return 50.0;
        case 226:
            return -100.0;
        case 227:
            return 100.0;
        default:
            return 0.0;
    }
}

double GetChipConveyorSpin(uint8_t chip) {
    constexpr double pi = std::numbers::pi;
    switch (chip) {
        case 224:
            return -pi;
        case 225:
            return pi;
        case 226:
            return -2.0 * pi;
        case 227:
            return 2.0 * pi;
        default:
            return 0.0;
    }
}

int GetChipDamage(uint8_t chip) {
    if (chip == 56) return 20;
    if (chip == 57) return 9999;
    return 0;
}

namespace {
enum { kUp = 1, kRight = 2, kDown = 4, kLeft = 8 };

// Variant offsets of the 16-chip groups by joining sides.
uint8_t SixteenGroupOffset(int sides) {
    switch (sides) {
        case kUp | kRight | kDown | kLeft:
            return 0;
        case kRight | kDown | kLeft:
            return 1;
        case kUp | kDown | kLeft:
            return 2;
        case kUp | kRight | kLeft:
            return 3;
        case kUp | kRight | kDown:
            return 4;
        case kRight | kDown:
            return 5;
        case kDown | kLeft:
            return 6;
        case kUp | kRight:
            return 7;
        case kUp | kLeft:
            return 8;
        case kLeft | kRight:
            return 9;
        case kUp | kDown:
            return 10;
        case kDown:
            return 11;
        case kLeft:
            return 12;
        case kUp:
            return 13;
        case kRight:
            return 14;
        default:
            return 15;
    }
}

// Platform terrain groups 234 and 238; index 0 for 234, 1 for 238.
uint8_t PlatformChip(int family, int sides, bool upLeft, bool upRight, bool downLeft, bool downRight, int x,
                     int y) {
    struct Pair {
        uint8_t a, b;
    };
    auto pick = [family](Pair p) { return family == 0 ? p.a : p.b; };
    switch (sides) {
        case 0:
            return pick({232, 236});
        case kUp:
            return pick({248, 252});
        case kRight:
            return pick({233, 237});
        case kDown:
            return pick({232, 236});
        case kLeft:
            return pick({235, 239});
        case kUp | kRight:
            return pick({249, 253});
        case kUp | kDown:
            return pick({240, 244});
        case kUp | kLeft:
            return pick({251, 255});
        case kRight | kDown:
            return pick({233, 237});
        case kRight | kLeft:
            return pick({234, 238});
        case kDown | kLeft:
            return pick({235, 239});
        case kRight | kDown | kLeft:
            return pick({234, 238});
        case kUp | kRight | kDown:
            return pick({241, 245});
        case kUp | kRight | kLeft:
            return pick({250, 254});
        case kUp | kDown | kLeft:
            return pick({243, 247});
        default:
            break;
    }
    // All four sides join: the corners decide.
    if (!upLeft && upRight) return pick({229, 231});
    if (!upLeft && !upRight) return pick({234, 238});
    if (upLeft && !upRight) return pick({228, 230});
    if (!downLeft || !downRight) return pick({250, 254});
    // Remainders keep the dividend's sign, so negative tiles never get the decoration.
    if (x % 3 == 1 && y % 2 == 1) return pick({3, 4});
    return pick({242, 246});
}
}  // namespace

uint8_t AutoTileChip(uint8_t centre, uint8_t up, uint8_t right, uint8_t down, uint8_t left, uint8_t upLeft,
                     uint8_t upRight, uint8_t downLeft, uint8_t downRight, int x, int y) {
    const uint8_t g = GetChipGroupBase(centre);
    auto joins = [g](uint8_t c) { return GetChipGroupBase(c) == g; };
    const bool u = joins(up), r = joins(right), d = joins(down), l = joins(left);
    const bool ul = joins(upLeft), ur = joins(upRight), dl = joins(downLeft), dr = joins(downRight);
    const int sides = (u ? kUp : 0) | (r ? kRight : 0) | (d ? kDown : 0) | (l ? kLeft : 0);

    switch (g) {
        case 36:
            return u ? 1 : 36;
        case 37:
            return u ? 2 : 37;
        case 19:
        case 35:
            if (l && r) return static_cast<uint8_t>(g - 2);
            if (r) return static_cast<uint8_t>(g - 3);
            if (l) return static_cast<uint8_t>(g - 1);
            return g;
        case 40:
        case 42: {
            const uint8_t pair = g == 40 ? 48 : 50;
            if ((x + y) % 2 == 0) return r ? pair : g;
            return l ? static_cast<uint8_t>(pair + 1) : g;
        }
        case 44: {
            const bool evenX = x % 2 == 0, evenY = y % 2 == 0;
            if (evenX && evenY && r && d && dr) return 46;
            if (!evenX && evenY && l && d && dl) return 47;
            if (evenX && !evenY && u && r && ur) return 54;
            if (!evenX && !evenY && u && l && ul) return 55;
            return 44;
        }
        case 234:
            return PlatformChip(0, sides, ul, ur, dl, dr, x, y);
        case 238:
            return PlatformChip(1, sides, ul, ur, dl, dr, x, y);
        default:
            break;
    }
    if (g >= 65 && g <= 209 && (g & 0x0F) == 1) {
        return static_cast<uint8_t>(g - 1 + SixteenGroupOffset(sides));
    }
    return centre;
}
