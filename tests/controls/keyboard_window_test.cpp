// The keyboard window: what OK accepts, Tab walking the pages, the physical keys typing through
// the page's conversion, overflow dropped whole, the erase keys and their sounds, and closing.
#include <algorithm>
#include <memory>
#include <string>

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "tests/controls/keyboard_test.h"

using namespace Controls;

namespace {

class KeyboardWindow : public controltest::KeyboardTest {
  protected:
    // The window as its owner holds it: the modal form of a screen.
    CVirtualKeyBoard* Open(const std::string& text, int maxLength) {
        auto window = std::make_unique<CVirtualKeyBoard>("名前", text, maxLength);
        window->AddClosedEventHandler(&log);
        return root.OpenModal(std::move(window));
    }
    std::string AlertText() {
        auto* alert = dynamic_cast<CAlertWindow*>(keyboard->GetModalForm());
        return alert ? alert->GetTextLabel()->GetText() : std::string();
    }
    int Shown() { return keyboard->GetShownPage(); }
    void TearDown() override {
        root.SetModalForm(nullptr);
        KeyboardTest::TearDown();
    }

    COriginalBaseForm root;
    controltest::EventLog log;
    CVirtualKeyBoard* keyboard = nullptr;
};

TEST_F(KeyboardWindow, OkAcceptsOnlyATextWithMoreThanSpaces) {
    keyboard = Open("", 8);
    EXPECT_EQ(keyboard->GetInputArea()->GetX(), (480 - (8 * 32 + 16)) / 2);
    keys.enter = true;
    Frame(root);
    EXPECT_EQ(AlertText(), "何も入力されていません！");
    EXPECT_EQ(keyboard->IsCancelled(), 1);
    EXPECT_EQ(log.Count("closed"), 0);

    // While the alert is open the keyboard types nothing.
    TypeLetter('A');
    Frame(root);
    EXPECT_EQ(keyboard->GetInputText(), "");
    keyboard->SetModalForm(nullptr);

    keys.typing.space = true;
    Frame(root);
    keyboard->GetOkButton()->PerformPush();
    EXPECT_EQ(AlertText(), "空白しか入力されていません！");
    keyboard->SetModalForm(nullptr);

    // The spaces stay in the text that is handed back.
    keyboard->GetInputArea()->InsertChar("あ");
    keyboard->GetOkButton()->PerformPush();
    EXPECT_EQ(keyboard->IsCancelled(), 0);
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(keyboard->GetInputText(), "　あ");
}

TEST_F(KeyboardWindow, TabWalksThePagesAndShiftWalksBack) {
    keyboard = Open("", 8);
    EXPECT_EQ(Shown(), CVirtualKeyBoard::kHiragana);
    int seen[9];
    for (int& page : seen) {
        page = Shown();
        root.Draw();
        keys.tab = true;
        Frame(root);
    }
    EXPECT_EQ(std::vector<int>(seen, seen + 9), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0}));
    // Each page painted its picture once, the first time it showed.
    const auto pagePictures = std::count_if(port.captures.begin(), port.captures.end(), [](auto& c) {
        return c == std::vector<int>{112, 164, 112 + 416, 164 + 224};
    });
    EXPECT_EQ(pagePictures, 4);
    EXPECT_EQ(Shown(), CVirtualKeyBoard::kKatakana);
    keys.typing.shift = true;
    keys.tab = true;
    Frame(root);
    keys.tab = true;
    Frame(root);
    EXPECT_EQ(Shown(), CVirtualKeyBoard::kLowerCase);
    EXPECT_TRUE(keyboard->GetPageButton(CVirtualKeyBoard::kLowerCase)->IsDown());
    EXPECT_FALSE(keyboard->GetPageButton(CVirtualKeyBoard::kHiragana)->IsDown());
}

TEST_F(KeyboardWindow, PhysicalKeysTypeThroughThePagesConversion) {
    keyboard = Open("", 8);
    for (char c : std::string("KA")) {
        TypeLetter(c);
        Frame(root);
    }
    keyboard->GetPageButton(CVirtualKeyBoard::kKatakana)->TurnOn();
    for (char c : std::string("KA")) {
        TypeLetter(c);
        Frame(root);
    }
    EXPECT_EQ(keyboard->GetInputText(), "かカ");
    // The capitals page types capitals unconverted, Shift turns them small; the small page the
    // other way round.
    keyboard->GetPageButton(CVirtualKeyBoard::kUpperCase)->TurnOn();
    TypeLetter('K');
    keys.typing.digits[7] = true;
    Frame(root);
    keys.typing.shift = true;
    TypeLetter('A');
    Frame(root);
    keys.typing.shift = false;
    keyboard->GetPageButton(CVirtualKeyBoard::kLowerCase)->TurnOn();
    TypeLetter('A');
    keys.typing.minus = true;
    Frame(root);
    EXPECT_EQ(keyboard->GetInputText(), "かカＫ７ａａー");
    EXPECT_EQ(keyboard->GetInputArea()->GetCursor(), 7);
}

TEST_F(KeyboardWindow, TextThatWouldOverflowIsDroppedWhole) {
    keyboard = Open("あ", 2);
    TypeLetter('K');
    Frame(root);
    EXPECT_EQ(keyboard->GetInputText(), "あｋ");
    port.sounds.clear();
    TypeLetter('Y');
    Frame(root);
    EXPECT_EQ(keyboard->GetInputText(), "あｋ");
    EXPECT_EQ(port.sounds, std::vector<int>{6});
    // The same letters that make no more characters still fit.
    TypeLetter('A');
    Frame(root);
    EXPECT_EQ(keyboard->GetInputText(), "あか");
    // A full box ignores the key pages too, with the typing sound.
    port.sounds.clear();
    keyboard->OnStringInputed("ん", false);
    keyboard->OnStringInputed("空白", false);
    EXPECT_EQ(keyboard->GetInputText(), "あか");
    EXPECT_EQ(port.sounds, (std::vector<int>{6, 6}));
}

TEST_F(KeyboardWindow, EraseKeysAndTheirSounds) {
    keyboard = Open("あいう", 8);
    CTextInputArea& box = *keyboard->GetInputArea();
    keys.backspace = true;
    Frame(root);
    EXPECT_EQ(keyboard->GetInputText(), "あい");
    box.SetCursor(0);
    port.sounds.clear();
    keys.backspace = true;
    Frame(root);
    EXPECT_TRUE(port.sounds.empty());
    // The page's Back key clicks even with nothing to erase.
    keyboard->OnStringInputed("Back", false);
    EXPECT_EQ(port.sounds, std::vector<int>{4});
    keys.del = true;
    Frame(root);
    keyboard->OnStringInputed("Del", false);
    EXPECT_EQ(keyboard->GetInputText(), "");
    EXPECT_EQ(port.sounds, (std::vector<int>{4, 4, 4}));

    // A mouse press on a key of the shown page types it.
    CKeyBoardMouseAreaTextBase* key = keyboard->GetPage(CVirtualKeyBoard::kHiragana)->FindKey("の");
    int32_t x, y;
    key->GetAbsolutePosition(x, y);
    Press(x + 4, y + 4);
    Frame(root);
    EXPECT_EQ(keyboard->GetInputText(), "の");
}

TEST_F(KeyboardWindow, ClosingWithoutOkKeepsItCancelled) {
    keyboard = Open("", 8);
    TypeLetter('O');
    Frame(root);
    keyboard->GetCloseButton()->PerformPush();
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(keyboard->IsCancelled(), 1);
    EXPECT_EQ(keyboard->GetInputText(), "お");

    keyboard = Open("あ", 8);
    keyboard->GetCancelButton()->PerformPush();
    EXPECT_EQ(keyboard->IsCancelled(), 1);
    EXPECT_EQ(port.sounds.back(), 4);
}

}  // namespace
