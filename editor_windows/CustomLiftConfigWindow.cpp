#include "editor_windows/CustomLiftConfigWindow.h"

#include <memory>

#include "controls/ControlPort.h"
#include "gimmicks/CustomLift.h"

namespace Controls {

namespace {

constexpr int32_t kListX = 32, kListY = 40, kListWidth = 140, kListHeight = 220;
constexpr int32_t kPadX = 200, kPadY = 40, kPadSize = 128;

// The arrows around the pad and the command each adds (letters as the lift reads them: A left,
// B right, C up, D down, E to H the diagonals, I pause, J faster, K slower).
struct DirectionButton {
    int32_t direction, x, y, letter;
};
constexpr DirectionButton kDirections[CCustomLiftConfigWindow::kDirectionCount] = {
    {0, 248, 40, 2},  {4, 219, 59, 4},  {2, 200, 88, 0}, {6, 219, 125, 6},
    {1, 248, 149, 3}, {7, 286, 125, 7}, {3, 309, 88, 1}, {5, 286, 59, 5}};
constexpr int32_t kStopLetter = 8, kSpeedUpLetter = 9, kSpeedDownLetter = 10;

}  // namespace

CCustomLiftConfigWindow::CCustomLiftConfigWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX,
                                                 int32_t tileY, std::string commands)
    : CCloseableBeigeForm("カスタムリフトの設定", x, y, 360, 400),
      CObjectPlace(areaIndex, tileX, tileY),
      commands_(std::move(commands)) {
    ok_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 - 90, GetHeight() - 56, "O K"));
    cancel_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 + 10, GetHeight() - 56, "ｷｬﾝｾﾙ",
                                                           ControlSound::kCloseWindow));
    ok_->AddPushedEventHandler(this);
    cancel_->AddPushedEventHandler(this);
    for (int32_t i = 0; i < kDirectionCount; ++i) {
        const DirectionButton& d = kDirections[i];
        directions_[i] = AddControl(std::make_unique<CCustomLiftDirectionButton>(d.x, d.y, d.direction));
        directions_[i]->AddPushedEventHandler(this);
    }
    speedUp_ = AddControl(std::make_unique<CLongTextPushButton>(210, 225, 108, "SpeedUp"));
    speedDown_ = AddControl(std::make_unique<CLongTextPushButton>(210, 270, 108, "SpeedDown"));
    stop_ = AddControl(std::make_unique<CLongTextPushButton>(210, 180, 108, "Stop"));
    delete_ = AddControl(std::make_unique<CLongTextPushButton>(32, 270, 124, "１件削除"));
    for (GCButton* b : {static_cast<GCButton*>(speedUp_), static_cast<GCButton*>(speedDown_),
                        static_cast<GCButton*>(stop_), static_cast<GCButton*>(delete_)})
        b->AddPushedEventHandler(this);
    RebuildList();
}

void CCustomLiftConfigWindow::DrawBackground() {
    CCloseableBeigeForm::DrawBackground();
    PutSheet(kSheet10, GetAbsoluteX() + kPadX, GetAbsoluteY() + kPadY, 0, 0, kPadSize, kPadSize);
}

const char* CCustomLiftConfigWindow::LetterOf(GCButton* sender) const {
    for (int32_t i = 0; i < kDirectionCount; ++i)
        if (sender == directions_[i]) return CustomLiftCommand::kLetters[kDirections[i].letter];
    if (sender == stop_) return CustomLiftCommand::kLetters[kStopLetter];
    if (sender == speedUp_) return CustomLiftCommand::kLetters[kSpeedUpLetter];
    if (sender == speedDown_) return CustomLiftCommand::kLetters[kSpeedDownLetter];
    return nullptr;
}

void CCustomLiftConfigWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) {
        applied_ = 1;
        Close();
    } else if (sender == cancel_) {
        Close();
    } else if (sender == delete_) {
        DeleteCommand();
    } else if (const char* letter = LetterOf(sender)) {
        AddCommand(letter);
    }
}

void CCustomLiftConfigWindow::AddCommand(const char* letter) {
    if (commands_.size() >= kMaxCommands) {
        OpenModal(std::make_unique<CAlertWindow>("これ以上増やせません…"));
        return;
    }
    const int32_t selected = list_->GetSelectedIndex();
    const int32_t count = int32_t(commands_.size());
    if (selected >= 0 && selected < count - 1) {
        commands_.insert(size_t(selected) + 1, letter);
    } else {
        commands_ += letter;
    }
    RebuildList();
}

void CCustomLiftConfigWindow::DeleteCommand() {
    const int32_t selected = list_->GetSelectedIndex();
    const int32_t count = int32_t(commands_.size());
    if (selected >= 0 && selected < count) {
        commands_.erase(size_t(selected), 1);
    } else if (count > 0) {
        commands_.pop_back();
    } else {
        return;
    }
    RebuildList();
}

void CCustomLiftConfigWindow::RebuildList() {
    // Only the buttons call the window, never the list's rows: the old list can go at once.
    if (list_) GetControls().Remove(list_).reset();
    auto list = std::make_unique<CExclusiveTextPanel>(kListX, kListY, kListWidth, kListHeight);
    for (const char c : commands_) {
        const std::string letter(1, c);
        list->AddItem(CustomLiftCommand::Label(letter), letter);
    }
    list->AddItem(CustomLiftCommand::kWrapLabel, " ");
    list_ = AddControl(std::move(list));
}

}  // namespace Controls
