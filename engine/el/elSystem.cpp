#include "engine/el/elSystem.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "engine/el/el4D.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSound.h"
#include "engine/el/elText.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/messagebox.h"

namespace elSystem {
namespace {

// One buffered record of the frame, its offset rewritten into the engine's input code.
struct EventRecord {
    uint32_t code = 0;
    uint32_t data = 0;
    uint32_t timeMs = 0;
    uint32_t sequence = 0;
    uint8_t device = 0;
};

struct Globals {
    uint32_t lastTick = 0;
    bool blink = true;
    uint32_t blinkDeadline = 0;
    bool active = false;
    bool error = false;
    bool messageBoxShowing = false;
    bool cursorShown = true;
    bool ended = false;
    int closing = 0;
    int systemKeyMode = 0;
    bool clipped = false;
    int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    bool ime = false;
    bool inputReady = false;  // the input devices were set up by Init
    uint16_t deviceMask = 0;
    int joystickCount = 0;
    EventRecord events[kMaxEvents];
    int eventCount = 0;
    int readIndex = -1;
    bool endFlag = false;
    InputEvent current;
    uint32_t pollTime = 0;
    int mouseMoved = 0;
    int storedX = 0, storedY = 0;
    int lastKey = 0;
    WindowMouse mouse;
};

Globals g;
plat::InstanceLock instanceLock;

plat::Backend* Backend() { return plat::CurrentBackend(); }

// Reads the device's buffered records into the event buffer from `start`, at most `space`.
// A failed read is answered by acquiring the device and reading again, at most `retries` times.
int ReadDevice(plat::Device device, int index, int start, int space, int retries) {
    plat::Backend* b = Backend();
    if (!b || space <= 0) return 0;
    plat::DeviceRecord records[kMaxEvents];
    int n = b->ReadDeviceData(device, index, records, space);
    for (int i = 0; n < 0 && i < retries; ++i) {
        b->Acquire(device, index);
        n = b->ReadDeviceData(device, index, records, space);
    }
    if (n < 0) return 0;
    for (int i = 0; i < n; ++i) {
        EventRecord& e = g.events[start + i];
        e.code = records[i].offset;
        e.data = records[i].data;
        e.timeMs = records[i].timeMs;
        e.sequence = records[i].sequence;
        e.device = 0;
    }
    return n;
}

void AcquireDevices(bool acquire) {
    plat::Backend* b = Backend();
    if (!b || !g.inputReady) return;
    auto apply = [&](plat::Device d, int i) {
        if (acquire) {
            b->Acquire(d, i);
        } else {
            b->Unacquire(d, i);
        }
    };
    if (g.deviceMask & kDeviceKeyboard) apply(plat::Device::Keyboard, 0);
    if (g.deviceMask & kDeviceMouse) apply(plat::Device::Mouse, 0);
    if (g.deviceMask & kDeviceJoystick) {
        for (int j = 0; j < g.joystickCount; ++j) apply(plat::Device::Joystick, j);
    }
}

bool CursorPos(int& x, int& y) {
    plat::Backend* b = Backend();
    if (!b || !b->CursorPosition(x, y)) {
        x = y = 0;
        return false;
    }
    return true;
}

// The box titled "メッセージ" with the cursor shown; the time it stays open is not a frame.
void PresentMessage(const std::string& text) {
    plat::Backend* b = Backend();
    if (b && !g.cursorShown) {
        b->ShowSystemCursor(true);
        g.cursorShown = true;
    }
    g.messageBoxShowing = true;
    plat::ShowMessageBox("メッセージ", text);
    g.messageBoxShowing = false;
    ResetFrameClock();
}
}  // namespace

// ---- Start and end ----

void Reset() {
    g = Globals{};
    uint32_t now = plat::NowMs();
    g.lastTick = now;
    g.blink = true;
    g.blinkDeadline = now + 1000;
    g.cursorShown = true;
    ::SetFrameTime(0.0f);
}

bool OpenWindow(const std::string& title, int width, int height, bool headless) {
    plat::BackendOptions options;
    options.headless = headless || plat::HeadlessRequested(0, nullptr);
    options.title = title;
    options.width = width;
    options.height = height;
    plat::StartBackend(options);
    return true;
}

void SetWindowTitle(const std::string& title) {
    if (plat::Backend* b = Backend()) b->SetTitle(title);
}

bool CheckSingleInstance(const std::string& title) {
    std::string path = GetWritePath(title + ":ElMutex.lock");
    std::string error;
    if (instanceLock.TryAcquire(path, &error)) return true;
    if (!error.empty()) {
        // Without any folder to write the lock file to there is no lock; the game still runs.
        std::fprintf(stderr, "The single-instance lock cannot be taken (%s).\n", error.c_str());
        return true;
    }
    std::fprintf(stderr, "%s is already running.\n", title.c_str());
    return false;
}

bool Init() {
    plat::Backend* b = Backend();
    g.inputReady = false;
    g.storedX = g.storedY = 0;
    if (!b) {
        Error("elSystem::Init", "DirectInputが使用できません");
        return false;
    }
    g.inputReady = true;
    g.joystickCount = b->JoystickCount() < kMaxJoysticks ? b->JoystickCount() : kMaxJoysticks;
    g.deviceMask = g.joystickCount == 0 ? 3 : 11;
    g.eventCount = 0;
    g.readIndex = -1;
    g.mouseMoved = 0;
    g.storedX = g.storedY = 0;
    g.systemKeyMode = 0;
    if (g.active) AcquireDevices(true);
    // The layers below the engine show their messages through the engine's box from now on.
    SetMessageTextPresenter(PresentMessage);
    return true;
}

int End() {
    if (g.ended) return 1;
    g.ended = true;
    el4D::End();
    // Input devices.
    AcquireDevices(false);
    g.inputReady = false;
    g.eventCount = 0;
    g.readIndex = -1;
    UnclipCursor();
    elDraw::EndFonts();
    elSound::End();
    // The draw layer: every object and the back buffer.
    elDraw::ReleaseAll();
    instanceLock.Release();
    SetMessageTextPresenter(nullptr);
    if (g.closing != 2) {
        if (plat::Backend* b = Backend()) b->RequestClose();
    }
    g.closing = 2;
    return 1;
}

bool HasEnded() { return g.ended; }
int GetClosingState() { return g.closing; }
void SetClosingState(int state) { g.closing = state; }

// ---- Window messages ----

void PumpMessages(std::vector<plat::WindowEvent>& out) {
    plat::Backend* b = Backend();
    if (!b) return;
    size_t first = out.size();
    b->PumpEvents(out);
    for (size_t i = first; i < out.size(); ++i) {
        const plat::WindowEvent& e = out[i];
        switch (e.kind) {
            case plat::WindowEventKind::KeyDown:
                g.lastKey = e.key;
                break;
            case plat::WindowEventKind::KeyUp:
                if (g.lastKey == e.key) g.lastKey = 0;
                break;
            case plat::WindowEventKind::MouseMove:
                g.mouse.x = e.x;
                g.mouse.y = e.y;
                break;
            case plat::WindowEventKind::ButtonDown:
                g.mouse.x = e.x;
                g.mouse.y = e.y;
                if (e.button == 0) g.mouse.leftDown = g.mouse.leftClick = true;
                if (e.button == 1) g.mouse.rightDown = g.mouse.rightClick = true;
                break;
            case plat::WindowEventKind::ButtonUp:
                if (e.button == 0) g.mouse.leftDown = false;
                if (e.button == 1) g.mouse.rightDown = false;
                break;
            case plat::WindowEventKind::DoubleClick:
                if (e.button == 0) g.mouse.leftDouble = true;
                if (e.button == 1) g.mouse.rightDouble = true;
                break;
            default:
                break;
        }
    }
}

int GetLastKey() { return g.lastKey; }
const WindowMouse& GetWindowMouse() { return g.mouse; }

void EndTurn() {
    g.mouse.prevX = g.mouse.x;
    g.mouse.prevY = g.mouse.y;
    g.mouse.leftClick = g.mouse.rightClick = false;
    g.mouse.leftDouble = g.mouse.rightDouble = false;
}

void UpdateSystemCursor() {
    plat::Backend* b = Backend();
    if (!b || g.messageBoxShowing) return;
    int x = 0, y = 0;
    if (!b->CursorPosition(x, y)) return;
    bool inside = x >= 0 && y >= 0 && x < elDraw::GetScreenWidth() && y < elDraw::GetScreenHeight();
    if (inside && g.cursorShown) {
        b->ShowSystemCursor(false);
        g.cursorShown = false;
    } else if (!inside && !g.cursorShown) {
        b->ShowSystemCursor(true);
        g.cursorShown = true;
    }
}

// ---- Clock ----

uint32_t Now() { return plat::NowMs(); }

void AdvanceFrameClock() {
    uint32_t now = plat::NowMs();
    ::SetFrameTime(static_cast<float>(static_cast<double>(now - g.lastTick) * 0.001));
    g.mouse.moveX = g.mouse.x - g.mouse.prevX;
    g.mouse.moveY = g.mouse.y - g.mouse.prevY;
    g.lastTick = plat::NowMs();
}

void ResetFrameClock() {
    ::SetFrameTime(0.0f);
    g.lastTick = plat::NowMs();
}

float GetFrameTime() { return ::GetFrameTime(); }
void SetFrameTime(float seconds) { ::SetFrameTime(seconds); }
uint32_t GetLastFrameTick() { return g.lastTick; }

void UpdateBlink(uint32_t now) {
    if (static_cast<int32_t>(now - g.blinkDeadline) < 0) return;
    g.blink = !g.blink;
    g.blinkDeadline = now + (g.blink ? 1000 : 200);
}

bool GetBlinkFlag() { return g.blink; }

// ---- Errors and messages ----

void ClearErrorFlag() { g.error = false; }

int Error(const std::string& context, const std::string& message) {
    g.messageBoxShowing = true;
    plat::ShowMessageBox("エラー発生", context + " : " + message);
    g.messageBoxShowing = false;
    g.error = true;
    return 0;
}

bool GetErrorFlag() { return g.error; }

void MessageBox(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        text.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    PresentMessage(text + "\r\n");
}

bool IsMessageBoxShowing() { return g.messageBoxShowing; }

// ---- Input ----

void Activate(bool active) {
    g.active = active;
    AcquireDevices(active);
}

bool IsActive() { return g.active; }
void SetInputDevices(uint16_t mask) { g.deviceMask = mask; }
uint16_t GetInputDevices() { return g.deviceMask; }
int GetJoystickCount() { return g.joystickCount; }

void PollInput() {
    uint32_t previousPoll = g.pollTime;
    g.eventCount = 0;
    g.readIndex = -1;
    g.endFlag = false;
    if (!g.active || !g.inputReady) {
        g.pollTime = plat::NowMs();
        return;
    }
    // Keyboard records keep their scan codes.
    if (g.deviceMask & kDeviceKeyboard) {
        g.eventCount += ReadDevice(plat::Device::Keyboard, 0, 0, kMaxEvents, kJoystickReadRetries);
    }
    // Mouse: buttons 268..271; axes carry the window-relative cursor position.
    if ((g.deviceMask & kDeviceMouse) && g.eventCount < kMaxEvents) {
        int cx = 0, cy = 0;
        CursorPos(cx, cy);
        int start = g.eventCount;
        int n = ReadDevice(plat::Device::Mouse, 0, start, kMaxEvents - start, kJoystickReadRetries);
        for (int i = start; i < start + n; ++i) {
            EventRecord& e = g.events[i];
            if (e.code >= plat::kMouseOffsetButton0 && e.code <= plat::kMouseOffsetButton0 + 3) {
                e.code += kMouseButtonBase;
                continue;
            }
            // The movement itself is not kept: an axis event carries where the cursor is.
            e.data = static_cast<uint32_t>(e.code == plat::kMouseOffsetX ? cx : cy);
            e.code += kMouseAxisBase;
        }
        g.eventCount += n;
    }
    // Joysticks: device byte = index + 1; buttons 560..591, every other offset 8192 + offset.
    // A pad plugged in since the last poll adds its slot (a failed read acquires it).
    if (plat::Backend* b = Backend(); b && b->JoystickCount() > g.joystickCount) {
        g.joystickCount = b->JoystickCount() < kMaxJoysticks ? b->JoystickCount() : kMaxJoysticks;
        g.deviceMask |= kDeviceJoystick;
    }
    if (g.deviceMask & kDeviceJoystick) {
        for (int j = 0; j < g.joystickCount && g.eventCount < kMaxEvents; ++j) {
            int start = g.eventCount;
            int n = ReadDevice(plat::Device::Joystick, j, start, kMaxEvents - start, kJoystickReadRetries);
            for (int i = start; i < start + n; ++i) {
                EventRecord& e = g.events[i];
                e.device = static_cast<uint8_t>(j + 1);
                if (e.code >= plat::kJoyOffsetButton0 && e.code < plat::kJoyOffsetButton0 + 32) {
                    e.code += kJoystickButtonBase;
                } else {
                    e.code += kJoystickAxisBase;
                }
            }
            g.eventCount += n;
        }
    }
    // A requested mouse position: two axis events stamped with the previous poll time.
    if (g.mouseMoved) {
        int cx = 0, cy = 0;
        CursorPos(cx, cy);
        if (g.eventCount + 2 <= kMaxEvents) {
            g.events[g.eventCount++] =
                EventRecord{kMouseAxisX, static_cast<uint32_t>(cx), previousPoll, 0, 0};
            g.events[g.eventCount++] =
                EventRecord{kMouseAxisY, static_cast<uint32_t>(cy), previousPoll, 0, 0};
        }
        g.mouseMoved = 0;
    }
    g.readIndex = -1;
    g.pollTime = plat::NowMs();
}

bool NextInputEvent(bool emptyEvent) {
    if (g.endFlag) {
        g.endFlag = false;
        return false;
    }
    int next = g.readIndex + 1;
    if (next < g.eventCount) {
        g.readIndex = next;
        const EventRecord& e = g.events[next];
        InputEvent& c = g.current;
        c.code = static_cast<uint16_t>(e.code);
        c.device = e.device;
        c.age = static_cast<float>(static_cast<double>(g.pollTime - e.timeMs) * 0.001);
        if (e.code < 256) {
            c.kind = kEventKeyboard;
        } else if (e.code < 512 || (e.code >= 4096 && e.code < 8192)) {
            c.kind = kEventMouse;
        } else {
            c.kind = kEventJoystick;
        }
        c.value = e.code >= 4096 ? static_cast<int32_t>(e.data) : ((e.data & 0x80) ? 1 : 0);
        return true;
    }
    if (g.eventCount == 0 && emptyEvent && g.readIndex < 0) {
        g.current = InputEvent{kEventNone, 0, kEmptyEventCode, 0, 0.0f};
        g.readIndex = 0;
        g.endFlag = true;
        return true;
    }
    return false;
}

void GetInputState(uint32_t code, uint32_t& state, float& age) {
    if (state == kStatePushed) {
        state = kStateHeld;
    } else if (state == kStateReleased) {
        state = kStateUp;
    }
    const InputEvent& c = g.current;
    if (c.kind != kEventNone && c.code == code) {
        bool button = (c.kind == kEventKeyboard) || (c.kind == kEventMouse && code < 4096) ||
                      (c.kind == kEventJoystick && code < 8192);
        if (button) {
            state = c.value > 0 ? kStatePushed : kStateReleased;
        } else {
            state = static_cast<uint32_t>(c.value);
        }
    }
    age = c.age;
}

const InputEvent& GetCurrentEvent() { return g.current; }
int GetEventCount() { return g.eventCount; }
uint32_t GetPollTime() { return g.pollTime; }

void NoteMouseMove(int request) {
    CursorPos(g.storedX, g.storedY);
    if (g.deviceMask & kDeviceMouse) g.mouseMoved = request;
}

// ---- Paths, cursor and keys ----

std::string GetExeDirectory() {
    std::string dir = GetGameFolder();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

int GetScreenBitsPerPixel() {
    plat::Backend* b = Backend();
    return b ? b->BitsPerPixel() : 32;
}

void ClipCursor(int left, int top, int right, int bottom) {
    g.clipLeft = left;
    g.clipTop = top;
    g.clipRight = right;
    g.clipBottom = bottom;
    g.clipped = true;
    if (plat::Backend* b = Backend()) b->ClipCursor(true, left, top, right, bottom);
}

void ClipCursorToWindow() { ClipCursor(0, 0, elDraw::GetScreenWidth(), elDraw::GetScreenHeight()); }

void UnclipCursor() {
    if (plat::Backend* b = Backend()) b->ClipCursor(false, 0, 0, 0, 0);
    g.clipped = false;
}

bool IsCursorClipped() { return g.clipped; }

void SetIme(bool enable) {
    g.ime = enable;
    if (plat::Backend* b = Backend()) b->SetTextInput(enable);
}

bool GetIme() { return g.ime; }
void SetSystemKeyMode(int mode) { g.systemKeyMode = mode; }
int GetSystemKeyMode() { return g.systemKeyMode; }

}  // namespace elSystem
