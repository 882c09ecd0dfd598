#pragma once
// The area tabs along the left of the editor's view, one per area slot, and the small panel of
// the add, copy and delete buttons beneath them. They only show and select; the editor decides
// what a choice or a push does.
#include <cstdint>

#include "controls/Forms.h"

namespace Controls {

// One tab, numbered from 1. Pieces of the fifth sheet: off, on or disabled; an enabled tab that
// is on or under the mouse stands 2 pixels further right.
class CAreaSelectTabButton : public CToggleButtonBase {
  public:
    CAreaSelectTabButton(int32_t x, int32_t y, int32_t number);
    void Draw() override;
    int32_t GetNumber() const { return number_; }

  private:
    int32_t number_;
};

// Ten tabs, one of which is selected; tabs beyond the stage's areas are disabled.
class CAreaSelectTabList : public CExclusiveToggleButtonList {
  public:
    static constexpr int32_t kTabCount = 10;
    CAreaSelectTabList(int32_t x, int32_t y);
    // The selected tab last, over its neighbours.
    void Draw() override;
    // Turns tab `index` on (its push reaches every subscriber) when it exists and is enabled.
    void SelectTab(int32_t index);
    // Enables tabs 0 .. last and disables the rest, first selecting `last` when the selection
    // lay beyond it.
    void EnableTabsUpTo(int32_t last);
    // Null outside 0 .. 9.
    CAreaSelectTabButton* GetTab(int32_t index);
};

// The three area buttons: a disabled one is not drawn at all.
class CAreaPushButton : public CPushButtonBase {
  public:
    void Draw() override;

  protected:
    CAreaPushButton(int32_t x, int32_t y, int32_t pieceLeft)
        : CPushButtonBase(x, y, 16, 16), pieceLeft_(pieceLeft) {}

  private:
    int32_t pieceLeft_;
};

class CAreaAddButton : public CAreaPushButton {
  public:
    CAreaAddButton(int32_t x, int32_t y) : CAreaPushButton(x, y, 160) {}
};
class CAreaCopyButton : public CAreaPushButton {
  public:
    CAreaCopyButton(int32_t x, int32_t y) : CAreaPushButton(x, y, 176) {}
};
class CAreaDeleteButton : public CAreaPushButton {
  public:
    CAreaDeleteButton(int32_t x, int32_t y) : CAreaPushButton(x, y, 192) {}
};

// The panel of the add, copy and delete buttons (its children 0, 1 and 2).
class CAreaButtonArea : public COriginalBaseForm {
  public:
    CAreaButtonArea(int32_t x, int32_t y);
    void Draw() override;
    // The panel's look and its three buttons follow the flag.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }

  private:
    bool enabled_ = true;
};

}  // namespace Controls
