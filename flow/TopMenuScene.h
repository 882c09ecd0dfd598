#pragma once
// The top menu, the root of the scene chain for the whole run. This is the menu's stand-in until
// its root form and the mode scenes exist: it plays the menu music, opens with the letterbox
// fade, draws the brick background and the creator header, and offers one button that ends the
// game.
#include "engine/Scene.h"

class CTopMenuScene : public IScene {
  public:
    explicit CTopMenuScene(IScene* parent);

    void Start() override;
    void Update() override;
    void Draw() override {}
    void DrawOverlay() override;

    // Stores the chosen mode (1..8); no mode scene exists yet to open.
    void SelectMode(int mode) { selectedMode_ = mode; }
    void SetPendingMode(int mode) { pendingMode_ = mode; }
    bool IsOpened() const { return opened_; }

    // The quit button's rectangle (right and bottom exclusive).
    static constexpr int kQuitLeft = 500, kQuitTop = 420, kQuitRight = 620, kQuitBottom = 456;

  private:
    double timer_ = 0;
    bool opened_ = false;
    int selectedMode_ = 0;
    int pendingMode_ = 0;
};
