#pragma once
// The benchmarks draw on the headless 640x480 screen, opened once per program. The screen
// brings up the 3-D layer, sound and fonts with it.
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "platform/backend.h"

inline void OpenHeadlessScreen() {
    static const bool open = [] {
        plat::BackendOptions options;
        options.headless = true;
        plat::StartBackend(options);
        elSystem::Reset();
        return elDraw::Screen(640, 480, 1);
    }();
    (void)open;
}
