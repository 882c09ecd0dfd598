#pragma once
// The engine on the headless backend, brought up as the game's start brings it up: the backend,
// the engine globals zeroed, the 640x480 screen (with the 3-D layer, sound, input and fonts) open.
// Shared by the tests' fixture and the benchmarks.

namespace testsupport {

// Starts the headless backend with `joysticks` joysticks attached and zeroes the engine globals,
// the draw layer's colour key included. The screen is not open yet.
void StartHeadlessEngine(int joysticks = 0);
// Opens the 640x480 screen on the started backend; false when it does not open.
bool OpenHeadlessScreen();
// Ends the engine and stops the backend.
void StopHeadlessEngine();

// For programs that keep one screen for their whole run (the benchmarks): opened at the first
// call and left open until the program ends.
void OpenHeadlessScreenOnce();

}  // namespace testsupport
