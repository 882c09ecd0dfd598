#pragma once
// The top menu, the root of the scene chain for the whole run: the brick backdrop, the creator
// header, the menu's root form with the mode buttons, the letterbox that opens the menu and
// closes it again when a mode is chosen, and the scene of that mode pushed on top. When the mode
// scene closes, the menu builds a fresh form and opens again.
#include <memory>
#include <vector>

#include "engine/Scene.h"
#include "foundation/QuorException.h"

namespace Controls {
class CTopMenuRootForm;
}

// The modes of the menu.
enum TopMenuMode {
    kModeNone = 0,
    kModeScenario = 1,
    kModeStageSelect = 2,  // download shared stages
    kModeMakeStage = 3,    // the stage editor
    kModeRegisterCreator = 4,
    kModeCreatorAdmin = 5,  // with 4: registration or the account screen, by the stored creator id
    kModeShop = 6,
    kModeNetWorkTest = 7,
    kModeConfig = 8,
};

class CTopMenuScene : public IScene {
  public:
    static constexpr double kOpeningFrames = 30;  // the letterbox opens over the last 15
    static constexpr double kLeaveFrames = 50;    // from the choice to the mode scene

    explicit CTopMenuScene(IScene* parent);
    ~CTopMenuScene() override;

    void Start() override;
    void Update() override;
    void Draw() override {}
    void DrawOverlay() override;
    void OnChildClosed(IScene* child) override;

    // The mode the player chose (kModeScenario..kModeConfig); the scene opens after the leave
    // delay. A later call before then replaces the mode.
    void SelectMode(int mode) { selectedMode_ = mode; }
    // A mode opened at once, without the opening fade or the delay, when the menu is next built.
    void SetPendingMode(int mode) { pendingMode_ = mode; }

    bool IsOpened() const { return opened_; }
    double GetTimer() const { return timer_; }
    int GetSelectedMode() const { return selectedMode_; }
    int GetPendingMode() const { return pendingMode_; }
    bool IsStaffRollRequested() const { return staffRollRequested_; }
    Controls::CTopMenuRootForm* GetRootForm() const { return root_.get(); }
    // The letterbox ratio drawn this frame (0: none).
    double LetterboxRatio() const;

  private:
    void RebuildRootForm();
    // Opens the window of the next notice of the start once no other window is open.
    void ShowNextNotice();
    void DrawBackground() const;
    void DrawCreatorHeader() const;

    std::unique_ptr<Controls::CTopMenuRootForm> root_;
    double timer_ = 0;
    int selectedMode_ = kModeNone;
    bool opened_ = false;
    bool rebuildRequested_ = true;
    int pendingMode_ = kModeNone;
    bool staffRollRequested_ = false;
    std::vector<StringPair> notices_;  // still to be told
};
