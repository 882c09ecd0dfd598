// One storage suite, run against SQLite and against a throwaway PostgreSQL cluster.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "server/CommonKey.h"
#include "server/StageStore.h"
#include "tests/common/temp_folder.h"
#include "tests/server/pg_cluster.h"

namespace {

using namespace qvserver;

class Store : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        if (GetParam() == "sqlite") {
            store = OpenStageStore((folder.Path() / "s.db").string(), 4);
            return;
        }
        pg = std::make_unique<servertest::PgCluster>();
        if (!pg->Available()) GTEST_SKIP() << "PostgreSQL tests skipped: " << pg->Why();
        store = OpenStageStore(pg->Uri(), 4);
    }

    int64_t Creator(const std::string& name) { return store->AddCreator(name, *StoreKey("k")); }
    int64_t Stage(int64_t creator, const std::string& name, int64_t at) {
        NewStage s;
        s.creatorId = creator;
        s.name = name;
        s.author = "作者";
        s.background = "BackGround001";
        s.postedAt = at;
        return store->AddStage(
            s, [&](int64_t id) { return "stage " + std::to_string(id) + std::string("\x82\xa0", 2); });
    }

    testsupport::TempFolder folder{"quor-store"};
    std::unique_ptr<servertest::PgCluster> pg;
    std::unique_ptr<IStageStore> store;
};

TEST_P(Store, CreatorsKeysAndNames) {
    const int64_t a = Creator("あいうえお");
    EXPECT_GT(a, 0);
    EXPECT_THROW(Creator("あいうえお"), StoreError);
    try {
        Creator("あいうえお");
    } catch (const StoreError& e) {
        EXPECT_EQ(e.Failure(), StoreFailure::Duplicate);
    }
    const auto key = store->GetCreatorKey(a);
    ASSERT_TRUE(key);
    EXPECT_TRUE(KeyMatches("k", *key));
    EXPECT_FALSE(KeyMatches("K", *key));
    EXPECT_EQ(store->GetCreatorName(a).value_or(""), "あいうえお");
    EXPECT_FALSE(store->GetCreatorKey(a + 100));
}

TEST_P(Store, StagesListsAndDownloads) {
    const int64_t a = Creator("alice"), b = Creator("bob");
    const int64_t s1 = Stage(a, "one", 1000), s2 = Stage(b, "two", 2000), s3 = Stage(a, "three", 3000);
    StageList newest = store->ListNewest(0, 2);
    EXPECT_EQ(newest.total, 3);
    ASSERT_EQ(newest.stages.size(), 2u);
    EXPECT_EQ(newest.stages[0].id, s3);
    EXPECT_EQ(newest.stages[1].name, "two");
    EXPECT_EQ(newest.stages[0].size, static_cast<int64_t>(("stage " + std::to_string(s3)).size() + 2));
    EXPECT_EQ(store->ListNewest(2, 10).stages.at(0).id, s1);
    StageList mine = store->ListByCreator(a, 0, 10);
    EXPECT_EQ(mine.total, 2);
    EXPECT_EQ(mine.stages.size(), 2u);
    EXPECT_EQ(store->SearchByCreatorName("li", 0, 10).stages.size(), 2u);
    EXPECT_EQ(store->SearchByCreatorName("o", 0, 10).stages.at(0).id, s2);
    EXPECT_EQ(store->SearchByCreatorName("%", 0, 10).total, 0);
    EXPECT_EQ(store->CountPostsSince(a, 2000), 1);

    EXPECT_EQ(store->DownloadStage(s2).value_or(""), "stage " + std::to_string(s2) + "\x82\xa0");
    store->DownloadStage(s2);
    EXPECT_EQ(store->ListByCreator(b, 0, 1).stages.at(0).downloads, 2);
    EXPECT_FALSE(store->DownloadStage(s3 + 10));

    EXPECT_FALSE(store->DeleteStage(s2, a));  // not hers
    EXPECT_TRUE(store->DeleteStage(s2, b));
    EXPECT_FALSE(store->DownloadStage(s2));
    EXPECT_TRUE(store->DeleteCreator(a));
    EXPECT_EQ(store->ListNewest(0, 10).total, 0);
    EXPECT_FALSE(store->DeleteCreator(a));
}

TEST_P(Store, PlaysRatingsAndRatingPoints) {
    const int64_t a = Creator("carol");
    const int64_t s1 = Stage(a, "easy", 1), s2 = Stage(a, "hard", 2);
    // Two players on s1 (averages 100 and 40: 5 + 2 points), one on s2 (average 60: 3 points).
    store->AddPlays("10.0.0.1", {{s1, 2, 7200, 2, 200}, {s2, 1, 36000, 10, 60}, {s2 + 99, 1, 1, 1, 20}});
    store->AddPlays("10.0.0.2", {{s1, 1, 3600, 0, 40}});
    EXPECT_EQ(store->RatingPoints(a), 10);
    StageList rated = store->SearchByRatings(100, 100, 0, 10);
    ASSERT_EQ(rated.stages.size(), 2u);
    EXPECT_EQ(rated.stages[0].id, s2);  // difficulty 100, length 100
    const StageSummary& easy = rated.stages[1];
    EXPECT_EQ(easy.plays, 3);
    EXPECT_EQ(StageDifficulty(easy), 13);  // 2 misses in 3 plays x 20
    EXPECT_EQ(StageLength(easy), 10);      // 3600 ticks a play / 360
    EXPECT_DOUBLE_EQ(StageRating(easy), 80.0);
    // Ten downloads make one more point.
    for (int i = 0; i < 10; ++i) store->DownloadStage(s1);
    EXPECT_EQ(store->RatingPoints(a), 11);
}

TEST_P(Store, ConcurrentPostsAllLand) {
    const int64_t a = Creator("dave");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i) Stage(a, "s" + std::to_string(t * 10 + i), i);
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(store->ListByCreator(a, 0, 100).total, 40);
}

INSTANTIATE_TEST_SUITE_P(Backends, Store, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& p) { return p.param; });

}  // namespace
