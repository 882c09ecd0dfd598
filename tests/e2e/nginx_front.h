#pragma once
// The example reverse-proxy configuration (dist/quorvald-server.nginx.conf) run by a real nginx in
// front of a test's server: its certificate lines left out and its addresses moved to loopback
// ports, everything else (buffering, limits, the forwarded address) as shipped.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

namespace e2etest {

// Where nginx is installed, or empty.
inline std::string FindNginx() {
    for (const char* p : {"/usr/sbin/nginx", "/usr/local/sbin/nginx", "/usr/bin/nginx"})
        if (::access(p, X_OK) == 0) return p;
    return {};
}

// A port of 127.0.0.1 that is free now.
inline int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

// The shipped configuration for plain HTTP on 127.0.0.1:`port`, passing to 127.0.0.1:`serverPort`.
inline std::string LoopbackConfig(const std::string& shipped, int port, int serverPort) {
    std::istringstream in(shipped);
    std::string out, line;
    while (std::getline(in, line)) {
        if (std::regex_search(line, std::regex(R"(^\s*ssl_)"))) continue;
        line = std::regex_replace(line, std::regex(R"(listen 443 ssl;)"),
                                  "listen 127.0.0.1:" + std::to_string(port) + ";");
        line = std::regex_replace(line, std::regex(R"(server 127\.0\.0\.1:8631;)"),
                                  "server 127.0.0.1:" + std::to_string(serverPort) + ";");
        out += line + "\n";
    }
    return out;
}

// nginx serving the example configuration from `folder` until destroyed.
class NginxFront {
  public:
    NginxFront(const std::string& nginx, const std::filesystem::path& folder, int serverPort)
        : folder_(folder) {
        std::ifstream in(std::string(QUOR_DIST_DIR) + "/quorvald-server.nginx.conf");
        std::stringstream shipped;
        shipped << in.rdbuf();
        port_ = FreeLoopbackPort();
        const std::string site = LoopbackConfig(shipped.str(), port_, serverPort);
        EXPECT_NE(site.find("127.0.0.1:" + std::to_string(port_)), std::string::npos) << site;
        std::filesystem::create_directories(folder_ / "temp");
        const std::string f = folder_.string();
        std::ofstream(folder_ / "site.conf") << site;
        std::ofstream(folder_ / "nginx.conf") << "user root;\n"
                                                 "worker_processes 1;\n"
                                                 "daemon off;\n"
                                                 "pid "
                                              << f
                                              << "/nginx.pid;\n"
                                                 "error_log "
                                              << f
                                              << "/error.log;\n"
                                                 "events { worker_connections 256; }\n"
                                                 "http {\n"
                                                 "  access_log "
                                              << f
                                              << "/access.log;\n"
                                                 "  client_body_temp_path "
                                              << f
                                              << "/temp/body;\n"
                                                 "  proxy_temp_path "
                                              << f
                                              << "/temp/proxy;\n"
                                                 "  fastcgi_temp_path "
                                              << f
                                              << "/temp/fastcgi;\n"
                                                 "  uwsgi_temp_path "
                                              << f
                                              << "/temp/uwsgi;\n"
                                                 "  scgi_temp_path "
                                              << f
                                              << "/temp/scgi;\n"
                                                 "  include "
                                              << f
                                              << "/site.conf;\n"
                                                 "}\n";
        const std::string cmd = "'" + nginx + "' -e '" + f + "/error.log' -p '" + f + "' -c '" + f +
                                "/nginx.conf' >'" + f + "/nginx.out' 2>&1 & echo $! >'" + f + "/run.pid'";
        std::system(cmd.c_str());
        std::ifstream(folder_ / "run.pid") >> pid_;
        // Ready once the port answers; the test's own limit bounds the wait.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!Answers() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        ready_ = Answers();
    }
    ~NginxFront() {
        if (pid_ > 0) std::system(("kill -TERM " + std::to_string(pid_) + " 2>/dev/null").c_str());
    }
    bool Ready() const { return ready_; }
    int Port() const { return port_; }
    // What nginx said of itself, for a failure message.
    std::string ErrorLog() const {
        std::ifstream in(folder_ / "error.log");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

  private:
    bool Answers() const {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(port_));
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        return ok;
    }
    std::filesystem::path folder_;
    int port_ = 0;
    int pid_ = 0;
    bool ready_ = false;
};

}  // namespace e2etest
