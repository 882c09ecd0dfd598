#pragma once
// The editor's tool-bar buttons: thin skinned buttons that draw an animated icon from the tool
// sheets ("Controls_003", "Controls_004") and carry no logic of their own; the editor names
// them, subscribes to them and decides what a push means. Also the music window's play button.
// (The big close button of the full-screen forms is the widget library's CBigCloseButton.)
//
// An icon rests on one 40 x 40 piece (32 x 40 for the erasers) and, while it animates (under the
// mouse, or while on, as each button says), steps through its phases: the phase is the button's
// frame counter truncated, modulo the cycle, divided by the phase length. The counter runs from
// the button's creation, so buttons made together animate in step.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "controls/Buttons.h"

namespace Controls {

// When an icon animates.
enum class IconAnimates { kHover, kHoverOrOn, kOn };

struct IconPiece {
    int32_t left, top;
};

// One icon: its sheet, size, when it moves, cycle and phase length, resting piece and phases.
struct ToolIcon {
    const std::string* key;
    int32_t width, height;
    IconAnimates animates;
    int32_t cycle, phaseLength;
    IconPiece rest;
    IconPiece phases[4];
    int32_t phaseCount;
};

// The piece an icon shows for a button in this state with this frame counter.
IconPiece ToolIconPiece(const ToolIcon& icon, bool hovered, bool on, double frames);
// Draws that piece at (x, y).
void DrawToolIcon(const ToolIcon& icon, int32_t x, int32_t y, bool hovered, bool on, double frames);

// A skinned button that shows one icon.
template <class Skin>
class CToolIconButton : public Skin {
  public:
    CToolIconButton(int32_t x, int32_t y, const ToolIcon& icon) : Skin(x, y), icon_(icon) {}
    void DrawContent(int32_t x, int32_t y) override {
        DrawToolIcon(icon_, x, y, this->IsHovered(), this->IsDown(), this->GetFrameCounter());
    }
    const ToolIcon& GetIcon() const { return icon_; }

  private:
    const ToolIcon& icon_;
};

class CEditorDrawButton : public CToolIconButton<CBasicToggleButton> {
  public:
    CEditorDrawButton(int32_t x, int32_t y);
};
class CEditorRectangleButton : public CToolIconButton<CBasicToggleButton> {
  public:
    CEditorRectangleButton(int32_t x, int32_t y);
};
class CEditorFillButton : public CToolIconButton<CBasicToggleButton> {
  public:
    CEditorFillButton(int32_t x, int32_t y);
};
class CEditorUndoButton : public CToolIconButton<CBasicPushButton> {
  public:
    CEditorUndoButton(int32_t x, int32_t y);
};
class CEditorRedoButton : public CToolIconButton<CBasicPushButton> {
  public:
    CEditorRedoButton(int32_t x, int32_t y);
};
class CRenewStageButton : public CToolIconButton<CBasicPushButton> {
  public:
    CRenewStageButton(int32_t x, int32_t y);
};
class COpenStageButton : public CToolIconButton<CBasicPushButton> {
  public:
    COpenStageButton(int32_t x, int32_t y);
};
class CSaveStageButton : public CToolIconButton<CBasicPushButton> {
  public:
    CSaveStageButton(int32_t x, int32_t y);
};
class CConfigButton : public CToolIconButton<CBasicPushButton> {
  public:
    CConfigButton(int32_t x, int32_t y);
};
class CTestPlayButton : public CToolIconButton<CBasicPushButton> {
  public:
    CTestPlayButton(int32_t x, int32_t y);
};
class CSendStageButton : public CToolIconButton<CBasicPushButton> {
  public:
    CSendStageButton(int32_t x, int32_t y);
};
class CInfomationButton : public CToolIconButton<CBasicPushButton> {
  public:
    CInfomationButton(int32_t x, int32_t y);
};
class CEditorMapEraserButton : public CToolIconButton<CShortBrownToggleButton> {
  public:
    CEditorMapEraserButton(int32_t x, int32_t y);
};
class CEditorObjectEraserButton : public CToolIconButton<CShortBrownToggleButton> {
  public:
    CEditorObjectEraserButton(int32_t x, int32_t y);
};
class CMusicPlayButton : public CToolIconButton<CBasicToggleButton> {
  public:
    CMusicPlayButton(int32_t x, int32_t y);
};

// The switch between map chips and objects: one icon pair while off, another while on, each
// alternating under the mouse.
class CChangeEditModeButton : public CBasicToggleButton {
  public:
    CChangeEditModeButton(int32_t x, int32_t y) : CBasicToggleButton(x, y) {}
    void DrawContent(int32_t x, int32_t y) override;
};

}  // namespace Controls
