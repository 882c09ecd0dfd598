#pragma once
// Gamepads and joysticks of the SDL window. A pad that SDL knows the layout of (it has a
// game-controller mapping) is read through that layout, so every such pad plays alike: its
// A, B and X face buttons are the game's first three buttons and the d-pad and the left stick
// both steer. Any other joystick is read raw: its axes, buttons and hats in SDL's order. Pads
// plugged in or pulled out while the game runs are picked up or released.
#include <SDL.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/backend.h"

namespace plat {

inline constexpr uint32_t kHatCentred = 0xFFFFFFFFu;

// A joystick as the engine reads it: the axes X, Y, Z, Rx, Ry, Rz and two sliders scaled to
// -1000..1000, four hats in hundredths of a degree, 32 buttons.
struct JoystickState {
    int32_t axes[8] = {};
    uint32_t hats[4] = {kHatCentred, kHatCentred, kHatCentred, kHatCentred};
    bool buttons[32] = {};
    bool operator==(const JoystickState&) const = default;
};

// A game controller's inputs in SDL's layout, raw values.
struct ControllerInput {
    int16_t axes[SDL_CONTROLLER_AXIS_MAX] = {};
    bool buttons[SDL_CONTROLLER_BUTTON_MAX] = {};
};

// The engine's joystick of a controller: A, B, X, Y, the shoulders, back, start, the stick
// clicks and guide are buttons 0..10 (the order XInput pads have always had), the spare
// buttons follow. X and Y are the d-pad when it is pressed, else the left stick; Z is the left
// trigger, Rx and Ry the right stick, Rz the right trigger; hat 0 is the d-pad.
JoystickState ControllerToJoystick(const ControllerInput& input);

// The device records {offset, data} that take the engine's joystick from one state to the
// other, in offset order.
std::vector<std::pair<uint32_t, uint32_t>> JoystickChanges(const JoystickState& from,
                                                           const JoystickState& to);

// The hat angle of an SDL hat position.
uint32_t HatAngle(uint8_t hat);

// The joysticks of the SDL backend, each in a slot 0..15 that it keeps while it is plugged in.
// Every change of a pad's state becomes device records of its slot; a pad that is pulled out
// first releases whatever it held, so nothing stays pressed.
class Gamepads {
  public:
    explicit Gamepads(InputBuffers& buffers) : buffers_(buffers) {}
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Starts SDL's game-controller layer and opens the pads already plugged in.
    bool Start();
    // Takes a joystick or controller event (records, plug-ins, pull-outs); false for others.
    bool Handle(const SDL_Event& ev);
    // The slots the engine reads: one past the highest slot ever used, so that the records of
    // a pad pulled out are still read.
    int Count() const { return count_; }
    // The slot of an open joystick, or -1.
    int SlotOf(SDL_JoystickID id) const;
    // True when the slot's pad is read through its controller layout.
    bool IsController(int slot) const;

  private:
    struct Pad {
        SDL_Joystick* joystick = nullptr;  // null: the slot is free
        SDL_GameController* controller = nullptr;
        SDL_JoystickID id = -1;
        ControllerInput input;
        JoystickState state;
    };
    void Attach(int deviceIndex);
    void Detach(SDL_JoystickID id);
    // Makes `next` the slot's state and records what changed.
    void Apply(int slot, const JoystickState& next);
    JoystickState CurrentState(const Pad& pad) const;

    InputBuffers& buffers_;
    Pad pads_[kMaxJoysticks];
    int count_ = 0;
    bool started_ = false;
};

}  // namespace plat
