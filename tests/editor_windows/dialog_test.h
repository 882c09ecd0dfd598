#pragma once
// The fixture of the editor dialogs' tests: the widget tests' recording port and scripted mouse
// (and keys, for the on-screen keyboard), a game folder of the test's own with the player's
// bought items and the object-kind table, a music output that only records, and a screen form
// that holds the dialog under test as its modal form, as the editor's root form does.
#include <memory>
#include <string>
#include <vector>

#include "controls/Forms.h"
#include "controls/Panels.h"
#include "engine/Music.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/keyboard_test.h"

namespace dialogtest {

// A music output that only remembers the files it was given.
class RecordingMusicOutput : public IMusicOutput {
  public:
    explicit RecordingMusicOutput(std::vector<std::string>* opened) : opened_(opened) {}
    void Open(const std::string& path) override { opened_->push_back(path); }
    void Play() override {}
    void Stop() override {}
    void SetLoopCount(int) override {}
    void SetVolume(float v) override { volume_ = v; }
    float GetVolume() override { return volume_; }
    void Release() override {}
    int IsPlaying() override { return 0; }

  private:
    std::vector<std::string>* opened_;
    float volume_ = 1.0f;
};

class DialogTest : public controltest::KeyboardTest {
  protected:
    void SetUp() override {
        KeyboardTest::SetUp();
        game.MakeDir("data");
        game.MakeDir("network");
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat",
                                     ",,\nKid001,キッド,歩く\nGoal,ゴール,ここでクリア\n"));
        SetBought("");
        CMusicPlayer::SetOutputFactory(
            [this] { return std::make_unique<RecordingMusicOutput>(&openedMusic); });
    }
    void TearDown() override {
        screen.SetModalForm(nullptr);
        CMusicPlayer::DeleteInstance();
        CMusicPlayer::SetOutputFactory(nullptr);
        CClientInfo::DeleteInstance();
        KeyboardTest::TearDown();
    }

    // The shop items the player has bought, comma-separated.
    void SetBought(const std::string& items) {
        ASSERT_TRUE(
            WriteEncodedFile("network\\client_info.dat",
                             "<clientInfo><config><musicVolume>80</musicVolume></config><boughtItems>" +
                                 items + "</boughtItems></clientInfo>"));
        CClientInfo::DeleteInstance();
    }

    // Opens the dialog over the screen; the log hears it close.
    template <class T>
    T* Open(std::unique_ptr<T> dialog) {
        dialog->AddClosedEventHandler(&log);
        return screen.OpenModal(std::move(dialog));
    }
    // A click on a widget's middle (press and release, a frame each). A window that closes in
    // it is still there to be read until the next frame drops it.
    void ClickOn(Controls::GCBase* widget, int width = 16, int height = 16) {
        Click(screen, widget->GetAbsoluteX() + width / 2, widget->GetAbsoluteY() + height / 2);
    }
    void ClickButton(Controls::COriginalBaseButton* button) {
        ClickOn(button, button->GetWidth(), button->GetHeight());
    }
    void ClickClose(Controls::CCloseableBeigeForm* window) { ClickButton(window->GetCloseButton()); }
    // A click on row `row` of a list, then a frame for the window to see it. A row below the
    // frame is first scrolled into view with the bar's down arrow.
    void ClickRow(Controls::CExclusiveTextPanel* list, int row) {
        Controls::GCButton* item = list->GetList()->GetButton(row);
        const int bottom =
            list->GetAbsoluteY() + list->GetHeight() - Controls::CExclusiveTextPanel::kFrameBorder;
        for (int i = 0; i < row && item->GetAbsoluteY() + Controls::CExclusiveTextPanel::kRowHeight > bottom;
             ++i)
            ClickButton(list->GetList()->GetScrollBar()->GetForwardButton());
        Click(screen, list->GetAbsoluteX() + 20, item->GetAbsoluteY() + 8);
        Frame(screen);
    }
    // The texts of a list's rows.
    static std::vector<std::string> Rows(Controls::CExclusiveTextPanel* list) {
        std::vector<std::string> rows;
        for (int i = 0; i < list->GetItemCount(); ++i) rows.push_back(list->GetItemText(i));
        return rows;
    }

    testsupport::TempGameFolder game{"quor-dialogs"};
    Controls::COriginalBaseForm screen;
    controltest::EventLog log;
    std::vector<std::string> openedMusic;
};

}  // namespace dialogtest
