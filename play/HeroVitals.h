#pragma once
// What the gimmicks ask of the player's hero: its weapon kind and health, read together, and a
// new health. Items tell the hero from every other object by this interface: only the hero
// implements it.

// The held weapon (0..5) and the health (0..100), reported together.
struct HeroWeaponRecord {
    int weaponKind = 0;
    int health = 0;
};

class IHeroVitals {
  public:
    virtual ~IHeroVitals() = default;
    virtual HeroWeaponRecord GetWeapon() const = 0;
    virtual void SetHealth(int health) = 0;
};
