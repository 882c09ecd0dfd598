// Adding an area: the factory cancelled at every question leaves the stage as it was; a finished
// run hands over an area built from the answers, with the weather a test play of the stage shows;
// an area that cannot be made is told to the player and leaves the stage as it was.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "controls/Dialogs.h"
#include "editor_windows/AreaClassSelectWindow.h"
#include "editor_windows/NewAreaConfigWindow.h"
#include "editor_windows/NewAreaFactoryWindow.h"
#include "editor_windows/WeatherSelectWindow.h"
#include "foundation/Log.h"
#include "foundation/VersionNumber.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/editor_windows/dialog_test.h"

using namespace Controls;

namespace {

class NewAreaFactory : public dialogtest::DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
        stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(AreaClass_Short),
                                                       std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                       "", 7, 1, 0, stage->NextAbsoluteAreaNum()));
    }
    void TearDown() override {
        DialogTest::TearDown();
        stage.reset();
    }
    CNewAreaFactoryWindow* Start(bool confirm) {
        return factory = Open(std::make_unique<CNewAreaFactoryWindow>(stage.get(), confirm));
    }
    template <class T>
    T* Question() {
        return factory ? dynamic_cast<T*>(factory->GetModalForm()) : nullptr;
    }
    // Answers the area size (after the first frame that opens it) and the settings question.
    void AnswerClass(int areaClass) {
        Frame(screen);
        ASSERT_NE(Question<CAreaClassSelectWindow>(), nullptr);
        ClickButton(Question<CAreaClassSelectWindow>()->GetClassButton(areaClass));
        Frame(screen);
        ASSERT_NE(Question<CNewAreaConfigWindow>(), nullptr);
    }

    std::unique_ptr<CStage> stage;
    CNewAreaFactoryWindow* factory = nullptr;
};

TEST_F(NewAreaFactory, CancelledAtAnyQuestionTheStageStaysAsItWas) {
    enum How { kConfirmNo, kConfirmClose, kClassCancel, kClassClose, kSettingsCancel, kSettingsClose };
    for (int how = kConfirmNo; how <= kSettingsClose; ++how) {
        log.events.clear();
        Start(true);
        auto* confirm = Question<CConfirmWindow>();
        ASSERT_NE(confirm, nullptr);
        EXPECT_EQ(confirm->GetTextLabel()->GetText(), "新しいエリアを作成します。\nよろしいですか？");
        if (how == kConfirmNo) {
            ClickButton(confirm->GetNoButton());
        } else if (how == kConfirmClose) {
            ClickClose(confirm);
        } else {
            ClickButton(confirm->GetYesButton());
            // The class window comes with the next frame, once the confirmation is gone.
            EXPECT_EQ(factory->GetModalForm(), confirm);
            Frame(screen);
            auto* classes = Question<CAreaClassSelectWindow>();
            ASSERT_NE(classes, nullptr);
            if (how == kClassCancel) {
                ClickButton(classes->GetCancelButton());
            } else if (how == kClassClose) {
                ClickClose(classes);
            } else {
                ClickButton(classes->GetClassButton(AreaClass_Middle));
                Frame(screen);
                auto* settings = Question<CNewAreaConfigWindow>();
                ASSERT_NE(settings, nullptr);
                if (how == kSettingsCancel) {
                    ClickButton(settings->GetCancelButton());
                } else {
                    ClickClose(settings);
                }
            }
        }
        EXPECT_EQ(log.Count("closed"), 1) << how;
        EXPECT_EQ(factory->GetAreaXmlText(), "") << how;
        EXPECT_EQ(stage->GetAreaCount(), 1);
        EXPECT_EQ(stage->TotalUnits(), 2);
        EXPECT_EQ(stage->maxAbsoluteAreaNum, 0) << how;
    }
}

TEST_F(NewAreaFactory, AFinishedRunHandsOverTheAreaItsAnswersMake) {
    SetBought("Bomb");
    Start(false);
    EXPECT_EQ(factory->GetModalForm(), nullptr);
    AnswerClass(AreaClass_Middle);
    auto* settings = Question<CNewAreaConfigWindow>();
    EXPECT_EQ(settings->GetMusicArea()->GetText(), "青空を行こうよ");
    EXPECT_EQ(settings->GetBackGroundArea()->GetText(), "昼の草原");
    ClickButton(settings->GetWeatherButton());
    auto* weather = dynamic_cast<CWeatherSelectWindow*>(settings->GetModalForm());
    ASSERT_NE(weather, nullptr);
    ClickRow(weather->GetList(), 6);  // 爆撃
    ClickButton(weather->GetOkButton());
    Frame(screen);
    EXPECT_EQ(settings->GetWeatherArea()->GetText(), "爆撃");
    ClickButton(settings->GetOkButton());

    EXPECT_EQ(log.Count("closed"), 1);
    const std::string text = factory->GetAreaXmlText();
    ASSERT_NE(text, "");
    // The number is taken from the stage before the area is in it.
    EXPECT_EQ(stage->maxAbsoluteAreaNum, 1);
    EXPECT_EQ(stage->GetAreaCount(), 1);

    // The owner adds it; a test play runs a copy of the stage made through its text.
    ASSERT_TRUE(stage->AppendArea(CStageArea::ReadXml(stage.get(), "<TEMPAREA>" + text + "</TEMPAREA>")));
    const std::unique_ptr<CStage> played = CStage::ReadXml(nullptr, stage->WriteXml(), 3);
    CStageArea* area = played->GetArea(1);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->weather, kWeatherBomb);
    EXPECT_EQ(area->music, 7);
    EXPECT_EQ(area->backGround, 1);
    EXPECT_EQ(area->name, "");
    EXPECT_EQ(area->absoluteAreaNum, 1);
    EXPECT_EQ(played->GetAreaClass(1), AreaClass_Middle);
    EXPECT_EQ(area->GetObjects()->GetCount(), 0);
}

TEST_F(NewAreaFactory, AnAreaThatCannotBeMadeIsToldAndLeavesTheStageAlone) {
    // No area table lives and the object-kind table is gone: the new area's table cannot load it.
    stage.reset();
    stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
    std::filesystem::remove(game.Full("data/stage_objects.dat"));
    Start(false);
    AnswerClass(AreaClass_OneRoom);
    ClickButton(Question<CNewAreaConfigWindow>()->GetOkButton());
    EXPECT_EQ(log.Count("closed"), 0);
    Frame(screen);
    auto* alert = Question<CAlertWindow>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->GetTextLabel()->GetText().rfind("[IFE0100]\n", 0), 0u)
        << alert->GetTextLabel()->GetText();
    ClickButton(alert->GetOkButton());
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(factory->GetAreaXmlText(), "");
    EXPECT_EQ(stage->maxAbsoluteAreaNum, -1);
    EXPECT_EQ(stage->GetAreaCount(), 0);
    std::string logFile = CLog::GetInstance()->GetFilePath();
    std::replace(logFile.begin(), logFile.end(), '\\', '/');
    EXPECT_NE(game.ReadRaw(logFile).find("IFE0100"), std::string::npos);
}

}  // namespace
