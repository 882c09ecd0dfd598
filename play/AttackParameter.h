#pragma once
// The attack record that every blow carries, and the table of the hero's attacks read from
// "data\attack_parameters.dat".
#include <cstdint>
#include <map>
#include <string>

#include "foundation/Singleton.h"

struct AttackInfo {
    int32_t damage = 0;
    double power = 0;  // launch speed, pixels per second
    double angle = 0;  // radians, x right, y down
    double delay = 0;  // hit-stop frames
    uint8_t flags[12] = {};
    uint8_t extra = 0;

    AttackInfo() = default;
    void Assign(const AttackInfo& other) { *this = other; }
};

// Meanings of the flags.
enum AttackFlag {
    kAttackReflectable = 0,
    kAttackFlag1 = 1,
    kAttackPowerHit = 2,
    kAttackSlash = 3,
    kAttackRedBurst = 4,
    kAttackBlueBurst = 5,
    kAttackIce = 6,
    kAttackWater = 7,
    kAttackReflectsShots = 8,
    kAttackBodyContact = 9,
    kAttackBodyPush = 10,
    kAttackFlag11 = 11,
};

struct AttackParameter {
    AttackInfo attack;
    double lifetime = 0;       // frames the hitbox lives (-1: until removed)
    double rehitInterval = 0;  // frames before the same target may be hit again
    int32_t aimMode = 0;       // 0 keep, 1 at the target, 2 target + pi/4, 3 target - pi/4
};

// Creating the singleton loads the file: CInitFileException "IFE0400" (cannot be read) or
// "IFE0401" (more than 256 lines or 18 fields), and then no instance exists. Deleting it clears
// the rows.
class CAttackParameterTable : public CSingleton<CAttackParameterTable> {
  public:
    // The named row (the all-zero row for an unknown name); with mirrored == 1 reflected about
    // the vertical axis.
    static AttackParameter Get(const std::string& name, int mirrored);
    static void Clear();
    static int GetCount();

  private:
    friend class CSingleton<CAttackParameterTable>;
    CAttackParameterTable();
    ~CAttackParameterTable() { Clear(); }
    static void Load();
};
