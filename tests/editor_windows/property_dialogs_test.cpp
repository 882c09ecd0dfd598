// The object property dialogs: the door's texts and results, the values the battery, switch and
// zoom buttons stand for, and the close button and "ｷｬﾝｾﾙ" changing nothing with sound 4.
#include <memory>
#include <vector>

#include "editor_windows/ChangeBatteryTimingWindow.h"
#include "editor_windows/ChangeDoorMovePointWindow.h"
#include "editor_windows/ChangeSwitchColorWindow.h"
#include "editor_windows/ChangeZoomRateWindow.h"
#include "tests/editor_windows/dialog_test.h"

using namespace Controls;

namespace {

class PropertyDialogs : public dialogtest::DialogTest {
  protected:
    CChangeDoorMovePointWindow* OpenDoor(int destinationArea) {
        // A door in area 0 at (5, 14) of an area 15 high, leading to (7, 3) of an area 90 high;
        // rows are shown counted from the bottom row, which is 0.
        return Open(
            std::make_unique<CChangeDoorMovePointWindow>(160, 160, 0, 15, 5, 14, destinationArea, 90, 7, 3));
    }
};

TEST_F(PropertyDialogs, TheDoorShowsWhereItLeadsAndAnswers) {
    auto* door = OpenDoor(-1);
    EXPECT_EQ(door->GetDoorLabel()->GetText(), "エリア1 (5,0) の扉の移動先：");
    EXPECT_EQ(door->GetDestinationArea()->GetText(), "ERROR");
    // Nowhere to confirm: "O K" closes with nothing to do.
    ClickButton(door->GetOkButton());
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(door->GetResult(), CChangeDoorMovePointWindow::kNothing);

    door = OpenDoor(2);
    EXPECT_EQ(door->GetDestinationArea()->GetText(), "エリア3 (7,86)");
    ClickButton(door->GetOkButton());
    EXPECT_EQ(door->GetResult(), CChangeDoorMovePointWindow::kConfirm);
    EXPECT_EQ(door->GetDestinationAreaIndex(), 2);
    EXPECT_EQ(door->GetDestinationTileY(), 3);
    EXPECT_EQ(door->GetDoorTileY(), 14);

    door = OpenDoor(2);
    ClickButton(door->GetChangeButton());
    EXPECT_EQ(door->GetResult(), CChangeDoorMovePointWindow::kPickDestination);

    port.sounds.clear();
    door = OpenDoor(2);
    ClickButton(door->GetCancelButton());
    EXPECT_EQ(door->GetResult(), CChangeDoorMovePointWindow::kNothing);
    EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kPush), 0);
    EXPECT_EQ(log.Count("closed"), 4);
}

TEST_F(PropertyDialogs, EachButtonStandsForTheObjectsNewValue) {
    struct Case {
        const char* name;
        std::vector<int> values;  // by button, first to last
    } cases[] = {{"battery", {0, 1, 2, 3}}, {"switch", {0, 1, 2}}, {"zoom", {1, 0, 2}}};
    auto make = [](const std::string& name) -> std::unique_ptr<CPropertyChoiceWindowBase> {
        if (name == "battery") return std::make_unique<CChangeBatteryTimingWindow>(160, 160, 1, 4, 6);
        if (name == "switch") return std::make_unique<CChangeSwitchColorWindow>(160, 160, 1, 4, 6);
        return std::make_unique<CChangeZoomRateWindow>(160, 120, 1, 4, 6);
    };
    for (const Case& c : cases) {
        for (int i = 0; i <= int(c.values.size()); ++i) {
            port.sounds.clear();
            auto* dialog = Open(make(c.name));
            ASSERT_EQ(dialog->GetChoiceCount(), int(c.values.size())) << c.name;
            if (i < int(c.values.size())) {
                ClickButton(static_cast<COriginalBaseButton*>(dialog->GetChoiceButton(i)));
                EXPECT_EQ(dialog->GetResult(), i + 1) << c.name << i;
                EXPECT_EQ(dialog->GetValue(), c.values[size_t(i)]) << c.name << i;
                EXPECT_EQ(port.CountSound(ControlSound::kPush), 1) << c.name << i;
                EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 0) << c.name << i;
            } else {
                ClickClose(dialog);
                EXPECT_EQ(dialog->GetResult(), 0) << c.name;
                EXPECT_EQ(dialog->GetValue(), CPropertyChoiceWindowBase::kNoValue) << c.name;
                EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1) << c.name;
                EXPECT_EQ(port.CountSound(ControlSound::kPush), 0) << c.name;
            }
            EXPECT_EQ(dialog->GetState(), kStateClosed);
            EXPECT_EQ(dialog->GetAreaIndex(), 1);
            EXPECT_EQ(dialog->GetTileX(), 4);
            EXPECT_EQ(dialog->GetTileY(), 6);
        }
    }
}

}  // namespace
