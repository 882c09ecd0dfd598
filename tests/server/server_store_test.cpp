// One storage suite, run against SQLite and against a throwaway PostgreSQL cluster.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "server/CommonKey.h"
#include "server/RequestHandlers.h"
#include "server/SqlConnection.h"
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

    int64_t Creator(const std::string& name) {
        return store->AddCreator(name, *StoreKey("k"), "198.51.100.1", {}).value_or(0);
    }
    int64_t Stage(int64_t creator, const std::string& name, int64_t at) {
        NewStage s;
        s.creatorId = creator;
        s.name = name;
        s.author = "作者";
        s.background = "BackGround001";
        s.postedAt = at;
        return store
            ->AddStage(
                s, [&](int64_t id) { return "stage " + std::to_string(id) + std::string("\x82\xa0", 2); }, {})
            .value_or(0);
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

    EXPECT_EQ(store->DownloadStage(s2, "a", 7).value_or(""), "stage " + std::to_string(s2) + "\x82\xa0");
    store->DownloadStage(s2, "b", 7);
    EXPECT_EQ(store->ListByCreator(b, 0, 1).stages.at(0).downloads, 2);
    // An address's download of a stage counts once a day.
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(store->DownloadStage(s2, "a", 7));
    EXPECT_EQ(store->ListByCreator(b, 0, 1).stages.at(0).downloads, 2);
    store->DownloadStage(s2, "a", 8);
    EXPECT_EQ(store->ListByCreator(b, 0, 1).stages.at(0).downloads, 3);
    EXPECT_FALSE(store->DownloadStage(s3 + 10, "a", 7));

    EXPECT_FALSE(store->DeleteStage(s2, a));  // not hers
    EXPECT_TRUE(store->DeleteStage(s2, b));
    EXPECT_FALSE(store->DownloadStage(s2, "a", 7));
    EXPECT_FALSE(store->DownloadStage(s2, "c", 7));
    EXPECT_TRUE(store->DeleteCreator(a));
    EXPECT_EQ(store->ListNewest(0, 10).total, 0);
    EXPECT_FALSE(store->DeleteCreator(a));
}

TEST_P(Store, PlaysRatingsAndRatingPoints) {
    const int64_t a = Creator("carol");
    const int64_t s1 = Stage(a, "easy", 1), s2 = Stage(a, "hard", 2);
    // Two players on s1 (averages 100 and 40: 5 + 2 points), one on s2 (average 60: 3 points).
    store->AddPlays("10.0.0.1", 5, {{s1, 2, 7200, 2, 200}, {s2, 1, 36000, 10, 60}, {s2 + 99, 1, 1, 1, 20}});
    store->AddPlays("10.0.0.2", 5, {{s1, 1, 3600, 0, 40}});
    EXPECT_EQ(store->RatingPoints(a), 10);
    StageList rated = store->SearchByRatings(100, 100, 0, 10);
    ASSERT_EQ(rated.stages.size(), 2u);
    EXPECT_EQ(rated.stages[0].id, s2);  // difficulty 100, length 100
    const StageSummary& easy = rated.stages[1];
    EXPECT_EQ(easy.plays, 3);
    EXPECT_EQ(StageDifficulty(easy), 13);       // 2 misses in 3 plays x 20
    EXPECT_EQ(StageLength(easy), 10);           // 3600 ticks a play / 360
    EXPECT_DOUBLE_EQ(StageRating(easy), 70.0);  // the two players' votes, 100 and 40
    // Ten downloads from ten addresses make one more point.
    for (int i = 0; i < 10; ++i) store->DownloadStage(s1, "10.0.1." + std::to_string(i), 5);
    EXPECT_EQ(store->RatingPoints(a), 11);
}

// One address moves a stage by one player's share: its vote counts once, its plays up to a day's.
TEST_P(Store, OneAddressCountsAsOnePlayer) {
    const int64_t a = Creator("erin");
    const int64_t s1 = Stage(a, "one", 1);
    const PlayReport flood{s1, 10000, 36000LL * 10000, 100000, 1000000};
    for (int i = 0; i < 20; ++i) store->AddPlays("203.0.113.9", 100, std::vector<PlayReport>(256, flood));
    store->AddPlays("203.0.113.10", 100, {{s1, 1, 600, 0, 20}});
    StageSummary s = store->ListNewest(0, 1).stages.at(0);
    EXPECT_EQ(s.plays, 8640 + 1);  // a day of ten-second plays, and one
    EXPECT_EQ(s.ticks, 86400 * 60 + 600);
    EXPECT_EQ(s.misses, 86400);
    EXPECT_DOUBLE_EQ(StageRating(s), 60.0);                       // votes 100 and 20
    EXPECT_EQ(store->RatingPoints(a), 5 + 1);                     // one vote each
    store->AddPlays("203.0.113.9", 100, {{s1, 1, 600, 0, 40}});   // a later vote replaces his first
    store->AddPlays("203.0.113.9", 101, {{s1, 2, 1200, 1, 80}});  // a new day counts again
    s = store->ListNewest(0, 1).stages.at(0);
    EXPECT_EQ(s.plays, 8640 + 1 + 2);
    EXPECT_EQ(s.misses, 86400 + 1);
    EXPECT_DOUBLE_EQ(StageRating(s), 30.0);
    EXPECT_EQ(store->RatingPoints(a), 2 + 1);
}

// The daily limits count and add in one transaction: parallel requests never pass them.
TEST_P(Store, DailyLimitsHoldUnderParallelRequests) {
    const int64_t a = Creator("frank");
    std::atomic<int> stored{0}, registered{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 40; ++t) {
        threads.emplace_back([&, t] {
            NewStage st;
            st.creatorId = a;
            st.name = "s";
            st.background = "BackGround001";
            st.postedAt = 5000;
            if (store->AddStage(st, [](int64_t id) { return std::to_string(id); }, {5000, 1000, 20}))
                ++stored;
            if (store->AddCreator("c" + std::to_string(t), *StoreKey("k"), "192.0.2.7", {5000, 1000, 3}))
                ++registered;
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(stored.load(), 20);
    EXPECT_EQ(store->ListByCreator(a, 0, 100).total, 20);
    EXPECT_EQ(registered.load(), 3);
    EXPECT_TRUE(store->AddCreator("other", *StoreKey("k"), "192.0.2.8", {5000, 1000, 3}));
    // A day later the address may register again.
    EXPECT_TRUE(store->AddCreator("later", *StoreKey("k"), "192.0.2.7", {95000, 8600, 3}));
}

// The check answers for the database: down, it fails as every data request does.
TEST_P(Store, CheckAnswersForTheDatabase) {
    RequestHandlers handlers(*store, ServerOptions{});
    Request check;
    check.method = "GET";
    check.path = "/qv/1/check";
    check.remoteAddress = "192.0.2.1";
    EXPECT_EQ(handlers.Handle(check).body, "OK");
    if (!pg) return;  // an SQLite file does not go away
    pg.reset();       // the cluster stops
    const Reply down = handlers.Handle(check);
    EXPECT_EQ(down.status, 503);
    EXPECT_EQ(down.errorCode, 4);
    EXPECT_EQ(down.body, "08000");
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

// A download racing the delete of its stage gets the whole stage or "no such stage" (404 P003),
// never a server error.
TEST_P(Store, ADownloadRacingADeleteFindsTheStageOrNot) {
    ServerOptions options;
    options.requestsPerSecond = 0;
    RequestHandlers handlers(*store, options);
    const int64_t a = Creator("hana");
    std::mutex m;
    std::vector<std::string> wrong;
    for (int round = 0; round < 8; ++round) {
        const int64_t id = Stage(a, "gone", round);
        std::atomic<int> served{0};
        std::vector<std::thread> downloaders;
        for (int t = 0; t < 4; ++t) {
            downloaders.emplace_back([&, t] {
                Request get;
                get.method = "GET";
                get.path = "/qv/1/stages/" + std::to_string(id);
                // A new address each time: every download is counted, not only looked up.
                for (int i = 0;; ++i) {
                    get.remoteAddress = "10." + std::to_string(t) + "." + std::to_string(i / 200) + "." +
                                        std::to_string(i % 200);
                    const Reply r = handlers.Handle(get);
                    if (r.status == 200 && r.body == "stage " + std::to_string(id) + "\x82\xa0") {
                        ++served;
                        continue;
                    }
                    if (r.status != 404 || r.body != "P003") {
                        std::lock_guard<std::mutex> lock(m);
                        wrong.push_back(std::to_string(r.status) + " " + r.body);
                    }
                    return;
                }
            });
        }
        // The delete lands among the downloads.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (served < 8 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        EXPECT_TRUE(store->DeleteStage(id, a));
        for (auto& th : downloaders) th.join();
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong answers, the first: " << wrong.front();
}

// A list and its total are read at one moment: a stage posted meanwhile is in both or in neither.
TEST_P(Store, AListRacingPostsHoldsWhatItsTotalSays) {
    const int64_t a = Creator("ivan");
    std::atomic<bool> posting{true};
    std::thread poster([&] {
        for (int i = 0; i < 60; ++i) Stage(a, "p", i);
        posting = false;
    });
    int lists = 0, wrong = 0;
    while (posting) {
        for (const StageList& l :
             {store->ListNewest(0, 1000), store->ListByCreator(a, 0, 1000),
              store->SearchByCreatorName("iva", 0, 1000), store->SearchByRatings(0, 0, 0, 1000)}) {
            ++lists;
            if (static_cast<int64_t>(l.stages.size()) != l.total) ++wrong;
        }
    }
    poster.join();
    EXPECT_EQ(wrong, 0) << "of " << lists << " lists";
}

// A report that the database rolls back for a deadlock runs again and counts once.
TEST(StoreConflicts, AReportCaughtInADeadlockRunsAgain) {
    servertest::PgCluster pg;
    if (!pg.Available()) GTEST_SKIP() << "PostgreSQL tests skipped: " << pg.Why();
    auto other = OpenPostgresConnection(pg.Uri()), gate = OpenPostgresConnection(pg.Uri()),
         watch = OpenPostgresConnection(pg.Uri());
    // A connection looks for a deadlock once, this long after it starts to wait: the store's soon,
    // the other one's never within the test.
    other->Exec("ALTER DATABASE postgres SET deadlock_timeout = '20ms'");
    other->Exec("SET deadlock_timeout = '60s'");
    auto store = OpenStageStore(pg.Uri(), 1);
    const int64_t a = store->AddCreator("jun", *StoreKey("k"), "198.51.100.1", {}).value_or(0);
    int64_t s[2] = {};
    for (int64_t& id : s) {
        const NewStage stage{a, "s", "jun", "BackGround001", 1};
        id = store->AddStage(stage, [](int64_t n) { return std::to_string(n); }, {}).value_or(0);
    }
    const auto waitForWaiters = [&](int n) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (
            std::stoi(watch->Query("SELECT COUNT(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock'", {})
                          .at(0)
                          .at(0)) < n &&
            std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
    };
    const std::string touch = "UPDATE stages SET downloads = downloads WHERE id = $1";
    // The other transaction holds the second stage; the gate's record of the player holds the
    // report back once it holds the first stage, until the other one waits for that.
    other->Exec("BEGIN");
    other->Query(touch, {SqlParam::Int(s[1])});
    gate->Exec("BEGIN");
    gate->Query(
        "INSERT INTO play_records (stage_id, player, plays, ticks, misses, votes) "
        "VALUES ($1, '10.0.0.1', 0, 0, 0, 0)",
        {SqlParam::Int(s[0])});
    std::thread report([&] {
        EXPECT_NO_THROW(store->AddPlays("10.0.0.1", 1, {{s[1], 2, 1200, 1, 120}, {s[0], 1, 600, 0, 80}}));
    });
    waitForWaiters(1);
    std::thread closer([&] { other->Query(touch, {SqlParam::Int(s[0])}); });
    waitForWaiters(2);
    // Let through, the report asks for the second stage and closes the circle: it is the one
    // rolled back, and runs again once the other transaction ends.
    gate->Exec("ROLLBACK");
    closer.join();
    other->Exec("COMMIT");
    report.join();
    for (int i = 0; i < 2; ++i) {
        const StageSummary st = store->ListNewest(i, 1).stages.at(0);
        EXPECT_EQ(st.plays, 2 - i);
        EXPECT_EQ(st.voters, 1);
        EXPECT_DOUBLE_EQ(StageRating(st), 60.0 + 20 * i);
    }
}

// A database of the earlier versions: each player's summed votes become his one vote, and totals
// that reports racing each other left short become their records' sums.
TEST(StoreMigration, EarlierDatabasesOpenWithOneVoteEachAndWholeTotals) {
    testsupport::TempFolder folder{"quor-migrate"};
    const std::string path = (folder.Path() / "old.db").string();
    {
        auto old = OpenSqliteConnection(path);
        for (const std::string& stmt : old->Schema()) {
            if (stmt.find("schema_migrations") == std::string::npos) old->Exec(stmt);
        }
        old->Exec("INSERT INTO creators (id, name, key_salt, key_hash) VALUES (1, 'gina', 's', 'h')");
        old->Exec(
            "INSERT INTO stages (id, creator_id, name, author, background, size, posted_at, plays, votes) "
            "VALUES (1, 1, 'old', 'gina', 'BackGround001', 4, 0, 3, 400)");
        old->Exec(
            "INSERT INTO play_records VALUES (1, '10.0.0.1', 2, 3600, 4, 150), (1, '10.0.0.2', 3, 7200, 6, "
            "250)");
    }
    const auto difficultyAndLength = [&] {
        return OpenSqliteConnection(path)->Query("SELECT difficulty, length FROM stages", {}).at(0);
    };
    {
        auto store = OpenStageStore(path, 1);
        const StageSummary s = store->ListNewest(0, 1).stages.at(0);
        EXPECT_EQ(s.plays, 5);
        EXPECT_EQ(s.misses, 10);
        EXPECT_EQ(difficultyAndLength(), (SqlRow{"40", "6"}));
        EXPECT_EQ(s.voters, 2);
        EXPECT_DOUBLE_EQ(StageRating(s), 79.0);  // averages 75 and 83
        EXPECT_EQ(store->RatingPoints(1), 3 + 4);
        store->AddPlays("10.0.0.1", 1, {{1, 1, 0, 0, 20}});
    }
    // Opened again, the migrations do not run twice: the new play and vote stay.
    auto store = OpenStageStore(path, 1);
    EXPECT_EQ(store->ListNewest(0, 1).stages.at(0).plays, 6);
    EXPECT_EQ(difficultyAndLength(), (SqlRow{"33", "5"}));
    EXPECT_DOUBLE_EQ(StageRating(store->ListNewest(0, 1).stages.at(0)), 51.5);
    EXPECT_EQ(store->RatingPoints(1), 1 + 4);
}

INSTANTIATE_TEST_SUITE_P(Backends, Store, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& p) { return p.param; });

}  // namespace
