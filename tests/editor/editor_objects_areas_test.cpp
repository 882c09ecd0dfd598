// Object, area and start-point commands on a real stage, and the commands that cannot be done.
#include "editor/AreaEdits.h"
#include "editor/ObjectEdits.h"
#include "editor_env.h"
#include "stage/StageAreaObject.h"
#include "stage/StageChips.h"

using editortest::EditorTest;
using ObjectAndAreaEdits = EditorTest;

TEST_F(ObjectAndAreaEdits, ObjectCommandsUndoAndRedo) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CStage& stage = *editor->GetStage();
    CStageAreaObjectTable* table = stage.GetCurrentAreaObjects();
    CEditor* ed = editor.get();

    ASSERT_TRUE(
        ed->DoCommand(std::make_unique<CSetObject>(3, 4, "Pukka001", 1.5, 2, 3, 4, "abc", &stage, ed)));
    table->Move(3, 4, 8, 9);  // moved live by the drag, then pushed
    auto move = std::make_unique<CMoveObject>(3, 4, 8, 9, &stage, ed);
    EXPECT_EQ(move->GetLogText(), "[オブジェクト移動]  エリア:0, 座標：(3,4)→(8,9)");
    ASSERT_TRUE(ed->DoCommand(std::move(move)));
    auto configure = std::make_unique<CConfigureObject>(8, 9, 7, 0, 0, 0, "xyz", &stage, ed);
    CConfigureObject* configured = configure.get();
    ASSERT_TRUE(ed->DoCommand(std::move(configure)));
    EXPECT_EQ(configured->GetLogText(),
              "[オブジェクト変数変更]  エリア:0, 座標：(8,9), "
              "属性値：(1.500,2.000,3.000,4.000)→(7.000,0.000,0.000,0.000), 文字列：abc → xyz");
    ASSERT_TRUE(ed->DoCommand(std::make_unique<CDeleteObject>(8, 9, &stage, ed)));
    EXPECT_EQ(table->GetCount(), 0);

    ASSERT_TRUE(ed->Undo());  // the deletion
    const CStageAreaObject* back = table->GetAt(8, 9);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetKey(), "Pukka001");
    EXPECT_EQ(back->GetAttribute1(), 7.0);
    EXPECT_EQ(back->GetText(), "xyz");
    ASSERT_TRUE(ed->Undo());  // the new attributes
    EXPECT_EQ(table->GetAt(8, 9)->GetAttribute1(), 1.5);
    EXPECT_EQ(table->GetAt(8, 9)->GetText(), "abc");
    ASSERT_TRUE(ed->Undo());  // the move
    EXPECT_NE(table->GetAt(3, 4), nullptr);
    EXPECT_EQ(table->GetAt(8, 9), nullptr);
    ASSERT_TRUE(ed->Undo());  // the placement
    EXPECT_EQ(table->GetCount(), 0);

    ASSERT_TRUE(ed->Redo());
    table->Add("Kid001", 8, 9);  // something else takes the tile the move wants
    EXPECT_FALSE(ed->Redo());
    EXPECT_EQ(table->GetAt(3, 4)->GetKey(), "Pukka001");
}

TEST_F(ObjectAndAreaEdits, CommandsThatCannotBeDoneLeaveNoTrace) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom, AreaClass_OneRoom, AreaClass_OneRoom}));
    CStage& stage = *editor->GetStage();
    CEditor* ed = editor.get();
    stage.GetCurrentAreaObjects()->Add("Kid001", 2, 2);

    // Placing on a taken tile fails; its undo must never remove the object that blocked it.
    EXPECT_FALSE(ed->DoCommand(std::make_unique<CSetObject>(2, 2, "Pukka001", &stage, ed)));
    EXPECT_FALSE(ed->DoCommand(std::make_unique<CDeleteObject>(5, 5, &stage, ed)));
    EXPECT_FALSE(ed->DoCommand(std::make_unique<CSetObject>(20, 2, "Pukka001", &stage, ed)));
    // An area that does not exist cannot be deleted, and no empty text is ever read.
    EXPECT_FALSE(ed->DoCommand(std::make_unique<CDeleteArea>(&stage, ed, 5)));
    EXPECT_FALSE(ed->DoCommand(std::make_unique<CDeleteArea>(&stage, ed, -1)));
    EXPECT_FALSE(ed->DoCommand(std::make_unique<CChangeStartPoint>(&stage, ed, 1, 20, 0)));
    EXPECT_FALSE(ed->DoCommand(nullptr));
    EXPECT_FALSE(ed->IsModified());
    EXPECT_FALSE(ed->CanUndo());
    EXPECT_FALSE(ed->Undo());
    EXPECT_EQ(stage.GetCurrentAreaObjects()->GetAt(2, 2)->GetKey(), "Kid001");

    // An eleventh area fails; the undo of a failed add would have removed a real area.
    auto ten = MakeStage(std::vector<int>(10, AreaClass_OneRoom));
    const std::string areaXml = ten->WriteAreaXml(0);
    editor->SetStage(std::move(ten));
    EXPECT_FALSE(ed->DoCommand(std::make_unique<CAddArea>(ed->GetStage(), ed, areaXml)));
    EXPECT_FALSE(ed->CanUndo());
    EXPECT_EQ(ed->GetStage()->GetAreaCount(), 10);
}

// Areas: 0 Short (160 x 15), 1 OneRoom (20 x 15), 2 VerticalShort (20 x 120); the start point at
// (150, 14) of area 0, which is current.
TEST_F(ObjectAndAreaEdits, DeletingAnAreaMovesCurrentAreaStartAndViews) {
    auto editor =
        MakeEditor(MakeStage({AreaClass_Short, AreaClass_OneRoom, AreaClass_VerticalShort}, 150, 14));
    CStage& stage = *editor->GetStage();
    CEditor* ed = editor.get();
    EXPECT_EQ(ed->GetSavedScrollY(2), 113);
    view.SetScrollPosition(50, 8);
    ed->RememberScrollPosition();

    ASSERT_TRUE(ed->DoCommand(std::make_unique<CDeleteArea>(&stage, ed, 0)));
    EXPECT_EQ(stage.GetAreaCount(), 2);
    EXPECT_EQ(stage.GetCurrentAreaIndex(), 0);
    EXPECT_EQ(stage.GetAreaWidth(0), 20);
    EXPECT_TRUE(stage.GetArea(0)->spritesActive);
    EXPECT_EQ(stage.startArea, 0);
    EXPECT_EQ(stage.startX, 19);  // held on the new start area's map
    EXPECT_EQ(stage.startY, 14);
    EXPECT_EQ(ed->GetSavedScrollY(1), 113);  // the views moved down with the areas
    EXPECT_EQ(view.tabCount, 2);
    EXPECT_EQ(view.selectedTab, 0);
    EXPECT_EQ(view.maxX, 15);  // the scroll bars fit the 20 x 15 area now shown

    ASSERT_TRUE(ed->Undo());
    EXPECT_EQ(stage.GetAreaCount(), 3);
    EXPECT_EQ(stage.GetAreaWidth(0), 160);
    EXPECT_EQ(stage.GetCurrentAreaIndex(), 0);
    EXPECT_TRUE(stage.GetArea(0)->spritesActive);
    EXPECT_FALSE(stage.GetArea(1)->spritesActive);
    EXPECT_EQ(stage.startArea, 0);
    EXPECT_EQ(stage.startX, 150);
    EXPECT_EQ(stage.startY, 14);
    EXPECT_EQ(ed->GetSavedScrollX(0), 10);  // a restored area starts from the fresh view
    EXPECT_EQ(ed->GetSavedScrollY(2), 113);
    EXPECT_EQ(view.tabCount, 3);
    EXPECT_EQ(view.selectedTab, 0);

    // A copy of area 1 added at the end, then taken back.
    ASSERT_TRUE(ed->DoCommand(std::make_unique<CAddArea>(&stage, ed, stage.WriteAreaXml(1))));
    EXPECT_EQ(stage.GetAreaCount(), 4);
    EXPECT_EQ(stage.GetCurrentAreaIndex(), 3);
    EXPECT_EQ(ed->GetSavedScrollY(3), 8);
    EXPECT_EQ(view.selectedTab, 3);
    ASSERT_TRUE(ed->Undo());
    EXPECT_EQ(stage.GetAreaCount(), 3);
    EXPECT_EQ(stage.GetCurrentAreaIndex(), 2);
    EXPECT_EQ(view.selectedTab, 2);
}

TEST_F(ObjectAndAreaEdits, StartPointChangeShowsItsArea) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom, AreaClass_VerticalShort}, 3, 4));
    CStage& stage = *editor->GetStage();
    auto change = std::make_unique<CChangeStartPoint>(&stage, editor.get(), 1, 7, 100);
    EXPECT_EQ(change->GetLogText(), "[開始地点変更]  エリア0 (3,4) → エリア1 (7,100)");
    ASSERT_TRUE(editor->DoCommand(std::move(change)));
    EXPECT_EQ(stage.startArea, 1);
    EXPECT_EQ(stage.GetCurrentAreaIndex(), 0);  // doing it shows nothing
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(stage.startArea, 0);
    EXPECT_EQ(stage.startX, 3);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(stage.GetCurrentAreaIndex(), 1);
    EXPECT_EQ(view.y, 100);  // scrolled to the new start point
}
