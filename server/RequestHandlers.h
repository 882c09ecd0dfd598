#pragma once
// The sharing server's requests, independent of the HTTP library: a request in, a reply out.
// The handlers keep no state of their own beyond the rate limiter; everything lasting is in the
// store, so several server processes can share one database. Nothing in a request is trusted.
//
// The HTTP API is written down in server/API.md.
//
// Rating points (the appraisal a creator's game asks for once a day): for every stage of the
// creator and every player address that voted on it, that address's latest vote (the average
// vote of its latest report) divided by 20, rounded down (1 to 5 points); plus, for every stage,
// one point per 10 downloads (a download counts once per stage, address and day).
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "server/RateLimiter.h"
#include "server/ReplyCache.h"
#include "server/StageStore.h"

namespace qvserver {

// The header that carries the error code of a refused request; the body holds its detail.
inline constexpr char kErrorHeader[] = "X-Quorvald-Error";
inline constexpr char kCreatorHeader[] = "X-Quorvald-Creator";
inline constexpr char kKeyHeader[] = "X-Quorvald-Key";
inline constexpr char kBackgroundHeader[] = "X-Quorvald-Background";
// How far an upload's body may pass the stage cap and still be read, so that its refusal says
// which limit it broke (S003) rather than only that it is too large (413).
inline constexpr int64_t kUploadSlackBytes = 4096;

struct ServerOptions {
    // Not empty: every request is answered with this maintenance message (error 1).
    std::string maintenanceMessage;
    int postsPerDay = 20;                // per creator; 0: no limit
    int registrationsPerDay = 10;        // new creators per address; 0: no limit
    int64_t maxStageBytes = 512 * 1024;  // an upload's size cap
    int64_t maxBodyBytes = 64 * 1024;    // every other request body
    int maxListCount = 200;              // records in one list reply
    int64_t maxReplyBytes = 32767;       // a list reply fits the client's buffer with its zero
    double requestsPerSecond = 20;       // per address; 0: no limit
    double requestBurst = 60;
    // How long a newest-stages reply serves at most while this server takes no write (writes
    // through other servers and download counts show after this); 0: never kept.
    std::chrono::milliseconds listMaxAge{1000};
};

struct Request {
    std::string method;  // "GET", "POST", "DELETE"
    std::string path;
    std::multimap<std::string, std::string> query;  // decoded bytes
    std::map<std::string, std::string> headers;     // names in lower case
    std::string body;
    // The client as the limits, votes and download marks count it: an IPv4 address, or the /64
    // network of an IPv6 address ("2001:db8:1:2::/64").
    std::string remoteAddress;
    // What the head says of the body: its length (Content-Length), or that it comes in chunks
    // of no declared length.
    int64_t declaredLength = 0;
    bool streamed = false;
};

struct Reply {
    int status = 200;
    std::string body;           // CP932 text or stage bytes
    int errorCode = 0;          // 0: none; else the value of kErrorHeader
    int retryAfterSeconds = 0;  // 0: none; else the value of Retry-After
};

// The error codes of the client library, as the server sends them.
enum class ServerError : int {
    Maintenance = 1,
    Restricted = 2,
    Authentication = 3,
    Database = 4,
    Parameter = 6,
    StageData = 7,
    Other = 8,
};

// A request runs through these steps, in order; each may answer it, and the transport runs the
// ones that read the store on threads of their own:
//   Admit           the head alone, before any of the body is read (no store)
//   AdmitFromStore  the head's checks that read the store, where HeadNeedsStore says so
//   AnswerAtOnce    the whole request, when a reply this server holds answers it (no store)
//   Handle          the whole request, from the store
class RequestHandlers {
  public:
    using Clock = std::function<int64_t()>;  // seconds since 1970, UTC
    RequestHandlers(IStageStore& store, ServerOptions options, Clock clock = nullptr);

    // Refuses a request from its head: a body its path does not take or past its limit (413),
    // the address's request rate (429), maintenance (error 1), an unknown path (404) or a
    // malformed id in it (P001). Nothing: the request goes on.
    std::optional<Reply> Admit(const Request& head);
    // Whether the head's checks go on in the store: a post's creator, key and daily post cap, a
    // registration's daily limit.
    bool HeadNeedsStore(const Request& head) const;
    std::optional<Reply> AdmitFromStore(const Request& head);
    // The reply to a request that needs no store (a newest-stages list this server holds);
    // nothing when Handle must answer it.
    std::optional<Reply> AnswerAtOnce(const Request& request);
    // Answers a whole request from the store; it checks again what the head's steps checked
    // from the store (the store may have changed meanwhile).
    Reply Handle(const Request& request);

    // The largest body a request to this path may carry; 0 where it takes none (an upload: the
    // stage cap and kUploadSlackBytes).
    int64_t BodyLimit(const std::string& method, const std::string& path) const;
    // Whether the body the head declares fits its path's limit (a streamed one may still pass it).
    bool BodyFits(const Request& head) const;

    const ServerOptions& Options() const { return options_; }

  private:
    Reply Route(const Request& r);
    Reply RegisterCreator(const Request& r);
    Reply CreatorStages(const Request& r, int64_t creatorId);
    Reply SearchByName(const Request& r);
    Reply SearchByRatings(const Request& r);
    Reply Newest(const Request& r);
    Reply PostStage(const Request& r);
    Reply Download(const Request& r, int64_t stageId);
    Reply DeleteStage(const Request& r, int64_t stageId);
    Reply DeleteCreator(const Request& r, int64_t creatorId);
    Reply PlayHistory(const Request& r);
    Reply Appraisal(int64_t creatorId);
    Reply Check();

    // Checks the creator and key headers (or the given creator); an error reply when they fail.
    std::optional<Reply> Authenticate(const Request& r, int64_t creatorId);
    // A post's checks that need no stage text: creator and key, background, daily cap and the
    // size (`bytes`: the declared length at the head, the body's later).
    std::optional<Reply> CheckPost(const Request& r, int64_t bytes);
    // A registration from the address while it is under its daily limit.
    std::optional<Reply> CheckRegistrations(const std::string& address);
    std::string ListReply(const StageList& list) const;
    int Count(const Request& r, const char* name) const;

    IStageStore& store_;
    ServerOptions options_;
    Clock clock_;
    RateLimiter limiter_;
    ReplyCache newest_;
};

// Parses a decimal id or count: digits only (an optional leading '-'), at most 9 of them.
std::optional<int64_t> ParseNumber(const std::string& text);

// The answer when the database cannot be reached or did not answer in time: 503, error 4, 08000.
Reply DatabaseUnavailable();
// The transport's answers: a body past its path's limit, and a request that cannot be served now
// (try again after `retryAfterSeconds`).
Reply TooLarge();
Reply ServiceUnavailable(int retryAfterSeconds);

}  // namespace qvserver
