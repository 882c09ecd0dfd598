#include "online/DownLoadSearchForms.h"

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "engine/Mouse.h"
#include "online/StageMetaInfoButtonList.h"

namespace Controls {

namespace {

constexpr int32_t kListX = 30, kListY = 112;

std::unique_ptr<CSpriteTextLabel> SmallLabel(const std::string& text, int32_t x, int32_t y, int32_t width,
                                             int32_t height, int32_t size) {
    return std::make_unique<CSpriteTextLabel>(text, x, y, width, height, size, 45, 30, 8);
}

}  // namespace

// ---- What both share --------------------------------------------------------------------------

void CDownLoadSearchForm::RequestMoreStages(int32_t start, int32_t end) {
    RequestStages(Request::MoreRecords, start, end);
}

void CDownLoadSearchForm::OnCloseButtonPushed() { GetScene()->ChangeForm(DownLoadFormId::Top); }

void CDownLoadSearchForm::OnListReply(Request request, const NetWorkResult& result) {
    // A failed search keeps what is shown.
    if (!result.Succeeded) return;
    if (request == Request::MoreRecords && GetStageList()) {
        GetStageList()->AddList(std::make_unique<CStageMetaInfoList>(result.Text), true);
        return;
    }
    ReplaceStageList(result.Text, kListX, kListY, kPerPage, true);
}

// ---- By difficulty and length ------------------------------------------------------------------

CDownLoadDifficultyLengthSearchRootForm::CDownLoadDifficultyLengthSearchRootForm(IDownLoadSceneHost* scene)
    : CDownLoadSearchForm(scene) {
    search_ = AddButton(std::make_unique<CLongTextPushButton>(454, 42, 120, "検索する"));
    difficulty_ = AddControl(std::make_unique<CBasicHorizontalScrollBar>(140, 32, 50, 100, 0, 1, 300));
    length_ = AddControl(std::make_unique<CBasicHorizontalScrollBar>(140, 80, 50, 100, 0, 1, 300));
    AddControl(SmallLabel("難易度", 60, 31, 60, 20, 18));
    AddControl(SmallLabel("長さ", 60, 79, 60, 20, 18));
    // The low and high ends and the middle of each bar.
    const char* const marks[2][3] = {{"低", "高", "▼"}, {"短", "長", "▼"}};
    for (int32_t bar = 0; bar < 2; ++bar) {
        const int32_t y = 14 + 48 * bar;
        AddControl(SmallLabel(marks[bar][0], 156, y, 20, 16, 14));
        AddControl(SmallLabel(marks[bar][1], 406, y, 20, 16, 14));
        AddControl(SmallLabel(marks[bar][2], 281, y, 20, 16, 14));
    }
    AddCloseButton();
}

void CDownLoadDifficultyLengthSearchRootForm::OnButtonPushed(GCButton* sender) {
    if (sender != search_) return;
    difficultyText_ = std::to_string(difficulty_->GetValue());
    lengthText_ = std::to_string(length_->GetValue());
    Search();
}

void CDownLoadDifficultyLengthSearchRootForm::RequestStages(Request request, int32_t start, int32_t end) {
    SendRequest(request, NetWorkOperation::SearchStageByDL, difficultyText_, lengthText_,
                std::to_string(start), std::to_string(end - start));
}

// ---- By creator name -----------------------------------------------------------------------------

CDownLoadCreatorNameSearchRootForm::CDownLoadCreatorNameSearchRootForm(IDownLoadSceneHost* scene)
    : CDownLoadSearchForm(scene) {
    AddControl(std::make_unique<CSpriteTextLabel>("名前：", 24, 34, 60, 20));
    AddControl(SmallLabel("※名前の一部だけでも検索できます", 32, 72, 200, 20, 12));
    name_ = AddControl(std::make_unique<CTextLineArea>("", 80, 24, 280, 20));
    input_ = AddButton(std::make_unique<CLongTextPushButton>(414, 24, 160, "名前を入力する"));
    search_ = AddButton(std::make_unique<CLongTextPushButton>(454, 72, 120, "検索する"));
    AddCloseButton();
}

void CDownLoadCreatorNameSearchRootForm::UpdateSelf() {
    CMouse::GetInstance()->SetCursorKind(0);
    CDownLoadSearchForm::UpdateSelf();
}

void CDownLoadCreatorNameSearchRootForm::OnButtonPushed(GCButton* sender) {
    if (sender == input_) {
        OpenDialog(Dialog::Keyboard,
                   std::make_unique<CVirtualKeyBoard>("クリエイター名", name_->GetText(), kNameLength));
    } else if (sender == search_) {
        if (name_->GetText().empty()) {
            OpenDialog(Dialog::NameMissing,
                       std::make_unique<CAlertWindow>("先にクリエイター名を\n入力してください！"));
            return;
        }
        searchName_ = name_->GetText();
        Search();
    }
}

void CDownLoadCreatorNameSearchRootForm::OnDialogClosed(Dialog dialog, bool yes, GCForm* sender) {
    if (dialog == Dialog::Keyboard) {
        auto* keyboard = dynamic_cast<CVirtualKeyBoard*>(sender);
        if (keyboard && !keyboard->IsCancelled()) name_->SetText(keyboard->GetInputText());
        return;
    }
    CDownLoadSearchForm::OnDialogClosed(dialog, yes, sender);
}

void CDownLoadCreatorNameSearchRootForm::RequestStages(Request request, int32_t start, int32_t end) {
    SendRequest(request, NetWorkOperation::SearchStage, searchName_, std::to_string(start),
                std::to_string(end - start));
}

}  // namespace Controls
