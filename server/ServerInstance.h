#pragma once
// One running sharing server: the store, the handlers and the HTTP server on a thread of their
// own. The quorvald-server program runs one; the game runs one on 127.0.0.1 when no server
// address is set.
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "server/HttpServer.h"
#include "server/RequestHandlers.h"

namespace qvserver {

struct ServerConfig {
    std::string host = "127.0.0.1";
    int port = 0;  // 0: any free port
    std::string database = "quorvald-server.db";
    StoreKind databaseKind = StoreKind::Guess;
    int threads = 64;  // the transport's polling threads (overrides transport.threads)
    // Database connections, and as many workers run the requests that use them (overrides
    // transport.workers).
    int connections = 8;
    // The longest a request waits for a worker, a database connection or SQLite's write lock
    // (overrides transport.storeWait); then it is answered 503 (error 4).
    std::chrono::milliseconds databaseWait = kDefaultDatabaseWait;
    ServerOptions options;
    TransportOptions transport;
};

class ServerInstance {
  public:
    ServerInstance();
    ~ServerInstance();
    ServerInstance(const ServerInstance&) = delete;
    ServerInstance& operator=(const ServerInstance&) = delete;

    // Opens the store, binds and starts serving on a thread. The bound port; throws StoreError
    // when the store cannot be opened and std::runtime_error when the address cannot be bound.
    int Start(const ServerConfig& config);
    // Stops serving and waits for the thread.
    void Stop();
    int Port() const { return port_; }

  private:
    std::unique_ptr<IStageStore> store_;
    std::unique_ptr<RequestHandlers> handlers_;
    std::unique_ptr<HttpServer> http_;
    std::thread thread_;
    int port_ = -1;
};

}  // namespace qvserver
