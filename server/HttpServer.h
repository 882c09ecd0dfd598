#pragma once
// The request handlers behind HTTP (cpp-httplib): a pool of worker threads, keep-alive
// connections, bodies capped before they are read whole.
#include <memory>
#include <string>

#include "server/RequestHandlers.h"

namespace httplib {
class Server;
}

namespace qvserver {

class HttpServer {
  public:
    // `threads`: the workers; each keeps one connection while it is open.
    HttpServer(RequestHandlers& handlers, int threads);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds the address; port 0 takes a free one. The bound port, or -1 when it failed.
    int Bind(const std::string& host, int port);
    // Serves until Stop (blocks). False when it could not serve.
    bool Run();
    // Stops serving; Run returns. Safe from any thread.
    void Stop();
    bool IsRunning() const;

  private:
    RequestHandlers& handlers_;
    std::unique_ptr<httplib::Server> server_;
};

}  // namespace qvserver
