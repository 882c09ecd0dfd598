// Requests -> the sharing server's handlers, step by step as the transport runs them (the head,
// the head's store checks, a reply held, the whole request): every input gets a reply (no crash,
// no hang), and a reply that says it failed carries a code the client knows.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "foundation/EncodedFile.h"
#include "server/RequestHandlers.h"
#include "tests/common/temp_folder.h"

namespace {

qvserver::RequestHandlers* Handlers() {
    static testsupport::TempGameFolder folder("quor-fuzz-server");
    static std::unique_ptr<qvserver::IStageStore> store;
    static std::unique_ptr<qvserver::RequestHandlers> handlers;
    if (!handlers) {
        testsupport::PrepareStageReading(folder);
        store = qvserver::OpenStageStore((folder.Path() / "fuzz.db").string(), 1);
        qvserver::ServerOptions options;
        options.requestsPerSecond = 0;
        options.postsPerDay = 0;
        options.registrationsPerDay = 0;
        // A newest list is kept until a write, never until a time: the same inputs take the same way.
        options.listMaxAge = std::chrono::hours(1);
        handlers =
            std::make_unique<qvserver::RequestHandlers>(*store, options, [] { return int64_t{1290331805}; });
        // One creator whose id and key the inputs can name: 1 and "k".
        handlers->Handle({"POST", "/qv/1/creators", {}, {}, "fuzzer", "127.0.0.1"});
    }
    return handlers.get();
}

// Splits the input at zero bytes: method, path, a header value pair, a query pair, the body.
std::string Take(const std::string& in, size_t& at) {
    const size_t end = in.find('\0', at);
    std::string part = in.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? in.size() : end + 1;
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string in(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    qvserver::Request r;
    static const char* const kMethods[] = {"GET", "POST", "DELETE", "PUT"};
    r.method = kMethods[size > 0 ? data[0] % 4 : 0];
    at = size > 0 ? 1 : 0;
    r.path = "/qv/1/" + Take(in, at);
    r.headers["x-quorvald-creator"] = Take(in, at);
    r.headers["x-quorvald-key"] = Take(in, at);
    r.headers["x-quorvald-background"] = Take(in, at);
    r.query.emplace(Take(in, at), Take(in, at));
    r.body = in.substr(std::min(at, in.size()));
    r.remoteAddress = "127.0.0.1";
    // Chunked when the first byte says so, else with its length declared.
    r.streamed = size > 0 && (data[0] & 4) != 0;
    r.declaredLength = r.streamed ? 0 : static_cast<int64_t>(r.body.size());
    qvserver::RequestHandlers& handlers = *Handlers();
    std::optional<qvserver::Reply> reply = handlers.Admit(r);
    if (!reply && handlers.HeadNeedsStore(r)) reply = handlers.AdmitFromStore(r);
    if (!reply) reply = handlers.AnswerAtOnce(r);
    if (!reply) reply = handlers.Handle(r);
    if (reply->errorCode < 0 || reply->errorCode > 8 || reply->errorCode == 5) std::abort();
    if (reply->status == 200 && reply->errorCode != 0) std::abort();
    return 0;
}
