#include "server/RequestHandlers.h"

#include <algorithm>
#include <cstdio>
#include <variant>

#include "foundation/TextEncoding.h"
#include "server/CommonKey.h"
#include "server/StageValidator.h"

namespace qvserver {
namespace {

constexpr char kPrefix[] = "/qv/1/";
constexpr int64_t kDay = 24 * 60 * 60;
constexpr int kMaxHistoryRecords = 256;
// Creator names, stage names and authors: 12 characters of the game's on-screen keyboard, each
// at most two CP932 bytes.
constexpr size_t kMaxNameBytes = 24;
constexpr size_t kMaxBackgroundBytes = 64;

Reply Fail(int status, ServerError code, std::string detail) {
    Reply r;
    r.status = status;
    r.errorCode = static_cast<int>(code);
    r.body = std::move(detail);
    return r;
}

Reply Ok(std::string body) {
    Reply r;
    r.body = std::move(body);
    return r;
}

Reply NotFound() {
    Reply r;
    r.status = 404;
    r.body = "Not Found";
    return r;
}

Reply StoreFailed(const StoreError& e) {
    switch (e.Failure()) {
        case StoreFailure::Duplicate:
            return Fail(409, ServerError::Database, "23505");
        case StoreFailure::Conflict:  // met other writes on every try: busy, as if unreachable
        case StoreFailure::Unavailable:
            return DatabaseUnavailable();
        case StoreFailure::Internal:
            break;
    }
    return Fail(500, ServerError::Database, "XX000");
}

// Runs one step of a request: a store that fails answers as StoreFailed says, anything else
// thrown answers 500.
template <typename Step>
auto Guarded(Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const StoreError& e) {
        return StoreFailed(e);
    } catch (...) {
        return Fail(500, ServerError::Other, "");
    }
}

Reply MissingParameter() { return Fail(400, ServerError::Parameter, "P001"); }

// A daily limit reached: its number is the detail.
Reply Restricted(int limit) { return Fail(429, ServerError::Restricted, std::to_string(limit)); }

Reply TooManyRequests() {
    Reply r;
    r.status = 429;
    r.body = "Too Many Requests";
    return r;
}

std::vector<std::string> SplitPath(const std::string& rest) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= rest.size()) {
        const size_t slash = rest.find('/', at);
        const size_t end = slash == std::string::npos ? rest.size() : slash;
        parts.push_back(rest.substr(at, end - at));
        if (slash == std::string::npos) break;
        at = slash + 1;
    }
    return parts;
}

// What a request asks for.
enum class Endpoint {
    Check,
    History,
    RegisterCreator,
    DeleteCreator,
    CreatorStages,
    Appraisal,
    PostStage,
    Newest,
    SearchByName,
    SearchByRatings,
    Download,
    DeleteStage,
};

struct Target {
    Endpoint endpoint;
    int64_t id = 0;  // the creator or stage the path names
};

// The endpoint a method and path name, or the refusal of one that names none: 404, or P001 for
// a creator id that is no number.
std::variant<Target, Reply> Resolve(const std::string& method, const std::string& path) {
    if (path.rfind(kPrefix, 0) != 0) return NotFound();
    const std::vector<std::string> p = SplitPath(path.substr(sizeof kPrefix - 1));
    const bool get = method == "GET", post = method == "POST", del = method == "DELETE";
    if (p.size() == 1 && p[0] == "check" && get) return Target{Endpoint::Check};
    if (p.size() == 1 && p[0] == "history" && post) return Target{Endpoint::History};
    if (p[0] == "creators") {
        if (p.size() == 1 && post) return Target{Endpoint::RegisterCreator};
        if (p.size() < 2) return NotFound();
        const auto id = ParseNumber(p[1]);
        if (!id) return MissingParameter();
        if (p.size() == 2 && del) return Target{Endpoint::DeleteCreator, *id};
        if (p.size() == 3 && p[2] == "stages" && get) return Target{Endpoint::CreatorStages, *id};
        if (p.size() == 3 && p[2] == "appraisal" && get) return Target{Endpoint::Appraisal, *id};
        return NotFound();
    }
    if (p[0] == "stages") {
        if (p.size() == 1 && post) return Target{Endpoint::PostStage};
        if (p.size() != 2) return NotFound();
        if (p[1] == "newest" && get) return Target{Endpoint::Newest};
        if (p[1] == "search" && get) return Target{Endpoint::SearchByName};
        if (p[1] == "rated" && get) return Target{Endpoint::SearchByRatings};
        const auto id = ParseNumber(p[1]);
        if (!id) return NotFound();
        if (get) return Target{Endpoint::Download, *id};
        if (del) return Target{Endpoint::DeleteStage, *id};
    }
    return NotFound();
}

std::optional<Endpoint> EndpointOf(const Request& r) {
    const auto routed = Resolve(r.method, r.path);
    if (const Target* t = std::get_if<Target>(&routed)) return t->endpoint;
    return std::nullopt;
}

std::string QueryValue(const Request& r, const char* name) {
    auto it = r.query.find(name);
    return it == r.query.end() ? std::string() : it->second;
}

std::string Header(const Request& r, const char* name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    auto it = r.headers.find(lower);
    return it == r.headers.end() ? std::string() : it->second;
}

// A text field of a list line: CP932, with nothing that would end the line early.
std::string LineText(const std::string& utf8) {
    std::string s = Utf8ToCp932(utf8);
    for (char& c : s) {
        if (c == '\n' || c == '\r' || c == '\0') c = ' ';
    }
    return s;
}

void FormatTime(int64_t stamp, std::string& date, std::string& time) {
    using namespace std::chrono;
    const sys_seconds t{seconds(stamp)};
    const sys_days day = floor<days>(t);
    const year_month_day ymd{day};
    const hh_mm_ss<seconds> hms{t - day};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02u/%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    date = buf;
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", static_cast<int>(hms.hours().count()),
                  static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count()));
    time = buf;
}

// A creator name as sent: 1 to 24 bytes of CP932 without control characters, not blank.
std::optional<std::string> CheckName(const std::string& cp932) {
    if (cp932.empty() || cp932.size() > kMaxNameBytes) return std::nullopt;
    for (unsigned char c : cp932) {
        if (c < 0x20 || c == 0x7f) return std::nullopt;
    }
    const std::string utf8 = Cp932ToUtf8(cp932);
    if (utf8.find("\xEF\xBF\xBD") != std::string::npos || Utf8ToCp932(utf8) != cp932) return std::nullopt;
    if (utf8.find_first_not_of(" \xe3\x80\x80") == std::string::npos) return std::nullopt;
    return utf8;
}

bool IsPrintableAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return c >= 0x21 && c < 0x7f; });
}

}  // namespace

std::optional<int64_t> ParseNumber(const std::string& text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    if (text.size() <= i || text.size() - i > 9) return std::nullopt;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

RequestHandlers::RequestHandlers(IStageStore& store, ServerOptions options, Clock clock)
    : store_(store),
      options_(std::move(options)),
      clock_(std::move(clock)),
      limiter_(options_.requestsPerSecond, options_.requestBurst),
      newest_(options_.listMaxAge) {
    if (!clock_) {
        clock_ = [] {
            return std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                .count();
        };
    }
}

std::optional<Reply> RequestHandlers::Admit(const Request& head) {
    if (!BodyFits(head)) return TooLarge();
    if (!limiter_.Allow(head.remoteAddress, RateLimiter::Clock::now())) return TooManyRequests();
    if (!options_.maintenanceMessage.empty()) {
        return Fail(503, ServerError::Maintenance, Utf8ToCp932(options_.maintenanceMessage));
    }
    auto routed = Resolve(head.method, head.path);
    if (Reply* refusal = std::get_if<Reply>(&routed)) return std::move(*refusal);
    return std::nullopt;
}

bool RequestHandlers::HeadNeedsStore(const Request& head) const {
    const auto endpoint = EndpointOf(head);
    return endpoint == Endpoint::PostStage ||
           (endpoint == Endpoint::RegisterCreator && options_.registrationsPerDay > 0);
}

std::optional<Reply> RequestHandlers::AdmitFromStore(const Request& head) {
    return Guarded([&]() -> std::optional<Reply> {
        const auto endpoint = EndpointOf(head);
        if (endpoint == Endpoint::PostStage) return CheckPost(head, head.declaredLength);
        if (endpoint == Endpoint::RegisterCreator) return CheckRegistrations(head.remoteAddress);
        return std::nullopt;
    });
}

std::optional<Reply> RequestHandlers::AnswerAtOnce(const Request& request) {
    if (EndpointOf(request) != Endpoint::Newest) return std::nullopt;
    auto kept = newest_.Peek(Count(request, "count"), ReplyCache::Clock::now());
    if (!kept) return std::nullopt;
    return Ok(std::move(*kept));
}

Reply RequestHandlers::Handle(const Request& request) {
    Reply reply = Guarded([&] { return Route(request); });
    // A write, even a refused one (it may have changed something before it failed), makes the
    // kept lists old; reads leave them.
    if (request.method != "GET") newest_.Invalidate();
    return reply;
}

int64_t RequestHandlers::BodyLimit(const std::string& method, const std::string& path) const {
    const auto routed = Resolve(method, path);
    const Target* target = std::get_if<Target>(&routed);
    if (target == nullptr) return 0;
    switch (target->endpoint) {
        case Endpoint::PostStage:
            return options_.maxStageBytes + kUploadSlackBytes;
        case Endpoint::RegisterCreator:
        case Endpoint::History:
            return options_.maxBodyBytes;
        default:
            return 0;
    }
}

bool RequestHandlers::BodyFits(const Request& head) const {
    const int64_t limit = BodyLimit(head.method, head.path);
    return head.declaredLength <= limit && !(head.streamed && limit == 0);
}

Reply RequestHandlers::Route(const Request& r) {
    const auto routed = Resolve(r.method, r.path);
    if (const Reply* refusal = std::get_if<Reply>(&routed)) return *refusal;
    const Target& t = std::get<Target>(routed);
    if (r.method != "POST" && r.body.size() > static_cast<size_t>(options_.maxBodyBytes))
        return MissingParameter();
    switch (t.endpoint) {
        case Endpoint::Check:
            return Check();
        case Endpoint::History:
            return PlayHistory(r);
        case Endpoint::RegisterCreator:
            return RegisterCreator(r);
        case Endpoint::DeleteCreator:
            return DeleteCreator(r, t.id);
        case Endpoint::CreatorStages:
            return CreatorStages(r, t.id);
        case Endpoint::Appraisal:
            return Appraisal(t.id);
        case Endpoint::PostStage:
            return PostStage(r);
        case Endpoint::Newest:
            return Newest(r);
        case Endpoint::SearchByName:
            return SearchByName(r);
        case Endpoint::SearchByRatings:
            return SearchByRatings(r);
        case Endpoint::Download:
            return Download(r, t.id);
        case Endpoint::DeleteStage:
            return DeleteStage(r, t.id);
    }
    return NotFound();
}

int RequestHandlers::Count(const Request& r, const char* name) const {
    const auto n = ParseNumber(QueryValue(r, name));
    // None, zero or less: as many as one reply may hold.
    if (!n || *n <= 0) return options_.maxListCount;
    return static_cast<int>(std::min<int64_t>(*n, options_.maxListCount));
}

std::string RequestHandlers::ListReply(const StageList& list) const {
    std::string records;
    int count = 0;
    for (const StageSummary& s : list.stages) {
        std::string date, time;
        FormatTime(s.postedAt, date, time);
        std::string difficulty, length, rating;
        if (s.plays > 0) {
            difficulty = std::to_string(StageDifficulty(s));
            length = std::to_string(StageLength(s));
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.2f", StageRating(s));
            rating = buf;
        }
        std::string rec;
        rec += std::to_string(s.id) + "\n";
        // Names stored before their length was checked are cut to what the game shows: no
        // record is so long that it keeps the records after it out of a reply.
        rec += LineText(CutToCp932Bytes(s.name, kMaxNameBytes)) + "\n";
        rec += std::to_string(s.creatorId) + "\n";
        rec += LineText(CutToCp932Bytes(s.author, kMaxNameBytes)) + "\n";
        // The size the client reserves: the text and its terminating zero.
        rec += std::to_string(s.size + 1) + "\n";
        rec += std::to_string(s.downloads) + "\n";
        rec += LineText(CutToCp932Bytes(s.background, kMaxBackgroundBytes)) + "\n";
        for (const std::string* field : {&difficulty, &length, &rating}) rec.append(*field).append("\n");
        rec.append(date).append(" ").append(time).append("\n");
        rec.append(time).append("\n");
        const std::string head = std::to_string(list.total) + "\n" + std::to_string(count + 1) + "\n";
        if (static_cast<int64_t>(head.size() + records.size() + rec.size()) > options_.maxReplyBytes) break;
        records += rec;
        ++count;
    }
    return std::to_string(list.total) + "\n" + std::to_string(count) + "\n" + records;
}

std::optional<Reply> RequestHandlers::CheckRegistrations(const std::string& address) {
    if (options_.registrationsPerDay <= 0) return std::nullopt;
    // A quick refusal before the name is read; the store counts again as it adds the creator.
    if (store_.CountRegistrationsSince(address, clock_() - kDay) >= options_.registrationsPerDay)
        return Restricted(options_.registrationsPerDay);
    return std::nullopt;
}

Reply RequestHandlers::RegisterCreator(const Request& r) {
    if (r.body.empty()) return MissingParameter();
    const auto name = CheckName(r.body);
    if (!name) return Fail(400, ServerError::Database, "23502");
    const auto key = NewCommonKey();
    const auto stored = key ? StoreKey(*key) : std::nullopt;
    if (!stored) return Fail(500, ServerError::Other, "");
    const int64_t now = clock_();
    const auto id =
        store_.AddCreator(*name, *stored, r.remoteAddress, {now, now - kDay, options_.registrationsPerDay});
    if (!id) return Restricted(options_.registrationsPerDay);
    return Ok(std::to_string(*id) + "\n" + *key);
}

Reply RequestHandlers::CreatorStages(const Request& r, int64_t creatorId) {
    const auto start = ParseNumber(QueryValue(r, "start"));
    return Ok(ListReply(store_.ListByCreator(
        creatorId, static_cast<int>(std::max<int64_t>(0, start.value_or(0))), Count(r, "count"))));
}

Reply RequestHandlers::SearchByName(const Request& r) {
    const std::string raw = QueryValue(r, "name");
    if (raw.empty() || raw.size() > kMaxNameBytes) return MissingParameter();
    const std::string part = Cp932ToUtf8(raw);
    const auto start = ParseNumber(QueryValue(r, "start"));
    return Ok(ListReply(store_.SearchByCreatorName(
        part, static_cast<int>(std::max<int64_t>(0, start.value_or(0))), Count(r, "count"))));
}

Reply RequestHandlers::SearchByRatings(const Request& r) {
    const auto difficulty = ParseNumber(QueryValue(r, "difficulty"));
    const auto length = ParseNumber(QueryValue(r, "length"));
    if (!difficulty || !length) return MissingParameter();
    const auto start = ParseNumber(QueryValue(r, "start"));
    return Ok(ListReply(store_.SearchByRatings(static_cast<int>(std::clamp<int64_t>(*difficulty, 0, 100)),
                                               static_cast<int>(std::clamp<int64_t>(*length, 0, 100)),
                                               static_cast<int>(std::max<int64_t>(0, start.value_or(0))),
                                               Count(r, "count"))));
}

Reply RequestHandlers::Newest(const Request& r) {
    const int count = Count(r, "count");
    const auto now = ReplyCache::Clock::now();
    if (auto kept = newest_.Find(count, now)) return Ok(std::move(*kept));
    const uint64_t generation = newest_.Generation();
    std::string reply = ListReply(store_.ListNewest(0, count));
    newest_.Keep(count, generation, reply, now);
    return Ok(std::move(reply));
}

std::optional<Reply> RequestHandlers::Authenticate(const Request& r, int64_t creatorId) {
    const std::string key = Header(r, kKeyHeader);
    if (key.empty() || creatorId <= 0) return MissingParameter();
    const auto stored = store_.GetCreatorKey(creatorId);
    if (!stored) return Fail(404, ServerError::Parameter, "P002");
    if (!KeyMatches(key, *stored)) return Fail(403, ServerError::Authentication, "");
    return std::nullopt;
}

std::optional<Reply> RequestHandlers::CheckPost(const Request& r, int64_t bytes) {
    const auto creatorId = ParseNumber(Header(r, kCreatorHeader));
    if (!creatorId) return MissingParameter();
    if (auto refused = Authenticate(r, *creatorId)) return refused;
    const std::string background = Header(r, kBackgroundHeader);
    if (background.empty() || background.size() > kMaxBackgroundBytes || !IsPrintableAscii(background))
        return MissingParameter();
    // A quick refusal before the stage is read; the store counts again as it adds the stage.
    if (options_.postsPerDay > 0 &&
        store_.CountPostsSince(*creatorId, clock_() - kDay) >= options_.postsPerDay)
        return Restricted(options_.postsPerDay);
    if (bytes > options_.maxStageBytes) return Fail(413, ServerError::StageData, "S003");
    return std::nullopt;
}

Reply RequestHandlers::PostStage(const Request& r) {
    if (auto refused = CheckPost(r, static_cast<int64_t>(r.body.size()))) return *refused;
    const int64_t creatorId = ParseNumber(Header(r, kCreatorHeader)).value_or(0);  // CheckPost read it
    const int64_t now = clock_();
    const DailyLimit limit{now, now - kDay, options_.postsPerDay};
    StageCheck check = CheckStage(r.body);
    if (!check.stage) return Fail(422, ServerError::StageData, check.failure);
    // No name or author longer than the game lets a player type.
    if (Cp932Length(check.stage->name) > kMaxNameBytes || Cp932Length(check.stage->author) > kMaxNameBytes)
        return Fail(422, ServerError::StageData, "S001");
    NewStage stage;
    stage.creatorId = creatorId;
    stage.name = check.stage->name;
    stage.author = check.stage->author;
    if (stage.author.empty()) stage.author = store_.GetCreatorName(creatorId).value_or("");
    stage.background = Header(r, kBackgroundHeader);
    stage.postedAt = limit.now;
    const CheckedStage& checked = *check.stage;
    const auto id = store_.AddStage(
        stage, [&](int64_t newId) { return PlaceStageId(checked, newId); }, limit);
    if (!id) return Restricted(options_.postsPerDay);
    return Ok(std::to_string(*id));
}

Reply RequestHandlers::Download(const Request& r, int64_t stageId) {
    auto data = store_.DownloadStage(stageId, r.remoteAddress, clock_() / kDay);
    if (!data) return Fail(404, ServerError::Parameter, "P003");
    return Ok(std::move(*data));
}

Reply RequestHandlers::DeleteStage(const Request& r, int64_t stageId) {
    const auto creatorId = ParseNumber(Header(r, kCreatorHeader));
    if (!creatorId) return MissingParameter();
    if (auto refused = Authenticate(r, *creatorId)) return *refused;
    if (!store_.DeleteStage(stageId, *creatorId)) return Fail(404, ServerError::Parameter, "P003");
    return Ok("OK");
}

Reply RequestHandlers::DeleteCreator(const Request& r, int64_t creatorId) {
    if (auto refused = Authenticate(r, creatorId)) return *refused;
    if (!store_.DeleteCreator(creatorId)) return Fail(404, ServerError::Parameter, "P002");
    return Ok("OK");
}

Reply RequestHandlers::PlayHistory(const Request& r) {
    if (r.body.size() > static_cast<size_t>(options_.maxBodyBytes)) return MissingParameter();
    std::vector<PlayReport> reports;
    size_t at = 0;
    int lines = 0;
    while (at < r.body.size()) {
        size_t end = r.body.find('\n', at);
        if (end == std::string::npos) end = r.body.size();
        const std::string line = r.body.substr(at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        if (++lines > kMaxHistoryRecords) return MissingParameter();
        int64_t v[5];
        size_t from = 0;
        for (int i = 0; i < 5; ++i) {
            const size_t comma = i < 4 ? line.find(',', from) : line.size();
            if (comma == std::string::npos) return MissingParameter();
            const auto n = ParseNumber(line.substr(from, comma - from));
            if (!n) return MissingParameter();
            v[i] = *n;
            from = comma + 1;
        }
        PlayReport p{v[0], v[1], v[2], v[3], v[4]};
        // A report no game could have made is left out; the rest count.
        const bool sound = p.stageId > 0 && p.plays >= 1 && p.plays <= 10000 && p.ticks >= 0 &&
                           p.ticks <= 36000 * p.plays && p.misses >= 0 && p.misses <= 10 * p.plays &&
                           p.votes >= 0 && p.votes <= 100 * p.plays;
        if (sound) reports.push_back(p);
    }
    store_.AddPlays(r.remoteAddress, clock_() / kDay, reports);
    return Ok("OK");
}

Reply RequestHandlers::Check() {
    store_.Check();  // an unreachable database answers as for any other request
    return Ok("OK");
}

Reply RequestHandlers::Appraisal(int64_t creatorId) {
    if (!store_.GetCreatorName(creatorId)) return Fail(404, ServerError::Parameter, "P002");
    const int64_t points = std::min<int64_t>(store_.RatingPoints(creatorId), 2147483647);
    return Ok(std::to_string(points));
}

Reply DatabaseUnavailable() { return Fail(503, ServerError::Database, "08000"); }

Reply TooLarge() {
    Reply r;
    r.status = 413;
    r.body = "Payload Too Large";
    return r;
}

Reply ServiceUnavailable(int retryAfterSeconds) {
    Reply r;
    r.status = 503;
    r.body = "Service Unavailable";
    r.retryAfterSeconds = retryAfterSeconds;
    return r;
}

}  // namespace qvserver
