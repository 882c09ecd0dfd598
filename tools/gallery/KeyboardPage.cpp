#include "tools/gallery/KeyboardPage.h"

#include <memory>

#include "controls/KeyboardKeys.h"

using namespace Controls;

namespace gallery {

KeyboardPage::KeyboardPage(COriginalBaseForm& root, COriginalBaseForm& page) : root_(root) {
    opener_ = page.AddControl(std::make_unique<CLongTextPushButton>(8, 24, 200, "キーボードを開く"));
    opener_->AddPushedEventHandler(this);
    result_ = page.AddControl(std::make_unique<CTextLabel>("入力: ", 230, 34, 400, 18, 16, 255, 255, 255));
    result_->SetAlignment(0);
}

CVirtualKeyBoard* KeyboardPage::Open(const std::string& text) {
    auto window = std::make_unique<CVirtualKeyBoard>("名前を入れてください", text, 8);
    window->AddClosedEventHandler(this);
    keyboard_ = root_.OpenModal(std::move(window));
    return keyboard_;
}

void KeyboardPage::OnPushed(GCButton* sender) {
    if (sender == opener_) Open();
}

void KeyboardPage::OnClosed(GCForm*) {
    result_->SetText(keyboard_->IsCancelled() ? "入力: (取り消し)" : "入力: " + keyboard_->GetInputText());
}

bool KeyboardPage::RunScenes(Script& s) {
    EditingKeys keys;
    SetKeySource([&keys] { return keys; });
    auto frames = [&](int n) {
        for (int i = 0; i < n; ++i) {
            s.frame();
            s.mouse.leftPressed = s.mouse.leftReleased = false;
            const bool shift = keys.typing.shift;
            keys = {};
            keys.typing.shift = shift;
        }
        s.draw();
    };
    auto click = [&](int x, int y) {
        s.mouse = {};
        s.mouse.x = x, s.mouse.y = y, s.mouse.leftPressed = true;
        frames(1);
        s.mouse.leftReleased = true;
        frames(1);
    };
    auto clickKey = [&](int page, const std::string& label) {
        int32_t x, y;
        keyboard_->GetPage(page)->FindKey(label)->GetAbsolutePosition(x, y);
        click(x + 8, y + 8);
    };
    auto type = [&](const std::string& letters) {
        for (char c : letters) {
            if (c >= 'A' && c <= 'Z') keys.typing.letters[c - 'A'] = true;
            if (c >= '0' && c <= '9') keys.typing.digits[c - '0'] = true;
            frames(1);
        }
    };

    bool ok = true;
    int32_t x, y;
    opener_->GetAbsolutePosition(x, y);
    click(x + 20, y + 20);
    keyboard_->GetPage(CVirtualKeyBoard::kHiragana)->FindKey("あ")->GetAbsolutePosition(x, y);
    s.mouse = {};
    s.mouse.x = x + 8, s.mouse.y = y + 8;
    frames(2);
    ok &= s.shot("keyboard_hiragana");

    for (const char* kana : {"ゆ", "う", "き"}) clickKey(CVirtualKeyBoard::kHiragana, kana);
    frames(2);
    ok &= s.shot("keyboard_by_mouse");

    keyboard_->GetPageButton(CVirtualKeyBoard::kKatakana)->GetAbsolutePosition(x, y);
    click(x + 20, y + 10);
    s.mouse = {};
    type("ROBO");
    frames(2);
    ok &= s.shot("keyboard_by_keys");

    keys.tab = true;
    frames(1);
    type("7Q");
    keys.typing.shift = true;
    type("V");
    keys.typing.shift = false;
    frames(2);
    ok &= s.shot("keyboard_letters");

    keys.enter = true;
    frames(2);
    ok &= s.shot("keyboard_result");

    Open();
    keys.enter = true;
    frames(20);
    ok &= s.shot("keyboard_alert");
    root_.SetModalForm(nullptr);

    Open("Quor太郎");
    keyboard_->GetInputArea()->GetAbsolutePosition(x, y);
    click(x + 8 + 64 + 2, y + 24);  // just past the middle of the fourth cell
    s.mouse.x += 2;
    frames(2);
    ok &= s.shot("keyboard_mixed_widths");
    root_.SetModalForm(nullptr);
    SetKeySource(nullptr);
    return ok;
}

}  // namespace gallery
