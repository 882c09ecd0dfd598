#pragma once
// Two windows of particulars: the editor's information window (editor version, creator, stage
// and file) and the last question before a stage is posted (what will be posted, yes or no).
// Neither reads anything itself: the caller passes every text.
#include <cstdint>
#include <string>

#include "controls/Buttons.h"
#include "controls/Dialogs.h"

namespace Controls {

class CInfomationWindow : public CCloseableBeigeForm {
  public:
    CInfomationWindow(int32_t x, int32_t y, const std::string& editorVersion, const std::string& creatorName,
                      const std::string& creatorLevel, const std::string& stageName,
                      const std::string& fileName);
    void OnButtonPushed(GCButton* sender) override;
    CTextPushButton* GetOkButton() const { return ok_; }

  private:
    CTextPushButton* ok_;
};

class CSendConfirmWindow : public CCloseableBeigeForm {
  public:
    // The original author comes before the author, though the window shows the author first.
    CSendConfirmWindow(int32_t x, int32_t y, const std::string& stageName, const std::string& originalAuthor,
                       const std::string& author, bool arrangementAllowed);
    void OnButtonPushed(GCButton* sender) override;
    // kResultYes after "はい"; kResultNo after "いいえ" or the close button.
    int32_t GetAnswer() const { return answer_; }
    CTextPushButton* GetYesButton() const { return yes_; }
    CTextPushButton* GetNoButton() const { return no_; }

  private:
    CTextPushButton* yes_;
    CTextPushButton* no_;
    int32_t answer_ = kResultNo;
};

}  // namespace Controls
