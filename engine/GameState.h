#pragma once
// Program-wide state of the frame loop: the exit flag and the product name.
// The frame time itself lives in foundation/FrameTime.h (GetFrameTime, SetFrameTime).

namespace game {

// The product name, also the window title and the single-instance name.
inline constexpr const char* kProductName = "Quorvald";

// Set when the program is to stop at the end of this frame.
bool GetExitFlag();
void SetExitFlag(bool on);

// Frames of 0.3 s or longer update nothing but the input manager.
inline constexpr float kLongFrame = 0.3f;

}  // namespace game
