// The network library over HTTP: servers on loopback that stall, drop the connection, answer
// garbage or refuse, and the real server end to end.
#include <gtest/gtest.h>
#include <httplib.h>

#include <future>
#include <thread>

#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"
#include "online/QVNet.h"
#include "online/QVNetHttp.h"
#include "server/ServerInstance.h"
#include "tests/common/temp_folder.h"
#include "tests/online/request_end.h"

namespace {

using namespace std::chrono_literals;

// A server on 127.0.0.1 whose handlers the test writes.
class FakeServer {
  public:
    FakeServer() { port_ = server_.bind_to_any_port("127.0.0.1"); }
    ~FakeServer() { Stop(); }
    void Start() {
        // Bound already: connections wait in the queue until the thread takes them.
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        QVNet::SetServerAddress("http://127.0.0.1:" + std::to_string(port_) + "/");
    }
    void Stop() {
        server_.stop();
        if (thread_.joinable()) thread_.join();
    }
    httplib::Server& Http() { return server_; }
    int Port() const { return port_; }

  private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

using onlinetest::Ended;
using onlinetest::Finish;

class Http : public ::testing::Test {
  protected:
    void SetUp() override { QVNet::SetTimeouts({2000ms, 5000ms}); }
    void TearDown() override {
        QVNet::SetTimeouts({});
        QVNet::SetServerAddress("");
    }
};

TEST_F(Http, AStalledServerEndsInATimeout) {
    FakeServer fake;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    fake.Http().Get(".*", [released](const httplib::Request&, httplib::Response& res) {
        released.wait();
        res.set_content("OK", "text/plain");
    });
    fake.Start();
    QVNet::SetTimeouts({2000ms, 300ms});
    const Ended e = Finish(QVNet::Begin_CheckServer(nullptr));
    release.set_value();
    EXPECT_EQ(e.state, QVNet::kStateFailed);
    EXPECT_EQ(e.code, QVNet::EC_NW_ERROR);
    EXPECT_EQ(e.detail, "12002");
}

TEST_F(Http, ADroppedConnectionAndARefusedOne) {
    FakeServer fake;
    fake.Http().Get(".*", [](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(1000, "text/plain", [](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset > 0) return false;  // half the body, then the connection goes
            sink.write("1\n1\n", 4);
            return true;
        });
    });
    fake.Start();
    char reply[32768];
    Ended e = Finish(QVNet::Begin_GetNewStage(4, reply, sizeof reply, nullptr));
    EXPECT_EQ(e.code, QVNet::EC_NW_ERROR);
    EXPECT_EQ(e.detail, "12030");
    fake.Stop();
    e = Finish(QVNet::Begin_CheckServer(nullptr));
    EXPECT_EQ(e.code, QVNet::EC_NW_ERROR);
    EXPECT_EQ(e.detail, "12029");
}

TEST_F(Http, GarbageRepliesFail) {
    FakeServer fake;
    std::string body;
    fake.Http().Get(".*",
                    [&body](const httplib::Request&, httplib::Response& res) { res.set_content(body, "x"); });
    fake.Start();
    char appraisal[80];
    for (const char* bad : {"12abc", "", " 12", "2147483648", "1.5"}) {
        body = bad;
        const Ended e = Finish(QVNet::Begin_GetAppraisal(3, appraisal, sizeof appraisal, nullptr));
        EXPECT_EQ(e.detail, "12152") << bad;
    }
    body = "-30";
    auto r = QVNet::Begin_GetAppraisal(3, appraisal, sizeof appraisal, nullptr);
    ASSERT_TRUE(QVNet::WaitForEnd(r.get(), 20s));
    EXPECT_EQ(r->GetState(), QVNet::kStateDone);
    r.reset();
    EXPECT_STREQ(appraisal, "-30");

    // A download buffer holds the text and its zero: a reply that fills it whole is refused.
    char buffer[8];
    body = "1234567";
    r = QVNet::Begin_DownloadStage(5, sizeof buffer, buffer, nullptr);
    ASSERT_TRUE(QVNet::WaitForEnd(r.get(), 20s));
    EXPECT_EQ(r->GetState(), QVNet::kStateDone);
    r.reset();
    EXPECT_STREQ(buffer, "1234567");
    body = "12345678";
    EXPECT_EQ(Finish(QVNet::Begin_DownloadStage(5, sizeof buffer, buffer, nullptr)).detail, "12152");
    body = std::string(
        "12\0"
        "4",
        4);
    EXPECT_EQ(Finish(QVNet::Begin_DownloadStage(5, sizeof buffer, buffer, nullptr)).detail, "12152");
    EXPECT_EQ(Finish(QVNet::Begin_DownloadStage(5, 0, buffer, nullptr)).code, QVNet::EC_PM_ERROR);
}

TEST_F(Http, ServerErrorsAndHttpStatuses) {
    FakeServer fake;
    fake.Http().Get("/qv/1/check", [](const httplib::Request&, httplib::Response& res) {
        res.status = 409;
        res.set_header("X-Quorvald-Error", "4");
        res.set_content("23505", "text/plain");
    });
    fake.Http().Get("/qv/1/creators/1/appraisal", [](const httplib::Request&, httplib::Response& res) {
        res.status = 403;
        res.set_content(std::string(5000, 'x'), "text/html");
    });
    fake.Start();
    Ended e = Finish(QVNet::Begin_CheckServer(nullptr));
    EXPECT_EQ(e.code, QVNet::EC_DB_ERROR);
    EXPECT_EQ(e.detail, "23505");
    char appraisal[80];
    e = Finish(QVNet::Begin_GetAppraisal(1, appraisal, sizeof appraisal, nullptr));
    EXPECT_EQ(e.code, QVNet::EC_NW_ERROR);
    EXPECT_EQ(e.detail, "403");
    char reply[100];
    e = Finish(QVNet::Begin_GetNewStage(4, reply, sizeof reply, nullptr));  // no such path here
    EXPECT_EQ(e.detail, "404");
}

TEST(HttpClassify, TransferFailures) {
    using QVNet::Transfer;
    EXPECT_EQ(QVNet::ClassifyTransfer(Transfer::NotResolved, 0, "", "").detail, "12007");
    EXPECT_EQ(QVNet::ClassifyTransfer(Transfer::Ok, 500, "", "").detail, "500");
    EXPECT_EQ(QVNet::ClassifyTransfer(Transfer::Ok, 503, "1", "点検中").code, QVNet::EC_MAINTENANCE);
    // An error header the client does not know is garbage, not a code.
    EXPECT_EQ(QVNet::ClassifyTransfer(Transfer::Ok, 400, "99", "").detail, "12152");
    EXPECT_EQ(QVNet::ClassifyTransfer(Transfer::Ok, 200, "", "").code, QVNet::EC_OK);
}

// The real server, end to end: register, post, list, download, delete.
TEST_F(Http, TheRealServerFromRegistrationToDeletion) {
    testsupport::TempGameFolder game("quor-online-http");
    const std::string stage = testsupport::PrepareStageReading(game);
    ASSERT_FALSE(stage.empty());
    qvserver::ServerInstance server;
    qvserver::ServerConfig config;
    config.database = game.Full("server.db").string();
    config.threads = 4;
    const int port = server.Start(config);
    QVNet::SetServerAddress("http://127.0.0.1:" + std::to_string(port));

    int creator = 0;
    char key[QVNet::kCommonKeyBufferSize];
    const std::string name = Utf8ToCp932("ためし");
    auto r = QVNet::Begin_RegisterCreator(name.c_str(), creator, key, nullptr);
    ASSERT_TRUE(QVNet::WaitForEnd(r.get(), 20s));
    ASSERT_EQ(r->GetState(), QVNet::kStateDone) << r->GetErrorDetail();
    r.reset();
    EXPECT_GT(creator, 0);
    EXPECT_EQ(std::strlen(key), 32u);

    const std::string text = Utf8ToCp932(stage);
    int stageId = 0;
    r = QVNet::Begin_RegisterStage(creator, key, "BackGround002", static_cast<unsigned>(text.size()),
                                   text.c_str(), stageId, nullptr);
    ASSERT_TRUE(QVNet::WaitForEnd(r.get(), 20s));
    ASSERT_EQ(r->GetState(), QVNet::kStateDone) << r->GetErrorDetail();
    r.reset();
    EXPECT_GT(stageId, 0);

    char reply[32768];
    r = QVNet::Begin_GetNewStage(4, reply, sizeof reply, nullptr);
    ASSERT_TRUE(QVNet::WaitForEnd(r.get(), 20s));
    ASSERT_EQ(r->GetState(), QVNet::kStateDone);
    r.reset();
    const std::string list = Cp932ToUtf8(reply);
    EXPECT_EQ(list.rfind("1\n1\n" + std::to_string(stageId) + "\n扉とワープ\n", 0), 0u) << list;

    // The size the list announces is what the download needs.
    const size_t sizeAt = list.find("Quorvald\n") + 9;
    const unsigned size = static_cast<unsigned>(std::stoul(list.substr(sizeAt)));
    std::vector<char> buffer(size);
    r = QVNet::Begin_DownloadStage(stageId, size, buffer.data(), nullptr);
    ASSERT_TRUE(QVNet::WaitForEnd(r.get(), 20s));
    ASSERT_EQ(r->GetState(), QVNet::kStateDone) << r->GetErrorDetail();
    r.reset();
    EXPECT_NE(std::string(buffer.data()).find("<id>" + std::to_string(stageId) + "</id>"), std::string::npos);

    Ended e = Finish(QVNet::Begin_DeleteStage(creator, "0000", stageId, nullptr));
    EXPECT_EQ(e.code, QVNet::EC_AU_ERROR);
    e = Finish(QVNet::Begin_DeleteStage(creator, key, stageId, nullptr));
    EXPECT_EQ(e.state, QVNet::kStateDone);
    e = Finish(QVNet::Begin_DeleteStage(creator, key, stageId, nullptr));
    EXPECT_EQ(e.detail, "P003");
    e = Finish(QVNet::Begin_DeleteCreator(creator, key, nullptr));
    EXPECT_EQ(e.state, QVNet::kStateDone);
    server.Stop();
}

}  // namespace
