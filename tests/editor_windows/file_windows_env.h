#pragma once
// Shared set-up of the tests of the file select window and the editor's command sequences: a
// game folder of the test's own that can read stages, stage files written into it, an editor
// stand-in that records what the sequences ask of it, and a driver that runs a sequence frame by
// frame and answers its dialogs as a player would, by pushing their buttons.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "editor_windows/AreaClassSelectWindow.h"
#include "editor_windows/EditorWindowHost.h"
#include "editor_windows/FileSelectPanel.h"
#include "editor_windows/FileSelectWindow.h"
#include "editor_windows/HiddenSequenceWindow.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/StageFileDialogs.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/VersionNumber.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/control_test.h"
#include "tests/editor_windows/dialog_answers.h"

namespace filewindowstest {

// The editor as the sequences see it. Each call is logged; problems, failures and the stage
// name are set by the test.
class FakeHost : public IEditorWindowHost {
  public:
    std::vector<std::string> CheckStage() override {
        calls.push_back("Check");
        return problems;
    }
    std::string GetStageName() override { return stageName; }
    void OpenStage(const std::string& path, bool keepFileName) override {
        calls.push_back("Open(" + path + "," + (keepFileName ? "keep" : "drop") + ")");
        if (openFails) throw CStageDataException("SDE0006", "ステージの構造が不正です。");
    }
    std::unique_ptr<Controls::CStageSavedWindow> SaveUnderNewFileName() override {
        return Save("SaveNew", "20240102030405.stg");
    }
    std::unique_ptr<Controls::CStageSavedWindow> SaveToCurrentFile() override {
        return Save("SaveOver", "mine.stg");
    }
    std::unique_ptr<Controls::CStageSavedWindow> SaveAsNew(const std::string& name) override {
        stageName = name;
        return Save("SaveAs(" + name + ")", "20240102030406.stg");
    }

    std::vector<std::string> problems;
    bool openFails = false, saveFails = false;
    std::string stageName = "わたしのステージ";
    std::vector<std::string> calls;

  private:
    std::unique_ptr<Controls::CStageSavedWindow> Save(const std::string& call, const std::string& file) {
        calls.push_back(call);
        if (saveFails) throw CStageDataException("SDE0009", "ステージファイルを保存できません。");
        return std::make_unique<Controls::CStageSavedWindow>(140, 120, "保存しました", stageName, file);
    }
};

class FileWindowsTest : public controltest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        game = std::make_unique<testsupport::TempGameFolder>("quor-filewin");
        testsupport::PrepareStageReading(*game);
        game->MakeDir("network");
        SetCreator("", "");
    }
    void TearDown() override {
        root.reset();
        CClientInfo::DeleteInstance();
        game.reset();
    }

    void SetCreator(const std::string& id, const std::string& name) { game->WriteClientInfo(id, name); }

    // A one-room stage named `name`, written as the game writes stage files, with its last
    // change `age` minutes before a fixed time (the list shows the newest first).
    void WriteStage(const std::string& rel, const std::string& name, int age = 0,
                    const std::function<void(CStage&)>& change = nullptr) {
        CStage stage(nullptr, 1, CVersionNumber::Application());
        stage.SetName(name);
        stage.AppendArea(std::make_unique<CStageArea>(&stage, CStageMap::Create(AreaClass_OneRoom),
                                                      std::make_unique<CStageAreaObjectTable>(&stage),
                                                      "エリア", 0, 1, 0, 0));
        stage.maxAbsoluteAreaNum = 0;
        if (change) change(stage);
        game->WriteRaw(rel, EncodeFileText(stage.WriteFileText()));
        SetAge(rel, age);
    }
    void SetAge(const std::string& rel, int age) {
        const auto base = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
        std::filesystem::last_write_time(game->Full(rel), base - std::chrono::minutes(age));
    }

    // ---- Driving a sequence ------------------------------------------------------------------

    // Opens the window as the modal form of a fresh root form (as the editor does) and runs the
    // first frame.
    template <class W>
    W* Start(std::unique_ptr<W> window) {
        root = std::make_unique<Controls::COriginalBaseForm>();
        W* raw = window.get();
        raw->AddClosedEventHandler(&closed);
        root->SetModalForm(std::move(window));
        Frame();
        return raw;
    }
    void Frame() { root->Update(); }
    // The form in front: the deepest modal form under the root.
    Controls::GCForm* Front() const { return dialoganswers::FrontOf(root.get()); }
    bool SequenceOpen() const {
        return root->GetModalForm() && root->GetModalForm()->GetState() != Controls::kStateClosed;
    }

    // What the front dialog is, as "kind:text".
    std::string Describe(Controls::GCForm* f) const;
    // Answers the front dialog ("yes", "no", "cancel", "close", "ok", "kind0".."kind2",
    // "overwrite", "copy", "type:TEXT", "pick:ROW", "open", "area"), then runs two frames: the
    // closed dialog is dropped and the next one opened.
    void Answer(const std::string& answer);
    void PushAnswer(Controls::GCForm* f, const std::string& answer);
    // Answers in turn, checking before each answer that the front dialog's description holds the
    // expected part; the trail of descriptions is returned.
    std::vector<std::string> Walk(const std::vector<std::pair<std::string, std::string>>& steps);

    std::unique_ptr<testsupport::TempGameFolder> game;
    std::unique_ptr<Controls::COriginalBaseForm> root;
    controltest::EventLog closed;
    FakeHost host;
};

}  // namespace filewindowstest
