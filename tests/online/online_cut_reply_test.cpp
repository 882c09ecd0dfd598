// Replies cut short or not saying what the API says: a server on loopback that writes a fixed
// answer, stops where the test says and closes. Nothing counts as done that the server did not
// confirm whole; the player sees the network error and keeps what he had.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "controls/NetWorkBusyWindow.h"
#include "online/AdminCreatorForm.h"
#include "online/QVNet.h"
#include "tests/online/online_forms_env.h"
#include "tests/online/request_end.h"

namespace {

using namespace std::chrono_literals;

// Answers every connection with `answer` once the request's head has come, then closes. Bounded:
// it waits at most two seconds for anything and stops with the test.
class CutServer {
  public:
    explicit CutServer(std::string answer) : answer_(std::move(answer)) {
        listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(listen_, reinterpret_cast<sockaddr*>(&a), len) != 0 || ::listen(listen_, 8) != 0 ||
            ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
            ADD_FAILURE() << "no loopback socket";
            return;
        }
        QVNet::SetServerAddress("http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)));
        thread_ = std::thread([this] { Serve(); });
    }
    ~CutServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        ::close(listen_);
        QVNet::SetServerAddress("");
    }
    CutServer(const CutServer&) = delete;
    CutServer& operator=(const CutServer&) = delete;

  private:
    static bool Readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 100) > 0;
    }
    void Serve() {
        while (!stop_) {
            if (!Readable(listen_)) continue;
            const int c = ::accept(listen_, nullptr, nullptr);
            if (c < 0) continue;
            std::string head;
            char buf[4096];
            for (int waits = 0; head.find("\r\n\r\n") == std::string::npos && waits < 20 && !stop_; ++waits) {
                if (!Readable(c)) continue;
                const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0) break;
                head.append(buf, static_cast<size_t>(n));
            }
            (void)!::send(c, answer_.data(), answer_.size(), MSG_NOSIGNAL);
            ::shutdown(c, SHUT_RDWR);
            ::close(c);
        }
    }

    std::string answer_;
    int listen_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

using onlinetest::Ended;
using onlinetest::Finish;

class CutReply : public ::testing::Test {
  protected:
    void SetUp() override { QVNet::SetTimeouts({2000ms, 5000ms}); }
    void TearDown() override { QVNet::SetTimeouts({}); }

    // Every request that counts on the server's word, against the server as it is.
    std::vector<Ended> AskEverything() {
        std::vector<Ended> e;
        char list[32768];
        char appraisal[80];
        const QVNet::PlayHistory record{7, 1, 600, 0, 80};
        e.push_back(Finish(QVNet::Begin_CheckServer(nullptr)));
        e.push_back(Finish(QVNet::Begin_DeleteCreator(5, "key", nullptr)));
        e.push_back(Finish(QVNet::Begin_DeleteStage(5, "key", 9, nullptr)));
        e.push_back(Finish(QVNet::Begin_SendPlayHistory(1, &record, nullptr)));
        e.push_back(Finish(QVNet::Begin_GetNewStage(4, list, sizeof list, nullptr)));
        e.push_back(Finish(QVNet::Begin_GetAppraisal(5, appraisal, sizeof appraisal, nullptr)));
        return e;
    }
};

TEST_F(CutReply, AHeadCutOffIsADroppedConnection) {
    CutServer server("HTTP/1.1 200 OK\r\n");
    for (const Ended& e : AskEverything()) {
        EXPECT_EQ(e.state, QVNet::kStateFailed);
        EXPECT_EQ(e.code, QVNet::EC_NW_ERROR);
        EXPECT_EQ(e.detail, QVNet::kDetailConnectionDropped);
    }
}

// Cuts the HTTP library takes for whole replies, read up to the close: only the client's own
// comparison with the announced length tells them. (A body shorter than a plain Content-Length
// the library refuses by itself.)
TEST_F(CutReply, ABodyShorterThanAnnouncedOrOfNoAnnouncedLengthIsNotWhole) {
    for (const char* answer : {
             // A transfer coding beside the length: the library reads to the close.
             "HTTP/1.1 200 OK\r\nTransfer-Encoding: identity\r\nContent-Length: 40\r\n\r\nOK",
             "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nOK",
             // The server's refusal is kept too: a cut one would show a cut limit.
             "HTTP/1.1 429 Too Many Requests\r\nX-Quorvald-Error: 2\r\nConnection: close\r\n\r\n1",
         }) {
        CutServer server(answer);
        for (const Ended& e : AskEverything()) {
            EXPECT_EQ(e.state, QVNet::kStateFailed) << answer;
            EXPECT_EQ(e.code, QVNet::EC_NW_ERROR) << answer;
            EXPECT_EQ(e.detail, QVNet::kDetailConnectionDropped) << answer;
        }
    }
}

TEST_F(CutReply, ConfirmationsMustSayOk) {
    {
        CutServer server("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
        const std::vector<Ended> e = AskEverything();
        for (size_t i = 0; i < 4; ++i) EXPECT_EQ(e[i].detail, QVNet::kDetailBadReply) << i;
    }
    CutServer server("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK");
    const std::vector<Ended> e = AskEverything();
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(e[i].state, QVNet::kStateDone) << i;
}

// The account screen's deletion of the creator over the real library: the server's head is cut,
// so the creator keeps his id, key and points, and the error window says why.
class CutDeletion : public onlinetest::OnlineFormTest {
  protected:
    void SetUp() override {
        OnlineFormTest::SetUp();
        QVNet::SetLibrary(nullptr);
        QVNet::SetTimeouts({2000ms, 5000ms});
    }
    void TearDown() override {
        QVNet::SetTimeouts({});
        OnlineFormTest::TearDown();
    }
    // The request ends and the accessor sees it.
    void Settle() {
        ASSERT_TRUE(Net()->WaitForRequest(20s));
        Net()->Poll();
    }
};

TEST_F(CutDeletion, TheCreatorStaysAndTheErrorIsShown) {
    CutServer server("HTTP/1.1 200 OK\r\n");
    Controls::CDeleteCreatorHiddenWindow worker;
    for (int question = 0; question < 3; ++question) {
        Yes(worker.GetModalForm());
        worker.Update();
    }
    Settle();
    ASSERT_NE(Net()->GetWindow(), nullptr);
    EXPECT_EQ(
        Net()->GetWindow()->GetMessageLabel()->GetText(),
        "接続中にエラーが発生しました！\n[EC_NW_ERROR]\n未知のネットワークエラーが発生しました。(12030)");
    Net()->OnWindowClosed();
    Net()->Poll();
    EXPECT_FALSE(worker.IsDeleted());
    CClientInfo* info = CClientInfo::GetInstance();
    EXPECT_EQ(info->GetCreatorId(), "5");
    EXPECT_EQ(info->GetCommonKey(), "0123abcd");
    EXPECT_EQ(info->GetCreatorPoint(), 77);
    EXPECT_EQ(info->GetRatingPointSum(), 200);
}

}  // namespace
