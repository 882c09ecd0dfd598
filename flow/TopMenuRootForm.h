#pragma once
// The top menu's form: the mode buttons, swaying side by side, of which the first push (by the
// mouse, a function key, or Z and the pad's first button for the scenario) chooses the mode; the
// other buttons freeze from then on. The scene behind it draws the backdrop.
#include <array>
#include <cstdint>
#include <string>

#include "controls/Forms.h"
#include "controls/TopMenuButton.h"
#include "flow/DailyConnection.h"

class CTopMenuScene;

namespace Controls {

// The menu's entries, in the order they are built, updated and drawn.
enum TopMenuEntry {
    kEntryScenario,
    kEntryStageSelect,
    kEntryMakeStage,
    kEntryRegisterCreator,  // without a stored creator id
    kEntryCreatorAdmin,     // with one, in the same place
    kEntryShop,             // with one
    kEntryNetWorkTest,
    kEntryConfig,
    kEntryCount
};

// Where an entry sits and what it shows: a wide entry is a 400 x 40 picture kept as two strips
// from `row` of its sheet; a small one is the rectangle (left, row)-(left + 160, row + 32).
struct TopMenuEntryLook {
    int32_t x, y, width, height;
    double phase;  // of the sway
    const char* sheet;
    int32_t left, row;
    int mode;  // TopMenuMode
};
const TopMenuEntryLook& GetTopMenuEntryLook(TopMenuEntry entry);

// One entry of the menu.
class CTopMenuModeButton : public CTopMenuButtonBase {
  public:
    explicit CTopMenuModeButton(TopMenuEntry entry);
    void Draw() override;
    TopMenuEntry GetEntry() const { return entry_; }
    int GetMode() const { return GetTopMenuEntryLook(entry_).mode; }

  private:
    // Whether the highlight of a chosen entry shows: 4 ticks on, 4 off.
    bool BlinkOn() const;
    void DrawWide(int32_t x, int32_t y) const;
    void DrawSmall(int32_t x, int32_t y) const;

    TopMenuEntry entry_;
};

class CTopMenuRootForm : public COriginalBaseForm, public IPushedEventHandler {
  public:
    explicit CTopMenuRootForm(CTopMenuScene* owner);

    void UpdateSelf() override;
    // The keyboard and pad shortcuts, while no window is open over the menu.
    void HandleInput() override;
    // The first push chooses the mode and freezes the other entries.
    void OnPushed(GCButton* sender) override;

    // Null for an entry the menu does not show.
    CTopMenuModeButton* GetButton(TopMenuEntry entry) const { return buttons_[entry]; }
    bool IsModeChosen() const { return modeChosen_; }

  private:
    // The daily automatic connection: the date check when the menu is built, and its steps, one
    // a frame.
    void CheckDailyConnection() { daily_.CheckDate(); }
    void RunDailyConnectionStep() { daily_.Update(); }

    std::array<CTopMenuModeButton*, kEntryCount> buttons_{};
    bool modeChosen_ = false;
    CTopMenuScene* owner_;
    CDailyConnection daily_{this};
};

}  // namespace Controls
