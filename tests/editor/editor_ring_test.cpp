// The undo ring through the editor, its keys, and the copied object.
#include "editor/ObjectEdits.h"
#include "editor_env.h"
#include "engine/SoundIds.h"
#include "stage/StageAreaObject.h"
#include "stage/StageChips.h"
#include "tests/common/caught_code.h"

using editortest::EditorTest;
using UndoRing = EditorTest;

namespace {
// A command that writes what happens to it into a shared log.
class LoggedEdit : public IEdit {
  public:
    LoggedEdit(std::string* eventLog, std::string commandName)
        : IEdit(nullptr, nullptr), log(eventLog), name(std::move(commandName)) {}
    ~LoggedEdit() override { *log += "~" + name + " "; }
    bool Execute() override { return true; }
    bool Undo() override {
        *log += "u" + name + " ";
        return true;
    }
    bool Redo() override {
        *log += "r" + name + " ";
        return true;
    }
    std::string GetLogText() const override { return name; }

  private:
    std::string* log;
    std::string name;
};

EditorKeys Keys(bool shift, char letter) {
    EditorKeys k;
    k.control = true;
    k.shift = shift;
    k.z = letter == 'Z', k.c = letter == 'C', k.x = letter == 'X', k.v = letter == 'V';
    return k;
}
}  // namespace

TEST_F(UndoRing, KeepsTheLast64AndDropsWhatCanNoLongerBeRedone) {
    EXPECT_EQ(CaughtCode([] { RingStack ring(1); }), "RAE0003");
    EXPECT_EQ(CaughtCode([] { RingStack ring(1025); }), "RAE0003");

    std::string log;
    CEditor editor(nullptr, EditorMode::kPlayer, &view);
    EXPECT_FALSE(editor.CanUndo());  // nothing pushed yet
    EXPECT_FALSE(editor.CanRedo());
    for (int i = 1; i <= 65; ++i) editor.DoCommand(std::make_unique<LoggedEdit>(&log, std::to_string(i)));
    EXPECT_EQ(log, "~1 ");  // the 65th push dropped the oldest
    log.clear();
    int undos = 0;
    while (editor.CanUndo()) undos += editor.Undo();
    EXPECT_EQ(undos, 64);
    EXPECT_EQ(log.substr(0, 8), "u65 u64 ");
    EXPECT_EQ(log.substr(log.size() - 3), "u2 ");

    // Everything undone: a new command takes the oldest one's place and nothing can be redone.
    log.clear();
    editor.DoCommand(std::make_unique<LoggedEdit>(&log, "D"));
    EXPECT_NE(log.find("~2 "), std::string::npos);
    EXPECT_NE(log.find("~65 "), std::string::npos);
    EXPECT_FALSE(editor.CanRedo());
    log.clear();
    EXPECT_TRUE(editor.Undo());
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_TRUE(editor.Redo());
    EXPECT_FALSE(editor.CanRedo());
    EXPECT_EQ(log, "uD rD ");

    // Push A, B; undo B; push C: B is gone, C is the newest.
    log.clear();
    editor.DoCommand(std::make_unique<LoggedEdit>(&log, "A"));
    editor.DoCommand(std::make_unique<LoggedEdit>(&log, "B"));
    editor.Undo();
    editor.DoCommand(std::make_unique<LoggedEdit>(&log, "C"));
    EXPECT_EQ(log, "uB ~B ");
    EXPECT_FALSE(editor.CanRedo());
    log.clear();
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(log, "uC uA ");
}

TEST_F(UndoRing, ControlZUndoesAndShiftRedoesWithASound) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CStage& stage = *editor->GetStage();
    EditorKeys plainZ;
    plainZ.z = true;
    editor->HandleUndoRedoKeys(Keys(true, 'Z'));  // nothing to redo: no sound
    ASSERT_TRUE(editor->DoCommand(std::make_unique<CSetObject>(1, 1, "Kid001", &stage, editor.get())));
    editor->HandleUndoRedoKeys(plainZ);
    EXPECT_EQ(stage.GetCurrentAreaObjects()->GetCount(), 1);
    editor->HandleUndoRedoKeys(Keys(false, 'Z'));
    EXPECT_EQ(stage.GetCurrentAreaObjects()->GetCount(), 0);
    editor->HandleUndoRedoKeys(Keys(true, 'Z'));
    EXPECT_EQ(stage.GetCurrentAreaObjects()->GetCount(), 1);
    EXPECT_EQ(view.sounds, (std::vector<int>{SoundId::kOk1, SoundId::kOk1}));
}

TEST_F(UndoRing, CopyCutAndPasteUpTo255Objects) {
    auto editor = MakeEditor(MakeStage({AreaClass_Short}));
    CStage& stage = *editor->GetStage();
    CStageAreaObjectTable* table = stage.GetCurrentAreaObjects();
    table->Add("Pukka001", 5, 5, 1, 2, 3, 4, "abc");

    editor->HandleObjectClipboardKeys(6, 5, Keys(false, 'C'));  // an empty tile copies nothing
    EXPECT_TRUE(editor->GetClipboard().IsEmpty());
    editor->HandleObjectClipboardKeys(6, 5, Keys(false, 'V'));  // nothing to paste
    EXPECT_EQ(table->GetCount(), 1);
    EXPECT_TRUE(view.sounds.empty());

    editor->HandleObjectClipboardKeys(5, 5, Keys(false, 'X'));
    EXPECT_EQ(table->GetCount(), 0);
    EXPECT_EQ(editor->GetClipboard().GetKey(), "Pukka001");
    EXPECT_EQ(editor->GetClipboard().GetAttribute4(), 4.0);
    ASSERT_TRUE(editor->Undo());  // the cut is a command
    EXPECT_EQ(table->GetCount(), 1);

    editor->HandleObjectClipboardKeys(5, 5, Keys(false, 'V'));  // a taken tile gets no paste
    EXPECT_EQ(table->GetCount(), 1);
    editor->HandleObjectClipboardKeys(6, 5, Keys(false, 'V'));
    ASSERT_NE(table->GetAt(6, 5), nullptr);
    EXPECT_EQ(table->GetAt(6, 5)->GetText(), "abc");
    EXPECT_EQ(view.sounds, (std::vector<int>{SoundId::kOk1, SoundId::kOk2}));

    for (int i = table->GetCount(); i < 254; ++i) table->Add("Kid001", i % 150, 10 + i / 150);
    ASSERT_EQ(table->GetCount(), 254);
    EXPECT_TRUE(editor->PasteObjectAt(100, 0));  // the 255th
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_FALSE(editor->PasteObjectAt(101, 0));
    EXPECT_EQ(view.alerts, std::vector<std::string>{"オブジェクトが多すぎです！\n(255個まで)"});
    EXPECT_EQ(table->GetCount(), 255);
    EXPECT_TRUE(editor->CopyObjectAt(100, 0));

    // Installing a stage empties the clipboard and the ring.
    editor->SetStage(MakeStage({AreaClass_OneRoom}));
    EXPECT_TRUE(editor->GetClipboard().IsEmpty());
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_FALSE(editor->IsModified());
}
