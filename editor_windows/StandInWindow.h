#pragma once
// A plain question window with one text and a column of answer buttons: what the editor's
// windows that are not built yet show in their place, so that the editor can open each of them
// and read an answer. The close button answers -1.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Buttons.h"
#include "controls/Forms.h"

namespace Controls {

class CStandInWindow : public CCloseableBeigeForm {
  public:
    CStandInWindow(const std::string& title, int32_t x, int32_t y, const std::string& text,
                   const std::vector<std::string>& answers);
    void OnButtonPushed(GCButton* sender) override;
    void OnCloseButtonPushed() override;
    // Pushes answer `index` as a click would (tests and scripted runs).
    void Answer(int32_t index);
    int32_t GetAnswerCount() const { return int32_t(answers_.size()); }
    CLongTextPushButton* GetAnswerButton(int32_t index) const;
    void SetText(const std::string& text) { text_->SetText(text); }

  protected:
    // The answer given (-1: the close button). Runs before the window closes; return false to
    // keep it open.
    virtual bool OnAnswer(int32_t index) = 0;

  private:
    void Finish(int32_t index);

    CSpriteTextLabel* text_;
    std::vector<CLongTextPushButton*> answers_;
};

}  // namespace Controls
