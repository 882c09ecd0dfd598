// The request handlers: authentication on every write, uploads read by the game's own reader,
// caps, and the list format.
#include <gtest/gtest.h>

#include "server/RequestHandlers.h"
#include "tests/server/server_env.h"

namespace {

using namespace qvserver;

class Handlers : public ::testing::Test {
  protected:
    void SetUp() override {
        stage = servertest::PrepareGame(game);
        store = OpenStageStore((game.Path() / "h.db").string(), 2);
        options.requestsPerSecond = 0;
        handlers = std::make_unique<RequestHandlers>(*store, options, [this] { return now; });
    }
    static Request Make(const std::string& method, const std::string& path, const std::string& body = {},
                        std::map<std::string, std::string> headers = {},
                        std::multimap<std::string, std::string> query = {},
                        const std::string& from = "192.0.2.1") {
        Request r;
        r.method = method;
        r.path = path;
        r.body = body;
        r.declaredLength = static_cast<int64_t>(body.size());
        r.headers = std::move(headers);
        r.query = std::move(query);
        r.remoteAddress = from;
        return r;
    }
    // What the head's steps alone answer, as the transport runs them.
    std::optional<Reply> Head(const Request& r) {
        if (auto refused = handlers->Admit(r)) return refused;
        if (handlers->HeadNeedsStore(r)) return handlers->AdmitFromStore(r);
        return std::nullopt;
    }
    // A request through every step, as the transport runs them.
    Reply Call(const std::string& method, const std::string& path, const std::string& body = {},
               std::map<std::string, std::string> headers = {},
               std::multimap<std::string, std::string> query = {}, const std::string& from = "192.0.2.1") {
        const Request r = Make(method, path, body, std::move(headers), std::move(query), from);
        if (auto refused = Head(r)) return *refused;
        if (auto kept = handlers->AnswerAtOnce(r)) return *kept;
        return handlers->Handle(r);
    }
    std::pair<std::string, std::string> Register(const std::string& name) {
        const Reply r = Call("POST", "/qv/1/creators", name);
        EXPECT_EQ(r.status, 200) << r.body;
        const size_t nl = r.body.find('\n');
        return {r.body.substr(0, nl), r.body.substr(nl + 1)};
    }
    std::map<std::string, std::string> Auth(const std::pair<std::string, std::string>& c) {
        return {{"x-quorvald-creator", c.first},
                {"x-quorvald-key", c.second},
                {"x-quorvald-background", "BackGround003"}};
    }

    testsupport::TempGameFolder game{"quor-handlers"};
    std::string stage;
    ServerOptions options;
    std::unique_ptr<IStageStore> store;
    std::unique_ptr<RequestHandlers> handlers;
    int64_t now = 1290331805;  // 2010/11/21 09:30:05
};

TEST_F(Handlers, RegistrationGivesARandomKeyAndRefusesBadNames) {
    const auto a = Register("\x82\xa0\x82\xa2");  // あい in CP932
    const auto b = Register("bob");
    EXPECT_EQ(a.second.size(), 32u);
    EXPECT_NE(a.second, b.second);
    EXPECT_EQ(Call("POST", "/qv/1/creators", "bob").body, "23505");
    for (const std::string& bad :
         {std::string("a\nb"), std::string(25, 'x'), std::string("   "), std::string("\x82")}) {
        const Reply r = Call("POST", "/qv/1/creators", bad);
        EXPECT_EQ(r.errorCode, 4) << bad;
        EXPECT_EQ(r.body, "23502") << bad;
    }
    EXPECT_EQ(Call("POST", "/qv/1/creators").body, "P001");
}

TEST_F(Handlers, EveryWriteChecksIdAndKey) {
    const auto a = Register("alice");
    const auto b = Register("bob");
    auto wrong = Auth(a);
    wrong["x-quorvald-key"] = b.second;
    EXPECT_EQ(Call("POST", "/qv/1/stages", stage, wrong).errorCode, 3);
    const Reply posted = Call("POST", "/qv/1/stages", stage, Auth(a));
    ASSERT_EQ(posted.status, 200) << posted.body;
    const std::string id = posted.body;
    EXPECT_EQ(Call("DELETE", "/qv/1/stages/" + id, {}, wrong).errorCode, 3);
    EXPECT_EQ(Call("DELETE", "/qv/1/stages/" + id, {}, Auth(b)).body, "P003");  // not his stage
    EXPECT_EQ(Call("DELETE", "/qv/1/creators/" + a.first, {}, wrong).errorCode, 3);
    auto nobody = Auth(a);
    nobody["x-quorvald-creator"] = "999";
    EXPECT_EQ(Call("POST", "/qv/1/stages", stage, nobody).body, "P002");
    EXPECT_EQ(Call("DELETE", "/qv/1/stages/" + id, {}, Auth(a)).status, 200);
    EXPECT_EQ(Call("DELETE", "/qv/1/creators/" + a.first, {}, Auth(a)).status, 200);
    EXPECT_EQ(Call("GET", "/qv/1/creators/" + a.first + "/appraisal").body, "P002");
}

TEST_F(Handlers, UploadsAreReadByTheStageReader) {
    const auto a = Register("alice");
    EXPECT_EQ(Call("POST", "/qv/1/stages", "<stage>broken", Auth(a)).body, "S001");
    EXPECT_EQ(Call("POST", "/qv/1/stages", std::string("<a>\0</a>", 8), Auth(a)).body, "S001");
    std::string nameless = stage;
    const size_t open = nameless.find("<name>") + 6;
    nameless.erase(open, nameless.find("</name>") - open);
    EXPECT_EQ(Call("POST", "/qv/1/stages", nameless, Auth(a)).body, "S002");
    EXPECT_EQ(Call("POST", "/qv/1/stages", std::string(options.maxStageBytes + 1, 'x'), Auth(a)).body,
              "S003");
    auto badBackground = Auth(a);
    badBackground["x-quorvald-background"] = "a b";
    EXPECT_EQ(Call("POST", "/qv/1/stages", stage, badBackground).body, "P001");
    badBackground.erase("x-quorvald-background");
    EXPECT_EQ(Call("POST", "/qv/1/stages", stage, badBackground).body, "P001");
    // Names and authors as long as the game lets a player type them: 12 characters.
    auto renamed = [&](const char* tag, const std::string& text) {
        std::string s = stage;
        const std::string opening = std::string("<") + tag + ">";
        const size_t at = s.find(opening) + opening.size();
        s.replace(at, s.find(std::string("</") + tag + ">") - at, Utf8ToCp932(text));
        return s;
    };
    EXPECT_EQ(Call("POST", "/qv/1/stages", renamed("name", "あいうえおかきくけこさしす"), Auth(a)).body,
              "S001");
    EXPECT_EQ(Call("POST", "/qv/1/stages", renamed("originalAuthor", std::string(25, 'q')), Auth(a)).body,
              "S001");
    EXPECT_EQ(Call("POST", "/qv/1/stages", renamed("name", "あいうえおかきくけこさし"), Auth(a)).status, 200);

    const Reply posted = Call("POST", "/qv/1/stages", stage, Auth(a));
    ASSERT_EQ(posted.status, 200);
    // The stored text carries the server's id.
    const Reply down = Call("GET", "/qv/1/stages/" + posted.body);
    EXPECT_NE(down.body.find("<id>" + posted.body + "</id>"), std::string::npos);
    EXPECT_EQ(Call("GET", "/qv/1/stages/77").body, "P003");
}

TEST_F(Handlers, ListRepliesInTheGameFormat) {
    const auto a = Register("alice");
    const std::string id = Call("POST", "/qv/1/stages", stage, Auth(a)).body;
    const std::string down = Call("GET", "/qv/1/stages/" + id).body;
    const Reply list = Call("GET", "/qv/1/stages/newest", {}, {}, {{"count", "4"}});
    const std::string expected = "1\n1\n" + id + "\n" + Utf8ToCp932("扉とワープ") + "\n" + a.first +
                                 "\nQuorvald\n" + std::to_string(down.size() + 1) +
                                 "\n1\nBackGround003\n\n\n\n" + "2010/11/21 09:30:05\n09:30:05\n";
    EXPECT_EQ(list.body, expected);
    // Reports from players fill in the ratings.
    Call("POST", "/qv/1/history", id + ",2,7200,1,160\n" + id + ",0,0,0,0\nnot,a,record\n");
    EXPECT_EQ(Call("POST", "/qv/1/history", "1,2,3\n").body, "P001");
    Call("POST", "/qv/1/history", id + ",2,7200,1,160\n");
    const std::string rated =
        Call("GET", "/qv/1/stages/rated", {}, {}, {{"difficulty", "50"}, {"length", "50"}}).body;
    EXPECT_NE(rated.find("\nBackGround003\n10\n10\n80.00\n"), std::string::npos) << rated;
    EXPECT_EQ(Call("GET", "/qv/1/creators/" + a.first + "/appraisal").body, "4");
}

// Ratings, plays and downloads are one player's share per address, whatever it sends.
TEST_F(Handlers, RequestsDoNotBuyRatings) {
    const auto a = Register("alice");
    const std::string id = Call("POST", "/qv/1/stages", stage, Auth(a)).body;
    for (int i = 0; i < 500; ++i) Call("GET", "/qv/1/stages/" + id);
    std::string lines;
    for (int i = 0; i < 256; ++i) lines += id + ",10000,360000000,100000,1000000\n";
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Call("POST", "/qv/1/history", lines).body, "OK");
    Call("POST", "/qv/1/history", id + ",1,600,0,20\n", {}, {}, "192.0.2.2");
    const std::string list = Call("GET", "/qv/1/stages/newest").body;
    // One download; difficulty 20 x 86400 / 8641 (at most 100), length 5184600 / 8641 / 360;
    // votes 100 and 20.
    EXPECT_NE(list.find("\n1\nBackGround003\n100\n1\n60.00\n"), std::string::npos) << list;
    EXPECT_EQ(Call("GET", "/qv/1/creators/" + a.first + "/appraisal").body, "6");
    now += 24 * 60 * 60;
    Call("GET", "/qv/1/stages/" + id);
    EXPECT_NE(Call("GET", "/qv/1/creators/" + a.first + "/stages").body.find("\n2\nBackGround003\n"),
              std::string::npos);
}

// A stage stored with a long name (before names were checked) leaves every other record listed.
TEST_F(Handlers, ALongNameKeepsTheListWhole) {
    const auto a = Register("alice");
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Call("POST", "/qv/1/stages", stage, Auth(a)).status, 200);
    NewStage longOne;
    longOne.creatorId = std::stoll(a.first);
    longOne.name = std::string(33000, 'n');
    longOne.author = std::string(33000, 'w');
    longOne.background = "BackGround003";
    ASSERT_TRUE(store->AddStage(longOne, [](int64_t) { return std::string("x"); }, {}));
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Call("POST", "/qv/1/stages", stage, Auth(a)).status, 200);
    const std::string list = Call("GET", "/qv/1/stages/newest").body;
    EXPECT_EQ(list.rfind("7\n7\n", 0), 0u) << list.substr(0, 40);
    EXPECT_NE(list.find("\n" + std::string(24, 'n') + "\n" + a.first + "\n" + std::string(24, 'w') + "\n"),
              std::string::npos);
}

TEST_F(Handlers, RegistrationsPerAddressAndDay) {
    options.registrationsPerDay = 2;
    handlers = std::make_unique<RequestHandlers>(*store, options, [this] { return now; });
    Register("one");
    Register("two");
    const Reply third = Call("POST", "/qv/1/creators", "three");
    EXPECT_EQ(third.errorCode, 2);
    EXPECT_EQ(third.body, "2");
    EXPECT_EQ(Call("POST", "/qv/1/creators", "three", {}, {}, "192.0.2.99").status, 200);
    now += 24 * 60 * 60 + 1;
    EXPECT_EQ(Call("POST", "/qv/1/creators", "four").status, 200);
}

// The newest list is kept between requests, never past a write of this server nor its age limit.
TEST_F(Handlers, NewestListIsKeptUntilAWrite) {
    const auto a = Register("alice");
    auto newest = [&] { return Call("GET", "/qv/1/stages/newest", {}, {}, {{"count", "4"}}).body; };
    EXPECT_EQ(newest(), "0\n0\n");
    const std::string id = Call("POST", "/qv/1/stages", stage, Auth(a)).body;
    EXPECT_EQ(newest().rfind("1\n1\n" + id + "\n", 0), 0u);
    EXPECT_EQ(Call("DELETE", "/qv/1/stages/" + id, {}, Auth(a)).body, "OK");
    EXPECT_EQ(newest(), "0\n0\n");

    ReplyCache kept(std::chrono::seconds(1));
    const auto t0 = ReplyCache::Clock::now();
    kept.Keep(4, kept.Generation(), "four", t0);
    const uint64_t before = kept.Generation();
    EXPECT_EQ(kept.Find(4, t0 + std::chrono::milliseconds(999)).value_or(""), "four");
    // Too old: the first caller makes it anew, the others serve the old one meanwhile, until the
    // one making it has not kept it within the age limit.
    const auto t1 = t0 + std::chrono::seconds(1);
    EXPECT_FALSE(kept.Find(4, t1));
    EXPECT_EQ(kept.Find(4, t1).value_or(""), "four");
    EXPECT_FALSE(kept.Find(4, t1 + std::chrono::seconds(1)));
    kept.Keep(4, kept.Generation(), "four again", t1);
    EXPECT_EQ(kept.Find(4, t1).value_or(""), "four again");
    EXPECT_FALSE(kept.Find(5, t0));
    kept.Invalidate();
    EXPECT_FALSE(kept.Find(4, t0));
    // A reply made from what was read before a write is not kept.
    kept.Keep(4, before, "stale", t0);
    EXPECT_FALSE(kept.Find(4, t0));
}

TEST_F(Handlers, ListRepliesFitTheClientBuffer) {
    options.postsPerDay = 0;
    handlers = std::make_unique<RequestHandlers>(*store, options, [this] { return now; });
    const auto a = Register("alice");
    auto headers = Auth(a);
    for (int i = 0; i < 250; ++i) ASSERT_EQ(Call("POST", "/qv/1/stages", stage, headers).status, 200);
    const Reply all =
        Call("GET", "/qv/1/creators/" + a.first + "/stages", {}, {}, {{"start", "0"}, {"count", "0"}});
    EXPECT_LT(all.body.size(), 32768u);
    EXPECT_EQ(all.body.rfind("250\n200\n", 0), 0u);  // at most 200 records a reply
}

TEST_F(Handlers, DailyPostsAndRequestRatesAreLimited) {
    options.postsPerDay = 2;
    options.requestsPerSecond = 1;
    options.requestBurst = 3;
    handlers = std::make_unique<RequestHandlers>(*store, options, [this] { return now; });
    const auto a = Register("alice");
    auto h = Auth(a);
    EXPECT_EQ(Call("POST", "/qv/1/stages", stage, h).status, 200);
    EXPECT_EQ(Call("POST", "/qv/1/stages", stage, h).status, 200);
    // The burst is spent: the next request from this address is refused.
    EXPECT_EQ(Call("GET", "/qv/1/check").status, 429);
    handlers = std::make_unique<RequestHandlers>(*store, options, [this] { return now; });
    const Reply third = Call("POST", "/qv/1/stages", stage, h);
    EXPECT_EQ(third.errorCode, 2);
    EXPECT_EQ(third.body, "2");
    now += 24 * 60 * 60 + 1;
    EXPECT_EQ(Call("POST", "/qv/1/stages", stage, h).status, 200);
}

// What a head decides is decided before any of its body came, the store's part included: the
// body that follows a refused head is never kept.
TEST_F(Handlers, HeadsAreJudgedBeforeTheirBodies) {
    options.postsPerDay = 1;
    options.registrationsPerDay = 1;
    handlers = std::make_unique<RequestHandlers>(*store, options, [this] { return now; });
    const auto a = Register("alice");
    auto headOf = [&](const std::string& path, int64_t length, std::map<std::string, std::string> headers) {
        Request r = Make("POST", path, {}, std::move(headers));
        r.declaredLength = length;
        return Head(r);
    };
    const int64_t size = static_cast<int64_t>(stage.size());
    auto wrong = Auth(a);
    wrong["x-quorvald-key"] = std::string(32, '0');
    EXPECT_EQ(headOf("/qv/1/stages", size, wrong).value_or(Reply{}).errorCode, 3);
    auto nobody = Auth(a);
    nobody["x-quorvald-creator"] = "999";
    EXPECT_EQ(headOf("/qv/1/stages", size, nobody).value_or(Reply{}).body, "P002");
    EXPECT_EQ(headOf("/qv/1/stages", size, {}).value_or(Reply{}).body, "P001");
    // Past the stage cap by no more than the slack: the stage error; past that, the transport's.
    EXPECT_EQ(headOf("/qv/1/stages", options.maxStageBytes + 1, Auth(a)).value_or(Reply{}).body, "S003");
    const auto tooLarge = headOf("/qv/1/stages", options.maxStageBytes + kUploadSlackBytes + 1, Auth(a));
    EXPECT_EQ(tooLarge.value_or(Reply{}).status, 413);
    EXPECT_EQ(tooLarge.value_or(Reply{}).errorCode, 0);
    EXPECT_FALSE(headOf("/qv/1/stages", size, Auth(a)));
    ASSERT_EQ(Call("POST", "/qv/1/stages", stage, Auth(a)).status, 200);
    // The daily caps: posts per creator, registrations per address.
    EXPECT_EQ(headOf("/qv/1/stages", size, Auth(a)).value_or(Reply{}).errorCode, 2);
    EXPECT_EQ(headOf("/qv/1/creators", 3, {}).value_or(Reply{}).errorCode, 2);
    Request elsewhere = Make("POST", "/qv/1/creators", {}, {}, {}, "192.0.2.50");
    elsewhere.declaredLength = 3;
    EXPECT_FALSE(Head(elsewhere));
    // Paths and bodies a path does not take, without the store.
    Request streamed = Make("GET", "/qv/1/stages/newest");
    streamed.streamed = true;
    EXPECT_EQ(handlers->Admit(streamed).value_or(Reply{}).status, 413);
    EXPECT_EQ(handlers->Admit(Make("GET", "/qv/1/creators/x/stages")).value_or(Reply{}).body, "P001");
    EXPECT_EQ(handlers->Admit(Make("DELETE", "/qv/1/stages/newest")).value_or(Reply{}).status, 404);
    EXPECT_FALSE(handlers->HeadNeedsStore(Make("GET", "/qv/1/stages/newest")));
}

TEST_F(Handlers, MaintenanceAndUnknownPaths) {
    EXPECT_EQ(Call("GET", "/qv/1/nothing").status, 404);
    EXPECT_EQ(Call("GET", "/elsewhere").status, 404);
    EXPECT_EQ(Call("GET", "/qv/1/creators/x/stages").body, "P001");
    options.maintenanceMessage = "ただいま点検中です";
    handlers = std::make_unique<RequestHandlers>(*store, options, [this] { return now; });
    const Reply r = Call("GET", "/qv/1/check");
    EXPECT_EQ(r.errorCode, 1);
    EXPECT_EQ(r.body, Utf8ToCp932("ただいま点検中です"));
}

}  // namespace
