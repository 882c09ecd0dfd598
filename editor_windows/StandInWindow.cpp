#include "editor_windows/StandInWindow.h"

#include <memory>

#include "editor_windows/DialogLabels.h"

namespace Controls {

namespace {
constexpr int32_t kWidth = 320, kTextHeight = 56, kRow = 44;
}  // namespace

CStandInWindow::CStandInWindow(const std::string& title, int32_t x, int32_t y, const std::string& text,
                               const std::vector<std::string>& answers)
    : CCloseableBeigeForm(title, x, y, kWidth, 48 + kTextHeight + kRow * int32_t(answers.size()) + 24) {
    text_ = AddControl(MessageLabel(text, 24, 44, kWidth - 48, kTextHeight));
    for (size_t i = 0; i < answers.size(); ++i) {
        auto button = std::make_unique<CLongTextPushButton>(24, 44 + kTextHeight + kRow * int32_t(i),
                                                            kWidth - 48, answers[i]);
        button->AddPushedEventHandler(this);
        answers_.push_back(AddControl(std::move(button)));
    }
}

CLongTextPushButton* CStandInWindow::GetAnswerButton(int32_t index) const {
    return index >= 0 && index < GetAnswerCount() ? answers_[size_t(index)] : nullptr;
}

void CStandInWindow::Answer(int32_t index) {
    if (CLongTextPushButton* b = GetAnswerButton(index)) b->PerformPush();
}

void CStandInWindow::OnButtonPushed(GCButton* sender) {
    for (size_t i = 0; i < answers_.size(); ++i) {
        if (sender == answers_[i]) Finish(int32_t(i));
    }
}

void CStandInWindow::OnCloseButtonPushed() { Finish(-1); }

void CStandInWindow::Finish(int32_t index) {
    if (GetState() == kStateClosed) return;
    if (OnAnswer(index)) Close();
}

}  // namespace Controls
