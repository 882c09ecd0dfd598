// Many players report the same stages at once, through real servers on one database (SQLite and
// a throwaway PostgreSQL cluster, one server and two): every report is answered OK, soon, and
// each stage's totals are the sums of its players' records.
#include <gtest/gtest.h>

#include <algorithm>
#include <barrier>
#include <cstdio>
#include <mutex>
#include <random>

#include "server/ServerInstance.h"
#include "server/SqlConnection.h"
#include "tests/server/pg_cluster.h"
#include "tests/server/server_env.h"

namespace {

using namespace qvserver;
using Clock = std::chrono::steady_clock;

constexpr int kPlayers = 40, kStages = 5, kRounds = 3;

struct Answer {
    int status = 0;  // 0: no whole reply in time
    std::string body;
};

// One HTTP/1.1 request to 127.0.0.1:port from the loopback address `from`, its whole reply read
// within `limit`.
Answer Send(int port, const std::string& from, const std::string& request, std::chrono::seconds limit) {
    servertest::Socket s(port, from);
    Answer out;
    if (!s.Send(request)) return out;
    const std::string in = s.Reply(limit);
    const size_t head = in.find("\r\n\r\n");
    if (in.rfind("HTTP/1.1 ", 0) != 0 || head == std::string::npos) return out;
    out.status = std::atoi(in.c_str() + 9);
    out.body = in.substr(head + 4);
    return out;
}

// Player p's vote on stage k in round r, and what he plays of it each round.
int64_t Vote(int p, int k, int r) { return 20 + (p * 7 + k * 13 + r * 29) % 81; }
PlayReport Played(int p, int k, int r) {
    const int64_t plays = 1 + (p + k) % 3;
    return {0, plays, plays * 600 * (k + 1), plays * (k % 3), plays * Vote(p, k, r)};
}

class Crowd : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        servertest::PrepareGame(game);
        if (GetParam() == "sqlite") {
            database = game.Full("crowd.db").string();
        } else {
            pg = std::make_unique<servertest::PgCluster>();
            if (!pg->Available()) GTEST_SKIP() << "PostgreSQL tests skipped: " << pg->Why();
            database = pg->Uri();
        }
        store = OpenStageStore(database, 2);
        creator = store->AddCreator("crowd", StoredKey{"s", "h"}, "192.0.2.1", {}).value_or(0);
        ASSERT_GT(creator, 0);
    }

    std::vector<int64_t> NewStages() {
        std::vector<int64_t> ids;
        NewStage s{creator, "s", "crowd", "BackGround001", 1};
        for (int k = 0; k < kStages; ++k)
            ids.push_back(store->AddStage(s, [](int64_t id) { return std::to_string(id); }, {}).value_or(0));
        return ids;
    }

    // The report player p sends in round r: a line for each stage, in an order of his own.
    static std::string Report(const std::vector<int64_t>& ids, int p, int r) {
        std::vector<int> order(kStages);
        for (int k = 0; k < kStages; ++k) order[static_cast<size_t>(k)] = k;
        std::mt19937 shuffle(static_cast<unsigned>(p * kRounds + r));
        std::shuffle(order.begin(), order.end(), shuffle);
        std::string body;
        for (int k : order) {
            const PlayReport c = Played(p, k, r);
            body += std::to_string(ids[static_cast<size_t>(k)]) + "," + std::to_string(c.plays) + "," +
                    std::to_string(c.ticks) + "," + std::to_string(c.misses) + "," + std::to_string(c.votes) +
                    "\n";
        }
        return "POST /qv/1/history HTTP/1.1\r\nHost: q\r\nConnection: close\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body;
    }

    // Every player reports every round at once, each through the servers in turn; the refused
    // reports, and the slowest answer's time.
    std::vector<std::string> Play(const std::vector<int64_t>& ids, const std::vector<int>& ports,
                                  std::chrono::milliseconds& slowest) {
        std::vector<std::string> refused;
        std::mutex m;
        std::barrier together(kPlayers);
        std::vector<std::thread> players;
        for (int p = 0; p < kPlayers; ++p) {
            players.emplace_back([&, p] {
                const std::string from = "127.0.0." + std::to_string(p + 10);
                for (int r = 0; r < kRounds; ++r) {
                    together.arrive_and_wait();
                    const auto start = Clock::now();
                    const Answer a = Send(ports[static_cast<size_t>(p) % ports.size()], from,
                                          Report(ids, p, r), std::chrono::seconds(30));
                    const auto took =
                        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
                    std::lock_guard<std::mutex> lock(m);
                    slowest = std::max(slowest, took);
                    if (a.status != 200 || a.body != "OK")
                        refused.push_back(from + " round " + std::to_string(r) + ": " +
                                          std::to_string(a.status) + " " + a.body);
                }
            });
        }
        for (auto& t : players) t.join();
        return refused;
    }

    // A stage's totals against the sums of its records, straight from the database.
    void ExpectTotalsAreTheRecordsSums(int64_t id) {
        auto sql = GetParam() == "sqlite" ? OpenSqliteConnection(database) : OpenPostgresConnection(database);
        const SqlRow totals = sql->Query(
                                     "SELECT plays, ticks, misses, votes, voters, difficulty, length "
                                     "FROM stages WHERE id = $1",
                                     {SqlParam::Int(id)})
                                  .at(0);
        const SqlRow sums =
            sql->Query(
                   "SELECT COALESCE(SUM(plays), 0), COALESCE(SUM(ticks), 0), "
                   "COALESCE(SUM(misses), 0), COALESCE(SUM(vote), 0), "
                   "COUNT(CASE WHEN vote > 0 THEN 1 END) FROM play_records WHERE stage_id = $1",
                   {SqlParam::Int(id)})
                .at(0);
        EXPECT_EQ(SqlRow(totals.begin(), totals.begin() + 5), sums) << "stage " << id;
        StageSummary s;
        s.plays = std::stoll(totals[0]);
        s.ticks = std::stoll(totals[1]);
        s.misses = std::stoll(totals[2]);
        EXPECT_EQ(totals[5], std::to_string(StageDifficulty(s))) << "stage " << id;
        EXPECT_EQ(totals[6], std::to_string(StageLength(s))) << "stage " << id;
    }

    testsupport::TempGameFolder game{"quor-crowd"};
    std::unique_ptr<servertest::PgCluster> pg;
    std::string database;
    std::unique_ptr<IStageStore> store;
    int64_t creator = 0;
};

TEST_P(Crowd, ReportsOfTheSameStagesAllCount) {
    for (int serverCount : {1, 2}) {
        const std::vector<int64_t> ids = NewStages();
        std::vector<std::unique_ptr<ServerInstance>> servers;
        std::vector<int> ports;
        for (int n = 0; n < serverCount; ++n) {
            ServerConfig config;
            config.database = database;
            config.threads = 8;
            config.options.requestsPerSecond = 0;
            servers.push_back(std::make_unique<ServerInstance>());
            ports.push_back(servers.back()->Start(config));
        }
        std::chrono::milliseconds slowest{0};
        const std::vector<std::string> refused = Play(ids, ports, slowest);
        std::printf("%s, %d server(s): %zu of %d reports refused, the slowest answered in %lld ms\n",
                    GetParam().c_str(), serverCount, refused.size(), kPlayers * kRounds,
                    static_cast<long long>(slowest.count()));
        EXPECT_TRUE(refused.empty()) << refused.size() << " refused, the first: " << refused.front();
#ifndef QUOR_TEST_UNDER_ASAN
        EXPECT_LT(slowest.count(), 5000);
#endif
        const StageList list = store->ListByCreator(creator, 0, kStages);
        for (int k = 0; k < kStages; ++k) {
            const int64_t id = ids[static_cast<size_t>(k)];
            ExpectTotalsAreTheRecordsSums(id);
            const auto s = std::find_if(list.stages.begin(), list.stages.end(),
                                        [&](const StageSummary& x) { return x.id == id; });
            ASSERT_NE(s, list.stages.end());
            int64_t plays = 0, votes = 0;
            for (int p = 0; p < kPlayers; ++p) {
                plays += kRounds * Played(p, k, 0).plays;
                votes += Vote(p, k, kRounds - 1);  // the latest vote counts
            }
            EXPECT_EQ(s->plays, plays) << "stage " << k;
            EXPECT_EQ(s->voters, kPlayers) << "stage " << k;
            EXPECT_DOUBLE_EQ(StageRating(*s), static_cast<double>(votes) / kPlayers) << "stage " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, Crowd, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& p) { return p.param; });

}  // namespace
