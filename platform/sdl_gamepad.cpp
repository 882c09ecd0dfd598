#include "platform/sdl_gamepad.h"

#include <algorithm>
#include <iterator>

#include "platform/keycodes.h"

namespace plat {
namespace {

constexpr SDL_GameControllerButton kButtonOrder[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_MISC1,
    SDL_CONTROLLER_BUTTON_PADDLE1,
    SDL_CONTROLLER_BUTTON_PADDLE2,
    SDL_CONTROLLER_BUTTON_PADDLE3,
    SDL_CONTROLLER_BUTTON_PADDLE4,
    SDL_CONTROLLER_BUTTON_TOUCHPAD,
};

// The axes of the engine's X, Y and Z offsets read 0 over the inner half of their travel.
bool HasDeadZone(int axis) { return axis * 4u <= kJoyOffsetZ; }

// A d-pad direction beats the stick; both ways at once cancel out.
int32_t Steer(bool negative, bool positive, int16_t stick, int axis) {
    if (negative != positive) return negative ? -1000 : 1000;
    return ScaleJoystickAxis(stick, HasDeadZone(axis));
}

}  // namespace

uint32_t HatAngle(uint8_t hat) {
    switch (hat) {
        case SDL_HAT_UP:
            return 0;
        case SDL_HAT_RIGHTUP:
            return 4500;
        case SDL_HAT_RIGHT:
            return 9000;
        case SDL_HAT_RIGHTDOWN:
            return 13500;
        case SDL_HAT_DOWN:
            return 18000;
        case SDL_HAT_LEFTDOWN:
            return 22500;
        case SDL_HAT_LEFT:
            return 27000;
        case SDL_HAT_LEFTUP:
            return 31500;
        default:
            return kHatCentred;
    }
}

JoystickState ControllerToJoystick(const ControllerInput& input) {
    JoystickState s;
    for (size_t i = 0; i < std::size(kButtonOrder); ++i) s.buttons[i] = input.buttons[kButtonOrder[i]];
    const bool up = input.buttons[SDL_CONTROLLER_BUTTON_DPAD_UP];
    const bool down = input.buttons[SDL_CONTROLLER_BUTTON_DPAD_DOWN];
    const bool left = input.buttons[SDL_CONTROLLER_BUTTON_DPAD_LEFT];
    const bool right = input.buttons[SDL_CONTROLLER_BUTTON_DPAD_RIGHT];
    s.axes[0] = Steer(left, right, input.axes[SDL_CONTROLLER_AXIS_LEFTX], 0);
    s.axes[1] = Steer(up, down, input.axes[SDL_CONTROLLER_AXIS_LEFTY], 1);
    s.axes[2] = ScaleJoystickAxis(input.axes[SDL_CONTROLLER_AXIS_TRIGGERLEFT], HasDeadZone(2));
    s.axes[3] = ScaleJoystickAxis(input.axes[SDL_CONTROLLER_AXIS_RIGHTX], HasDeadZone(3));
    s.axes[4] = ScaleJoystickAxis(input.axes[SDL_CONTROLLER_AXIS_RIGHTY], HasDeadZone(4));
    s.axes[5] = ScaleJoystickAxis(input.axes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT], HasDeadZone(5));
    uint8_t hat = SDL_HAT_CENTERED;
    if (up != down) hat |= up ? SDL_HAT_UP : SDL_HAT_DOWN;
    if (left != right) hat |= left ? SDL_HAT_LEFT : SDL_HAT_RIGHT;
    s.hats[0] = HatAngle(hat);
    return s;
}

std::vector<std::pair<uint32_t, uint32_t>> JoystickChanges(const JoystickState& from,
                                                           const JoystickState& to) {
    std::vector<std::pair<uint32_t, uint32_t>> out;
    for (uint32_t i = 0; i < std::size(to.axes); ++i)
        if (from.axes[i] != to.axes[i])
            out.emplace_back(kJoyOffsetX + i * 4, static_cast<uint32_t>(to.axes[i]));
    for (uint32_t i = 0; i < std::size(to.hats); ++i)
        if (from.hats[i] != to.hats[i]) out.emplace_back(kJoyOffsetPov0 + i * 4, to.hats[i]);
    for (uint32_t i = 0; i < std::size(to.buttons); ++i)
        if (from.buttons[i] != to.buttons[i])
            out.emplace_back(kJoyOffsetButton0 + i, to.buttons[i] ? kButtonDown : 0);
    return out;
}

// ---- Gamepads ----

Gamepads::~Gamepads() {
    for (Pad& pad : pads_) {
        if (pad.controller) {
            SDL_GameControllerClose(pad.controller);
        } else if (pad.joystick) {
            SDL_JoystickClose(pad.joystick);
        }
    }
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::Start() {
    if (started_) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
    started_ = true;
    // SDL announces these again as added; Attach takes a pad only once.
    for (int i = 0, n = SDL_NumJoysticks(); i < n; ++i) Attach(i);
    return true;
}

int Gamepads::SlotOf(SDL_JoystickID id) const {
    for (int i = 0; i < kMaxJoysticks; ++i)
        if (pads_[i].joystick && pads_[i].id == id) return i;
    return -1;
}

bool Gamepads::IsController(int slot) const {
    return slot >= 0 && slot < kMaxJoysticks && pads_[slot].controller != nullptr;
}

void Gamepads::Attach(int deviceIndex) {
    if (SlotOf(SDL_JoystickGetDeviceInstanceID(deviceIndex)) >= 0) return;
    int slot = 0;
    while (slot < kMaxJoysticks && pads_[slot].joystick) ++slot;
    if (slot == kMaxJoysticks) return;  // the first 16 pads play
    Pad pad;
    if (SDL_IsGameController(deviceIndex)) {
        pad.controller = SDL_GameControllerOpen(deviceIndex);
        pad.joystick = pad.controller ? SDL_GameControllerGetJoystick(pad.controller) : nullptr;
    }
    if (!pad.joystick) pad.joystick = SDL_JoystickOpen(deviceIndex);
    if (!pad.joystick) return;
    pad.id = SDL_JoystickInstanceID(pad.joystick);
    if (pad.controller) {
        for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
            pad.input.axes[a] =
                SDL_GameControllerGetAxis(pad.controller, static_cast<SDL_GameControllerAxis>(a));
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
            pad.input.buttons[b] =
                SDL_GameControllerGetButton(pad.controller, static_cast<SDL_GameControllerButton>(b)) != 0;
    }
    const JoystickState now = CurrentState(pad);
    pads_[slot] = pad;
    count_ = std::max(count_, slot + 1);
    // A stick held or a button pressed while the pad is plugged in counts from here.
    Apply(slot, now);
}

void Gamepads::Detach(SDL_JoystickID id) {
    const int slot = SlotOf(id);
    if (slot < 0) return;
    Apply(slot, JoystickState{});
    Pad& pad = pads_[slot];
    if (pad.controller) {
        SDL_GameControllerClose(pad.controller);
    } else {
        SDL_JoystickClose(pad.joystick);
    }
    pad = Pad{};
}

JoystickState Gamepads::CurrentState(const Pad& pad) const {
    if (pad.controller) return ControllerToJoystick(pad.input);
    JoystickState s;
    const int axes = std::min<int>(SDL_JoystickNumAxes(pad.joystick), std::size(s.axes));
    for (int a = 0; a < axes; ++a)
        s.axes[a] = ScaleJoystickAxis(SDL_JoystickGetAxis(pad.joystick, a), HasDeadZone(a));
    const int hats = std::min<int>(SDL_JoystickNumHats(pad.joystick), std::size(s.hats));
    for (int h = 0; h < hats; ++h) s.hats[h] = HatAngle(SDL_JoystickGetHat(pad.joystick, h));
    const int buttons = std::min<int>(SDL_JoystickNumButtons(pad.joystick), std::size(s.buttons));
    for (int b = 0; b < buttons; ++b) s.buttons[b] = SDL_JoystickGetButton(pad.joystick, b) != 0;
    return s;
}

void Gamepads::Apply(int slot, const JoystickState& next) {
    Pad& pad = pads_[slot];
    for (const auto& [offset, data] : JoystickChanges(pad.state, next))
        buffers_.Push(Device::Joystick, slot, offset, data);
    pad.state = next;
}

bool Gamepads::Handle(const SDL_Event& ev) {
    switch (ev.type) {
        case SDL_JOYDEVICEADDED:
            Attach(ev.jdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEADDED:
            Attach(ev.cdevice.which);
            return true;
        case SDL_JOYDEVICEREMOVED:
            Detach(ev.jdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            Detach(ev.cdevice.which);
            return true;
        case SDL_CONTROLLERAXISMOTION:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const int slot = SlotOf(ev.type == SDL_CONTROLLERAXISMOTION ? ev.caxis.which : ev.cbutton.which);
            if (!IsController(slot)) return true;
            ControllerInput& input = pads_[slot].input;
            if (ev.type == SDL_CONTROLLERAXISMOTION) {
                if (ev.caxis.axis < SDL_CONTROLLER_AXIS_MAX) input.axes[ev.caxis.axis] = ev.caxis.value;
            } else if (ev.cbutton.button < SDL_CONTROLLER_BUTTON_MAX) {
                input.buttons[ev.cbutton.button] = ev.type == SDL_CONTROLLERBUTTONDOWN;
            }
            Apply(slot, ControllerToJoystick(input));
            return true;
        }
        case SDL_JOYAXISMOTION:
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
        case SDL_JOYHATMOTION: {
            // A controller's own joystick events are read through its layout instead.
            const SDL_JoystickID which = ev.type == SDL_JOYAXISMOTION  ? ev.jaxis.which
                                         : ev.type == SDL_JOYHATMOTION ? ev.jhat.which
                                                                       : ev.jbutton.which;
            const int slot = SlotOf(which);
            if (slot < 0 || IsController(slot)) return true;
            JoystickState next = pads_[slot].state;
            if (ev.type == SDL_JOYAXISMOTION) {
                if (ev.jaxis.axis < std::size(next.axes))
                    next.axes[ev.jaxis.axis] = ScaleJoystickAxis(ev.jaxis.value, HasDeadZone(ev.jaxis.axis));
            } else if (ev.type == SDL_JOYHATMOTION) {
                if (ev.jhat.hat < std::size(next.hats)) next.hats[ev.jhat.hat] = HatAngle(ev.jhat.value);
            } else if (ev.jbutton.button < std::size(next.buttons)) {
                next.buttons[ev.jbutton.button] = ev.type == SDL_JOYBUTTONDOWN;
            }
            Apply(slot, next);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace plat
