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

}  // namespace

void CInputManager::SetEventSource(IInputEventSource* source) {
    g_source = source ? source : &g_engineSource;
}

CInputManager::CInputManager() {
    using namespace KeyState;
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

void CInputManager::ApplyAxis(int value, int prev, int negKey, int posKey, int kbNeg, int kbPos, float dt) {
    const bool keyboardHeld = cursorWord_[kbNeg] == KeyState::kHeld || cursorWord_[kbPos] == KeyState::kHeld;
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
    using namespace KeyState;
    const float dt = GetFrameTime();

    // 1. Start of the frame.
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

    // 2.
    for (int k = 0; k < kInputKeyCount; ++k) {
        idleTime_[k] += dt * 60.0;
        sincePush_[k] += dt * 60.0;
    }

    // 3.
    if (!g_source->NextEvent(true)) {
        prevJoyX_ = joyX_;
        prevJoyY_ = joyY_;
        return;
    }

    float age = 0;
    do {
        // a. cursor keys and joystick axes
        for (int i = 0; i < 4; ++i) g_source->GetState(kCursorCodes[i], cursorWord_[i], age);
        g_source->GetState(InputCode::kJoyX, joyXWord_, age);
        g_source->GetState(InputCode::kJoyY, joyYWord_, age);
        joyX_ = AsInt(joyXWord_);
        joyY_ = AsInt(joyYWord_);

        // b. keyboard cursor keys
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

        // c. joystick axes: X for left and right, Y for up and down
        ApplyAxis(joyX_, prevJoyX_, kKeyLeft, kKeyRight, 2, 3, dt);
        ApplyAxis(joyY_, prevJoyY_, kKeyUp, kKeyDown, 0, 1, dt);

        // d. mouse axes
        uint32_t before = mouseXWord_;
        g_source->GetState(InputCode::kMouseX, mouseXWord_, age);
        if (mouseXWord_ != before) mouseX_ = AsInt(mouseXWord_);
        before = mouseYWord_;
        g_source->GetState(InputCode::kMouseY, mouseYWord_, age);
        if (mouseYWord_ != before) mouseY_ = AsInt(mouseYWord_);

        // e. mouse buttons
        const int mouseCodes[2] = {InputCode::kMouseLeft, InputCode::kMouseRight};
        for (int i = 0; i < 2; ++i) {
            g_source->GetState(mouseCodes[i], mouseWord_[i], age);
            if (mouseWord_[i] == kPushed) mouse_[i].pushed = true;
            if (mouseWord_[i] == kReleased) mouse_[i].released = true;
            if (mouseWord_[i] == kHeld) mouse_[i].held = true;
        }

        // f. joystick buttons and watched keys
        for (int i = 0; i < 3; ++i) {
            g_source->GetState(kJoyButtonCodes[i], joyButtonWord_[i], age);
            g_source->GetState(kButtonKeyCodes[i], buttonKeyWord_[i], age);
        }
        for (int i = 0; i < 26; ++i) g_source->GetState(InputCode::kLetters[i], letterWord_[i], age);
        for (int i = 0; i < 10; ++i) {
            g_source->GetState(InputCode::kDigits[i], digitWord_[i], age);
            g_source->GetState(InputCode::kPadDigits[i], padDigitWord_[i], age);
            g_source->GetState(InputCode::kF1 + i, fnWord_[i], age);
        }
        g_source->GetState(InputCode::kBackspace, backspaceWord_, age);
        g_source->GetState(InputCode::kDelete, deleteWord_, age);
        g_source->GetState(InputCode::kEnter, enterWord_, age);
        g_source->GetState(InputCode::kTab, tabWord_, age);
        g_source->GetState(InputCode::kMinus, minusWord_, age);
        g_source->GetState(InputCode::kLShift, shiftWord_[0], age);
        g_source->GetState(InputCode::kRShift, shiftWord_[1], age);
        g_source->GetState(InputCode::kLControl, controlWord_[0], age);
        g_source->GetState(InputCode::kRControl, controlWord_[1], age);

        // g. Z, X and SPACE with the joystick's first three buttons
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

        // h. pushed-only flags
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
    } while (g_source->NextEvent(true));

    // 5.
    prevJoyX_ = joyX_;
    prevJoyY_ = joyY_;
}
