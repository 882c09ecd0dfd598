// Second-pass checks of the stage model's catalogues and the services other layers rely on.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <set>
#include <type_traits>

#include "foundation/VersionNumber.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageMap.h"
#include "stage_test_env.h"

// The editor windows take a background's preview as an image clip: the same record.
TEST(StageAudit, PreviewIsAnImageClip) {
    static_assert(std::is_same_v<ImageClip, PreviewImageCell>);
    const ImageClip clip = BackGroundPreview(16);
    EXPECT_EQ(clip.group, "Editer");
    EXPECT_EQ(clip.key, "BG_Preview003");
    EXPECT_EQ(clip.left, 128);
    EXPECT_EQ(clip.right - clip.left, 128);
    EXPECT_EQ(clip.bottom - clip.top, 64);
}

// Every background and weather survives the trip through its stage-file number, and no two
// entries share a number, so a stage file never changes one into another.
TEST(StageAudit, StageNumbersRoundTrip) {
    std::set<int> numbers;
    for (int id = 0; id < kBackGroundCount; ++id) {
        const int number = BackGroundIdToStageNumber(id);
        EXPECT_TRUE(numbers.insert(number).second) << id;
        EXPECT_EQ(BackGroundIdFromStageNumber(number), id);
        EXPECT_EQ(BackGroundFromKey(BackGroundKey(id)), id);
    }
    for (int id = 0; id < kWeatherCount; ++id) {
        EXPECT_EQ(WeatherIdFromStageNumber(WeatherIdToStageNumber(id)), id);
        EXPECT_EQ(WeatherIdFromKey(WeatherKey(id)), id);
    }
    // Numbers that no entry has read as the first entry.
    EXPECT_EQ(BackGroundIdFromStageNumber(-1), 0);
    EXPECT_EQ(WeatherIdFromStageNumber(-1), 0);
}

namespace {
class StageAuditAreas : public stagetest::StageTest {
  protected:
    void AddArea(CStage& stage, int absoluteAreaNum) {
        ASSERT_TRUE(stage.AppendArea(std::make_unique<CStageArea>(
            &stage, CStageMap::Create(0), std::make_unique<CStageAreaObjectTable>(&stage), "a", 0, 1, 0,
            absoluteAreaNum)));
    }
};
}  // namespace

// A new area's absolute number never repeats one that an area of the stage already has, even
// when the stage file states too low a highest number, and the count never overflows.
TEST_F(StageAuditAreas, NewAbsoluteAreaNumbersStayUnique) {
    CStage stage(nullptr, 1, CVersionNumber::Application());
    AddArea(stage, 0);
    AddArea(stage, 1);
    AddArea(stage, 3);
    stage.maxAbsoluteAreaNum = 3;  // as the game writes it
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), 4);
    EXPECT_EQ(stage.maxAbsoluteAreaNum, 4);

    stage.maxAbsoluteAreaNum = -1;  // a file that understates it
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), 2);
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), 4);

    stage.maxAbsoluteAreaNum = INT_MAX;
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), INT_MIN);
}
