#include "tests/common/headless_screen.h"

#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "platform/backend.h"
#include "platform/headless.h"

namespace testsupport {

void StartHeadlessEngine(int joysticks) {
    plat::BackendOptions options;
    options.headless = true;
    plat::StartBackend(options);
    for (int i = 0; i < joysticks; ++i) plat::CurrentHeadless()->AddJoystick();
    elSystem::Reset();
    // The key is a setting of the draw layer that outlives the screen; a program starts with black.
    elDraw::SetColorKey(0);
}

bool OpenHeadlessScreen() { return elDraw::Screen(640, 480, 1); }

void StopHeadlessEngine() {
    elSystem::End();
    plat::StopBackend();
}

void OpenHeadlessScreenOnce() {
    static const bool open = [] {
        StartHeadlessEngine();
        return OpenHeadlessScreen();
    }();
    (void)open;
}

}  // namespace testsupport
