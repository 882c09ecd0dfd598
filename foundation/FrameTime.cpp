#include "foundation/FrameTime.h"

namespace {
float g_frameTime = 0.0f;
}

void SetFrameTime(float seconds) { g_frameTime = seconds; }
float GetFrameTime() { return g_frameTime; }
