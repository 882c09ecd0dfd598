#pragma once
// What the gimmicks ask of the player's hero: its weapon kind and health, read together, and a
// new health. Items tell the hero from every other object by this interface: only the hero
// implements it.
#include <utility>

class IHeroVitals {
  public:
    virtual ~IHeroVitals() = default;
    // (weapon kind 0..5, health 0..100).
    virtual std::pair<int, int> GetWeapon() const = 0;
    virtual void SetHealth(int health) = 0;
};
