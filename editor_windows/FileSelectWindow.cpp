#include "editor_windows/FileSelectWindow.h"

#include <memory>
#include <vector>

#include "controls/Dialogs.h"
#include "editor_windows/DialogLabels.h"
#include "editor_windows/FileSelectPanel.h"
#include "foundation/FileList.h"
#include "foundation/TextConvert.h"
#include "stage/StageFileEntry.h"

namespace {
constexpr const char* kCaptions[CFileSelectWindow::kDetailCount] = {"ステージ名：", "ファイル名：",
                                                                    "更新時刻：", "作者：", "原作者："};
// A question opened by a window stands a little below and right of it.
constexpr int32_t kChildOffsetX = 16, kChildOffsetY = 32;
// The open frame's border, outline and inner line included.
constexpr int32_t kFrameBorder = 4;
}  // namespace

CFileSelectWindow::CFileSelectWindow(const std::string& title, const std::string& folder,
                                     const std::string& pattern)
    : CCloseableBeigeForm(title, kX, kY, kWidth, kHeight) {
    panel_ = AddControl(std::make_unique<CFileSelectPanel>(32, 40, 380, 220, kRowsPerPage, kPageButtons,
                                                           std::make_unique<CFileList>(folder, pattern)));
    // The frame goes round the rows: its 4-pixel border lies outside the first and last row.
    AddControl(std::make_unique<Controls::CFreeContainer>(32 - kFrameBorder, 60 - kFrameBorder,
                                                          380 + 2 * kFrameBorder, 200 + 2 * kFrameBorder));
    for (int32_t i = 0; i < kDetailCount; ++i)
        AddControl(Controls::CaptionLabel(kCaptions[i], 48, 280 + 20 * i, 90, 16));
    for (int32_t i = 0; i < kDetailCount; ++i)
        details_[i] = AddControl(Controls::ValueLabel("", 140, 280 + 20 * i, 240, 16));
    open_ = AddControl(std::make_unique<Controls::CTextPushButton>(kWidth / 2 - 90, kHeight - 56, "開く"));
    cancel_ = AddControl(std::make_unique<Controls::CTextPushButton>(kWidth / 2 + 10, kHeight - 56, "ｷｬﾝｾﾙ",
                                                                     Controls::ControlSound::kCloseWindow));
    open_->AddPushedEventHandler(this);
    cancel_->AddPushedEventHandler(this);
}

std::string CFileSelectWindow::GetSelectedFilePath() const { return panel_->GetSelectedFilePath(); }

std::string CFileSelectWindow::GetDetailText(int32_t detail) const {
    return detail >= 0 && detail < kDetailCount ? details_[detail]->GetText() : std::string();
}

void CFileSelectWindow::ShowDetails() {
    const StageFileEntry* entry = panel_->GetSelectedEntry();
    const CFileEntry* file = entry ? entry->GetFile() : nullptr;
    if (!entry || !file) {
        for (Controls::CSpriteTextLabel* label : details_) label->SetText("");
        return;
    }
    // The arranged authors run oldest first: the stage's author is the last of them.
    const std::vector<std::string> authors = SplitString(entry->arrangedAuthors, ',');
    details_[kStageName]->SetText(entry->name);
    details_[kFileName]->SetText(file->GetFileName());
    details_[kUpdateTime]->SetText(file->GetDateTimeTextJp());
    details_[kAuthor]->SetText(authors.empty() ? std::string() : authors.back());
    details_[kOriginalAuthor]->SetText(entry->originalAuthor);
}

void CFileSelectWindow::UpdateSelf() {
    if (panel_->GetSelectedIndex() != lastSeenSelection_) {
        ShowDetails();
        lastSeenSelection_ = panel_->GetSelectedIndex();
    }
    CCloseableBeigeForm::UpdateSelf();
}

void CFileSelectWindow::OnButtonPushed(Controls::GCButton* sender) {
    if (sender == open_) {
        if (panel_->GetSelectedIndex() == -1) {
            SetModalForm(std::make_unique<Controls::CAlertWindow>("\nステージを選んでください！",
                                                                  GetAbsoluteX() + kChildOffsetX,
                                                                  GetAbsoluteY() + kChildOffsetY));
            return;
        }
        cancelled_ = 0;
        Close();
    } else if (sender == cancel_) {
        Close();
    }
}
