#include "server/HttpServer.h"

#include <httplib.h>

#include <algorithm>

namespace qvserver {
namespace {

Request ToRequest(const httplib::Request& in) {
    Request r;
    r.method = in.method;
    r.path = in.path;
    for (const auto& [k, v] : in.params) r.query.emplace(k, v);
    for (const auto& [k, v] : in.headers) {
        std::string name = k;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        r.headers[name] = v;
    }
    r.body = in.body;
    r.remoteAddress = in.remote_addr;
    return r;
}

}  // namespace

HttpServer::HttpServer(RequestHandlers& handlers, int threads)
    : handlers_(handlers), server_(std::make_unique<httplib::Server>()) {
    const int n = std::max(1, threads);
    server_->new_task_queue = [n] { return new httplib::ThreadPool(static_cast<size_t>(n)); };
    const ServerOptions& o = handlers_.Options();
    server_->set_payload_max_length(static_cast<size_t>(std::max(o.maxStageBytes, o.maxBodyBytes) + 4096));
    // Replies go out in two writes (head, body): without this the second waits for the
    // client's delayed acknowledgement, some 40 ms a reply.
    server_->set_tcp_nodelay(true);
    server_->set_keep_alive_max_count(10000);
    server_->set_keep_alive_timeout(5);
    server_->set_read_timeout(10, 0);
    server_->set_write_timeout(10, 0);
    auto serve = [this](const httplib::Request& in, httplib::Response& out) {
        const Reply reply = handlers_.Handle(ToRequest(in));
        out.status = reply.status;
        if (reply.errorCode != 0) out.set_header(kErrorHeader, std::to_string(reply.errorCode));
        out.set_content(reply.body, "text/plain; charset=Shift_JIS");
    };
    server_->Get(".*", serve);
    server_->Post(".*", serve);
    server_->Delete(".*", serve);
}

HttpServer::~HttpServer() { Stop(); }

int HttpServer::Bind(const std::string& host, int port) {
    if (port == 0) return server_->bind_to_any_port(host);
    return server_->bind_to_port(host, port) ? port : -1;
}

bool HttpServer::Run() { return server_->listen_after_bind(); }

void HttpServer::Stop() {
    if (server_) server_->stop();
}

bool HttpServer::IsRunning() const { return server_->is_running(); }

}  // namespace qvserver
