#pragma once
// The lowest layer of the engine: process-wide engine state shared by the window, the frame loop
// and the other engine services. Single-instance guard, frame clock, the engine's error report
// (a message box titled "エラー発生" and the error flag), the buffered keyboard, mouse and
// joystick input with its per-frame poll and event cursor, the executable's folder, the cursor
// clip, the input-method switch and the ordered engine shutdown. Everything runs on the one
// window thread; failures are reported through Error and a 0 / false result, never by throwing.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/keycodes.h"

namespace elSystem {

// ---- Input codes: one code space for every device ----
inline constexpr uint32_t kMouseButtonBase = 256;  // mouse buttons 0..3: 268..271
inline constexpr uint32_t kMouseLeft = 268;
inline constexpr uint32_t kMouseRight = 269;
inline constexpr uint32_t kMouseAxisBase = 4096;
inline constexpr uint32_t kMouseAxisX = 4096;
inline constexpr uint32_t kMouseAxisY = 4100;
inline constexpr uint32_t kMouseWheel = 4104;
inline constexpr uint32_t kJoystickButtonBase = 512;  // joystick buttons 0..31: 560..591
inline constexpr uint32_t kJoystickButton0 = 560;
inline constexpr uint32_t kJoystickAxisBase = 8192;
inline constexpr uint32_t kJoystickAxisX = 8192;
inline constexpr uint32_t kJoystickAxisY = 8196;
inline constexpr uint16_t kEmptyEventCode = 65535;

// ---- Key states advanced by GetInputState ----
inline constexpr uint32_t kStateUp = 0xFF00;
inline constexpr uint32_t kStatePushed = 0xFF01;
inline constexpr uint32_t kStateReleased = 0xFF02;
inline constexpr uint32_t kStateHeld = 0xFF03;

// ---- Device mask ----
inline constexpr uint16_t kDeviceKeyboard = 1;  // bit 0
inline constexpr uint16_t kDeviceMouse = 2;     // bit 1
inline constexpr uint16_t kDeviceJoystick = 8;  // bit 3

inline constexpr int kMaxEvents = 256;
inline constexpr int kMaxJoysticks = 16;
inline constexpr int kJoystickReadRetries = 10;

// Event kinds of the decoded current event.
enum EventKind : uint8_t { kEventNone = 0, kEventKeyboard = 1, kEventMouse = 2, kEventJoystick = 3 };

struct InputEvent {
    uint8_t kind = kEventNone;
    uint8_t device = 0;  // joystick index + 1 for joystick records, else 0
    uint16_t code = 0;   // kEmptyEventCode for the empty event
    int32_t value = 0;
    float age = 0.0f;  // seconds between the record and the poll
};

// The window-message side of the mouse and keys (what the window procedure keeps).
struct WindowMouse {
    int x = 0, y = 0;          // last reported client position
    int prevX = 0, prevY = 0;  // position at the end of the previous turn
    int moveX = 0, moveY = 0;  // movement computed at the start of this turn
    bool leftDown = false, rightDown = false;
    bool leftClick = false, rightClick = false;    // per turn
    bool leftDouble = false, rightDouble = false;  // per turn
};

// ---- Start and end ----
// Zeroes the engine globals, stamps the frame clock, blink flag on with its deadline 1000 ms
// ahead, cursor counted as shown. First call of the program.
void Reset();
// Opens the window: SDL, or headless when asked (or when no display opens, which it says).
// The title is the game's UTF-8 text; the client area is width x height.
bool OpenWindow(const std::string& title, int width, int height, bool headless);
// Sets the window title (UTF-8).
void SetWindowTitle(const std::string& title);
// Takes the single-instance lock (the file title + ":ElMutex.lock" in the game folder). False,
// after saying so on stderr, when another copy runs; the caller then exits with 0.
bool CheckSingleInstance(const std::string& title);
// The input start-up. Called by elDraw::Screen.
bool Init();
// The ordered shutdown, run once; later calls return 1 at once.
int End();
bool HasEnded();
// 0 running, 2 closing (the window close is on its way).
int GetClosingState();
void SetClosingState(int state);

// ---- Window messages ----
// Collects the pending window messages for the shell and keeps the engine's bookkeeping of
// them (last key, window mouse position and buttons). No backend: nothing.
void PumpMessages(std::vector<plat::WindowEvent>& out);
// The scan code of the last key pushed (0 after its release).
int GetLastKey();
const WindowMouse& GetWindowMouse();
// The end of one turn of the main loop: the current mouse position becomes the previous one and
// the per-turn click flags are cleared.
void EndTurn();
// Hides the system cursor while it lies over the client area (the game draws its own) and shows
// it elsewhere; nothing while a message box shows.
void UpdateSystemCursor();

// ---- Clock ----
uint32_t Now();  // the millisecond clock (plat::NowMs)
// Frame time := (now - last tick) * 0.001 s, last tick := now; also the window mouse movement.
void AdvanceFrameClock();
void ResetFrameClock();  // frame time 0, last tick now
float GetFrameTime();
void SetFrameTime(float seconds);  // fixed frame times for tests and replays
uint32_t GetLastFrameTick();
// Toggles the blink flag when its deadline has passed: on for 1000 ms, off for 200 ms.
void UpdateBlink(uint32_t now);
bool GetBlinkFlag();

// ---- Errors and messages ----
// Shows context + " : " + message in a box titled "エラー発生", sets the error flag, returns 0.
int Error(const std::string& context, const std::string& message);
bool GetErrorFlag();
// Cleared only by Reset and when the screen opens (elDraw::Screen).
void ClearErrorFlag();
// printf-style box titled "メッセージ" ("\r\n" appended); resets the frame clock afterwards.
void MessageBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool IsMessageBoxShowing();

// ---- Input ----
void Activate(bool active);
bool IsActive();
void SetInputDevices(uint16_t mask);
uint16_t GetInputDevices();
int GetJoystickCount();
// Reads the frame's buffered device records (at most 256) and stamps the poll time.
void PollInput();
// Advances the event cursor; with `emptyEvent` a frame without records yields one empty event.
bool NextInputEvent(bool emptyEvent);
// Advances the caller's state word for `code` against the current event; `age` := its age.
void GetInputState(uint32_t code, uint32_t& state, float& age);
const InputEvent& GetCurrentEvent();
int GetEventCount();
uint32_t GetPollTime();
// Stores the cursor position; with a non-zero request and the mouse in the device mask the next
// poll appends it as two axis events (4096 x, 4100 y).
void NoteMouseMove(int request);

// ---- Paths, cursor and keys ----
// The game folder (GetGameFolder: the executable's folder, or the data folder of an install), ending
// with "/".
std::string GetExeDirectory();
int GetScreenBitsPerPixel();
// Keeps the cursor inside a rectangle of client pixels (right and bottom exclusive).
void ClipCursor(int left, int top, int right, int bottom);
void ClipCursorToWindow();
void UnclipCursor();
bool IsCursorClipped();
void SetIme(bool enable);
bool GetIme();
// 0 swallows every system key, 2 only Alt, others pass them on.
void SetSystemKeyMode(int mode);
int GetSystemKeyMode();

}  // namespace elSystem
