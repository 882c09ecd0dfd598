#pragma once
// The on-screen keyboard window, in which the player types a short Japanese or full-width text
// with the mouse or the physical keyboard: a text box, four page buttons (かな, カナ, 英大, 英小)
// choosing a key page, OK and cancel, and the hidden trigger that types from the physical keys.
// Letters typed on a kana page go through romaji-to-kana conversion. The owner opens it as a
// modal form, listens for its closing and then reads IsCancelled and GetInputText.
#include <cstdint>
#include <string>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "controls/KeyPages.h"
#include "controls/StringInput.h"
#include "controls/TextInputArea.h"

namespace Controls {

// The physical keyboard as a part of the keyboard window: an invisible 40 x 40 part at (0, 0)
// that types the pushed keys each frame while it is active, so a modal window over the keyboard
// stops it.
class CHiddenKeyBoardInputTrigger : public COriginalBasePart, public CHiddenKeyBoardInput {
  public:
    CHiddenKeyBoardInputTrigger() = default;
    void HandleInput() override;
};

class CVirtualKeyBoard : public CCloseableBeigeForm, public IStringInputedEventHandler {
  public:
    static constexpr int32_t kWidth = 480, kHeight = 440;
    enum Page { kHiragana = 0, kKatakana, kUpperCase, kLowerCase, kPageCount };

    CVirtualKeyBoard(const std::string& title, int32_t maxLength) : CVirtualKeyBoard(title, "", maxLength) {}
    CVirtualKeyBoard(const std::string& title, const std::string& text, int32_t maxLength);

    void HandleInput() override;
    void OnButtonPushed(GCButton* sender) override;
    void OnStringInputed(const std::string& text, bool romaji) override;

    std::string GetInputText() const { return input_->GetText(); }
    // 1 until the player accepts a text with OK.
    int32_t IsCancelled() const { return cancelled_; }

    CTextInputArea* GetInputArea() const { return input_; }
    CKeyBoardMouseAreaBase* GetPage(int32_t page) const { return pages_[page]; }
    CTextBlueToggleButton* GetPageButton(int32_t page) const { return pageButtons_[page]; }
    CTextPushButton* GetOkButton() const { return ok_; }
    CTextPushButton* GetCancelButton() const { return cancel_; }
    CHiddenKeyBoardInputTrigger* GetTrigger() const { return trigger_; }
    // The page shown now.
    int32_t GetShownPage() const;

  private:
    void Build(const std::string& text, int32_t maxLength);
    void ShowPage(int32_t page);
    void Accept();

    CTextInputArea* input_ = nullptr;
    CKeyBoardMouseAreaBase* pages_[kPageCount] = {};
    CTextPushButton* ok_ = nullptr;
    CTextPushButton* cancel_ = nullptr;
    CTextBlueToggleButton* pageButtons_[kPageCount] = {};
    CHiddenKeyBoardInputTrigger* trigger_ = nullptr;
    int32_t cancelled_ = 1;
};

}  // namespace Controls
