#pragma once
// The fixture of the online screens' tests: the widget fixture, a game folder of the test's own
// that reads stages and holds a creator's settings, a network library the test answers by hand,
// and a scene that records what its forms ask of it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "controls/Dialogs.h"
#include "engine/Mouse.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/Log.h"
#include "foundation/TextEncoding.h"
#include "online/ModeSceneHost.h"
#include "online/NetWorkAccessor.h"
#include "stage/Stage.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/control_test.h"
#include "tests/online/fake_library.h"

namespace onlinetest {

struct RecordingScene : IDownLoadSceneHost, IAdminCreatorSceneHost {
    int closed = 0;
    int toEditor = 0;
    std::optional<DownLoadFormId> form;
    std::unique_ptr<CStage> played;
    void CloseScene() override { ++closed; }
    void ChangeForm(DownLoadFormId formId) override { form = formId; }
    void PlayStage(std::unique_ptr<CStage> stage) override { played = std::move(stage); }
    void CloseToEditor() override { ++toEditor; }
};

// A stage list reply of `count` records numbered from `firstId`; `total` on the first line.
// Rated records carry the difficulty 57, the length 99.9 and the rating 100. Record i announces
// `size` bytes, or 100 + i without one.
inline std::string ListReply(int count, int firstId = 1, bool rated = true, int total = -1, int size = 0) {
    std::string s = std::to_string(total < 0 ? count : total) + "\n" + std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i) {
        const std::string id = std::to_string(firstId + i);
        s += id + "\nステージ" + id + "\n3\nさくしゃ\n" + std::to_string(size > 0 ? size : 100 + i) + "\n" +
             std::to_string(i) + "\nGrassDayTime\n" + (rated ? "57\n99.9\n100\n" : "\n\n\n") +
             "2010/11/21 10:00:00\n10:00:00\n";
    }
    return s;
}

class OnlineFormTest : public controltest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        stageText = testsupport::PrepareStageReading(game);
        ASSERT_FALSE(stageText.empty());
        game.MakeDir("network");
        game.WriteEncoded("network/client_info.dat", kCreator);
        CClientInfo::DeleteInstance();
    }
    void TearDown() override {
        CNetWorkAccessor::DeleteInstance();
        CClientInfo::DeleteInstance();
        CMouse::DeleteInstance();
    }

    CNetWorkAccessor* Net() { return CNetWorkAccessor::GetInstance(); }
    // The last request ends with this reply (UTF-8; the wire carries CP932), told at once.
    void Answer(const std::string& utf8) {
        lib.Succeed(Utf8ToCp932(utf8));
        Net()->Poll();
    }
    // The last request fails; the player closes the error window.
    void FailAndClose() {
        lib.Fail(QVNet::EC_DB_ERROR, "23505");
        Net()->Poll();
        Net()->OnWindowClosed();
        Net()->Poll();
    }
    template <class T>
    static T* Modal(Controls::GCForm& form) {
        return dynamic_cast<T*>(form.GetModalForm());
    }
    static void Yes(Controls::GCForm* window) {
        auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(window);
        ASSERT_NE(confirm, nullptr);
        confirm->OnButtonPushed(confirm->GetYesButton());
    }
    static void No(Controls::GCForm* window) {
        auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(window);
        ASSERT_NE(confirm, nullptr);
        confirm->OnButtonPushed(confirm->GetNoButton());
    }
    static std::string TextOf(Controls::GCForm* window) {
        auto* message = dynamic_cast<Controls::CMessageWindowBase*>(window);
        return message ? message->GetTextLabel()->GetText() : std::string("<no message window>");
    }
    std::string LogText() {
        std::string text;
        ReadEncodedFile(CLog::GetInstance()->GetFilePath(), text, false);
        return text;
    }

    static constexpr const char* kCreator =
        "<clientInfo><network><createrId>5</createrId><createrName>くおる</createrName>"
        "<commonKey>0123abcd</commonKey><ratingPointSum>200</ratingPointSum><createrPoint>77</createrPoint>"
        "<accessFailCount>0</accessFailCount></network><config><sendingPermission>true</sendingPermission>"
        "</config><lastBootUpDate>20101121</lastBootUpDate><boughtItems></boughtItems></clientInfo>";

    testsupport::TempGameFolder game{"quor-online-forms"};
    FakeLibrary lib;
    RecordingScene scene;
    std::string stageText;  // a sample stage, UTF-8
};

}  // namespace onlinetest
