// quorvald-server as a program: killed in the middle of posts it keeps every stage it
// acknowledged and no half stage; two of them share one PostgreSQL database.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <set>

#include "server/StageStore.h"
#include "tests/server/pg_cluster.h"
#include "tests/server/server_env.h"

namespace {

using namespace qvserver;
using servertest::Account;
using servertest::Register;

httplib::Headers AuthOf(const Account& a) {
    return {
        {"X-Quorvald-Creator", a.id}, {"X-Quorvald-Key", a.key}, {"X-Quorvald-Background", "BackGround001"}};
}

TEST(ServerProcess, KilledMidPostsKeepsEveryAcknowledgedStage) {
    testsupport::TempGameFolder game("quor-kill");
    const std::string stage = servertest::PrepareGame(game);
    const std::string db = (game.Path() / "kill.db").string();
    std::set<std::string> acknowledged;
    {
        servertest::ServerProcess server(game, "a", db);
        ASSERT_GT(server.Port(), 0);
        httplib::Client setup("127.0.0.1", server.Port());
        const Account a = Register(setup, "poster");
        ASSERT_FALSE(a.id.empty());
        std::mutex m;
        std::atomic<int> posted{0};
        std::vector<std::thread> posters;
        for (int t = 0; t < 4; ++t) {
            posters.emplace_back([&] {
                httplib::Client c("127.0.0.1", server.Port());
                c.set_read_timeout(5, 0);
                for (;;) {
                    auto r = c.Post("/qv/1/stages", AuthOf(a), stage, "text/plain");
                    if (!r) return;  // the server is gone
                    if (r->status == 200) {
                        std::lock_guard<std::mutex> lock(m);
                        acknowledged.insert(r->body);
                        ++posted;
                    }
                }
            });
        }
        while (posted < 60) std::this_thread::yield();
        server.Kill();
        for (auto& p : posters) p.join();
    }
    ASSERT_GE(acknowledged.size(), 60u);
    auto store = OpenStageStore(db, 1);
    for (const std::string& id : acknowledged) {
        const auto text = store->DownloadStage(std::stoll(id), "test", 0);
        ASSERT_TRUE(text) << id;
        EXPECT_NE(text->find("<id>" + id + "</id>"), std::string::npos);
    }
    // Every stage row has its whole text: no half stage.
    const StageList all = store->ListNewest(0, 100000);
    EXPECT_GE(all.stages.size(), acknowledged.size());
    for (const StageSummary& s : all.stages) {
        const auto text = store->DownloadStage(s.id, "test", 0);
        ASSERT_TRUE(text);
        EXPECT_EQ(static_cast<int64_t>(text->size()), s.size);
    }
}

// Transport options that could never serve are refused before the server starts: a body memory
// smaller than the largest upload, no database wait, a client-address header that is no name.
TEST(ServerProcess, UnservableTransportOptionsAreRefused) {
    testsupport::TempFolder folder("quor-options");
    for (const char* options :
         {"--body-memory 528383", "--database-wait 0", "--client-address-header 'X Real'"}) {
        const std::string cmd = std::string("'") + QUOR_SERVER_EXE +
                                "' --listen 127.0.0.1 --port 0 --database '" +
                                (folder.Path() / "never.db").string() + "' " + options + " >/dev/null 2>&1";
        const int status = std::system(cmd.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << options;
        EXPECT_EQ(WEXITSTATUS(status), 2) << options;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "never.db"));
}

TEST(ServerProcess, TwoServersShareOnePostgreSQL) {
    servertest::PgCluster pg;
    if (!pg.Available()) GTEST_SKIP() << "PostgreSQL tests skipped: " << pg.Why();
    testsupport::TempGameFolder game("quor-two");
    const std::string stage = servertest::PrepareGame(game, "sample02.stg");
    servertest::ServerProcess one(game, "one", pg.Uri());
    servertest::ServerProcess two(game, "two", pg.Uri());
    ASSERT_GT(one.Port(), 0);
    ASSERT_GT(two.Port(), 0);
    httplib::Client a("127.0.0.1", one.Port()), b("127.0.0.1", two.Port());
    const Account creator = Register(a, "shared");
    auto posted = a.Post("/qv/1/stages", AuthOf(creator), stage, "text/plain");
    ASSERT_TRUE(posted);
    ASSERT_EQ(posted->status, 200) << posted->body;
    auto down = b.Get(("/qv/1/stages/" + posted->body).c_str());
    ASSERT_TRUE(down);
    EXPECT_EQ(down->status, 200);
    EXPECT_NE(down->body.find("<id>" + posted->body + "</id>"), std::string::npos);
    // The other server knows the creator's key too.
    auto removed = b.Delete(("/qv/1/stages/" + posted->body).c_str(), AuthOf(creator));
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->status, 200);
    one.Terminate();
    two.Terminate();
}

}  // namespace
