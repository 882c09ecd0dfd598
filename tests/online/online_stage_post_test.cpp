// The editor's posts through the network accessor: the new stage id handed on, a failure told
// once the player has closed its window, a refused start and a listener that goes away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/NetWorkBusyWindow.h"
#include "online/StagePostThroughAccessor.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/control_test.h"
#include "tests/online/fake_library.h"

namespace {

struct PostListener : IStagePostListener {
    std::vector<std::pair<bool, std::string>> posts;
    void OnStagePosted(bool succeeded, const std::string& id) override { posts.emplace_back(succeeded, id); }
};

class StagePost : public controltest::ControlTest {
  protected:
    void TearDown() override { CNetWorkAccessor::DeleteInstance(); }
    CNetWorkAccessor* Net() { return CNetWorkAccessor::GetInstance(); }

    testsupport::TempGameFolder game{"quor-stage-post"};
    onlinetest::FakeLibrary lib;
    CStagePostThroughAccessor poster;
    PostListener listener;
};

TEST_F(StagePost, TheNewStageIdReachesTheEditor) {
    ASSERT_TRUE(poster.StartPost("12", "key", "GrassDayTime", "<stage/>", &listener));
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(lib.calls[0].name, "RegisterStage");
    *lib.outId = 345;
    lib.Succeed();
    Net()->Poll();
    ASSERT_EQ(listener.posts.size(), 1u);
    EXPECT_TRUE(listener.posts[0].first);
    EXPECT_EQ(listener.posts[0].second, "345");
    EXPECT_EQ(Net()->GetListenerCount(), 0u);
}

TEST_F(StagePost, AFailureIsToldOnceItsWindowIsClosed) {
    ASSERT_TRUE(poster.StartPost("12", "key", "GrassDayTime", "<stage/>", &listener));
    lib.Fail(QVNet::EC_DB_ERROR, "");
    Net()->Poll();
    EXPECT_TRUE(listener.posts.empty());
    Net()->GetWindow()->GetOkButton()->PerformPush();
    Net()->Poll();
    ASSERT_EQ(listener.posts.size(), 1u);
    EXPECT_FALSE(listener.posts[0].first);
    EXPECT_EQ(listener.posts[0].second, "");
}

TEST_F(StagePost, ARefusedOrAbandonedPostLeavesNoListener) {
    Net()->Start(NetWorkOperation::CheckServer);  // another request runs
    EXPECT_FALSE(poster.StartPost("12", "key", "GrassDayTime", "<stage/>", &listener));
    EXPECT_EQ(Net()->GetListenerCount(), 0u);
    lib.Succeed();
    Net()->Poll();
    ASSERT_TRUE(poster.StartPost("12", "key", "GrassDayTime", "<stage/>", &listener));
    EXPECT_EQ(Net()->GetListenerCount(), 1u);
    poster.RemoveListener(&listener);  // the editor goes away while the post runs
    EXPECT_EQ(Net()->GetListenerCount(), 0u);
    lib.Succeed();
    Net()->Poll();
    EXPECT_TRUE(listener.posts.empty());
}

}  // namespace
