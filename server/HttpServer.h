#pragma once
// The request handlers behind HTTP (libmicrohttpd, event-driven). A few threads each wait on
// their share of the connections with epoll, read heads and bodies, and answer what needs no
// database; idle and slow connections hold only a socket and a small buffer, never a thread.
// What reads or writes the store runs on a pool of workers while its connection waits
// suspended, so a slow or locked database holds up no connection beside it.
//
// A request's head is judged before any of its body is kept (RequestHandlers::Admit, and
// AdmitFromStore on a worker). An admitted body is read into a buffer of its declared length,
// within a budget of bytes that all the bodies being read share; a refused one is read and
// dropped, so that the client reads the refusal after it, unless it passes its path's limit.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
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
    int threads = 64;               // threads polling connections (epoll)
    int workers = 8;                // threads running the requests that use the store
    int maxConnections = 10000;     // open connections at once; more wait in the listen queue
    int connectionsPerAddress = 0;  // open connections per client address; 0: no cap
    int idleTimeoutSeconds = 15;    // a connection silent this long is closed; 0: never
    // Bytes that the bodies being read may hold together; a body that does not fit is refused
    // (503 with Retry-After).
    int64_t bodyMemory = int64_t{32} << 20;
    // The longest a request waits for a worker; past it, it is answered 503 (error 4) unrun.
    std::chrono::milliseconds storeWait = kDefaultDatabaseWait;
    // Addresses whose client-address header names the client; from any other address the
    // header is ignored.
    std::vector<std::string> trustedProxies;
    // The header in which a trusted proxy names the client (a list: the rightmost address that
    // is not a trusted proxy counts). No other header is read for it.
    std::string clientAddressHeader = "X-Forwarded-For";
    size_t threadStackBytes = 0;  // the stack of each polling thread; 0: the system's
    // Where the transport's and libmicrohttpd's messages go, one line each; none: standard error.
    std::function<void(const std::string&)> log;
};

class BodyBudget;
class WorkerPool;
class UniqueFd;
struct TransportCallbacks;

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
    // Serves until Stop (blocks), then closes the listening socket. False when it could not
    // serve (the socket is closed then too).
    bool Run();
    // Stops serving; Run returns. Safe from any thread.
    void Stop();
    bool IsRunning() const;

  private:
    friend struct TransportCallbacks;

    bool IsTrusted(const std::string& address) const;
    // The client a request is from, as the handlers count it (see Request::remoteAddress): the
    // peer, or what a trusted peer's client-address header names.
    std::string ClientAddress(const std::string& peer, const std::string& header) const;
    // Counts one more connection from the peer, or refuses it at the per-address cap, in one
    // step; Uncount gives it back when the connection closes.
    bool CountConnection(const std::string& peer);
    void UncountConnection(const std::string& counted);
    // One line to the log; past a few lines a second the rest are only counted.
    void Log(const std::string& line) noexcept;
    // Answers the requests at the workers, then stops the library's daemon.
    void StopServing(MHD_Daemon* daemon);

    RequestHandlers& handlers_;
    TransportOptions options_;
    std::string addressHeader_;      // clientAddressHeader in lower case
    std::set<std::string> trusted_;  // canonical addresses
    std::unique_ptr<UniqueFd> listen_;
    std::string bindError_;
    std::unique_ptr<BodyBudget> budget_;
    std::unique_ptr<WorkerPool> workers_;

    mutable std::mutex mutex_;  // guards the fields below
    bool running_ = false;
    bool stopping_ = false;
    std::condition_variable stopped_;

    std::mutex countMutex_;
    std::map<std::string, int> open_;  // open connections per counted address, with a cap only

    std::mutex logMutex_;
    std::chrono::steady_clock::time_point logWindow_{};
    int loggedInWindow_ = 0;
    int unlogged_ = 0;
};

// The canonical text of an IPv4 or IPv6 address (IPv4-mapped IPv6 as IPv4); empty when the
// text is no address.
std::string CanonicalAddress(const std::string& text);
// The address a client counts as, from a canonical one: an IPv4 address as it is, an IPv6
// address as its /64 network ("2001:db8:1:2::/64"; one host commonly holds a whole /64).
std::string CountedAddress(const std::string& canonical);

// Raises this process's soft limit of open files to its hard limit (each connection is a file).
void RaiseOpenFileLimit();

}  // namespace qvserver
