#pragma once
// The window in which the player picks one stage file of a folder to open: the paged file list,
// the chosen file's particulars below it (stage name, file name, time of the last change, author
// and original author), and Open and Cancel. It closes on Open with a file chosen (cancelled 0)
// or on Cancel or its close button (cancelled 1); the caller then reads the chosen path.
#include <cstdint>
#include <string>

#include "controls/Buttons.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"

class CFileSelectPanel;

class CFileSelectWindow : public Controls::CCloseableBeigeForm {
  public:
    static constexpr int32_t kX = 100, kY = 20, kWidth = 440, kHeight = 440;
    static constexpr int32_t kRowsPerPage = 10, kPageButtons = 10;

    // Lists the files of `folder` (relative to the game folder) that match `pattern`.
    CFileSelectWindow(const std::string& title, const std::string& folder, const std::string& pattern);

    void UpdateSelf() override;
    void OnButtonPushed(Controls::GCButton* sender) override;

    // The full path of the chosen file; empty when none is chosen or it could not be read.
    std::string GetSelectedFilePath() const;
    // 1 unless the window was closed by Open with a file chosen.
    int32_t IsCancelled() const { return cancelled_; }

    CFileSelectPanel* GetPanel() const { return panel_; }
    Controls::CTextPushButton* GetOpenButton() const { return open_; }
    Controls::CTextPushButton* GetCancelButton() const { return cancel_; }
    // The shown particulars, in the order of the window.
    enum Detail : int32_t { kStageName, kFileName, kUpdateTime, kAuthor, kOriginalAuthor, kDetailCount };
    std::string GetDetailText(int32_t detail) const;

  private:
    void ShowDetails();

    CFileSelectPanel* panel_;
    Controls::CSpriteTextLabel* details_[kDetailCount] = {};
    Controls::CTextPushButton* open_;
    Controls::CTextPushButton* cancel_;
    int32_t lastSeenSelection_ = -1;
    int32_t cancelled_ = 1;
};
