#pragma once
// The first screen: loads the image groups, builds every object class once and loads the sound
// effects, a little per frame, while it shows a turning emblem, a status text and progress dots.
#include <memory>
#include <string>
#include <vector>

#include "engine/Scene.h"
#include "engine/SpriteManager.h"

class CObjectPreloader;

class CLoading : public IScene {
  public:
    CLoading(const std::vector<std::string>& groupNames, bool objectStep, IScene* parent);
    ~CLoading() override;

    void Start() override;
    uint32_t GetClearColor() override { return 0; }
    void Update() override;
    void Draw() override;
    void DrawOverlay() override;

    double GetAngle() const { return angle_; }
    int GetStepCount() const { return stepCount_; }
    const CObjectPreloader* GetPreloader() const { return preloader_.get(); }
    // The centre x of progress dot i, and its colour (0x00BBGGRR).
    int DotX(int i) const { return (i - stepCount_ / 2) * 24 + 328; }
    uint32_t DotColor(int i) const;

  private:
    std::unique_ptr<CObjectPreloader> preloader_;
    OwnedSprite emblem_;  // made by the first 3-D pass
    double angle_ = -0.08;
    double angleStep_ = 0.08;
    int stepCount_;
};
