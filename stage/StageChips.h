#pragma once
// The fixed vocabulary of the stage model: stage categories, area classes and the meaning of
// every map-chip byte (passability, one-way platforms, ground properties, tile groups and
// auto-tiling).
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
uint8_t GetChipGroupBase(uint8_t chip);
uint8_t AutoTileChip(uint8_t centre, uint8_t up, uint8_t right, uint8_t down, uint8_t left, uint8_t upLeft,
                     uint8_t upRight, uint8_t downLeft, uint8_t downRight, int x, int y);
