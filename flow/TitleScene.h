#pragma once
// The title: the logo unrolls and rises, the start prompt blinks, and Z or a mouse click starts
// the game (the top menu takes over a second later).
#include "engine/Scene.h"

class CTitleScene : public IScene {
  public:
    explicit CTitleScene(IScene* parent);

    void Start() override;
    uint32_t GetClearColor() override;
    void Update() override;
    void Draw() override {}
    void DrawOverlay() override;

    double GetTimer() const { return timer_; }
    bool IsStarted() const { return started_; }
    double GetLeaveTimer() const { return leaveTimer_; }
    // Whether the start prompt shows in this frame.
    bool IsPromptVisible() const;
    // The logo's unrolled width and height position for the current timer.
    double LogoWidth() const;
    double LogoY() const;

  private:
    double timer_ = 0;
    bool started_ = false;
    double leaveTimer_ = 0;
};
