#pragma once
// Which scene each mode of the top menu opens: the one place where the menu meets the screens of
// the modes. Every scene is made with the menu as its parent.
#include <memory>

class IScene;
class CTopMenuScene;

// The scene of a mode (TopMenuMode); null for a number that is no mode.
std::unique_ptr<IScene> CreateModeScene(int mode, CTopMenuScene* menu);
// Whether a mode scene that just closed ended with the scenario's ending, after which the menu
// shows the staff roll.
bool EndedWithEnding(IScene* closedChild);
// The staff roll shown after the ending.
std::unique_ptr<IScene> CreateStaffRollScene(CTopMenuScene* menu);
