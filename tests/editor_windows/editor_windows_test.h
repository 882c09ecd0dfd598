#pragma once
// The fixture of the editor windows' tests: the widget tests' recording port, which also hands
// out text surfaces of its own (or refuses them, to try the fallback).
#include <string>
#include <vector>

#include "tests/controls/control_test.h"

namespace editorwindowtest {

class SurfacePort : public controltest::RecordingPort {
  public:
    bool refuseTextSurfaces = false;
    std::vector<std::vector<int>> textSurfaces;  // width, height, background, surface
    int TextSurface(const std::string&, int width, int height, const Controls::TextLook&,
                    uint32_t background) override {
        const int surface = refuseTextSurfaces ? 0 : nextSurface++;
        textSurfaces.push_back({width, height, int(background), surface});
        return surface;
    }
};

class EditorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Controls::SetPort(&port);
        SetFrameTime(1.0f / 60.0f);
    }
    ~EditorWindowTest() override { Controls::SetPort(nullptr); }

    void SetMouse(int x, int y, bool pressed, bool released, bool held) {
        port.mouse = {};
        port.mouse.x = x, port.mouse.y = y;
        port.mouse.leftPressed = pressed, port.mouse.leftReleased = released, port.mouse.leftHeld = held;
    }
    void Hover(int x, int y) { SetMouse(x, y, false, false, false); }
    void Click(Controls::GCBase& root, int x, int y) {
        SetMouse(x, y, true, false, false);
        root.Update();
        SetMouse(x, y, false, true, false);
        root.Update();
        Hover(x, y);
    }
    // The blits of one sheet, in drawing order.
    std::vector<controltest::Blit> BlitsOf(const std::string& key) const {
        std::vector<controltest::Blit> out;
        for (const auto& b : port.blits)
            if (b.key == key) out.push_back(b);
        return out;
    }

    SurfacePort port;
};

}  // namespace editorwindowtest
