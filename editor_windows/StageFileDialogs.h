#pragma once
// The small dialogs of the editor's file commands: which kind of stage to open, whether to
// overwrite the stage's file or save a copy, the notice that a stage file was written and the
// list of problems that stop a save, a test play or a post. None touches a file: each shows what
// its caller passes, records the button pushed and closes.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "controls/Panels.h"

namespace Controls {

class COpenStageKindSelectWindow : public CCloseableBeigeForm {
  public:
    // Which stages to open.
    enum Kind : int32_t { kNone = -1, kSaved = 0, kDownloaded = 1, kSingleMode = 2 };
    COpenStageKindSelectWindow(int32_t x, int32_t y);
    void OnButtonPushed(GCButton* sender) override;
    int32_t GetSelectedKind() const { return kind_; }
    CLongTextPushButton* GetKindButton(int32_t kind) const;
    CLongTextPushButton* GetCancelButton() const { return cancel_; }

  private:
    CLongTextPushButton* saved_;
    CLongTextPushButton* downloaded_;
    CLongTextPushButton* singleMode_;
    CLongTextPushButton* cancel_;
    int32_t kind_ = kNone;
};

class CSaveMethodSelectWindow : public CCloseableBeigeForm {
  public:
    enum Method : int32_t { kNone = -1, kOverwrite = 0, kCopy = 1 };
    CSaveMethodSelectWindow(int32_t x, int32_t y);
    void OnButtonPushed(GCButton* sender) override;
    int32_t GetSelectedMethod() const { return method_; }
    CLongTextPushButton* GetOverwriteButton() const { return overwrite_; }
    CLongTextPushButton* GetCopyButton() const { return copy_; }
    CLongTextPushButton* GetCancelButton() const { return cancel_; }

  private:
    CLongTextPushButton* overwrite_;
    CLongTextPushButton* copy_;
    CLongTextPushButton* cancel_;
    int32_t method_ = kNone;
};

class CStageSavedWindow : public CCloseableBeigeForm {
  public:
    CStageSavedWindow(int32_t x, int32_t y, const std::string& message, const std::string& stageName,
                      const std::string& fileName);
    void OnButtonPushed(GCButton* sender) override;
    // The file name written.
    std::string GetText() const { return fileName_; }
    const std::string& GetStageName() const { return stageName_; }
    CTextPushButton* GetOkButton() const { return ok_; }

  private:
    CTextPushButton* ok_;
    std::string stageName_, fileName_;
};

class CErrorListWindow : public CCloseableBeigeForm {
  public:
    CErrorListWindow(int32_t x, int32_t y, const std::string& message,
                     const std::vector<std::string>& errors);
    void OnButtonPushed(GCButton* sender) override;
    CExclusiveTextPanel* GetErrorList() const { return list_; }
    CTextPushButton* GetOkButton() const { return ok_; }

  private:
    CExclusiveTextPanel* list_;
    CTextPushButton* ok_;
};

}  // namespace Controls
