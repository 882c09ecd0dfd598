#pragma once
// The last frame's duration in seconds, written once per frame by the main loop before
// anything else runs, read by everything that moves or counts (counters grow by frame time x 60).
void SetFrameTime(float seconds);
float GetFrameTime();
// The last frame's duration in frames of the nominal 60 a second.
inline double FramesThisFrame() { return GetFrameTime() * 60.0; }
