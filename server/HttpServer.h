#pragma once
// The request handlers behind HTTP (libmicrohttpd, event-driven): a few threads each wait on
// their share of the connections with epoll and run the handlers, so idle and slow connections
// hold only a socket and a small buffer, never a thread. Bodies are counted while they arrive and
// refused (413) once they pass the limit of their path; a path that takes no body takes none.
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "server/RequestHandlers.h"

struct MHD_Daemon;

namespace qvserver {

struct TransportOptions {
    int threads = 64;               // threads polling connections and running the handlers
    int maxConnections = 10000;     // open connections at once; more wait in the listen queue
    int connectionsPerAddress = 0;  // open connections per client address; 0: no cap
    int idleTimeoutSeconds = 15;    // a connection silent this long is closed; 0: never
    // Addresses whose X-Forwarded-For (or X-Real-IP) header names the client; a header from
    // any other address is ignored.
    std::vector<std::string> trustedProxies;
};

class HttpServer {
  public:
    HttpServer(RequestHandlers& handlers, TransportOptions options);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds the address and listens; port 0 takes a free one. The bound port, or -1 when it
    // failed (BindError says why, e.g. the port is in use: no second server shares a port).
    int Bind(const std::string& host, int port);
    const std::string& BindError() const { return bindError_; }
    // Serves until Stop (blocks). False when it could not serve.
    bool Run();
    // Stops serving; Run returns. Safe from any thread.
    void Stop();
    bool IsRunning() const;

    // The address a request is from: the peer, or what a trusted proxy's header names.
    std::string ClientAddress(const std::string& peer, const std::string& forwardedFor,
                              const std::string& realIp) const;
    // Whether one more connection from this peer is welcome (the per-address cap).
    bool Admit(const std::string& peer);
    void Opened(const std::string& peer);
    void Closed(const std::string& peer);
    RequestHandlers& Handlers() { return handlers_; }

  private:
    bool IsTrusted(const std::string& address) const;

    RequestHandlers& handlers_;
    TransportOptions options_;
    std::set<std::string> trusted_;  // canonical addresses
    int listenFd_ = -1;
    std::string bindError_;
    mutable std::mutex mutex_;  // guards the fields below and open_
    MHD_Daemon* daemon_ = nullptr;
    bool running_ = false;
    bool stopping_ = false;
    std::map<std::string, int> open_;  // open connections per peer, with a cap only
    std::condition_variable stopped_;
};

// The canonical text of an IPv4 or IPv6 address (IPv4-mapped IPv6 as IPv4); empty when the
// text is no address.
std::string CanonicalAddress(const std::string& text);

// Raises this process's soft limit of open files to its hard limit (each connection is a file).
void RaiseOpenFileLimit();

}  // namespace qvserver
