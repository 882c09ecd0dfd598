#include "controls/KeyboardWindow.h"

#include <memory>

#include "controls/ControlPort.h"
#include "controls/Dialogs.h"
#include "controls/KeyboardKeys.h"
#include "controls/Romaji.h"
#include "engine/el/elFont.h"

namespace Controls {
namespace {

constexpr int kTypeSound = 6;
constexpr int kEraseSound = 4;
constexpr const char* kPageNames[CVirtualKeyBoard::kPageCount] = {"かな", "カナ", "英大", "英小"};
constexpr const char* kFullWidthSpaceUtf8 = "　";

}  // namespace

void CHiddenKeyBoardInputTrigger::HandleInput() { Type(CurrentKeys().typing); }

CVirtualKeyBoard::CVirtualKeyBoard(const std::string& title, const std::string& text, int32_t maxLength)
    : CCloseableBeigeForm(title, 80, 20, kWidth, kHeight) {
    Build(text, maxLength);
}

void CVirtualKeyBoard::Build(const std::string& text, int32_t maxLength) {
    input_ = AddControl(std::make_unique<CTextInputArea>(0, 40, text, maxLength));
    input_->SetX((kWidth - input_->GetWidth()) / 2);

    auto* group = AddControl(std::make_unique<CExclusiveToggleButtonList>(0, 0, kWidth, kHeight));
    for (int32_t i = 0; i < kPageCount; ++i) {
        auto button = std::make_unique<CTextBlueToggleButton>(58 + 100 * i, 96, kPageNames[i]);
        // The window hears of a page change before the group switches the other buttons off.
        button->AddPushedEventHandler(this);
        pageButtons_[i] = group->AddButton(std::move(button));
    }

    ok_ = AddControl(std::make_unique<CTextPushButton>(kWidth / 2 - 90, kHeight - 56, "O K"));
    ok_->AddPushedEventHandler(this);
    cancel_ = AddControl(std::make_unique<CTextPushButton>(kWidth / 2 + 10, kHeight - 56, "ｷｬﾝｾﾙ",
                                                           ControlSound::kCloseWindow));
    cancel_->AddPushedEventHandler(this);

    pages_[kHiragana] = AddControl(std::make_unique<CKeyBoardMouseAreaHiragana>(32, 144));
    pages_[kKatakana] = AddControl(std::make_unique<CKeyBoardMouseAreaKatakana>(32, 144));
    pages_[kUpperCase] = AddControl(std::make_unique<CKeyBoardMouseAreaBigEigo>(32, 144));
    pages_[kLowerCase] = AddControl(std::make_unique<CKeyBoardMouseAreaSmallEigo>(32, 144));
    for (auto* page : pages_) page->listeners.push_back(this);

    trigger_ = AddControl(std::make_unique<CHiddenKeyBoardInputTrigger>());
    trigger_->listeners.push_back(this);

    pageButtons_[kHiragana]->TurnOn();
    cancelled_ = 1;
}

int32_t CVirtualKeyBoard::GetShownPage() const {
    for (int32_t i = 0; i < kPageCount; ++i)
        if (pages_[i]->IsVisible()) return i;
    return -1;
}

void CVirtualKeyBoard::HandleInput() {
    const EditingKeys keys = CurrentKeys();
    if (keys.enter) {
        ok_->PerformPush();
    } else if (keys.tab) {
        // From the page that is on (英小 when none of the first three is), one step round.
        int32_t on = kLowerCase;
        for (int32_t i = kLowerCase - 1; i >= 0; --i)
            if (pageButtons_[i]->IsDown()) on = i;
        const int32_t step = keys.typing.shift ? kPageCount - 1 : 1;
        pageButtons_[(on + step) % kPageCount]->TurnOn();
    } else if (keys.backspace) {
        if (input_->GetCursor() > 0) {
            input_->MoveCursorLeft();
            input_->DeleteAtCursor();
            Port().PlaySound(kEraseSound);
        }
    } else if (keys.del) {
        input_->DeleteAtCursor();
        Port().PlaySound(kEraseSound);
    }
    CCloseableBeigeForm::HandleInput();
}

void CVirtualKeyBoard::Accept() {
    const std::string text = input_->GetText();
    if (text.empty()) {
        SetModalForm(std::make_unique<CAlertWindow>("何も入力されていません！"));
    } else if (RemoveChar(text, U'　').empty()) {
        SetModalForm(std::make_unique<CAlertWindow>("空白しか入力されていません！"));
    } else {
        cancelled_ = 0;
        Close();
    }
}

void CVirtualKeyBoard::ShowPage(int32_t page) {
    for (int32_t i = 0; i < kPageCount; ++i) pages_[i]->SetVisible(i == page);
    trigger_->SetUpperCase(page == kUpperCase);
    trigger_->SetRomajiConversion(page == kHiragana || page == kKatakana);
}

void CVirtualKeyBoard::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) {
        Accept();
    } else if (sender == cancel_) {
        cancelled_ = 1;
        Close();
    } else {
        for (int32_t i = 0; i < kPageCount; ++i)
            if (sender == pageButtons_[i]) ShowPage(i);
    }
}

void CVirtualKeyBoard::OnStringInputed(const std::string& text, bool romaji) {
    if (text.empty()) return;
    if (text == "Back" || text == "Del") {
        if (text == "Del") {
            input_->DeleteAtCursor();
        } else if (input_->GetCursor() > 0) {
            input_->MoveCursorLeft();
            input_->DeleteAtCursor();
        }
        Port().PlaySound(kEraseSound);
        return;
    }
    if (text == "空白") {
        input_->InsertChar(kFullWidthSpaceUtf8);
    } else if (romaji) {
        // A result that would overflow the box is dropped whole; the text stays as it was.
        const bool hiragana = !pageButtons_[kKatakana]->IsDown();
        const auto converted =
            ConvertRomajiAtCursor(input_->GetText(), input_->GetCursor(), elFont::DecodeUtf8(text)[0],
                                  hiragana, input_->GetMaxLength());
        if (converted) input_->SetText(*converted);
    } else {
        input_->InsertChar(text);
    }
    Port().PlaySound(kTypeSound);
}

}  // namespace Controls
