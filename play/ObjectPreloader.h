#pragma once
// The loading scene's work, a little per frame: one step per image group, then one step that
// builds one live object of every placed-object class once and throws them away again, then
// (when asked) one step that loads the sound effects.
#include <string>
#include <vector>

class CObjectPreloader {
  public:
    CObjectPreloader(std::vector<std::string> groupNames, bool loadSounds);

    // At most one frame's worth of loading; nothing once done.
    void Step();
    bool IsDone() const { return stepIndex_ == stepCount_; }
    std::string GetStatusText() const { return statusText_; }
    int GetStepsDone() const { return stepIndex_; }
    int GetStepCount() const { return stepCount_; }
    int GetProgress() const { return progress_; }
    // The object step's work: one object of every registered class and preload argument set
    // (play/LiveObjectFactory.h), in registration order, built with no owner, handed to the
    // registry and cleared away again, so that every constructor and destructor has run once
    // before a stage is played. Gives the number of objects built.
    int CreateAllObjectKinds();

  private:
    std::vector<std::string> groups_;
    int stepIndex_ = 0;
    int stepCount_;
    bool beginGroup_ = true;
    bool imagesDone_ = false;
    bool objectsCreated_ = false;
    std::string statusText_;
    int progress_ = 0;
};
