#pragma once
// The story screen of the scenario mode's first visit: one still page and a prompt; Z, X or a
// mouse click closes it.
#include "engine/Scene.h"

class CScenarioModeOpeningScene : public IScene {
  public:
    explicit CScenarioModeOpeningScene(IScene* parent) : IScene(parent) {}

    void Start() override;
    uint32_t GetClearColor() override { return 180u | (180u << 8) | (240u << 16); }
    void Update() override;
    void Draw() override {}
    void DrawOverlay() override;
};
