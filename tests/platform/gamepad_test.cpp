#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/keycodes.h"
#include "platform/sdl_gamepad.h"

namespace {

using Records = std::vector<std::pair<uint32_t, uint32_t>>;

plat::JoystickState Pad(std::initializer_list<SDL_GameControllerButton> pressed, int16_t leftX = 0,
                        int16_t leftY = 0) {
    plat::ControllerInput in;
    for (SDL_GameControllerButton b : pressed) in.buttons[b] = true;
    in.axes[SDL_CONTROLLER_AXIS_LEFTX] = leftX;
    in.axes[SDL_CONTROLLER_AXIS_LEFTY] = leftY;
    return plat::ControllerToJoystick(in);
}

int PressedCount(const plat::JoystickState& s) {
    int n = 0;
    for (bool b : s.buttons) n += b;
    return n;
}

TEST(ControllerLayout, FaceButtonsAreTheGamesFirstThree) {
    const SDL_GameControllerButton faces[] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
                                              SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y};
    for (int i = 0; i < 4; ++i) {
        const plat::JoystickState s = Pad({faces[i]});
        EXPECT_TRUE(s.buttons[i]) << i;
        EXPECT_EQ(PressedCount(s), 1) << i;
    }
    EXPECT_TRUE(Pad({SDL_CONTROLLER_BUTTON_START}).buttons[7]);
    // The d-pad steers; it is no button.
    EXPECT_EQ(PressedCount(Pad({SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_LEFT})), 0);
    EXPECT_EQ(Pad({}), plat::JoystickState{});
}

TEST(ControllerLayout, DpadAndLeftStickBothSteer) {
    EXPECT_EQ(Pad({}, -32768, 32767).axes[0], -1000);
    EXPECT_EQ(Pad({}, -32768, 32767).axes[1], 1000);
    EXPECT_EQ(Pad({}, 12000, -12000).axes[0], 0);  // the dead zone of X and Y stays
    EXPECT_NEAR(Pad({}, 24575).axes[0], 500, 1);
    EXPECT_EQ(Pad({}, 24575).hats[0], plat::kHatCentred);

    const plat::JoystickState upRight =
        Pad({SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_RIGHT});
    EXPECT_EQ(upRight.axes[0], 1000);
    EXPECT_EQ(upRight.axes[1], -1000);
    EXPECT_EQ(upRight.hats[0], 4500u);
    // A pressed d-pad beats the stick; on the other axis the stick still counts.
    const plat::JoystickState mixed = Pad({SDL_CONTROLLER_BUTTON_DPAD_LEFT}, 32767, 32767);
    EXPECT_EQ(mixed.axes[0], -1000);
    EXPECT_EQ(mixed.axes[1], 1000);
    // Both ways at once cancel out.
    EXPECT_EQ(Pad({SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT}, 32767).axes[0], 1000);
}

TEST(ControllerLayout, ChangesAreRecordsInOffsetOrder) {
    const plat::JoystickState from = Pad({SDL_CONTROLLER_BUTTON_A});
    const plat::JoystickState to = Pad({SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_DPAD_DOWN}, 0, 0);
    EXPECT_EQ(plat::JoystickChanges(from, to), (Records{{plat::kJoyOffsetY, 1000},
                                                        {plat::kJoyOffsetPov0, 18000},
                                                        {plat::kJoyOffsetButton0, 0},
                                                        {plat::kJoyOffsetButton0 + 1, plat::kButtonDown}}));
    EXPECT_TRUE(plat::JoystickChanges(to, to).empty());
}

// Pads attached and pulled out through SDL's virtual joysticks, fed through the backend's
// joystick event handling exactly as the window's event pump feeds it.
class Hotplug : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < plat::kMaxJoysticks; ++i) buffers.Acquire(plat::Device::Joystick, i);
        ASSERT_TRUE(pads.Start()) << SDL_GetError();
    }
    void TearDown() override {
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i)
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
    }

    // Attaches a virtual pad and returns its SDL joystick (opened by the handler).
    SDL_JoystickID Attach(SDL_JoystickType type) {
        const int index = SDL_JoystickAttachVirtual(type, 6, 15, 1);
        EXPECT_GE(index, 0) << SDL_GetError();
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        Pump();
        return id;
    }
    void Detach(SDL_JoystickID id) {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        Pump();
    }
    void Pump() {
        SDL_PumpEvents();
        SDL_Event ev;
        while (SDL_PollEvent(&ev)) pads.Handle(ev);
    }
    Records Read(int slot) {
        plat::DeviceRecord r[plat::kDeviceBufferSize];
        const int n = buffers.Read(plat::Device::Joystick, slot, r, plat::kDeviceBufferSize);
        Records out;
        for (int i = 0; i < n; ++i) out.emplace_back(r[i].offset, r[i].data);
        return out;
    }

    plat::InputBuffers buffers;
    plat::Gamepads pads{buffers};
};

TEST_F(Hotplug, AControllerPluggedInPlaysAndReleasesEverythingWhenPulledOut) {
    const SDL_JoystickID id = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER);
    const int slot = pads.SlotOf(id);
    ASSERT_GE(slot, 0);
    EXPECT_TRUE(pads.IsController(slot));
    EXPECT_GT(pads.Count(), slot);
    Read(slot);

    SDL_Joystick* joy = SDL_JoystickFromInstanceID(id);
    ASSERT_NE(joy, nullptr);
    // The virtual pad's mapping: a b0, x b2, dpright b14, leftx a0.
    SDL_JoystickSetVirtualButton(joy, 0, 1);
    SDL_JoystickSetVirtualButton(joy, 2, 1);
    SDL_JoystickSetVirtualAxis(joy, 0, -32768);
    Pump();
    Records got = Read(slot);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (Records{{plat::kJoyOffsetX, static_cast<uint32_t>(-1000)},
                            {plat::kJoyOffsetButton0, plat::kButtonDown},
                            {plat::kJoyOffsetButton0 + 2, plat::kButtonDown}}));
    SDL_JoystickSetVirtualButton(joy, 14, 1);
    Pump();
    EXPECT_EQ(Read(slot), (Records{{plat::kJoyOffsetX, 1000}, {plat::kJoyOffsetPov0, 9000}}));

    Detach(id);
    EXPECT_EQ(pads.SlotOf(id), -1);
    got = Read(slot);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (Records{{plat::kJoyOffsetX, 0},
                            {plat::kJoyOffsetPov0, plat::kHatCentred},
                            {plat::kJoyOffsetButton0, 0},
                            {plat::kJoyOffsetButton0 + 2, 0}}));
    // The slot stays readable for the engine.
    EXPECT_GT(pads.Count(), slot);
}

TEST_F(Hotplug, AJoystickWithoutMappingIsReadRawInTheFreedSlot) {
    const SDL_JoystickID first = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER);
    const int slot = pads.SlotOf(first);
    ASSERT_GE(slot, 0);
    Detach(first);
    Read(slot);

    const SDL_JoystickID raw = Attach(SDL_JOYSTICK_TYPE_UNKNOWN);
    ASSERT_EQ(pads.SlotOf(raw), slot);
    EXPECT_FALSE(pads.IsController(slot));
    Read(slot);
    SDL_Joystick* joy = SDL_JoystickFromInstanceID(raw);
    ASSERT_NE(joy, nullptr);
    SDL_JoystickSetVirtualButton(joy, 11, 1);
    SDL_JoystickSetVirtualHat(joy, 0, SDL_HAT_LEFTUP);
    SDL_JoystickSetVirtualAxis(joy, 4, 16384);  // Ry: no dead zone
    Pump();
    Records got = Read(slot);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (Records{{plat::kJoyOffsetRy, 500},
                            {plat::kJoyOffsetPov0, 31500},
                            {plat::kJoyOffsetButton0 + 11, plat::kButtonDown}}));
}

}  // namespace
