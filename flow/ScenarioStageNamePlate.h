#pragma once
// The plate in the bottom right corner of the world map: the name of the land the hero is in and
// of the stage on his cell. Within one land only the stage name changes; crossing into another
// land plays a sound, slides the plate down out of the screen, changes it and slides it back up.
#include <string>

class CScenarioStageNamePlate {
  public:
    enum Phase { kStill = 0, kSlidingOut = 1, kSlidingIn = 2 };
    static constexpr double kSlideDepth = 64.0;    // pixels
    static constexpr double kSlideSpeed = 240.0;   // pixels per second
    static constexpr int kLeft = 384, kTop = 416;  // the plate's top-left corner when still

    CScenarioStageNamePlate(int land, std::string stageName);
    virtual ~CScenarioStageNamePlate() = default;

    void SetStage(int land, std::string stageName);
    void Update();
    void Draw() const;

    int GetPhase() const { return phase_; }
    int GetShownLand() const { return shownLand_; }
    const std::string& GetShownName() const { return shownName_; }
    double GetOffset() const { return offset_; }

  private:
    void SetPhase(int phase) { phase_ = phase; }

    int phase_ = kStill;
    int shownLand_;
    std::string shownName_;
    int nextLand_;
    std::string nextName_;
    double offset_ = 0;
};
