#pragma once
// The one directional light of the 3-D layer.

#include "foundation/Singleton.h"

// Made on first use, when it also creates the 3-D layer's light and resets it (unless the game
// is already on its way out).
class CSceneLight : public CSingleton<CSceneLight> {
  public:
    // Back to white light from the front.
    void Reset() { ResetToWhite(); }
    void ResetToWhite();
    // Once a frame; the light keeps its colour.
    void Update() {}
    int GetLight() const { return light_; }

  private:
    friend class CSingleton<CSceneLight>;
    CSceneLight() = default;
    void OnInstanceCreated();
    int light_ = -1;
};
