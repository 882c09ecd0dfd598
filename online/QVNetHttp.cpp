// The network library over HTTP (libcurl): one thread per request, the reply checked there,
// copied into the caller's buffers by the caller's own GetState.
#include "online/QVNetHttp.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "foundation/TextConvert.h"

namespace QVNet {
namespace {

constexpr size_t kMaxDetailBytes = 512;
constexpr char kErrorHeaderName[] = "x-quorvald-error:";
constexpr char kLengthHeaderName[] = "content-length:";
constexpr char kEncodingHeaderName[] = "transfer-encoding:";
// The whole body of a reply that only confirms.
constexpr char kConfirmed[] = "OK";

// ---- Settings ---------------------------------------------------------------------------------

std::mutex g_settingsMutex;
std::string g_address;
std::function<std::string()> g_provider;
Timeouts g_timeouts;

std::string TrimAddress(std::string a) {
    while (!a.empty() && a.back() == '/') a.pop_back();
    return a;
}

// ---- Workers ----------------------------------------------------------------------------------

// Every request thread is counted here, so the end of the game can abandon and wait for them.
struct Workers {
    std::mutex mutex;
    std::condition_variable idle;
    int active = 0;
    std::atomic<bool> cancelAll{false};

    ~Workers() { CancelAndWait(); }
    void CancelAndWait() {
        cancelAll = true;
        std::unique_lock<std::mutex> lock(mutex);
        idle.wait(lock, [this] { return active == 0; });
        cancelAll = false;
    }
};

Workers& TheWorkers() {
    static Workers w;
    return w;
}

void InitCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// ---- One request ------------------------------------------------------------------------------

// What the request thread and the caller share.
struct Shared {
    std::mutex mutex;
    std::condition_variable ended;
    int state = kStateWaiting;
    ErrorCode code = EC_OK;
    std::string detail;
    std::string reply;
    std::atomic<bool> abandoned{false};
};

struct Plan {
    std::string method = "GET";
    std::string path;
    std::vector<std::string> headers;
    std::string body;
    // The longest reply taken; a longer one fails (0: the reply is not kept).
    size_t maxReply = 0;
    // Checks a whole reply on the request thread; false: the reply is garbage.
    std::function<bool(const std::string&)> check;
    // Writes a checked reply into the caller's buffers, on the caller's thread.
    std::function<void(const std::string&)> deliver;
};

class HttpRequest : public ThreadObject {
  public:
    explicit HttpRequest(std::function<void(const std::string&)> deliver)
        : shared_(std::make_shared<Shared>()), deliver_(std::move(deliver)) {}

    // Its thread shares only `shared_`: the request may go while the thread runs on.
    ~HttpRequest() override { shared_->abandoned = true; }

    // A request that failed before it was sent.
    static std::unique_ptr<HttpRequest> Failed(ErrorCode code, const std::string& detail) {
        auto r = std::make_unique<HttpRequest>(nullptr);
        r->shared_->state = kStateFailed;
        r->shared_->code = code;
        r->shared_->detail = detail;
        return r;
    }

    int GetState() override {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        if (shared_->state == kStateDone && !delivered_) {
            delivered_ = true;
            if (deliver_) deliver_(shared_->reply);
        }
        return shared_->state;
    }
    ErrorCode GetErrorCode() override {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        return shared_->code;
    }
    const char* GetErrorDetail() override {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        detailCopy_ = shared_->detail;
        return detailCopy_.c_str();
    }

    bool WaitForEnd(std::chrono::milliseconds limit) {
        std::unique_lock<std::mutex> lock(shared_->mutex);
        return shared_->ended.wait_for(lock, limit, [this] { return shared_->state >= kStateDone; });
    }

    void Launch(Plan plan, const std::string& address, Timeouts timeouts) {
        Workers& w = TheWorkers();
        {
            std::lock_guard<std::mutex> lock(w.mutex);
            ++w.active;
        }
        std::thread([s = shared_, plan = std::move(plan), address, timeouts] {
            Run(*s, plan, address, timeouts);
            Workers& workers = TheWorkers();
            std::lock_guard<std::mutex> lock(workers.mutex);
            if (--workers.active == 0) workers.idle.notify_all();
        }).detach();
    }

  private:
    struct Transferring {
        Shared* shared = nullptr;
        const Plan* plan = nullptr;
        std::string body;
        std::string errorHeader;
        bool tooLong = false;
        long status = 0;  // of the last status line
        // What the head of the last reply said of its end: the head itself ended with its empty
        // line, and the body's length was announced or comes in chunks.
        bool headEnded = false;
        std::optional<int32_t> announcedLength;
        bool chunked = false;
    };

    // A reply is whole when its head ended and its body is as long as announced (a chunked body
    // that stops short is a failed transfer already). A reply that ends with the connection and
    // announces no length may have been cut anywhere: it is not whole either.
    static bool IsWhole(const Transferring& t) {
        if (!t.headEnded) return false;
        if (t.chunked) return true;
        return t.announcedLength && static_cast<size_t>(*t.announcedLength) == t.body.size();
    }

    // The value of a header line of the name (lower case, with its colon), or nothing.
    static std::optional<std::string> HeaderValue(const std::string& line, const std::string& lower,
                                                  const char* name) {
        if (lower.rfind(name, 0) != 0) return std::nullopt;
        std::string v = line.substr(std::strlen(name));
        v.erase(0, v.find_first_not_of(" \t"));
        while (!v.empty() && (v.back() == '\r' || v.back() == '\n' || v.back() == ' ')) v.pop_back();
        return v;
    }

    static size_t OnBody(char* data, size_t size, size_t n, void* user) {
        auto* t = static_cast<Transferring*>(user);
        const size_t bytes = size * n;
        // A refusal without the server's error header is told by its status alone.
        if (t->status != 200 && t->errorHeader.empty()) return bytes;
        const size_t limit =
            t->errorHeader.empty() ? t->plan->maxReply : std::max(t->plan->maxReply, kMaxDetailBytes);
        if (t->body.size() + bytes > limit) {
            t->tooLong = true;
            return 0;  // ends the transfer
        }
        t->body.append(data, bytes);
        return bytes;
    }

    static size_t OnHeader(char* data, size_t size, size_t n, void* user) {
        auto* t = static_cast<Transferring*>(user);
        const size_t bytes = size * n;
        std::string line(data, bytes);
        if (line.rfind("HTTP/", 0) == 0) {
            const size_t sp = line.find(' ');
            t->status = sp == std::string::npos ? 0 : std::atol(line.c_str() + sp + 1);
            t->errorHeader.clear();
            t->headEnded = false;
            t->announcedLength.reset();
            t->chunked = false;
            return bytes;
        }
        if (line == "\r\n" || line == "\n") {
            t->headEnded = true;
            return bytes;
        }
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (auto v = HeaderValue(line, lower, kErrorHeaderName)) t->errorHeader = *v;
        if (auto v = HeaderValue(line, lower, kLengthHeaderName)) {
            const auto length = ParseWholeInt32(*v);
            if (length && *length >= 0) t->announcedLength = *length;
        }
        if (auto v = HeaderValue(lower, lower, kEncodingHeaderName))
            t->chunked = v->find("chunked") != std::string::npos;
        return bytes;
    }

    static int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* t = static_cast<Transferring*>(user);
        return (t->shared->abandoned || TheWorkers().cancelAll) ? 1 : 0;
    }

    static void Finish(Shared& s, ErrorCode code, std::string detail, std::string reply) {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.code = code;
        if (detail.size() > kMaxDetailBytes) detail.resize(kMaxDetailBytes);
        std::replace(detail.begin(), detail.end(), '\0', ' ');
        s.detail = std::move(detail);
        s.reply = std::move(reply);
        s.state = code == EC_OK ? kStateDone : kStateFailed;
        s.ended.notify_all();
    }

    static void Run(Shared& s, const Plan& plan, const std::string& address, Timeouts timeouts) {
        {
            std::lock_guard<std::mutex> lock(s.mutex);
            s.state = kStateRunning;
        }
        InitCurl();
        Transferring t;
        t.shared = &s;
        t.plan = &plan;
        CURL* curl = curl_easy_init();
        if (!curl) {
            Finish(s, EC_OT_ERROR, "", "");
            return;
        }
        const std::string url = address + plan.path;
        curl_slist* headers = nullptr;
        for (const std::string& h : plan.headers) headers = curl_slist_append(headers, h.c_str());
        headers = curl_slist_append(headers, "Expect:");
        headers = curl_slist_append(headers, "Content-Type: text/plain; charset=Shift_JIS");
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts.total.count()));
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "Quorvald/1.0");
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &OnBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
        curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &OnHeader);
        curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &OnProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        if (plan.method == "POST") {
            curl_easy_setopt(curl, CURLOPT_POST, 1L);
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, plan.body.data());
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(plan.body.size()));
        } else if (plan.method == "DELETE") {
            curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "DELETE");
        }
        const CURLcode rc = curl_easy_perform(curl);
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);

        Transfer transfer = Transfer::Ok;
        switch (rc) {
            case CURLE_OK:
                break;
            case CURLE_OPERATION_TIMEDOUT:
                transfer = Transfer::TimedOut;
                break;
            case CURLE_COULDNT_RESOLVE_HOST:
                transfer = Transfer::NotResolved;
                break;
            case CURLE_COULDNT_CONNECT:
                transfer = Transfer::Refused;
                break;
            case CURLE_GOT_NOTHING:
            case CURLE_RECV_ERROR:
            case CURLE_SEND_ERROR:
            case CURLE_PARTIAL_FILE:
                transfer = Transfer::Dropped;
                break;
            case CURLE_WRITE_ERROR:
                transfer = t.tooLong ? Transfer::TooLong : Transfer::Other;
                break;
            default:
                transfer = Transfer::Other;
                break;
        }
        // A reply whose body was kept (a success or the server's refusal) must have come whole.
        const bool kept = status == 200 || !t.errorHeader.empty();
        if (transfer == Transfer::Ok && kept && !IsWhole(t)) transfer = Transfer::Dropped;
        // An error reply's body is its detail, whatever the buffer: a long one was cut, not kept.
        Outcome o = ClassifyTransfer(transfer, status, t.errorHeader, t.body);
        if (o.code == EC_OK && plan.check && !plan.check(t.body)) o = {EC_NW_ERROR, kDetailBadReply};
        if (o.code != EC_OK) {
            Finish(s, o.code, o.detail, "");
            return;
        }
        Finish(s, EC_OK, "", std::move(t.body));
    }

    std::shared_ptr<Shared> shared_;
    std::function<void(const std::string&)> deliver_;
    bool delivered_ = false;
    std::string detailCopy_;
};

// ---- Replies ----------------------------------------------------------------------------------

std::string Escape(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// A text reply that fits its buffer with the terminating zero and holds no zero itself.
bool FitsText(const std::string& reply, unsigned size) {
    return reply.size() < size && reply.find('\0') == std::string::npos;
}

// The reply of a request that only asks the server to confirm: "OK" and nothing else.
bool IsConfirmation(const std::string& reply) { return reply == kConfirmed; }

void CopyText(const std::string& reply, char* buffer, unsigned size) {
    if (!buffer || size == 0) return;
    const size_t n = std::min<size_t>(reply.size(), size - 1);
    std::memcpy(buffer, reply.data(), n);
    buffer[n] = '\0';
}

class HttpLibrary : public ILibrary {
  public:
    Request CheckServer() override {
        Plan p;
        p.path = "/qv/1/check";
        p.maxReply = 64;
        p.check = IsConfirmation;
        return Start(std::move(p));
    }

    Request RegisterCreator(const char* name, int& creatorId, char* commonKey) override {
        if (!name || !commonKey) return Refused();
        Plan p;
        p.method = "POST";
        p.path = "/qv/1/creators";
        p.body = name;
        p.maxReply = 128;
        // "<id>\n<key>": a positive id and a key of printable characters that fits the buffer.
        auto split = [](const std::string& r, std::string& id, std::string& key) {
            const size_t nl = r.find('\n');
            if (nl == std::string::npos) return false;
            id = r.substr(0, nl);
            key = r.substr(nl + 1);
            while (!key.empty() && (key.back() == '\n' || key.back() == '\r')) key.pop_back();
            return true;
        };
        p.check = [split](const std::string& r) {
            std::string id, key;
            if (!split(r, id, key)) return false;
            const auto n = ParseWholeInt32(id);
            return n && *n > 0 && !key.empty() && key.size() < kCommonKeyBufferSize &&
                   std::all_of(key.begin(), key.end(), [](unsigned char c) { return c > 0x20 && c < 0x7f; });
        };
        p.deliver = [split, &creatorId, commonKey](const std::string& r) {
            std::string id, key;
            split(r, id, key);
            creatorId = ParseWholeInt32(id).value_or(0);
            CopyText(key, commonKey, kCommonKeyBufferSize);
        };
        return Start(std::move(p));
    }

    Request GetStage(int creatorId, int start, int count, char* reply, unsigned size) override {
        return List("/qv/1/creators/" + std::to_string(creatorId) + "/stages?start=" + std::to_string(start) +
                        "&count=" + std::to_string(count),
                    reply, size);
    }

    Request SearchStage(const char* name, int start, int count, char* reply, unsigned size) override {
        if (!name) return Refused();
        return List("/qv/1/stages/search?name=" + Escape(name) + "&start=" + std::to_string(start) +
                        "&count=" + std::to_string(count),
                    reply, size);
    }

    Request SearchStageByDL(int difficulty, int length, int start, int count, char* reply,
                            unsigned size) override {
        return List("/qv/1/stages/rated?difficulty=" + std::to_string(difficulty) +
                        "&length=" + std::to_string(length) + "&start=" + std::to_string(start) +
                        "&count=" + std::to_string(count),
                    reply, size);
    }

    Request GetNewStage(int count, char* reply, unsigned size) override {
        return List("/qv/1/stages/newest?count=" + std::to_string(count), reply, size);
    }

    Request RegisterStage(int creatorId, const char* commonKey, const char* backGroundKey, unsigned length,
                          const char* stageText, int& stageId) override {
        if (!commonKey || !backGroundKey || !stageText) return Refused();
        Plan p;
        p.method = "POST";
        p.path = "/qv/1/stages";
        p.headers = Auth(creatorId, commonKey);
        if (!HeaderSafe(backGroundKey)) return Refused();
        p.headers.push_back(std::string("X-Quorvald-Background: ") + backGroundKey);
        p.body.assign(stageText, length);
        p.maxReply = 64;
        p.check = [](const std::string& r) {
            const auto n = ParseWholeInt32(r);
            return n && *n > 0;
        };
        p.deliver = [&stageId](const std::string& r) { stageId = ParseWholeInt32(r).value_or(0); };
        return Start(std::move(p));
    }

    Request DownloadStage(int stageId, unsigned size, char* buffer) override {
        // The size comes from a reply: nothing is reserved for one that is impossible.
        if (!buffer || size == 0 || size > kMaxDownloadSize) return Refused();
        Plan p;
        p.path = "/qv/1/stages/" + std::to_string(stageId);
        p.maxReply = size - 1;
        p.check = [size](const std::string& r) { return FitsText(r, size); };
        p.deliver = [buffer, size](const std::string& r) { CopyText(r, buffer, size); };
        return Start(std::move(p));
    }

    Request DeleteStage(int creatorId, const char* commonKey, int stageId) override {
        if (!commonKey) return Refused();
        Plan p;
        p.method = "DELETE";
        p.path = "/qv/1/stages/" + std::to_string(stageId);
        p.headers = Auth(creatorId, commonKey);
        p.maxReply = 64;
        p.check = IsConfirmation;
        return Start(std::move(p));
    }

    Request DeleteCreator(int creatorId, const char* commonKey) override {
        if (!commonKey) return Refused();
        Plan p;
        p.method = "DELETE";
        p.path = "/qv/1/creators/" + std::to_string(creatorId);
        p.headers = Auth(creatorId, commonKey);
        p.maxReply = 64;
        p.check = IsConfirmation;
        return Start(std::move(p));
    }

    Request SendPlayHistory(int count, const PlayHistory* records) override {
        if (count < 0 || (count > 0 && !records)) return Refused();
        Plan p;
        p.method = "POST";
        p.path = "/qv/1/history";
        // The records are copied now: the caller's array is not read after this call.
        for (int i = 0; i < count; ++i) {
            const PlayHistory& h = records[i];
            p.body += std::to_string(h.stageId) + "," + std::to_string(h.playCount) + "," +
                      std::to_string(h.playTicks) + "," + std::to_string(h.misses) + "," +
                      std::to_string(h.rating) + "\n";
        }
        p.maxReply = 64;
        p.check = IsConfirmation;
        return Start(std::move(p));
    }

    Request GetAppraisal(int creatorId, char* reply, unsigned size) override {
        if (!reply || size == 0) return Refused();
        Plan p;
        p.path = "/qv/1/creators/" + std::to_string(creatorId) + "/appraisal";
        p.maxReply = size - 1;
        // Only a whole decimal number that fits a 32-bit int is a rating total.
        p.check = [size](const std::string& r) {
            return FitsText(r, size) && ParseWholeInt32(r).has_value();
        };
        p.deliver = [reply, size](const std::string& r) { CopyText(r, reply, size); };
        return Start(std::move(p));
    }

  private:
    static Request Refused() { return HttpRequest::Failed(EC_PM_ERROR, kDetailBadArgument); }

    static bool HeaderSafe(const std::string& v) {
        return std::all_of(v.begin(), v.end(), [](unsigned char c) { return c >= 0x20 && c != 0x7f; });
    }

    static std::vector<std::string> Auth(int creatorId, const char* key) {
        return {"X-Quorvald-Creator: " + std::to_string(creatorId), std::string("X-Quorvald-Key: ") + key};
    }

    Request List(const std::string& path, char* reply, unsigned size) {
        if (!reply || size == 0) return Refused();
        Plan p;
        p.path = path;
        p.maxReply = size - 1;
        p.check = [size](const std::string& r) { return FitsText(r, size); };
        p.deliver = [reply, size](const std::string& r) { CopyText(r, reply, size); };
        return Start(std::move(p));
    }

    Request Start(Plan plan) {
        for (const std::string& h : plan.headers) {
            if (!HeaderSafe(h)) return Refused();
        }
        const std::string address = GetServerAddress();
        if (address.empty()) return HttpRequest::Failed(EC_NW_ERROR, kDetailNameNotResolved);
        auto r = std::make_unique<HttpRequest>(plan.deliver);
        r->Launch(std::move(plan), address, GetTimeouts());
        return r;
    }
};

}  // namespace

Outcome ClassifyTransfer(Transfer transfer, long status, const std::string& errorHeader,
                         const std::string& body) {
    switch (transfer) {
        case Transfer::Ok:
            break;
        case Transfer::TimedOut:
            return {EC_NW_ERROR, kDetailTimeout};
        case Transfer::NotResolved:
            return {EC_NW_ERROR, kDetailNameNotResolved};
        case Transfer::Refused:
            return {EC_NW_ERROR, kDetailCannotConnect};
        case Transfer::Dropped:
            return {EC_NW_ERROR, kDetailConnectionDropped};
        case Transfer::TooLong:
            // An error reply is short; a long one is an oversize answer to the request.
            if (errorHeader.empty()) return {EC_NW_ERROR, kDetailBadReply};
            break;
        case Transfer::Other:
            return {EC_NW_ERROR, kDetailConnectionDropped};
    }
    if (!errorHeader.empty()) {
        const auto code = ParseWholeInt32(errorHeader);
        if (code && *code >= EC_MAINTENANCE && *code <= EC_OT_ERROR && *code != EC_NW_ERROR) {
            return {static_cast<ErrorCode>(*code), body};
        }
        return {EC_NW_ERROR, kDetailBadReply};
    }
    if (status != 200) return {EC_NW_ERROR, std::to_string(status)};
    return {EC_OK, ""};
}

ILibrary& GetHttpLibrary() {
    static HttpLibrary library;
    return library;
}

void SetServerAddress(const std::string& address) {
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    g_address = TrimAddress(address);
}

void SetAddressProvider(std::function<std::string()> provider) {
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    g_provider = std::move(provider);
}

std::string GetServerAddress() {
    std::function<std::string()> provider;
    {
        std::lock_guard<std::mutex> lock(g_settingsMutex);
        if (!g_address.empty()) return g_address;
        const char* env = std::getenv("QUORVALD_SERVER");
        if (env && *env) return g_address = TrimAddress(env);
        provider = g_provider;
    }
    if (!provider) return "";
    const std::string address = TrimAddress(provider());
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    if (g_address.empty()) g_address = address;
    return g_address;
}

void SetTimeouts(const Timeouts& timeouts) {
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    g_timeouts = timeouts;
}

Timeouts GetTimeouts() {
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    return g_timeouts;
}

bool WaitForEnd(ThreadObject* request, std::chrono::milliseconds limit) {
    if (!request) return true;
    if (auto* http = dynamic_cast<HttpRequest*>(request)) return http->WaitForEnd(limit);
    return request->GetState() >= kStateDone;
}

void CancelAll() { TheWorkers().CancelAndWait(); }

}  // namespace QVNet
