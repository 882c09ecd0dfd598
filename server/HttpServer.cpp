#include "server/HttpServer.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qvserver {
namespace {

// What one connection may hold at once: the request head and the part of a body being read.
constexpr size_t kConnectionMemory = 32 * 1024;

// What a refused upload may still send while its refusal goes out, read and dropped, so that
// the client sees the refusal before the connection closes.
constexpr size_t kLingerBytes = 64 * 1024;
constexpr char kTooLarge[] = "Payload Too Large";
constexpr char kTooLargeMidBody[] =
    "HTTP/1.1 413 Content Too Large\r\nConnection: close\r\nContent-Type: text/plain; "
    "charset=Shift_JIS\r\nContent-Length: 17\r\n\r\nPayload Too Large";

// A request while it arrives.
struct PendingRequest {
    Request request;
    int64_t bodyLimit = 0;
    bool refused = false;
    bool written = false;  // the refusal went straight to the socket
    size_t dropped = 0;    // body bytes read after the refusal
};

std::string AddressOf(const sockaddr* a) {
    char buf[INET6_ADDRSTRLEN] = {};
    if (a == nullptr) return {};
    if (a->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a)->sin_addr, buf, sizeof buf);
    } else if (a->sa_family == AF_INET6) {
        const in6_addr& v6 = reinterpret_cast<const sockaddr_in6*>(a)->sin6_addr;
        if (IN6_IS_ADDR_V4MAPPED(&v6)) {
            inet_ntop(AF_INET, v6.s6_addr + 12, buf, sizeof buf);
        } else {
            inet_ntop(AF_INET6, &v6, buf, sizeof buf);
        }
    }
    return buf;
}

std::string Trim(const std::string& s) {
    const size_t from = s.find_first_not_of(" \t");
    if (from == std::string::npos) return {};
    return s.substr(from, s.find_last_not_of(" \t") - from + 1);
}

std::vector<std::string> SplitList(const std::string& s) {
    std::vector<std::string> parts;
    size_t at = 0;
    for (;;) {
        const size_t comma = s.find(',', at);
        parts.push_back(Trim(s.substr(at, comma == std::string::npos ? std::string::npos : comma - at)));
        if (comma == std::string::npos) return parts;
        at = comma + 1;
    }
}

void ReleaseBody(void* cls) { std::unique_ptr<std::string> owned(static_cast<std::string*>(cls)); }

MHD_Result Send(MHD_Connection* connection, Reply reply) {
    // The body is handed over, not copied: a stage text is some hundreds of kilobytes.
    std::string* body = std::make_unique<std::string>(std::move(reply.body)).release();
    MHD_Response* response = MHD_create_response_from_buffer_with_free_callback_cls(
        body->size(), body->data(), &ReleaseBody, body);
    if (response == nullptr) {
        ReleaseBody(body);
        return MHD_NO;
    }
    MHD_add_response_header(response, "Content-Type", "text/plain; charset=Shift_JIS");
    if (reply.errorCode != 0) {
        MHD_add_response_header(response, kErrorHeader, std::to_string(reply.errorCode).c_str());
    }
    const MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

// Refuses a body whose declared length passes its path's limit, before reading any of it.
MHD_Result Refuse(MHD_Connection* connection, PendingRequest& pending) {
    pending.refused = true;
    Reply reply;
    reply.status = 413;
    reply.body = kTooLarge;
    return Send(connection, std::move(reply));
}

// Refuses a body that passed its limit while streaming. The library queues replies only before
// or after a body, so the refusal is written to the socket here (nothing else is being written
// while a body arrives) and the connection ends once a little more of the body was dropped.
MHD_Result RefuseMidBody(MHD_Connection* connection, PendingRequest& pending) {
    pending.refused = true;
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    if (info == nullptr) return MHD_NO;
    const ssize_t sent = send(info->connect_fd, kTooLargeMidBody, sizeof kTooLargeMidBody - 1, MSG_NOSIGNAL);
    if (sent != static_cast<ssize_t>(sizeof kTooLargeMidBody - 1)) return MHD_NO;
    shutdown(info->connect_fd, SHUT_WR);
    pending.written = true;
    return MHD_YES;
}

MHD_Result KeepHeader(void* cls, MHD_ValueKind, const char* key, size_t keySize, const char* value,
                      size_t valueSize) {
    auto& headers = *static_cast<std::map<std::string, std::string>*>(cls);
    std::string name(key, keySize);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    const std::string text = value ? std::string(value, valueSize) : std::string();
    auto [it, fresh] = headers.emplace(name, text);
    // A header sent twice is one list, as HTTP reads it.
    if (!fresh) it->second += ", " + text;
    return MHD_YES;
}

MHD_Result KeepArgument(void* cls, MHD_ValueKind, const char* key, size_t keySize, const char* value,
                        size_t valueSize) {
    auto& query = *static_cast<std::multimap<std::string, std::string>*>(cls);
    query.emplace(std::string(key, keySize), value ? std::string(value, valueSize) : std::string());
    return MHD_YES;
}

std::string HeaderOf(const Request& r, const char* name) {
    auto it = r.headers.find(name);
    return it == r.headers.end() ? std::string() : it->second;
}

MHD_Result Answer(HttpServer& server, MHD_Connection* connection, Request& request) {
    MHD_get_connection_values_n(connection, MHD_HEADER_KIND, &KeepHeader, &request.headers);
    MHD_get_connection_values_n(connection, MHD_GET_ARGUMENT_KIND, &KeepArgument, &request.query);
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    request.remoteAddress =
        server.ClientAddress(info ? AddressOf(info->client_addr) : std::string(),
                             HeaderOf(request, "x-forwarded-for"), HeaderOf(request, "x-real-ip"));
    return Send(connection, server.Handlers().Handle(request));
}

MHD_Result OnRequest(void* cls, MHD_Connection* connection, const char* url, const char* method, const char*,
                     const char* upload, size_t* uploadSize, void** state) {
    auto& server = *static_cast<HttpServer*>(cls);
    auto* pending = static_cast<PendingRequest*>(*state);
    if (pending == nullptr) {
        auto fresh = std::make_unique<PendingRequest>();
        fresh->request.method = method;
        fresh->request.path = url;
        fresh->bodyLimit = server.Handlers().BodyLimit(fresh->request.method, fresh->request.path);
        pending = fresh.release();
        *state = pending;
        // A declared length past the limit is refused before a byte of the body is read.
        const char* length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
        const bool streamed =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Transfer-Encoding") != nullptr;
        if ((length != nullptr &&
             std::strtoull(length, nullptr, 10) > static_cast<uint64_t>(pending->bodyLimit)) ||
            (streamed && pending->bodyLimit == 0)) {
            return Refuse(connection, *pending);
        }
        return MHD_YES;
    }
    if (*uploadSize > 0) {
        // Counted as it streams in, chunked or not.
        if (pending->refused) {
            pending->dropped += *uploadSize;
            *uploadSize = 0;
            return pending->dropped > kLingerBytes ? MHD_NO : MHD_YES;
        }
        std::string& body = pending->request.body;
        if (static_cast<int64_t>(body.size() + *uploadSize) > pending->bodyLimit) {
            *uploadSize = 0;
            return RefuseMidBody(connection, *pending);
        }
        body.append(upload, *uploadSize);
        *uploadSize = 0;
        return MHD_YES;
    }
    // A body refused while it streamed ended: its refusal is out, the connection ends.
    if (pending->refused) return pending->written ? MHD_NO : MHD_YES;
    return Answer(server, connection, pending->request);
}

void OnCompleted(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode) {
    std::unique_ptr<PendingRequest> done(static_cast<PendingRequest*>(*state));
    *state = nullptr;
}

MHD_Result OnAccept(void* cls, const sockaddr* address, socklen_t) {
    return static_cast<HttpServer*>(cls)->Admit(AddressOf(address)) ? MHD_YES : MHD_NO;
}

void OnConnection(void* cls, MHD_Connection* connection, void** state, MHD_ConnectionNotificationCode code) {
    auto& server = *static_cast<HttpServer*>(cls);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        const MHD_ConnectionInfo* info =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        auto peer = std::make_unique<std::string>(info ? AddressOf(info->client_addr) : std::string());
        server.Opened(*peer);
        *state = peer.release();
    } else if (*state != nullptr) {
        std::unique_ptr<std::string> peer(static_cast<std::string*>(*state));
        *state = nullptr;
        server.Closed(*peer);
    }
}

}  // namespace

std::string CanonicalAddress(const std::string& text) {
    std::string s = Trim(text);
    if (s.size() > 2 && s.front() == '[' && s.back() == ']') s = s.substr(1, s.size() - 2);
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    if (inet_pton(AF_INET, s.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        return AddressOf(reinterpret_cast<const sockaddr*>(&v4));
    }
    if (inet_pton(AF_INET6, s.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        return AddressOf(reinterpret_cast<const sockaddr*>(&v6));
    }
    return {};
}

void RaiseOpenFileLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
}

HttpServer::HttpServer(RequestHandlers& handlers, TransportOptions options)
    : handlers_(handlers), options_(std::move(options)) {
    for (const std::string& proxy : options_.trustedProxies) {
        const std::string canonical = CanonicalAddress(proxy);
        if (!canonical.empty()) trusted_.insert(canonical);
    }
}

HttpServer::~HttpServer() {
    Stop();
    std::unique_lock<std::mutex> lock(mutex_);
    stopped_.wait(lock, [this] { return !running_; });
    if (listenFd_ >= 0) close(listenFd_);
}

int HttpServer::Bind(const std::string& host, int port) {
    const std::string where = host + ":" + std::to_string(port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int failed = getaddrinfo(host.empty() ? nullptr : host.c_str(), std::to_string(port).c_str(),
                                       &hints, &found)) {
        bindError_ = "cannot listen on " + where + ": " + gai_strerror(failed);
        return -1;
    }
    const int fd = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    // SO_REUSEADDR only: a restarted server binds while old connections linger, but a second
    // server on a port in use fails instead of sharing it (no SO_REUSEPORT).
    const int on = 1;
    const bool bound = fd >= 0 && setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
                       bind(fd, found->ai_addr, found->ai_addrlen) == 0 && listen(fd, SOMAXCONN) == 0;
    const int error = errno;
    freeaddrinfo(found);
    if (!bound) {
        bindError_ = "cannot listen on " + where + ": " + std::strerror(error);
        if (error == EADDRINUSE) bindError_ += " (is another quorvald-server running there?)";
        if (fd >= 0) close(fd);
        return -1;
    }
    sockaddr_storage local{};
    socklen_t size = sizeof local;
    getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size);
    listenFd_ = fd;
    return ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                             : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
}

bool HttpServer::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (listenFd_ < 0 || running_) return false;
    if (stopping_) return true;
    RaiseOpenFileLimit();
    std::vector<MHD_OptionItem> items = {
        {MHD_OPTION_LISTEN_SOCKET, listenFd_, nullptr},
        {MHD_OPTION_CONNECTION_LIMIT, std::max(1, options_.maxConnections), nullptr},
        {MHD_OPTION_CONNECTION_TIMEOUT, std::max(0, options_.idleTimeoutSeconds), nullptr},
        {MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<intptr_t>(kConnectionMemory), nullptr},
        {MHD_OPTION_NOTIFY_COMPLETED, reinterpret_cast<intptr_t>(&OnCompleted), nullptr},
    };
    if (options_.threads > 1) items.push_back({MHD_OPTION_THREAD_POOL_SIZE, options_.threads, nullptr});
    if (options_.connectionsPerAddress > 0) {
        items.push_back({MHD_OPTION_NOTIFY_CONNECTION, reinterpret_cast<intptr_t>(&OnConnection), this});
    }
    items.push_back({MHD_OPTION_END, 0, nullptr});
    const unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_TURBO;
    MHD_AcceptPolicyCallback admit = options_.connectionsPerAddress > 0 ? &OnAccept : nullptr;
    daemon_ = MHD_start_daemon(flags, 0, admit, this, &OnRequest, this, MHD_OPTION_ARRAY, items.data(),
                               MHD_OPTION_END);
    if (daemon_ == nullptr) return false;
    listenFd_ = -1;  // the daemon closes it
    running_ = true;
    stopped_.wait(lock, [this] { return stopping_; });
    MHD_Daemon* daemon = daemon_;
    daemon_ = nullptr;
    lock.unlock();
    MHD_stop_daemon(daemon);
    lock.lock();
    running_ = false;
    stopped_.notify_all();
    return true;
}

void HttpServer::Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    stopped_.notify_all();
}

bool HttpServer::IsRunning() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_ && !stopping_;
}

bool HttpServer::IsTrusted(const std::string& address) const { return trusted_.count(address) > 0; }

std::string HttpServer::ClientAddress(const std::string& peer, const std::string& forwardedFor,
                                      const std::string& realIp) const {
    if (!IsTrusted(peer)) return peer;
    if (!forwardedFor.empty()) {
        // Each proxy appends the address it heard from: the rightmost untrusted one is the
        // client, whatever the client itself wrote to the left of it.
        const std::vector<std::string> hops = SplitList(forwardedFor);
        for (auto hop = hops.rbegin(); hop != hops.rend(); ++hop) {
            std::string address = CanonicalAddress(*hop);
            if (address.empty()) break;
            if (!IsTrusted(address)) return address;
        }
        return peer;
    }
    std::string address = CanonicalAddress(realIp);
    return address.empty() ? peer : address;
}

bool HttpServer::Admit(const std::string& peer) {
    if (IsTrusted(peer)) return true;
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = open_.find(peer);
    return it == open_.end() || it->second < options_.connectionsPerAddress;
}

void HttpServer::Opened(const std::string& peer) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++open_[peer];
}

void HttpServer::Closed(const std::string& peer) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = open_.find(peer);
    if (it != open_.end() && --it->second <= 0) open_.erase(it);
}

}  // namespace qvserver
