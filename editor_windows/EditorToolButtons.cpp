#include "editor_windows/EditorToolButtons.h"

#include "controls/ControlPort.h"

namespace Controls {

namespace {
// The icons, as the tool sheets lay them out.
const ToolIcon kDrawIcon{
    &kSheet3, 40, 40, IconAnimates::kHoverOrOn, 30, 10, {0, 0}, {{40, 0}, {0, 40}, {40, 40}}, 3};
const ToolIcon kRectangleIcon{
    &kSheet3, 40, 40, IconAnimates::kHoverOrOn, 40, 10, {0, 80}, {{40, 80}, {0, 120}, {40, 120}, {0, 80}}, 4};
const ToolIcon kFillIcon{
    &kSheet3, 40, 40, IconAnimates::kHoverOrOn, 30, 10, {0, 160}, {{40, 160}, {0, 200}, {40, 200}}, 3};
const ToolIcon kUndoIcon{
    &kSheet3, 40, 40, IconAnimates::kHover, 40, 10, {80, 0}, {{120, 0}, {80, 40}, {120, 40}, {80, 0}}, 4};
const ToolIcon kRedoIcon{&kSheet3, 40, 40,       IconAnimates::kHover,
                         40,       10, {80, 80}, {{120, 80}, {80, 120}, {120, 120}, {80, 80}},
                         4};
const ToolIcon kEditModeOffIcon{
    &kSheet3, 40, 40, IconAnimates::kHover, 20, 10, {80, 160}, {{80, 160}, {120, 160}}, 2};
const ToolIcon kEditModeOnIcon{
    &kSheet3, 40, 40, IconAnimates::kHover, 20, 10, {80, 200}, {{80, 200}, {120, 200}}, 2};
const ToolIcon kRenewIcon{
    &kSheet3, 40, 40, IconAnimates::kHover, 40, 10, {160, 0}, {{160, 0}, {200, 0}, {160, 40}, {200, 40}}, 4};
const ToolIcon kOpenIcon{&kSheet3, 40, 40,        IconAnimates::kHover,
                         40,       10, {160, 80}, {{160, 80}, {200, 80}, {160, 120}, {200, 120}},
                         4};
const ToolIcon kSaveIcon{&kSheet3, 40, 40,         IconAnimates::kHover,
                         40,       10, {160, 160}, {{160, 160}, {200, 160}, {160, 200}, {200, 200}},
                         4};
const ToolIcon kConfigIcon{
    &kSheet4, 40, 40, IconAnimates::kHover, 40, 10, {0, 0}, {{0, 0}, {40, 0}, {0, 40}, {40, 40}}, 4};
const ToolIcon kTestPlayIcon{
    &kSheet4, 40, 40, IconAnimates::kHover, 24, 8, {0, 80}, {{40, 80}, {0, 120}, {40, 120}}, 3};
const ToolIcon kSendIcon{
    &kSheet4, 40, 40, IconAnimates::kHover, 40, 10, {0, 160}, {{0, 160}, {40, 160}, {0, 200}, {40, 200}}, 4};
const ToolIcon kMapEraserIcon{
    &kSheet4, 32, 40, IconAnimates::kHoverOrOn, 20, 10, {80, 80}, {{80, 80}, {80, 120}}, 2};
const ToolIcon kObjectEraserIcon{
    &kSheet4, 32, 40, IconAnimates::kHoverOrOn, 20, 10, {120, 80}, {{120, 80}, {120, 120}}, 2};
const ToolIcon kInfomationIcon{
    &kSheet4, 40, 40, IconAnimates::kHover, 30, 10, {160, 0}, {{200, 0}, {160, 40}, {200, 40}}, 3};
const ToolIcon kMusicPlayIcon{
    &kSheet4, 40, 40, IconAnimates::kOn, 40, 10, {80, 0}, {{120, 0}, {80, 40}, {120, 40}, {80, 40}}, 4};
}  // namespace

IconPiece ToolIconPiece(const ToolIcon& icon, bool hovered, bool on, double frames) {
    bool moving = false;
    switch (icon.animates) {
        case IconAnimates::kHover:
            moving = hovered;
            break;
        case IconAnimates::kHoverOrOn:
            moving = hovered || on;
            break;
        case IconAnimates::kOn:
            moving = on;
            break;
    }
    if (!moving) return icon.rest;
    const int32_t phase = int32_t(frames) % icon.cycle / icon.phaseLength;
    return phase < icon.phaseCount ? icon.phases[phase] : icon.rest;
}

void DrawToolIcon(const ToolIcon& icon, int32_t x, int32_t y, bool hovered, bool on, double frames) {
    const IconPiece p = ToolIconPiece(icon, hovered, on, frames);
    PutSheet(*icon.key, x, y, p.left, p.top, p.left + icon.width, p.top + icon.height);
}

CEditorDrawButton::CEditorDrawButton(int32_t x, int32_t y) : CToolIconButton(x, y, kDrawIcon) {}
CEditorRectangleButton::CEditorRectangleButton(int32_t x, int32_t y)
    : CToolIconButton(x, y, kRectangleIcon) {}
CEditorFillButton::CEditorFillButton(int32_t x, int32_t y) : CToolIconButton(x, y, kFillIcon) {}
CEditorUndoButton::CEditorUndoButton(int32_t x, int32_t y) : CToolIconButton(x, y, kUndoIcon) {}
CEditorRedoButton::CEditorRedoButton(int32_t x, int32_t y) : CToolIconButton(x, y, kRedoIcon) {}
CRenewStageButton::CRenewStageButton(int32_t x, int32_t y) : CToolIconButton(x, y, kRenewIcon) {}
COpenStageButton::COpenStageButton(int32_t x, int32_t y) : CToolIconButton(x, y, kOpenIcon) {}
CSaveStageButton::CSaveStageButton(int32_t x, int32_t y) : CToolIconButton(x, y, kSaveIcon) {}
CConfigButton::CConfigButton(int32_t x, int32_t y) : CToolIconButton(x, y, kConfigIcon) {}
CTestPlayButton::CTestPlayButton(int32_t x, int32_t y) : CToolIconButton(x, y, kTestPlayIcon) {}
CSendStageButton::CSendStageButton(int32_t x, int32_t y) : CToolIconButton(x, y, kSendIcon) {}
CInfomationButton::CInfomationButton(int32_t x, int32_t y) : CToolIconButton(x, y, kInfomationIcon) {}
CEditorMapEraserButton::CEditorMapEraserButton(int32_t x, int32_t y)
    : CToolIconButton(x, y, kMapEraserIcon) {}
CEditorObjectEraserButton::CEditorObjectEraserButton(int32_t x, int32_t y)
    : CToolIconButton(x, y, kObjectEraserIcon) {}
CMusicPlayButton::CMusicPlayButton(int32_t x, int32_t y) : CToolIconButton(x, y, kMusicPlayIcon) {}

void CChangeEditModeButton::DrawContent(int32_t x, int32_t y) {
    DrawToolIcon(IsDown() ? kEditModeOnIcon : kEditModeOffIcon, x, y, IsHovered(), IsDown(),
                 GetFrameCounter());
}

}  // namespace Controls
