#pragma once
// Everything the widgets take from the world outside the tree: the mouse of this frame, the
// pictures, text, lines and rectangles they draw, the cached surfaces of rendered labels and
// the sound effects they play. The engine port serves the game; tests install a port of their
// own that feeds scripted mouse states and records what is drawn.
#include <cstdint>
#include <string>

namespace Controls {

// The mouse as one frame sees it. For each button at most one of pressed (went down this frame),
// released (came up this frame) and held (down since an earlier frame) is set.
struct MouseInput {
    int x = 0, y = 0;
    bool leftPressed = false, leftReleased = false, leftHeld = false;
    bool rightPressed = false, rightReleased = false, rightHeld = false;
};

// How a text is drawn: colour as 0..255 components, "ＭＳ Ｐゴシック" style font names,
// alignment 0 left, 1 centred, 2 right (not used in string mode).
struct TextLook {
    int red = 45, green = 30, blue = 8;
    std::string fontName;
    int fontSize = 16;
    bool bold = false;
    bool stringMode = false;
    int alignment = 1;
};

// Packs (r, g, b) as the draw layer takes colours: r | g << 8 | b << 16.
constexpr uint32_t PackColor(int red, int green, int blue) {
    return uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
}

// True when (x, y) lies in the rectangle, edges included on all four sides.
constexpr bool IsPointInRect(double x, double y, double left, double top, double right, double bottom) {
    return left <= x && x <= right && top <= y && y <= bottom;
}
constexpr bool IsPointInCircle(double x, double y, double cx, double cy, double r) {
    return r * r >= (x - cx) * (x - cx) + (y - cy) * (y - cy);
}

class IControlPort {
  public:
    virtual ~IControlPort() = default;
    virtual MouseInput Mouse() = 0;
    // Blits the source rectangle (right and bottom exclusive) of the picture under the group and
    // key at (x, y) with its colour key.
    virtual void PutImage(int x, int y, const std::string& group, const std::string& key, int left, int top,
                          int right, int bottom) = 0;
    // Text in the rectangle, word-wrapped (or through the string renderer in string mode).
    virtual void Text(const std::string& text, int left, int top, int right, int bottom,
                      const TextLook& look) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, uint32_t color, int width) = 0;
    // A filled rectangle with an outline.
    virtual void Rect(int x1, int y1, int x2, int y2, uint32_t pen, uint32_t brush, int penWidth) = 0;
    // The outline alone, as four lines.
    virtual void RectOutline(int x1, int y1, int x2, int y2, uint32_t color, int width) = 0;
    // A circle's outline round (cx, cy); a port that draws no circles ignores it.
    virtual void Arc(int /*cx*/, int /*cy*/, int /*radius*/, uint32_t /*color*/, int /*width*/) {}
    // A new surface holding the back-buffer rectangle; 0 when none could be made.
    virtual int CaptureSurface(int left, int top, int right, int bottom) = 0;
    // Blits a captured surface (its whole size) at (x, y) with the colour key.
    virtual void PutSurface(int x, int y, int surface, int width, int height) = 0;
    virtual void ReleaseSurface(int surface) = 0;
    // A new surface of width x height filled with `background` (0x00BBGGRR) and the text drawn
    // into it from its top-left corner, word-wrapped; nothing is read back from the screen. 0
    // when none could be made (a port without surfaces of its own answers 0 always).
    virtual int TextSurface(const std::string& /*text*/, int /*width*/, int /*height*/,
                            const TextLook& /*look*/, uint32_t /*background*/) {
        return 0;
    }
    virtual void PlaySound(int slot) = 0;
};

// The port in use: the engine's unless a test installed its own. Null puts the engine's back.
IControlPort& Port();
void SetPort(IControlPort* port);
// The engine's own port, for ports that pass most calls on to it.
IControlPort& EnginePort();

// The engine's drawing with a mouse its owner moves and no sound: scripted runs of the widget
// gallery and the screen tests.
class ScriptedMousePort : public IControlPort {
  public:
    MouseInput mouse;
    MouseInput Mouse() override { return mouse; }
    void PutImage(int x, int y, const std::string& group, const std::string& key, int left, int top,
                  int right, int bottom) override;
    void Text(const std::string& text, int left, int top, int right, int bottom,
              const TextLook& look) override;
    void Line(int x1, int y1, int x2, int y2, uint32_t color, int width) override;
    void Rect(int x1, int y1, int x2, int y2, uint32_t pen, uint32_t brush, int penWidth) override;
    void RectOutline(int x1, int y1, int x2, int y2, uint32_t color, int width) override;
    void Arc(int cx, int cy, int radius, uint32_t color, int width) override;
    int CaptureSurface(int left, int top, int right, int bottom) override;
    void PutSurface(int x, int y, int surface, int width, int height) override;
    void ReleaseSurface(int surface) override;
    int TextSurface(const std::string& text, int width, int height, const TextLook& look,
                    uint32_t background) override;
    void PlaySound(int) override {}
};

// The last frame's duration times 60: what every counter of the widgets advances by.
double FrameStep();

// The image group and keys of the interface pictures.
inline const std::string kImageGroup = "Editer";
inline const std::string kSheet1 = "Controls_001";
inline const std::string kSheet2 = "Controls_002";
inline const std::string kSheet3 = "Controls_003";  // the editor's tool icons
inline const std::string kSheet4 = "Controls_004";
inline const std::string kSheet5 = "Controls_005";
inline const std::string kSheet6 = "Controls_006";
inline const std::string kSheet9 = "Controls_009";
inline const std::string kSheet10 = "Controls_010";
inline const std::string kSheet11 = "Controls_011";

// A blit from one of the interface sheets.
inline void PutSheet(const std::string& key, int x, int y, int left, int top, int right, int bottom) {
    Port().PutImage(x, y, kImageGroup, key, left, top, right, bottom);
}

// The fonts of the widgets.
inline const std::string kLabelFont = "ＭＳ Ｐゴシック";
inline const std::string kFixedFont = "ＭＳ ゴシック";

// Sound effects of the widgets.
namespace ControlSound {
inline constexpr int kPush = 3;         // a button pushed or pulled, a grip grabbed
inline constexpr int kCloseWindow = 4;  // a window closed by its close button or a right click
inline constexpr int kFocus = 5;        // the mouse enters a button, grip or handle
inline constexpr int kCapClick = 7;     // the first mascot clicked
inline constexpr int kChaoClick = 71;   // the second mascot clicked
}  // namespace ControlSound

}  // namespace Controls
