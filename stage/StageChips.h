#pragma once
// The fixed vocabulary of the stage model: stage categories, area classes and the meaning of
// every map-chip byte (passability, one-way platforms, ground properties, tile groups and
// auto-tiling).
#include <array>
#include <cstdint>
#include <string>

// Stage category, stored by name in the .stg document.
enum StageCategory { StageCategory_Scenario = 0, StageCategory_Local = 1, StageCategory_DownLoaded = 2 };

std::string StageCategoryName(int category);
int StageCategoryFromName(const std::string& name);

// Area class: the size of an area's map; 9 is "NoArea".
enum AreaClass {
    AreaClass_OneRoom = 0,
    AreaClass_Short = 1,
    AreaClass_Middle = 2,
    AreaClass_Long = 3,
    AreaClass_Triathlon = 4,
    AreaClass_VerticalShort = 5,
    AreaClass_VerticalLong = 6,
    AreaClass_BoxShort = 7,
    AreaClass_BoxLong = 8,
    AreaClass_NoArea = 9,
};

std::string AreaClassKey(int areaClass);
std::string AreaClassDisplayName(int areaClass);
int AreaClassFromKey(const std::string& key);
int AreaClassWidth(int areaClass);
int AreaClassHeight(int areaClass);
int AreaClassUnits(int areaClass);

// The three switch colours' on/off flags (0 red, 1 green, 2 blue) that decide whether the switch
// blocks 58..63 let objects through.
struct SwitchColorStates {
    static uint8_t states[3];
    static bool IsOn(int colour) { return colour >= 0 && colour < 3 && states[colour] != 0; }
    static void Set(int colour, bool on) {
        if (colour >= 0 && colour < 3) states[colour] = on ? 1 : 0;
    }
    static void Reset() { states[0] = states[1] = states[2] = 0; }
};

// Directions of IsPassableChipFrom.
enum ChipDirection {
    ChipDirection_Up = 1,
    ChipDirection_Right = 2,
    ChipDirection_Down = 3,
    ChipDirection_Left = 4
};

bool IsPassableChip(uint8_t chip);
bool IsPassableChipFrom(uint8_t chip, int direction);
double GetChipFriction(uint8_t chip);
double GetChipConveyorSpeed(uint8_t chip);
double GetChipConveyorSpin(uint8_t chip);
int GetChipDamage(uint8_t chip);

// The base chip of a chip's tile group: every variant of a group gives the same base.
constexpr uint8_t ChipGroupBaseOf(uint8_t chip) {
    if (chip >= 16 && chip <= 19) return 19;
    if (chip >= 32 && chip <= 35) return 35;
    if (chip == 1 || chip == 36) return 36;
    if (chip == 2 || chip == 37) return 37;
    if (chip == 40 || chip == 48 || chip == 49) return 40;
    if (chip == 42 || chip == 50 || chip == 51) return 42;
    if (chip == 44 || chip == 46 || chip == 47 || chip == 54 || chip == 55) return 44;
    if (chip >= 64 && chip <= 223) return static_cast<uint8_t>((chip & 0xF0) + 1);
    if (chip == 3 || chip == 228 || chip == 229 || (chip >= 232 && chip <= 235) ||
        (chip >= 240 && chip <= 243) || (chip >= 248 && chip <= 251))
        return 234;
    if (chip == 4 || chip == 230 || chip == 231 || (chip >= 236 && chip <= 239) ||
        (chip >= 244 && chip <= 247) || chip >= 252)
        return 238;
    return chip;
}

// Asked for every neighbour of every tiled cell: one table of all 256 chips.
inline constexpr std::array<uint8_t, 256> kChipGroupBase = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = ChipGroupBaseOf(static_cast<uint8_t>(c));
    return table;
}();

inline uint8_t GetChipGroupBase(uint8_t chip) { return kChipGroupBase[chip]; }
uint8_t AutoTileChip(uint8_t centre, uint8_t up, uint8_t right, uint8_t down, uint8_t left, uint8_t upLeft,
                     uint8_t upRight, uint8_t downLeft, uint8_t downRight, int x, int y);
