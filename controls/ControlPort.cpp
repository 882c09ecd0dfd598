#include "controls/ControlPort.h"

#include "engine/InputManager.h"
#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/FrameTime.h"

namespace Controls {
namespace {

// The game's port: the input manager, the sprite manager's images, the draw layer and PlaySE.
class EnginePort : public IControlPort {
  public:
    MouseInput Mouse() override {
        const CInputManager& in = *CInputManager::GetInstance();
        MouseInput m;
        m.x = in.GetMouseX();
        m.y = in.GetMouseY();
        m.leftPressed = in.IsMouseLeftPushed();
        m.leftReleased = in.IsMouseLeftReleased();
        m.leftHeld = in.IsMouseLeftHeld();
        m.rightPressed = in.IsMouseRightPushed();
        m.rightReleased = in.IsMouseRightReleased();
        m.rightHeld = in.IsMouseRightHeld();
        return m;
    }
    void PutImage(int x, int y, const std::string& group, const std::string& key, int left, int top,
                  int right, int bottom) override {
        elDraw::PutObject(x, y, FindImage(group, key), left, top, right, bottom);
    }
    void Text(const std::string& text, int left, int top, int right, int bottom,
              const TextLook& look) override {
        DrawText(text, left, top, right, bottom, look.red, look.green, look.blue, look.fontName,
                 look.fontSize, look.bold ? 1 : 0, look.stringMode, look.alignment);
    }
    void Line(int x1, int y1, int x2, int y2, uint32_t color, int width) override {
        elDraw::DrawLine(x1, y1, x2, y2, color, width);
    }
    void Rect(int x1, int y1, int x2, int y2, uint32_t pen, uint32_t brush, int penWidth) override {
        elDraw::DrawRect(x1, y1, x2, y2, brush, pen, penWidth);
    }
    void RectOutline(int x1, int y1, int x2, int y2, uint32_t color, int width) override {
        DrawRectOutline(x1, y1, x2, y2, int(color & 0xFF), int((color >> 8) & 0xFF),
                        int((color >> 16) & 0xFF), width);
    }
    void Arc(int cx, int cy, int radius, uint32_t color, int width) override {
        elDraw::DrawArc(cx, cy, radius, color, width);
    }
    int CaptureSurface(int left, int top, int right, int bottom) override {
        int slot = elDraw::CreateObject(right - left, bottom - top, elDraw::kMemoryDriver);
        if (slot > 0) elDraw::FillObject(slot, left, top, right, bottom);
        return slot;
    }
    void PutSurface(int x, int y, int surface, int width, int height) override {
        elDraw::PutObject(x, y, surface, 0, 0, width, height);
    }
    void ReleaseSurface(int surface) override { elDraw::ReleaseObject(surface); }
    int TextSurface(const std::string& text, int width, int height, const TextLook& look,
                    uint32_t background) override {
        return DrawTextToObject(text, width, height, look.red, look.green, look.blue, look.fontName,
                                look.fontSize, look.bold ? 1 : 0, look.alignment, int(background & 0xFF),
                                int((background >> 8) & 0xFF), int((background >> 16) & 0xFF));
    }
    void PlaySound(int slot) override { PlaySE(slot); }
};

EnginePort g_enginePort;
IControlPort* g_port = &g_enginePort;

}  // namespace

IControlPort& Port() { return *g_port; }
IControlPort& EnginePort() { return g_enginePort; }
void SetPort(IControlPort* port) { g_port = port ? port : &g_enginePort; }
double FrameStep() { return double(GetFrameTime()) * 60.0; }

void ScriptedMousePort::PutImage(int x, int y, const std::string& group, const std::string& key, int left,
                                 int top, int right, int bottom) {
    g_enginePort.PutImage(x, y, group, key, left, top, right, bottom);
}
void ScriptedMousePort::Text(const std::string& text, int left, int top, int right, int bottom,
                             const TextLook& look) {
    g_enginePort.Text(text, left, top, right, bottom, look);
}
void ScriptedMousePort::Line(int x1, int y1, int x2, int y2, uint32_t color, int width) {
    g_enginePort.Line(x1, y1, x2, y2, color, width);
}
void ScriptedMousePort::Rect(int x1, int y1, int x2, int y2, uint32_t pen, uint32_t brush, int penWidth) {
    g_enginePort.Rect(x1, y1, x2, y2, pen, brush, penWidth);
}
void ScriptedMousePort::RectOutline(int x1, int y1, int x2, int y2, uint32_t color, int width) {
    g_enginePort.RectOutline(x1, y1, x2, y2, color, width);
}
int ScriptedMousePort::CaptureSurface(int left, int top, int right, int bottom) {
    return g_enginePort.CaptureSurface(left, top, right, bottom);
}
void ScriptedMousePort::PutSurface(int x, int y, int surface, int width, int height) {
    g_enginePort.PutSurface(x, y, surface, width, height);
}
void ScriptedMousePort::ReleaseSurface(int surface) { g_enginePort.ReleaseSurface(surface); }
void ScriptedMousePort::Arc(int cx, int cy, int radius, uint32_t color, int width) {
    g_enginePort.Arc(cx, cy, radius, color, width);
}
int ScriptedMousePort::TextSurface(const std::string& text, int width, int height, const TextLook& look,
                                   uint32_t background) {
    return g_enginePort.TextSurface(text, width, height, look, background);
}

}  // namespace Controls
