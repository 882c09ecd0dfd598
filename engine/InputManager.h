#pragma once
// Turns the engine's buffered keyboard, mouse and joystick events into per-frame flags: seven
// logical game keys with pushed, released and held flags and frame counters, the mouse
// position and buttons, and pushed flags for the letter, digit, editing and function keys.
#include <cstdint>

#include "foundation/Singleton.h"

// The seven logical keys.
enum InputKey { kKeyUp = 0, kKeyDown, kKeyLeft, kKeyRight, kKeyZ, kKeyX, kKeySpace, kInputKeyCount };

// Engine input codes the manager watches (keyboard keys by their scan code below 256).
namespace InputCode {
inline constexpr int kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD;
inline constexpr int kZ = 0x2C, kX = 0x2D, kSpace = 0x39;
inline constexpr int kBackspace = 0x0E, kDelete = 0xD3, kEnter = 0x1C, kTab = 0x0F, kMinus = 0x0C;
inline constexpr int kLShift = 0x2A, kRShift = 0x36, kLControl = 0x1D, kRControl = 0x9D;
inline constexpr int kF1 = 0x3B;  // F1..F10 are 0x3B..0x44
inline constexpr int kF11 = 0x57, kF12 = 0x58;
inline constexpr int kMouseLeft = 256 + 12, kMouseRight = 256 + 13;
inline constexpr int kMouseX = 4096, kMouseY = 4100;
inline constexpr int kJoyX = 8192, kJoyY = 8196;
inline constexpr int kJoyButton1 = 560, kJoyButton2 = 561, kJoyButton3 = 562;
// Scan codes of the letters A..Z, in alphabetical order.
extern const int kLetters[26];
// Scan codes of the main-row digits 0..9 and of the numeric-pad digits 0..9.
extern const int kDigits[10];
extern const int kPadDigits[10];
}  // namespace InputCode

// State words advanced per event.
namespace KeyState {
inline constexpr uint32_t kNone = 0xFF00, kPushed = 0xFF01, kReleased = 0xFF02, kHeld = 0xFF03;
}

// Where the events come from: the engine's event cursor. Tests may install their own.
class IInputEventSource {
  public:
    virtual ~IInputEventSource() = default;
    // Advances to the next event of the frame; with `wantEmpty` a frame without events yields
    // one empty event.
    virtual bool NextEvent(bool wantEmpty) = 0;
    // Advances the caller's state word for `code` against the current event.
    virtual void GetState(int code, uint32_t& state, float& age) = 0;
};

class CInputManager : public CSingleton<CInputManager> {
  public:
    // Null puts the engine's own event cursor back.
    static void SetEventSource(IInputEventSource* source);

    void Update();

    bool IsPushed(int key) const { return Valid(key) && pushed_[key]; }
    bool IsReleased(int key) const { return Valid(key) && released_[key]; }
    bool IsHeld(int key) const { return Valid(key) && held_[key]; }
    double GetHeldTime(int key) const { return Valid(key) ? heldTime_[key] : 0.0; }
    double GetIdleTime(int key) const { return Valid(key) ? idleTime_[key] : 0.0; }
    double GetTimeSincePush(int key) const { return Valid(key) ? sincePush_[key] : 0.0; }

    int GetJoystickX() const { return joyX_; }
    int GetJoystickY() const { return joyY_; }

    int GetMouseX() const { return mouseX_; }
    int GetMouseY() const { return mouseY_; }
    int GetPrevMouseX() const { return prevMouseX_; }
    int GetPrevMouseY() const { return prevMouseY_; }
    bool IsMouseLeftPushed() const { return mouse_[0].pushed; }
    bool IsMouseLeftReleased() const { return mouse_[0].released; }
    bool IsMouseLeftHeld() const { return mouse_[0].held; }
    bool WasMouseLeftHeld() const { return mouse_[0].heldBefore; }
    bool IsMouseRightPushed() const { return mouse_[1].pushed; }
    bool IsMouseRightReleased() const { return mouse_[1].released; }
    bool IsMouseRightHeld() const { return mouse_[1].held; }
    bool WasMouseRightHeld() const { return mouse_[1].heldBefore; }
    // True when the mouse lies on the 640 x 480 screen.
    bool IsMouseOnScreen() const { return mouseX_ >= 0 && mouseX_ < 640 && mouseY_ >= 0 && mouseY_ < 480; }

    // Pushed-only flags.
    bool IsLetterPushed(char letter) const;  // 'A'..'Z' (or 'a'..'z')
    bool IsDigitPushed(int digit) const { return digit >= 0 && digit < 10 && digitPushed_[digit]; }
    bool IsFunctionKeyPushed(int n) const { return n >= 1 && n <= 10 && fnPushed_[n - 1]; }
    bool IsBackspacePushed() const { return backspacePushed_; }
    bool IsDeletePushed() const { return deletePushed_; }
    bool IsSpacePushed() const { return spacePushed_; }
    bool IsEnterPushed() const { return enterPushed_; }
    bool IsTabPushed() const { return tabPushed_; }
    bool IsMinusPushed() const { return minusPushed_; }
    bool IsShiftDown() const { return shift_; }
    bool IsControlDown() const { return control_; }

  private:
    friend class CSingleton<CInputManager>;
    CInputManager();
    static bool Valid(int key) { return key >= 0 && key < kInputKeyCount; }
    // The steps of Update, in order: the last frame's flags cleared, the key timers aged, then
    // every event of the frame read.
    void StartFrame();
    void AgeKeys(float dt);
    void ReadEvent(float dt);
    // The steps of reading one event, in order.
    void ReadCursorKeysAndStick();
    void ApplyCursorKeys(float dt);
    // One stick axis as a pair of cursor keys, pressed beyond +-500; while the keyboard holds
    // either key, the stick leaves their held times alone.
    void ApplyAxis(int value, int prev, int negKey, int posKey, float dt);
    void ReadMouse();
    void ReadButtonsAndKeys();
    void ApplyActionButtons(float dt);
    void ApplyPushedOnlyKeys();

    struct Button {
        bool pushed = false, released = false, held = false, heldBefore = false;
    };

    uint32_t cursorWord_[4];  // indexed like the game keys kKeyUp..kKeyRight
    uint32_t joyXWord_ = 0, joyYWord_ = 0;
    uint32_t mouseXWord_ = KeyState::kNone, mouseYWord_ = KeyState::kNone;
    uint32_t mouseWord_[2];
    uint32_t joyButtonWord_[3];
    uint32_t buttonKeyWord_[3];  // Z, X, SPACE
    uint32_t letterWord_[26], digitWord_[10], padDigitWord_[10], fnWord_[10];
    uint32_t backspaceWord_, deleteWord_, enterWord_, tabWord_, minusWord_;
    uint32_t shiftWord_[2], controlWord_[2];

    bool pushed_[kInputKeyCount] = {}, released_[kInputKeyCount] = {}, held_[kInputKeyCount] = {};
    double heldTime_[kInputKeyCount] = {}, idleTime_[kInputKeyCount] = {}, sincePush_[kInputKeyCount] = {};
    int joyX_ = 0, joyY_ = 0, prevJoyX_ = 0, prevJoyY_ = 0;
    int mouseX_ = 0, mouseY_ = 0, prevMouseX_ = 0, prevMouseY_ = 0;
    Button mouse_[2];
    bool letterPushed_[26] = {}, digitPushed_[10] = {}, fnPushed_[10] = {};
    bool backspacePushed_ = false, deletePushed_ = false, spacePushed_ = false, enterPushed_ = false;
    bool tabPushed_ = false, minusPushed_ = false, shift_ = false, control_ = false;
};
