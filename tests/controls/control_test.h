#pragma once
// The fixture of the widget tests: a port that feeds a scripted mouse and records every blit,
// text, line, rectangle, cached surface and sound, and a fixed frame time of 1/60 s.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/ControlPort.h"
#include "controls/Widget.h"
#include "foundation/FrameTime.h"

namespace controltest {

struct Blit {
    int x, y;
    std::string key;
    int left, top, right, bottom;
    bool operator==(const Blit&) const = default;
};

class RecordingPort : public Controls::IControlPort {
  public:
    Controls::MouseInput mouse;
    std::vector<Blit> blits;
    std::vector<std::string> texts;
    std::vector<int> sounds;
    std::vector<std::vector<int>> lines, rects, outlines, captures, surfaces;
    std::vector<int> released;
    int nextSurface = 100;

    Controls::MouseInput Mouse() override { return mouse; }
    void PutImage(int x, int y, const std::string&, const std::string& key, int l, int t, int r,
                  int b) override {
        blits.push_back({x, y, key, l, t, r, b});
    }
    void Text(const std::string& text, int, int, int, int, const Controls::TextLook&) override {
        texts.push_back(text);
    }
    void Line(int x1, int y1, int x2, int y2, uint32_t color, int width) override {
        lines.push_back({x1, y1, x2, y2, int(color), width});
    }
    void Rect(int x1, int y1, int x2, int y2, uint32_t pen, uint32_t, int) override {
        rects.push_back({x1, y1, x2, y2, int(pen)});
    }
    void RectOutline(int x1, int y1, int x2, int y2, uint32_t color, int) override {
        outlines.push_back({x1, y1, x2, y2, int(color)});
    }
    int CaptureSurface(int l, int t, int r, int b) override {
        captures.push_back({l, t, r, b});
        return nextSurface++;
    }
    void PutSurface(int x, int y, int surface, int w, int h) override {
        surfaces.push_back({x, y, surface, w, h});
    }
    void ReleaseSurface(int surface) override { released.push_back(surface); }
    // Text rendered into surfaces of their own: width, height, background, the surface given
    // (0 while `refuseTextSurfaces`).
    bool refuseTextSurfaces = false;
    std::vector<std::vector<int>> textSurfaces;
    int TextSurface(const std::string&, int width, int height, const Controls::TextLook&,
                    uint32_t background) override {
        const int surface = refuseTextSurfaces ? 0 : nextSurface++;
        textSurfaces.push_back({width, height, int(background), surface});
        return surface;
    }
    void PlaySound(int slot) override { sounds.push_back(slot); }

    void ClearDrawing() {
        blits.clear(), texts.clear(), lines.clear(), rects.clear(), outlines.clear(), surfaces.clear();
    }
    bool Drew(const Blit& b) const { return std::find(blits.begin(), blits.end(), b) != blits.end(); }
    int CountSound(int slot) const { return int(std::count(sounds.begin(), sounds.end(), slot)); }
};

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Controls::SetPort(&port);
        SetFrameTime(1.0f / 60.0f);
    }
    // The engine's port comes back only after the derived fixtures' widgets are gone, so that
    // their cached labels are handed back to this port.
    ~ControlTest() override { Controls::SetPort(nullptr); }

    // The mouse of the next frame: where it is and what the left button does.
    void Hover(int x, int y) { SetMouse(x, y, false, false, false); }
    void Press(int x, int y) { SetMouse(x, y, true, false, false); }
    void Hold(int x, int y) { SetMouse(x, y, false, false, true); }
    void Release(int x, int y) { SetMouse(x, y, false, true, false); }
    void RightPress(int x, int y) {
        SetMouse(x, y, false, false, false);
        port.mouse.rightPressed = true;
    }
    void SetMouse(int x, int y, bool pressed, bool released, bool held) {
        port.mouse = {};
        port.mouse.x = x, port.mouse.y = y;
        port.mouse.leftPressed = pressed, port.mouse.leftReleased = released, port.mouse.leftHeld = held;
    }
    // A full click at (x, y): press, release, one frame each.
    void Click(Controls::GCBase& root, int x, int y) {
        Press(x, y);
        root.Update();
        Release(x, y);
        root.Update();
        Hover(x, y);
    }
    void DrawFrame(Controls::GCBase& root) {
        port.ClearDrawing();
        root.Draw();
    }

    RecordingPort port;
};

// A skinned button with nothing on its face.
template <class Skin>
struct Plain : Skin {
    using Skin::Skin;
    void DrawContent(int32_t, int32_t) override { ++contentDraws; }
    int contentDraws = 0;
};

// Counts the events a widget sends.
struct EventLog : Controls::IPushedEventHandler,
                  Controls::IPulledEventHandler,
                  Controls::IFocusedEventHandler,
                  Controls::IUnFocusedEventHandler,
                  Controls::IClosedEventHandler,
                  Controls::IMovedEventHandler {
    std::vector<std::string> events;
    void OnPushed(Controls::GCButton*) override { events.push_back("push"); }
    void OnPulled(Controls::GCButton*) override { events.push_back("pull"); }
    void OnFocused(Controls::GCButton*) override { events.push_back("focus"); }
    void OnUnFocused(Controls::GCButton*, int32_t) override { events.push_back("unfocus"); }
    void OnClosed(Controls::GCForm*) override { events.push_back("closed"); }
    void OnMoved(Controls::GCMovablePart*) override { events.push_back("moved"); }
    int Count(const std::string& e) const { return int(std::count(events.begin(), events.end(), e)); }
};

}  // namespace controltest
