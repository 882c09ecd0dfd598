// Typed-text sources: listeners told in order, and the physical keyboard's keys as the full-width
// texts of the key pages, read from the input manager over the headless engine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/StringInput.h"
#include "engine/InputManager.h"
#include "engine/el/elSystem.h"
#include "platform/keycodes.h"
#include "tests/common/headless_test.h"

using namespace Controls;

namespace {

// Every text it hears, with "+r" after the ones that ask for romaji conversion.
class Recorder : public IStringInputedEventHandler {
  public:
    void OnStringInputed(const std::string& text, bool romaji) override {
        heard.push_back(text + (romaji ? "+r" : ""));
    }
    std::vector<std::string> heard;
};

TEST(StringInputSource, TellsTheListenersOfTheCallInTheirOrder) {
    CStringInputBase source;
    Recorder first, second, late;
    // The first listener appends a third one while it is told.
    class Appender : public IStringInputedEventHandler {
      public:
        Appender(CStringInputBase& s, IStringInputedEventHandler& l) : source(s), late(l) {}
        void OnStringInputed(const std::string& text, bool) override {
            order.push_back(text);
            source.listeners.push_back(&late);
        }
        CStringInputBase& source;
        IStringInputedEventHandler& late;
        std::vector<std::string> order;
    } appender(source, late);
    source.listeners = {&appender, &first, &second};

    source.Notify("ａ", true);
    EXPECT_EQ(appender.order, std::vector<std::string>{"ａ"});
    EXPECT_EQ(first.heard, std::vector<std::string>{"ａ+r"});
    EXPECT_EQ(second.heard, std::vector<std::string>{"ａ+r"});
    EXPECT_TRUE(late.heard.empty());

    source.Notify("Back", false);
    EXPECT_EQ(late.heard, std::vector<std::string>{"Back"});
}

class HiddenKeyBoard : public ::testing::Test {
  protected:
    void SetUp() override { input.listeners.push_back(&recorder); }

    std::vector<std::string> TypeLetterA(bool upperCase, bool shift) {
        recorder.heard.clear();
        input.SetUpperCase(upperCase);
        TypingKeys keys;
        keys.letters[0] = true;
        keys.shift = shift;
        input.Type(keys);
        return recorder.heard;
    }

    CHiddenKeyBoardInput input;
    Recorder recorder;
};

TEST_F(HiddenKeyBoard, ShiftTurnsThePagesCaseRound) {
    EXPECT_EQ(TypeLetterA(false, false), std::vector<std::string>{"ａ"});
    EXPECT_EQ(TypeLetterA(false, true), std::vector<std::string>{"Ａ"});
    EXPECT_EQ(TypeLetterA(true, false), std::vector<std::string>{"Ａ"});
    EXPECT_EQ(TypeLetterA(true, true), std::vector<std::string>{"ａ"});
}

TEST_F(HiddenKeyBoard, KeysOfOneFrameComeInAFixedOrderWithTheRomajiFlag) {
    TypingKeys keys;
    keys.minus = true;
    keys.digits[9] = keys.digits[0] = true;
    keys.letters['Z' - 'A'] = keys.letters['B' - 'A'] = true;
    keys.space = true;
    input.SetRomajiConversion(true);
    input.Type(keys);
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"空白+r", "ｂ+r", "ｚ+r", "０+r", "９+r", "ー+r"}));

    recorder.heard.clear();
    input.SetRomajiConversion(false);
    input.Type(keys);
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"空白", "ｂ", "ｚ", "０", "９", "ー"}));

    recorder.heard.clear();
    input.Type(TypingKeys{});
    EXPECT_TRUE(recorder.heard.empty());
}

// The keys as the input manager reads them from the engine's events.
class TypingKeysFromInput : public testsupport::HeadlessTest {
  protected:
    void TearDown() override {
        CInputManager::DeleteInstance();
        HeadlessTest::TearDown();
    }
    TypingKeys Frame() {
        now += 16;
        elSystem::PollInput();
        CInputManager::GetInstance()->Update();
        return ReadTypingKeys(*CInputManager::GetInstance());
    }
};

TEST_F(TypingKeysFromInput, KeysArePushedOnceAndBothFivesAreFive) {
    Headless().KeyDown(plat::kKeyLShift);
    Headless().KeyDown(plat::kKeyQ);
    Headless().KeyDown(plat::kKeyNumpad5);
    Headless().KeyDown(plat::kKeyMinus);
    Headless().KeyDown(plat::kKeySpace);
    TypingKeys keys = Frame();
    EXPECT_TRUE(keys.shift);
    EXPECT_TRUE(keys.letters['Q' - 'A']);
    EXPECT_TRUE(keys.digits[5]);
    EXPECT_TRUE(keys.minus);
    EXPECT_TRUE(keys.space);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(keys.letters[i], i == 'Q' - 'A') << i;

    // Held keys type nothing more; Shift stays down while held.
    keys = Frame();
    EXPECT_TRUE(keys.shift);
    EXPECT_FALSE(keys.letters['Q' - 'A'] || keys.digits[5] || keys.minus || keys.space);

    Headless().KeyUp(plat::kKeyNumpad5);
    Headless().KeyDown(plat::kKey5);
    keys = Frame();
    EXPECT_TRUE(keys.digits[5]);
}

}  // namespace
