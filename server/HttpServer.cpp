#include "server/HttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <thread>

namespace qvserver {

// A file descriptor with one owner, closed once.
class UniqueFd {
  public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

// The bytes that request bodies hold, shared by every connection, with a cap.
class BodyBudget {
  public:
    explicit BodyBudget(int64_t cap) : cap_(cap) {}
    bool Take(int64_t bytes) {
        int64_t used = used_.load();
        do {
            if (bytes > cap_ - used) return false;
        } while (!used_.compare_exchange_weak(used, used + bytes));
        return true;
    }
    void Give(int64_t bytes) { used_ -= bytes; }

  private:
    const int64_t cap_;
    std::atomic<int64_t> used_{0};
};

// Threads that run the requests that use the store while their connections wait suspended. A
// job that waited for a thread longer than the store's wait is run as late (it answers without
// the store), so a crowd of requests behind a stalled database is answered in bounded time.
class WorkerPool {
  public:
    using Clock = std::chrono::steady_clock;
    using Job = std::function<void(bool late)>;
    struct Queued {
        Job run;
        Clock::time_point deadline;
    };

    WorkerPool(int threads, std::chrono::milliseconds wait) : wait_(wait) {
        for (int i = 0; i < std::max(1, threads); ++i) threads_.emplace_back([this] { Work(); });
    }
    ~WorkerPool() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ending_ = true;
        }
        ready_.notify_all();
        for (std::thread& t : threads_) t.join();
    }
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // A job ready to queue: made before its connection is suspended, since queueing it must not
    // fail once it is.
    std::list<Queued> Prepare(Job job) const {
        std::list<Queued> one;
        one.push_back({std::move(job), Clock::now() + wait_});
        return one;
    }
    // Counts one more job in; false once the pool is closed (the caller answers without it).
    bool Enter() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_) return false;
        ++inFlight_;
        return true;
    }
    // Queues a prepared job that Enter counted in.
    void Submit(std::list<Queued>& job) noexcept {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.splice(queue_.end(), job);
        }
        ready_.notify_one();
    }
    // Lets no more jobs in and waits until every job counted in has run.
    void Close() {
        std::unique_lock<std::mutex> lock(mutex_);
        closed_ = true;
        idle_.wait(lock, [this] { return inFlight_ == 0; });
    }

  private:
    void Work() {
        for (;;) {
            std::list<Queued> mine;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                ready_.wait(lock, [this] { return ending_ || !queue_.empty(); });
                if (queue_.empty()) return;
                mine.splice(mine.begin(), queue_, queue_.begin());
            }
            Queued& job = mine.front();
            job.run(Clock::now() > job.deadline);  // a job catches what it throws
            std::lock_guard<std::mutex> lock(mutex_);
            if (--inFlight_ == 0) idle_.notify_all();
        }
    }

    const std::chrono::milliseconds wait_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::condition_variable idle_;
    std::list<Queued> queue_;
    int inFlight_ = 0;
    bool closed_ = false;
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

namespace {

// What one connection may hold at once: the request head and the part of a body being read.
constexpr size_t kConnectionMemory = 32 * 1024;
// What a body may still bring past its limit once it was refused while it streamed: read and
// dropped, so that a client that ends it soon reads the refusal; one that goes on is cut off.
constexpr int64_t kLingerBytes = 64 * 1024;
// When a client refused for want of body memory may try again.
constexpr int kRetryAfterSeconds = 5;
// Log lines a second; the rest are counted and the count logged with the next second's first.
constexpr int kLogLinesPerSecond = 20;

// Where a request stands.
enum class Phase {
    Admitting,  // the head's store checks run on a worker; the connection waits suspended
    Reading,    // the body is read into the request
    Dropping,   // the answer is known; what comes of the body is read and dropped
    Answering,  // the store answers on a worker; the connection waits suspended
};

// A request while it arrives and is answered.
struct PendingRequest {
    // The part of the body budget this request holds; given back when it goes.
    class Share {
      public:
        explicit Share(BodyBudget& budget) : budget_(budget) {}
        ~Share() { Release(); }
        Share(const Share&) = delete;
        Share& operator=(const Share&) = delete;
        // Holds `bytes` in all; false (holding what it held) when the budget has not the more.
        bool GrowTo(int64_t bytes) {
            if (bytes <= held_) return true;
            if (!budget_.Take(bytes - held_)) return false;
            held_ = bytes;
            return true;
        }
        void Release() {
            budget_.Give(held_);
            held_ = 0;
        }
        int64_t Held() const { return held_; }

      private:
        BodyBudget& budget_;
        int64_t held_ = 0;
    };

    explicit PendingRequest(BodyBudget& budget) : share(budget) {}
    // The body is done with: its memory and its share go back.
    void DropBody() {
        std::string().swap(request.body);
        share.Release();
    }

    Request request;
    Phase phase = Phase::Reading;
    int64_t bodyLimit = 0;
    int64_t received = 0;        // body bytes that came, kept or dropped
    std::optional<Reply> reply;  // the answer once known: a refusal, or a worker's reply
    Share share;
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

std::string PeerOf(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    return info ? AddressOf(info->client_addr) : std::string();
}

std::string Trim(const std::string& s) {
    const size_t from = s.find_first_not_of(" \t");
    if (from == std::string::npos) return {};
    return s.substr(from, s.find_last_not_of(" \t") - from + 1);
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
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
    if (reply.retryAfterSeconds > 0) {
        MHD_add_response_header(response, "Retry-After", std::to_string(reply.retryAfterSeconds).c_str());
    }
    const MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

// The answer a worker or a refusal left for the next call.
MHD_Result SendKept(MHD_Connection* connection, PendingRequest& pending) {
    if (!pending.reply) return MHD_NO;
    Reply reply = std::move(*pending.reply);
    pending.reply.reset();
    return Send(connection, std::move(reply));
}

// The answer for what went wrong inside the transport.
Reply InternalError() {
    Reply reply;
    reply.status = 500;
    reply.body = "Internal Server Error";
    return reply;
}

MHD_Result KeepHeader(void* cls, MHD_ValueKind, const char* key, size_t keySize, const char* value,
                      size_t valueSize) {
    auto& headers = *static_cast<std::map<std::string, std::string>*>(cls);
    const std::string text = value ? std::string(value, valueSize) : std::string();
    auto [it, fresh] = headers.emplace(Lower(std::string(key, keySize)), text);
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

// What the head says of the body, as the library reads it: chunked (any transfer coding) wins
// over a length, and the first Content-Length counts.
void ReadBodyHead(MHD_Connection* connection, Request& request) {
    request.streamed =
        MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Transfer-Encoding") != nullptr;
    const char* length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
    if (request.streamed || length == nullptr) return;
    const unsigned long long declared = std::strtoull(length, nullptr, 10);
    request.declaredLength = static_cast<int64_t>(std::min<unsigned long long>(declared, INT64_MAX));
}

// The address an accepted connection was counted against, from the accept check to the
// connection's start: the library runs both on the thread that accepts, one after the other.
// Still set at the next accept, it belongs to a connection the library failed to start.
thread_local std::unique_ptr<std::string> t_counted;

}  // namespace

// The libmicrohttpd callbacks. None lets an exception out: each answers 500 where it still can,
// or ends that connection.
struct TransportCallbacks {
    static MHD_Result OnRequest(void* cls, MHD_Connection* connection, const char* url, const char* method,
                                const char*, const char* upload, size_t* uploadSize, void** state) {
        auto& server = *static_cast<HttpServer*>(cls);
        try {
            auto* pending = static_cast<PendingRequest*>(*state);
            if (pending == nullptr) {
                auto fresh = std::make_unique<PendingRequest>(*server.budget_);
                pending = fresh.get();
                *state = fresh.release();
                return OnHead(server, connection, url, method, *pending);
            }
            if (*uploadSize > 0) {
                const size_t size = *uploadSize;
                *uploadSize = 0;
                return OnBodyPart(*pending, upload, size);
            }
            switch (pending->phase) {
                case Phase::Admitting:  // resumed: the worker's check is done
                    return pending->reply ? Refuse(server, connection, *pending)
                                          : StartBody(connection, *pending);
                case Phase::Reading:  // the whole body is in
                    return Answer(server, connection, *pending);
                case Phase::Dropping:
                case Phase::Answering:  // resumed with the worker's reply
                    return SendKept(connection, *pending);
            }
            return MHD_NO;
        } catch (const std::exception& e) {
            server.Log(std::string("request failed: ") + e.what());
        } catch (...) {
            server.Log("request failed");
        }
        try {
            if (auto* pending = static_cast<PendingRequest*>(*state)) pending->DropBody();
            // Where the library takes no answer any more (in the middle of a body), it closes
            // the connection.
            return Send(connection, InternalError());
        } catch (...) {
            return MHD_NO;
        }
    }

    static void OnCompleted(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode) {
        std::unique_ptr<PendingRequest> done(static_cast<PendingRequest*>(*state));
        *state = nullptr;
    }

    // The per-address cap, counted as the connection is accepted.
    static MHD_Result OnAccept(void* cls, const sockaddr* address, socklen_t) {
        auto& server = *static_cast<HttpServer*>(cls);
        try {
            if (t_counted) {
                server.UncountConnection(*t_counted);
                t_counted.reset();
            }
            return server.CountConnection(AddressOf(address)) ? MHD_YES : MHD_NO;
        } catch (...) {
            return MHD_NO;
        }
    }

    // Hands the count taken at the accept to the connection, and gives it back when it closes.
    static void OnConnection(void* cls, MHD_Connection*, void** state, MHD_ConnectionNotificationCode code) {
        auto& server = *static_cast<HttpServer*>(cls);
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            *state = t_counted.release();
            return;
        }
        std::unique_ptr<std::string> counted(static_cast<std::string*>(*state));
        *state = nullptr;
        try {
            if (counted) server.UncountConnection(*counted);
        } catch (...) {
            server.Log("cannot give back a connection's count");
        }
    }

    static void OnLibraryMessage(void* cls, const char* format, va_list args) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        try {
            std::string line = Trim(text);
            while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
            static_cast<HttpServer*>(cls)->Log("libmicrohttpd: " + line);
        } catch (...) {
            // A message that cannot be logged is lost.
        }
    }

  private:
    // The head is complete: what it alone decides, then the store's part on a worker.
    static MHD_Result OnHead(HttpServer& server, MHD_Connection* connection, const char* url,
                             const char* method, PendingRequest& pending) {
        Request& head = pending.request;
        head.method = method;
        head.path = url;
        MHD_get_connection_values_n(connection, MHD_HEADER_KIND, &KeepHeader, &head.headers);
        MHD_get_connection_values_n(connection, MHD_GET_ARGUMENT_KIND, &KeepArgument, &head.query);
        ReadBodyHead(connection, head);
        const auto header = head.headers.find(server.addressHeader_);
        head.remoteAddress = server.ClientAddress(
            PeerOf(connection), header == head.headers.end() ? std::string() : header->second);
        pending.bodyLimit = server.handlers_.BodyLimit(head.method, head.path);
        if (auto refusal = server.handlers_.Admit(head)) {
            pending.reply = std::move(refusal);
            return Refuse(server, connection, pending);
        }
        if (server.handlers_.HeadNeedsStore(head))
            return Defer(server, connection, pending, Phase::Admitting);
        return StartBody(connection, pending);
    }

    // Refuses the request with pending.reply. A body past its path's limit is not read at all:
    // the refusal goes at once and the connection closes after it. Any other body the client
    // sends anyway is read and dropped first, so that it reads the refusal rather than a
    // connection reset under its upload.
    static MHD_Result Refuse(HttpServer& server, MHD_Connection* connection, PendingRequest& pending) {
        if (!server.handlers_.BodyFits(pending.request)) return SendKept(connection, pending);
        pending.phase = Phase::Dropping;
        return MHD_YES;
    }

    // Admitted: the body is read into a buffer of its declared length, if the budget has it.
    // When it has not, the refusal goes at once (the connection closes after it): a crowd of
    // uploads is shed, not read.
    static MHD_Result StartBody(MHD_Connection* connection, PendingRequest& pending) {
        const int64_t declared = pending.request.declaredLength;
        if (declared > 0) {
            if (!pending.share.GrowTo(declared))
                return Send(connection, ServiceUnavailable(kRetryAfterSeconds));
            pending.request.body.reserve(static_cast<size_t>(declared));
        }
        pending.phase = Phase::Reading;
        return MHD_YES;
    }

    static MHD_Result OnBodyPart(PendingRequest& pending, const char* data, size_t size) {
        pending.received += static_cast<int64_t>(size);
        if (pending.phase == Phase::Dropping) {
            return pending.received > pending.bodyLimit + kLingerBytes ? MHD_NO : MHD_YES;
        }
        std::string& body = pending.request.body;
        if (pending.received > pending.bodyLimit) return RefuseMidBody(pending, TooLarge());
        if (pending.received > pending.share.Held()) {
            // A streamed body (no declared length) grows in steps, within its limit and the budget.
            const int64_t step =
                std::min(pending.bodyLimit, std::max(pending.received, 2 * pending.share.Held() + 4096));
            if (!pending.share.GrowTo(step))
                return RefuseMidBody(pending, ServiceUnavailable(kRetryAfterSeconds));
            body.reserve(static_cast<size_t>(step));
        }
        body.append(data, size);
        return MHD_YES;
    }

    // A body refused while it streams: the library answers only once it ended, so the rest is
    // dropped meanwhile (up to kLingerBytes past the limit, else the connection is cut off).
    static MHD_Result RefuseMidBody(PendingRequest& pending, Reply refusal) {
        pending.DropBody();
        pending.reply = std::move(refusal);
        pending.phase = Phase::Dropping;
        return MHD_YES;
    }

    static MHD_Result Answer(HttpServer& server, MHD_Connection* connection, PendingRequest& pending) {
        if (auto reply = server.handlers_.AnswerAtOnce(pending.request))
            return Send(connection, std::move(*reply));
        return Defer(server, connection, pending, Phase::Answering);
    }

    // Suspends the connection and runs the phase's store work on a worker, which resumes the
    // connection when it is done; the library then calls again and OnRequest goes on.
    static MHD_Result Defer(HttpServer& server, MHD_Connection* connection, PendingRequest& pending,
                            Phase phase) {
        pending.phase = phase;
        auto job = server.workers_->Prepare([&server, connection, p = &pending](bool late) {
            RunStoreWork(server, *p, late);
            MHD_resume_connection(connection);
        });
        if (!server.workers_->Enter()) {
            // Stopping: answered as if the worker had said so.
            pending.reply = ServiceUnavailable(kRetryAfterSeconds);
            return phase == Phase::Admitting ? Refuse(server, connection, pending)
                                             : SendKept(connection, pending);
        }
        MHD_suspend_connection(connection);
        server.workers_->Submit(job);
        return MHD_YES;
    }

    static void RunStoreWork(HttpServer& server, PendingRequest& pending, bool late) noexcept {
        try {
            if (late) {
                pending.reply = DatabaseUnavailable();
            } else if (pending.phase == Phase::Admitting) {
                pending.reply = server.handlers_.AdmitFromStore(pending.request);
            } else {
                pending.reply = server.handlers_.Handle(pending.request);
            }
        } catch (...) {
            pending.reply = InternalError();
        }
        // Answered, the body is needed no more while the reply goes out.
        if (pending.phase == Phase::Answering) pending.DropBody();
    }
};

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

std::string CountedAddress(const std::string& canonical) {
    in6_addr v6{};
    if (canonical.find(':') == std::string::npos || inet_pton(AF_INET6, canonical.c_str(), &v6) != 1)
        return canonical;
    std::fill(v6.s6_addr + 8, v6.s6_addr + 16, 0);
    char buf[INET6_ADDRSTRLEN] = {};
    inet_ntop(AF_INET6, &v6, buf, sizeof buf);
    return std::string(buf) + "/64";
}

void RaiseOpenFileLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
}

HttpServer::HttpServer(RequestHandlers& handlers, TransportOptions options)
    : handlers_(handlers), options_(std::move(options)), addressHeader_(Lower(options_.clientAddressHeader)) {
    for (const std::string& proxy : options_.trustedProxies) {
        const std::string canonical = CanonicalAddress(proxy);
        if (!canonical.empty()) trusted_.insert(canonical);
    }
}

HttpServer::~HttpServer() {
    Stop();
    std::unique_lock<std::mutex> lock(mutex_);
    stopped_.wait(lock, [this] { return !running_; });
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
    auto fd = std::make_unique<UniqueFd>(
        socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    // SO_REUSEADDR only: a restarted server binds while old connections linger, but a second
    // server on a port in use fails instead of sharing it (no SO_REUSEPORT).
    const int on = 1;
    const bool bound =
        fd->Get() >= 0 && setsockopt(fd->Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
        bind(fd->Get(), found->ai_addr, found->ai_addrlen) == 0 && listen(fd->Get(), SOMAXCONN) == 0;
    const int error = errno;
    freeaddrinfo(found);
    if (!bound) {
        bindError_ = "cannot listen on " + where + ": " + std::strerror(error);
        if (error == EADDRINUSE) bindError_ += " (is another quorvald-server running there?)";
        return -1;
    }
    sockaddr_storage local{};
    socklen_t size = sizeof local;
    getsockname(fd->Get(), reinterpret_cast<sockaddr*>(&local), &size);
    listen_ = std::move(fd);
    return ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                             : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
}

bool HttpServer::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!listen_ || running_) return false;
    if (stopping_) return true;
    RaiseOpenFileLimit();
    // The library gets a copy of the listening socket and closes that copy itself, on a start
    // that fails (on some of its failure paths) or when it stops; the socket this server made is
    // closed here, once, whatever the library did.
    const std::unique_ptr<UniqueFd> own = std::move(listen_);
    const int given = fcntl(own->Get(), F_DUPFD_CLOEXEC, 0);
    if (given < 0) return false;
    budget_ = std::make_unique<BodyBudget>(std::max<int64_t>(0, options_.bodyMemory));
    workers_ = std::make_unique<WorkerPool>(options_.workers, options_.storeWait);
    std::vector<MHD_OptionItem> items = {
        // First, so that the library's messages about the options go to the log too.
        {MHD_OPTION_EXTERNAL_LOGGER, reinterpret_cast<intptr_t>(&TransportCallbacks::OnLibraryMessage), this},
        {MHD_OPTION_LISTEN_SOCKET, given, nullptr},
        {MHD_OPTION_CONNECTION_LIMIT, std::max(1, options_.maxConnections), nullptr},
        {MHD_OPTION_CONNECTION_TIMEOUT, std::max(0, options_.idleTimeoutSeconds), nullptr},
        {MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<intptr_t>(kConnectionMemory), nullptr},
        {MHD_OPTION_NOTIFY_COMPLETED, reinterpret_cast<intptr_t>(&TransportCallbacks::OnCompleted), this},
    };
    if (options_.threads > 1) items.push_back({MHD_OPTION_THREAD_POOL_SIZE, options_.threads, nullptr});
    if (options_.threadStackBytes > 0) {
        items.push_back(
            {MHD_OPTION_THREAD_STACK_SIZE, static_cast<intptr_t>(options_.threadStackBytes), nullptr});
    }
    if (options_.connectionsPerAddress > 0) {
        items.push_back({MHD_OPTION_NOTIFY_CONNECTION,
                         reinterpret_cast<intptr_t>(&TransportCallbacks::OnConnection), this});
    }
    items.push_back({MHD_OPTION_END, 0, nullptr});
    const unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_ALLOW_SUSPEND_RESUME | MHD_USE_ERROR_LOG;
    MHD_AcceptPolicyCallback admit =
        options_.connectionsPerAddress > 0 ? &TransportCallbacks::OnAccept : nullptr;
    MHD_Daemon* daemon = MHD_start_daemon(flags, 0, admit, this, &TransportCallbacks::OnRequest, this,
                                          MHD_OPTION_ARRAY, items.data(), MHD_OPTION_END);
    if (daemon == nullptr) {
        // The copy may outlive this on a path where the library leaves it open: the socket stops
        // listening now all the same.
        shutdown(own->Get(), SHUT_RDWR);
        workers_.reset();
        return false;
    }
    running_ = true;
    stopped_.wait(lock, [this] { return stopping_; });
    lock.unlock();
    StopServing(daemon);
    lock.lock();
    running_ = false;
    stopped_.notify_all();
    return true;
}

void HttpServer::StopServing(MHD_Daemon* daemon) {
    // The connections waiting for a worker are answered and resumed before the library stops:
    // it must not stop with a connection suspended.
    workers_->Close();
    MHD_stop_daemon(daemon);
    workers_.reset();
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

std::string HttpServer::ClientAddress(const std::string& peer, const std::string& header) const {
    if (!IsTrusted(peer) || header.empty()) return CountedAddress(peer);
    // Each proxy names or appends the address it heard from: the rightmost untrusted one is the
    // client, whatever the client itself wrote to the left of it.
    const std::vector<std::string> hops = SplitList(header);
    for (auto hop = hops.rbegin(); hop != hops.rend(); ++hop) {
        const std::string address = CanonicalAddress(*hop);
        if (address.empty()) break;
        if (!IsTrusted(address)) return CountedAddress(address);
    }
    return CountedAddress(peer);
}

bool HttpServer::CountConnection(const std::string& peer) {
    if (IsTrusted(peer)) return true;
    auto counted = std::make_unique<std::string>(CountedAddress(peer));
    std::lock_guard<std::mutex> lock(countMutex_);
    int& open = open_[*counted];
    if (open >= options_.connectionsPerAddress) {
        if (open == 0) open_.erase(*counted);
        return false;
    }
    ++open;
    t_counted = std::move(counted);
    return true;
}

void HttpServer::UncountConnection(const std::string& counted) {
    std::lock_guard<std::mutex> lock(countMutex_);
    auto it = open_.find(counted);
    if (it != open_.end() && --it->second <= 0) open_.erase(it);
}

void HttpServer::Log(const std::string& line) noexcept {
    try {
        std::string text;
        {
            std::lock_guard<std::mutex> lock(logMutex_);
            const auto now = std::chrono::steady_clock::now();
            if (now - logWindow_ >= std::chrono::seconds(1)) {
                logWindow_ = now;
                loggedInWindow_ = 0;
            }
            if (++loggedInWindow_ > kLogLinesPerSecond) {
                ++unlogged_;
                return;
            }
            text = line;
            if (unlogged_ > 0)
                text += " (" + std::to_string(unlogged_) + " messages before this one not shown)";
            unlogged_ = 0;
        }
        if (options_.log) {
            options_.log(text);
        } else {
            std::fprintf(stderr, "quorvald-server: %s\n", text.c_str());
        }
    } catch (...) {
        // A line that cannot be logged is lost; the server goes on.
    }
}

}  // namespace qvserver
