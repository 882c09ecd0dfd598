#pragma once
// A custom lift's route, "カスタムリフトの設定": the route is a string of one-letter commands (eight
// moves, a pause, faster, slower) shown as a list of their names closed by the row "（最初に戻る）",
// where the lift starts over. A command button adds its command after the highlighted command (at
// the end when none, the last one or the closing row is highlighted); "１件削除" takes out the
// highlighted command (the last one when none is highlighted). The route holds at most 128
// commands: a longer one is refused with an alert. A route given longer (from a stage file) is
// shown whole and can only lose commands until it is shorter. Commands the lift does not know
// show as "！エラー！" and are handed back as they were.
//
// The editor stores GetCommandString in the lift when IsApplied (closed with "O K").
#include <cstdint>
#include <string>

#include "controls/Dialogs.h"
#include "controls/Panels.h"
#include "editor_windows/ObjectPlace.h"

namespace Controls {

class CCustomLiftConfigWindow : public CCloseableBeigeForm, public CObjectPlace {
  public:
    static constexpr size_t kMaxCommands = 128;
    static constexpr int32_t kDirectionCount = 8;

    CCustomLiftConfigWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY,
                            std::string commands);

    void DrawBackground() override;
    void OnButtonPushed(GCButton* sender) override;

    std::string GetCommandString() const { return commands_; }
    bool IsApplied() const { return applied_ != 0; }

    CTextPushButton* GetOkButton() const { return ok_; }
    CTextPushButton* GetCancelButton() const { return cancel_; }
    // In the order up, upper left, left, lower left, down, lower right, right, upper right.
    CCustomLiftDirectionButton* GetDirectionButton(int32_t i) const { return directions_[i]; }
    CLongTextPushButton* GetSpeedUpButton() const { return speedUp_; }
    CLongTextPushButton* GetSpeedDownButton() const { return speedDown_; }
    CLongTextPushButton* GetStopButton() const { return stop_; }
    CLongTextPushButton* GetDeleteButton() const { return delete_; }
    CExclusiveTextPanel* GetCommandList() const { return list_; }

  private:
    // The command letter a button adds; null for the other buttons.
    const char* LetterOf(GCButton* sender) const;
    void AddCommand(const char* letter);
    void DeleteCommand();
    // A fresh list of the route with no row highlighted.
    void RebuildList();

    int32_t applied_ = 0;
    CTextPushButton* ok_;
    CTextPushButton* cancel_;
    CCustomLiftDirectionButton* directions_[kDirectionCount] = {};
    CLongTextPushButton* speedUp_;
    CLongTextPushButton* speedDown_;
    CLongTextPushButton* stop_;
    CLongTextPushButton* delete_;
    CExclusiveTextPanel* list_ = nullptr;
    std::string commands_;
};

}  // namespace Controls
