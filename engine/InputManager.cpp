#include "engine/InputManager.h"

#include <cctype>

#include "engine/el/elSystem.h"
#include "foundation/FrameTime.h"

namespace InputCode {
const int kLetters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                          0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
const int kDigits[10] = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};
const int kPadDigits[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
}  // namespace InputCode

namespace {

// The engine's own event cursor.
class EngineEventSource : public IInputEventSource {
  public:
    bool NextEvent(bool wantEmpty) override { return elSystem::NextInputEvent(wantEmpty); }
    void GetState(int code, uint32_t& state, float& age) override {
        elSystem::GetInputState(code, state, age);
    }
};

EngineEventSource g_engineSource;
IInputEventSource* g_source = &g_engineSource;

const int kCursorCodes[4] = {InputCode::kUp, InputCode::kDown, InputCode::kLeft, InputCode::kRight};
const int kButtonKeyCodes[3] = {InputCode::kZ, InputCode::kX, InputCode::kSpace};
const int kJoyButtonCodes[3] = {InputCode::kJoyButton1, InputCode::kJoyButton2, InputCode::kJoyButton3};

int AsInt(uint32_t word) { return static_cast<int>(static_cast<int32_t>(word)); }

// Advances a state word against the current event; the event's age is of no use here.
void ReadState(int code, uint32_t& word) {
    float age = 0;
    g_source->GetState(code, word, age);
}

}  // namespace

using namespace KeyState;

void CInputManager::SetEventSource(IInputEventSource* source) {
    g_source = source ? source : &g_engineSource;
}

CInputManager::CInputManager() {
    for (auto& w : cursorWord_) w = kNone;
    for (auto& w : mouseWord_) w = kNone;
    for (auto& w : joyButtonWord_) w = kNone;
    for (auto& w : buttonKeyWord_) w = kNone;
    for (auto& w : letterWord_) w = kNone;
    for (auto& w : digitWord_) w = kNone;
    for (auto& w : padDigitWord_) w = kNone;
    for (auto& w : fnWord_) w = kNone;
    for (auto& w : shiftWord_) w = kNone;
    for (auto& w : controlWord_) w = kNone;
    backspaceWord_ = deleteWord_ = enterWord_ = tabWord_ = minusWord_ = kNone;
}

bool CInputManager::IsLetterPushed(char letter) const {
    int c = std::toupper(static_cast<unsigned char>(letter));
    if (c < 'A' || c > 'Z') return false;
    return letterPushed_[c - 'A'];
}

void CInputManager::ApplyAxis(int value, int prev, int negKey, int posKey, float dt) {
    const bool keyboardHeld = cursorWord_[negKey] == kHeld || cursorWord_[posKey] == kHeld;
    auto outside = [&](int key, int other, bool wasOutside) {
        if (!wasOutside) {
            pushed_[key] = true;
            if (!keyboardHeld) heldTime_[key] = 0;
        } else {
            held_[key] = true;
            heldTime_[key] += dt * 60.0;
            idleTime_[key] = 0;
        }
        if (!keyboardHeld) heldTime_[other] = 0;
    };
    if (value < -500) {
        outside(negKey, posKey, prev < -500);
    } else if (value > 500) {
        outside(posKey, negKey, prev > 500);
    } else {
        if (prev < -500) {
            released_[negKey] = true;
            idleTime_[negKey] = 0;
        }
        if (prev > 500) {
            released_[posKey] = true;
            idleTime_[posKey] = 0;
        }
        if (!keyboardHeld) heldTime_[negKey] = heldTime_[posKey] = 0;
    }
}

void CInputManager::Update() {
    const float dt = GetFrameTime();
    StartFrame();
    AgeKeys(dt);
    while (g_source->NextEvent(true)) ReadEvent(dt);
    prevJoyX_ = joyX_;
    prevJoyY_ = joyY_;
}

// Last frame's flags are dropped; a key pushed last frame starts counting the time since.
void CInputManager::StartFrame() {
    for (int k = 0; k < kInputKeyCount; ++k) {
        if (pushed_[k]) sincePush_[k] = 0;
        pushed_[k] = released_[k] = held_[k] = false;
    }
    prevMouseX_ = mouseX_;
    prevMouseY_ = mouseY_;
    for (auto& b : mouse_) {
        b.heldBefore = b.held;
        b.pushed = b.released = b.held = false;
    }
    for (auto& f : letterPushed_) f = false;
    for (auto& f : digitPushed_) f = false;
    for (auto& f : fnPushed_) f = false;
    backspacePushed_ = deletePushed_ = spacePushed_ = enterPushed_ = tabPushed_ = minusPushed_ = false;
    shift_ = control_ = false;
}

// Idle and since-push times grow by a frame; a key that is used this frame sets them back.
void CInputManager::AgeKeys(float dt) {
    for (int k = 0; k < kInputKeyCount; ++k) {
        idleTime_[k] += dt * 60.0;
        sincePush_[k] += dt * 60.0;
    }
}

void CInputManager::ReadEvent(float dt) {
    ReadCursorKeysAndStick();
    ApplyCursorKeys(dt);
    // The stick's X axis drives left and right, its Y axis up and down.
    ApplyAxis(joyX_, prevJoyX_, kKeyLeft, kKeyRight, dt);
    ApplyAxis(joyY_, prevJoyY_, kKeyUp, kKeyDown, dt);
    ReadMouse();
    ReadButtonsAndKeys();
    ApplyActionButtons(dt);
    ApplyPushedOnlyKeys();
}

void CInputManager::ReadCursorKeysAndStick() {
    for (int i = 0; i < 4; ++i) ReadState(kCursorCodes[i], cursorWord_[i]);
    ReadState(InputCode::kJoyX, joyXWord_);
    ReadState(InputCode::kJoyY, joyYWord_);
    joyX_ = AsInt(joyXWord_);
    joyY_ = AsInt(joyYWord_);
}

void CInputManager::ApplyCursorKeys(float dt) {
    for (int k = 0; k < 4; ++k) {
        switch (cursorWord_[k]) {
            case kPushed:
                pushed_[k] = true;
                heldTime_[k] = 0;
                break;
            case kReleased:
                released_[k] = true;
                heldTime_[k] = 0;
                idleTime_[k] = 0;
                break;
            case kHeld:
                held_[k] = true;
                heldTime_[k] += dt * 60.0;
                idleTime_[k] = 0;
                break;
            default:
                break;
        }
    }
}

// The position moves only when its axis changed in this event.
void CInputManager::ReadMouse() {
    uint32_t before = mouseXWord_;
    ReadState(InputCode::kMouseX, mouseXWord_);
    if (mouseXWord_ != before) mouseX_ = AsInt(mouseXWord_);
    before = mouseYWord_;
    ReadState(InputCode::kMouseY, mouseYWord_);
    if (mouseYWord_ != before) mouseY_ = AsInt(mouseYWord_);

    const int mouseCodes[2] = {InputCode::kMouseLeft, InputCode::kMouseRight};
    for (int i = 0; i < 2; ++i) {
        ReadState(mouseCodes[i], mouseWord_[i]);
        if (mouseWord_[i] == kPushed) mouse_[i].pushed = true;
        if (mouseWord_[i] == kReleased) mouse_[i].released = true;
        if (mouseWord_[i] == kHeld) mouse_[i].held = true;
    }
}

void CInputManager::ReadButtonsAndKeys() {
    for (int i = 0; i < 3; ++i) {
        ReadState(kJoyButtonCodes[i], joyButtonWord_[i]);
        ReadState(kButtonKeyCodes[i], buttonKeyWord_[i]);
    }
    for (int i = 0; i < 26; ++i) ReadState(InputCode::kLetters[i], letterWord_[i]);
    for (int i = 0; i < 10; ++i) {
        ReadState(InputCode::kDigits[i], digitWord_[i]);
        ReadState(InputCode::kPadDigits[i], padDigitWord_[i]);
        ReadState(InputCode::kF1 + i, fnWord_[i]);
    }
    ReadState(InputCode::kBackspace, backspaceWord_);
    ReadState(InputCode::kDelete, deleteWord_);
    ReadState(InputCode::kEnter, enterWord_);
    ReadState(InputCode::kTab, tabWord_);
    ReadState(InputCode::kMinus, minusWord_);
    ReadState(InputCode::kLShift, shiftWord_[0]);
    ReadState(InputCode::kRShift, shiftWord_[1]);
    ReadState(InputCode::kLControl, controlWord_[0]);
    ReadState(InputCode::kRControl, controlWord_[1]);
}

// Z, X and SPACE, each also on one of the stick's first three buttons: either source pushes,
// releases or holds the game key.
void CInputManager::ApplyActionButtons(float dt) {
    for (int i = 0; i < 3; ++i) {
        const int k = kKeyZ + i;
        const uint32_t kb = buttonKeyWord_[i], jb = joyButtonWord_[i];
        if (kb == kNone && jb == kNone) continue;
        const bool anyHeld = kb == kHeld || jb == kHeld;
        if (kb == kPushed || jb == kPushed) {
            pushed_[k] = true;
            if (!anyHeld) heldTime_[k] = 0;
        }
        if (kb == kReleased || jb == kReleased) {
            released_[k] = true;
            idleTime_[k] = 0;
            if (!anyHeld) heldTime_[k] = 0;
        }
        if (anyHeld) {
            held_[k] = true;
            idleTime_[k] = 0;
            heldTime_[k] += dt * 60.0;
        }
    }
}

// Letters, digits (main row or pad), function and editing keys count only when pushed; shift
// and control count while down.
void CInputManager::ApplyPushedOnlyKeys() {
    for (int i = 0; i < 26; ++i)
        if (letterWord_[i] == kPushed) letterPushed_[i] = true;
    for (int i = 0; i < 10; ++i) {
        if (digitWord_[i] == kPushed || padDigitWord_[i] == kPushed) digitPushed_[i] = true;
        if (fnWord_[i] == kPushed) fnPushed_[i] = true;
    }
    if (backspaceWord_ == kPushed) backspacePushed_ = true;
    if (deleteWord_ == kPushed) deletePushed_ = true;
    if (buttonKeyWord_[2] == kPushed) spacePushed_ = true;
    if (enterWord_ == kPushed) enterPushed_ = true;
    if (tabWord_ == kPushed) tabPushed_ = true;
    if (minusWord_ == kPushed) minusPushed_ = true;
    for (int i = 0; i < 2; ++i) {
        if (shiftWord_[i] == kPushed || shiftWord_[i] == kHeld) shift_ = true;
        if (controlWord_[i] == kPushed || controlWord_[i] == kHeld) control_ = true;
    }
}
