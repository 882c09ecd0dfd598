#include <vector>

#include "tests/common/headless_test.h"

// Inside the engine's namespace, so its calls read unqualified without a using-directive that
// would reach the other test files of a unity build.
namespace elSystem {
namespace {

using testsupport::HeadlessTest;

struct Seen {
    uint8_t kind;
    uint16_t code;
    int32_t value;
    uint8_t device;
};

std::vector<Seen> Drain(bool emptyEvent = false) {
    std::vector<Seen> out;
    while (NextInputEvent(emptyEvent)) {
        const InputEvent& e = GetCurrentEvent();
        out.push_back({e.kind, e.code, e.value, e.device});
    }
    return out;
}

class SystemInput : public HeadlessTest {};

TEST_F(SystemInput, FrameWithoutInputYieldsOneEmptyEventOnRequest) {
    PollInput();
    EXPECT_EQ(GetEventCount(), 0);
    EXPECT_FALSE(NextInputEvent(false));

    PollInput();
    ASSERT_TRUE(NextInputEvent(true));
    EXPECT_EQ(GetCurrentEvent().kind, kEventNone);
    EXPECT_EQ(GetCurrentEvent().code, kEmptyEventCode);
    EXPECT_EQ(GetCurrentEvent().value, 0);
    EXPECT_FALSE(NextInputEvent(true));

    // A held key stays held through the empty event.
    uint32_t state = kStatePushed;
    float age = -1;
    PollInput();
    ASSERT_TRUE(NextInputEvent(true));
    GetInputState(plat::kKeyZ, state, age);
    EXPECT_EQ(state, kStateHeld);
    EXPECT_EQ(age, 0.0f);
}

TEST_F(SystemInput, PushAndReleaseInOneFrameGiveTwoEdges) {
    Headless().KeyDown(plat::kKeyZ);
    now += 10;
    Headless().KeyUp(plat::kKeyZ);
    now += 5;
    Headless().KeyDown(plat::kKeyX);
    now += 85;
    PollInput();
    ASSERT_EQ(GetEventCount(), 3);

    uint32_t z = kStateUp;
    float age = 0;
    ASSERT_TRUE(NextInputEvent(true));
    EXPECT_EQ(GetCurrentEvent().kind, kEventKeyboard);
    GetInputState(plat::kKeyZ, z, age);
    EXPECT_EQ(z, kStatePushed);
    EXPECT_FLOAT_EQ(age, 0.1f);
    ASSERT_TRUE(NextInputEvent(true));
    GetInputState(plat::kKeyZ, z, age);
    EXPECT_EQ(z, kStateReleased);
    EXPECT_FLOAT_EQ(age, 0.09f);
    ASSERT_TRUE(NextInputEvent(true));  // X: any other event ends the edge
    GetInputState(plat::kKeyZ, z, age);
    EXPECT_EQ(z, kStateUp);
    EXPECT_FALSE(NextInputEvent(true));  // a frame with events has no empty event
}

TEST_F(SystemInput, MouseCarriesButtonsAndTheWindowRelativePosition) {
    Headless().MouseMoveTo(100, 50);
    Headless().MouseButton(0, true);
    Headless().MouseButton(1, true);
    Headless().MouseButton(1, false);
    PollInput();
    auto seen = Drain();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].code, kMouseAxisX);
    EXPECT_EQ(seen[0].kind, kEventMouse);
    EXPECT_EQ(seen[0].value, 100);
    EXPECT_EQ(seen[1].code, kMouseAxisY);
    EXPECT_EQ(seen[1].value, 50);
    EXPECT_EQ(seen[2].code, kMouseLeft);
    EXPECT_EQ(seen[2].value, 1);
    EXPECT_EQ(seen[3].code, kMouseRight);
    EXPECT_EQ(seen[4].value, 0);

    // A move of 4 is not doubled: every axis event holds where the cursor is.
    Headless().MouseMoveTo(104, 50);
    PollInput();
    seen = Drain();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].value, 104);

    uint32_t x = 0;
    float age = 0;
    Headless().MouseMoveTo(300, 40);
    PollInput();
    ASSERT_TRUE(NextInputEvent(false));
    GetInputState(kMouseAxisX, x, age);
    EXPECT_EQ(x, 300u);
}

TEST_F(SystemInput, RequestedMousePositionIsAppendedAsTwoAxisEvents) {
    Headless().MouseMoveTo(30, 40);
    PollInput();  // poll time 1000
    Drain();
    now = 1200;
    NoteMouseMove(1);
    PollInput();
    auto seen = Drain();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, kMouseAxisX);
    EXPECT_EQ(seen[0].value, 30);
    EXPECT_EQ(seen[1].code, kMouseAxisY);
    EXPECT_EQ(seen[1].value, 40);
    EXPECT_FLOAT_EQ(GetCurrentEvent().age, 0.2f);  // stamped with the previous poll
    PollInput();
    EXPECT_EQ(GetEventCount(), 0);  // once only
}

TEST_F(SystemInput, InactiveWindowReadsNothing) {
    Activate(false);
    Headless().KeyDown(plat::kKeySpace);
    PollInput();
    EXPECT_EQ(GetEventCount(), 0);
    Activate(true);
    PollInput();
    EXPECT_EQ(GetEventCount(), 0);  // the device was not acquired while it was pushed
    Headless().KeyDown(plat::kKeySpace);
    PollInput();
    EXPECT_EQ(GetEventCount(), 1);
}

TEST_F(SystemInput, AFrameHoldsAtMost256Events) {
    for (int i = 0; i < 200; ++i) Headless().KeyDown(plat::kKeyA);
    for (int i = 0; i < 100; ++i) Headless().MouseButton(0, i % 2 == 0);
    PollInput();
    EXPECT_EQ(GetEventCount(), 256);
    auto seen = Drain();
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(seen.back().code, kMouseLeft);
    // The rest of the mouse records come with the next frame.
    PollInput();
    EXPECT_EQ(GetEventCount(), 44);
}

TEST_F(SystemInput, WithoutJoysticksTheMaskIsThree) { EXPECT_EQ(GetInputDevices(), 3); }

TEST_F(SystemInput, AJoystickPluggedInWhileRunningIsRead) {
    PollInput();
    const int joystick = Headless().AddJoystick();
    Headless().JoystickButton(joystick, 0, true);  // not acquired yet: the first read acquires it
    PollInput();
    EXPECT_EQ(GetInputDevices(), 11);
    EXPECT_EQ(GetJoystickCount(), 1);
    Headless().JoystickButton(joystick, 0, false);
    PollInput();
    auto seen = Drain();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, kJoystickButton0);
    EXPECT_EQ(seen[0].device, 1);
    EXPECT_EQ(seen[0].value, 0);
}

class SystemJoystick : public HeadlessTest {
  protected:
    int Joysticks() override { return 2; }
};

TEST_F(SystemJoystick, ButtonsAndAxesOfEachJoystick) {
    EXPECT_EQ(GetInputDevices(), 11);
    EXPECT_EQ(GetJoystickCount(), 2);
    Headless().JoystickButton(0, 0, true);
    Headless().JoystickButton(1, 31, true);
    Headless().JoystickAxis(0, plat::kJoyOffsetX, 32767);
    Headless().JoystickAxis(0, plat::kJoyOffsetY, -10000);  // inside the dead zone
    Headless().JoystickAxis(1, plat::kJoyOffsetRz, 16384);  // no dead zone there
    PollInput();
    auto seen = Drain();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].code, kJoystickButton0);
    EXPECT_EQ(seen[0].kind, kEventJoystick);
    EXPECT_EQ(seen[0].device, 1);
    EXPECT_EQ(seen[0].value, 1);
    EXPECT_EQ(seen[1].code, kJoystickAxisX);
    EXPECT_EQ(seen[1].value, 1000);
    EXPECT_EQ(seen[2].code, kJoystickAxisY);
    EXPECT_EQ(seen[2].value, 0);
    EXPECT_EQ(seen[3].code, 591);
    EXPECT_EQ(seen[3].device, 2);
    EXPECT_EQ(seen[4].code, kJoystickAxisBase + plat::kJoyOffsetRz);
    EXPECT_NEAR(seen[4].value, 500, 1);

    uint32_t button = kStateUp, axis = 0;
    float age = 0;
    Headless().JoystickButton(0, 0, false);
    Headless().JoystickAxis(0, plat::kJoyOffsetY, -32768);
    PollInput();
    ASSERT_TRUE(NextInputEvent(false));
    GetInputState(kJoystickButton0, button, age);
    GetInputState(kJoystickAxisY, axis, age);
    EXPECT_EQ(button, kStateReleased);
    ASSERT_TRUE(NextInputEvent(false));
    GetInputState(kJoystickButton0, button, age);
    GetInputState(kJoystickAxisY, axis, age);
    EXPECT_EQ(button, kStateUp);
    EXPECT_EQ(static_cast<int32_t>(axis), -1000);
}

TEST_F(SystemJoystick, ABrokenJoystickIsSkippedAndTheRestStillRead) {
    Headless().KeyDown(plat::kKeyUp);
    Headless().JoystickButton(0, 1, true);
    Headless().JoystickButton(1, 2, true);
    Headless().SetJoystickBroken(0, true);
    PollInput();
    auto seen = Drain();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, plat::kKeyUp);
    EXPECT_EQ(seen[1].code, kJoystickButton0 + 2);
    EXPECT_EQ(seen[1].device, 2);
    Headless().SetJoystickBroken(0, false);
    PollInput();  // acquired again by the failed read
    Headless().JoystickButton(0, 1, false);
    PollInput();
    ASSERT_EQ(GetEventCount(), 1);
}

}  // namespace
}  // namespace elSystem
