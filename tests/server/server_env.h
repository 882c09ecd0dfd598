#pragma once
// What the server tests share: the game's stage kinds in a folder of the test's own, a sample
// stage's text, and quorvald-server processes started and killed by the test.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"
#include "tests/common/temp_folder.h"

// Under the address sanitizer neither time nor a process's resident memory measures the code.
#if defined(__SANITIZE_ADDRESS__)
#define QUOR_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUOR_TEST_UNDER_ASAN 1
#endif
#endif

namespace servertest {

// The CP932 text of a built sample stage; makes `game` hold the stage kinds the reader needs.
inline std::string PrepareGame(testsupport::TempGameFolder& game, const char* sample = "sample01.stg") {
    const std::string stage = testsupport::PrepareStageReading(game, sample);
    EXPECT_FALSE(stage.empty());
    return Utf8ToCp932(stage);
}

// A creator as registration answered: his id and key.
struct Account {
    std::string id, key;
};

// Registers a creator through the server; empty when it was refused.
inline Account Register(httplib::Client& c, const std::string& name) {
    auto r = c.Post("/qv/1/creators", name, "text/plain");
    EXPECT_TRUE(r) << "no answer to a registration";
    if (!r || r->status != 200) return {};
    const size_t nl = r->body.find('\n');
    return {r->body.substr(0, nl), r->body.substr(nl + 1)};
}

// A raw connection to 127.0.0.1:port from a source address of 127/8 (none: the kernel's choice).
class Socket {
  public:
    Socket(int port, const std::string& source = "") {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const timeval wait{2, 0};
        setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
        // A small send buffer: a large send ends only once the server has read most of it.
        const int buffer = 64 * 1024;
        setsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        if (!source.empty()) {
            inet_pton(AF_INET, source.c_str(), &a.sin_addr);
            if (bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) Close();
        }
        a.sin_port = htons(static_cast<uint16_t>(port));
        inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
        if (fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) Close();
    }
    ~Socket() { Close(); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    bool Open() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    bool Send(const std::string& bytes) {
        size_t at = 0;
        while (fd_ >= 0 && at < bytes.size()) {
            const ssize_t n = send(fd_, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (n <= 0) return false;
            at += static_cast<size_t>(n);
        }
        return fd_ >= 0;
    }
    // What arrives within `limit`: a whole reply (head and Content-Length bytes), or less when the
    // peer closes or time runs out.
    std::string Reply(std::chrono::milliseconds limit) {
        std::string in;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (fd_ >= 0 && !Whole(in)) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            char buf[4096];
            const ssize_t n = recv(fd_, buf, sizeof buf, 0);
            if (n <= 0) break;
            in.append(buf, static_cast<size_t>(n));
        }
        return in;
    }

  private:
    static bool Whole(const std::string& in) {
        const size_t end = in.find("\r\n\r\n");
        if (end == std::string::npos) return false;
        const size_t length = in.find("Content-Length: ");
        const size_t body = length < end ? std::stoul(in.substr(length + 16)) : 0;
        return in.size() >= end + 4 + body;
    }
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
};

// A quorvald-server process on a free port of 127.0.0.1.
class ServerProcess {
  public:
    ServerProcess(const testsupport::TempFolder& folder, const std::string& name, const std::string& database,
                  const std::string& extra = "") {
        const std::string out = (folder.Path() / (name + ".out")).string();
        pidFile_ = (folder.Path() / (name + ".pid")).string();
        const std::string cmd = std::string("'") + QUOR_SERVER_EXE +
                                "' --listen 127.0.0.1 --port 0 --game-folder '" + QUOR_GAME_DIR +
                                "' --database '" + database +
                                "' --rate 0 --posts-per-day 0 --registrations-per-day 0 " + extra + " >'" +
                                out + "' 2>&1 & echo $! >'" + pidFile_ + "'";
        std::system(cmd.c_str());
        std::ifstream(pidFile_) >> pid_;
        // The server says where it listens once it serves; the test's own limit bounds the wait.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (port_ == 0 && std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(out);
            std::string line;
            if (std::getline(in, line) && line.find("listening on http://127.0.0.1:") == 0) {
                port_ = std::stoi(line.substr(line.rfind(':') + 1));
            } else {
                std::this_thread::yield();
            }
        }
    }
    ~ServerProcess() { Kill(); }
    int Port() const { return port_; }
    int Pid() const { return pid_; }
    void Kill() {
        if (pid_ > 0) std::system(("kill -9 " + std::to_string(pid_) + " 2>/dev/null; wait").c_str());
        pid_ = 0;
    }
    void Terminate() {
        if (pid_ > 0) std::system(("kill -TERM " + std::to_string(pid_)).c_str());
        pid_ = 0;
    }

  private:
    std::string pidFile_;
    int pid_ = 0;
    int port_ = 0;
};

}  // namespace servertest
