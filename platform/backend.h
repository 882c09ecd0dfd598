#pragma once
// The window, its input devices and the presenter. Two backends: SDL2 (a real window) and
// headless (no window; input scripted by the caller; the finished frame kept as pixels).
//
// Input is buffered per device the way the game reads it: every key, button and axis change is
// a time-stamped record {offset, data} kept until the engine's per-frame poll reads it. A device
// buffers at most 256 records (further ones are dropped) and only while it is acquired.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/keycodes.h"
#include "platform/present.h"
#include "platform/surface.h"

namespace plat {

enum class Device : uint8_t { Keyboard = 0, Mouse = 1, Joystick = 3 };

inline constexpr int kMaxJoysticks = 16;
inline constexpr int kDeviceBufferSize = 256;

// One buffered device record.
//  keyboard: offset = scan code, data = 0x80 down / 0 up;
//  mouse: offset 0/4/8 = X/Y/wheel with the relative movement as data, 12..15 buttons;
//  joystick: axis offsets with the scaled position (-1000..1000) as data, 48..79 buttons,
//  32..44 hats (hundredths of a degree, 0xFFFFFFFF centred).
struct DeviceRecord {
    uint32_t offset = 0;
    uint32_t data = 0;
    uint32_t timeMs = 0;
    uint32_t sequence = 0;
};

// Window messages that the shell handles (the window procedure's share of the work).
enum class WindowEventKind : uint8_t {
    Close,       // the close box, or a close the engine requested
    Activate,    // the window gained the focus
    Deactivate,  // the window lost the focus
    KeyDown,     // key = scan code (auto-repeat included)
    KeyUp,       // key = scan code
    MouseMove,   // x, y in client pixels
    ButtonDown,  // button 0 left, 1 right, 2 middle, 3 extra; x, y
    ButtonUp,
    DoubleClick,  // second press of a double click (after its ButtonDown)
    TextInput,    // text = UTF-8 typed text while text input is on
};

struct WindowEvent {
    WindowEvent() = default;
    explicit WindowEvent(WindowEventKind k) : kind(k) {}

    WindowEventKind kind = WindowEventKind::Close;
    int key = 0;
    int x = 0;
    int y = 0;
    int button = 0;
    std::string text;
};

// The device buffers both backends share.
class InputBuffers {
  public:
    // Appends a record stamped with the clock, when the device is acquired and has room.
    void Push(Device device, int index, uint32_t offset, uint32_t data);
    // Moves up to `max` of the device's oldest records to `out`; -1 when not acquired.
    int Read(Device device, int index, DeviceRecord* out, int max);
    bool Acquire(Device device, int index);
    void Unacquire(Device device, int index);
    bool Acquired(Device device, int index) const;
    // A joystick that refuses to be acquired (a pulled cable); tests use it.
    void SetBroken(int joystick, bool broken);
    void ClearAll();

  private:
    struct Queue {
        std::deque<DeviceRecord> records;
        bool acquired = false;
        bool broken = false;
    };
    Queue* Find(Device device, int index);
    const Queue* Find(Device device, int index) const;
    Queue keyboard_, mouse_;
    Queue joysticks_[kMaxJoysticks];
    uint32_t sequence_ = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    virtual bool IsHeadless() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string Title() const = 0;

    // Collects the pending window messages (and feeds the device buffers).
    virtual void PumpEvents(std::vector<WindowEvent>& out) = 0;
    // The next pump reports Close (the engine's request to close the window).
    virtual void RequestClose() = 0;
    // Shows the finished 640x480 frame.
    virtual void Present(const Surface& frame) = 0;
    // After a frame: how long the loop sleeps before the next one, so that a window whose
    // presents do not wait for the display still shows at most 60 frames a second.
    virtual uint32_t FrameWaitMs() { return 0; }
    // How frames reach the window (Auto while the backend has no window).
    virtual PresentPath CurrentPresentPath() const { return PresentPath::Auto; }

    // Cursor position in client pixels (may lie outside the client area); false if unknown.
    virtual bool CursorPosition(int& x, int& y) const = 0;
    virtual void ShowSystemCursor(bool shown) = 0;
    // Keeps the cursor inside the client rectangle (right and bottom exclusive), or frees it.
    virtual void ClipCursor(bool clip, int left, int top, int right, int bottom) = 0;
    // Text input (the input method) on or off.
    virtual void SetTextInput(bool enabled) = 0;
    // Desktop colour depth in bits per pixel.
    virtual int BitsPerPixel() const { return 32; }

    // The joystick slots to read; it grows when a pad is plugged in while the game runs.
    int JoystickCount() const { return joystickCount_; }
    bool Acquire(Device device, int index) { return buffers_.Acquire(device, index); }
    void Unacquire(Device device, int index) { buffers_.Unacquire(device, index); }
    int ReadDeviceData(Device device, int index, DeviceRecord* out, int max) {
        return buffers_.Read(device, index, out, max);
    }

  protected:
    InputBuffers buffers_;
    int joystickCount_ = 0;
};

// Scales a raw joystick axis (-32768..32767) to -1000..1000. With the dead zone (the X, Y and Z
// axes) the inner half of the travel reads 0 and the rest is stretched over the full range.
int32_t ScaleJoystickAxis(int raw, bool deadZone);

// The game's scan code of an SDL scan code (the USB usage number); 0 for keys the game ignores.
uint16_t SdlScancodeToKey(int sdlScancode);

struct BackendOptions {
    bool headless = false;
    std::string title = "Quorvald";
    int width = 640;
    int height = 480;
    int scale = 0;                                // window pixels per frame pixel; 0: the largest that fits
    PresentPath presentPath = PresentPath::Auto;  // Texture or Surface skips the timing
};

// True when --headless is among the arguments or QUOR_HEADLESS is set to a non-empty value
// other than "0".
bool HeadlessRequested(int argc, const char* const* argv);

// Starts the backend (replacing one already running). SDL when asked for and a display opens;
// otherwise it says so on stderr and runs headless. Installs the backend's message box.
Backend& StartBackend(const BackendOptions& options);
// The running backend, or null.
Backend* CurrentBackend();
// Ends the running backend (closes the window).
void StopBackend();

}  // namespace plat
