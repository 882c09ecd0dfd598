#pragma once
// The one directional light of the 3-D layer.

class CSceneLight {
  public:
    // The first call creates the 3-D layer's light and resets it (unless the exit flag is set).
    static CSceneLight* GetInstance();
    static void DeleteInstance();

    // Back to white light from the front.
    void Reset() { ResetToWhite(); }
    void ResetToWhite();
    // Once a frame; the light keeps its colour.
    void Update() {}
    int GetLight() const { return light_; }

  private:
    CSceneLight() = default;
    int light_ = -1;
};
