// quorvald-server: the stage-sharing server.
//
//   quorvald-server [--listen HOST[:PORT]] [--port N] [--sqlite FILE | --postgres CONNINFO |
//                   --database LOCATION] [--threads N] [--connections N] [--posts-per-day N]
//                   [--registrations-per-day N] [--max-stage-bytes N] [--rate N] [--burst N]
//                   [--maintenance TEXT] [--game-folder DIR] [--max-connections N]
//                   [--connections-per-address N] [--idle-timeout SECONDS] [--body-memory BYTES]
//                   [--database-wait MILLISECONDS] [--trusted-proxy ADDR]...
//                   [--client-address-header NAME]
//
// The store is an SQLite file (default quorvald-server.db in the current folder) or a PostgreSQL
// database (--postgres with a libpq URI or "host=... dbname=..." string). --database takes either:
// a postgresql:// URI, else an SQLite path. QUORVALD_DATABASE sets the default --database. The server reads
// uploaded stages with the game's own reader, which needs the game folder's data (the folder of this
// executable unless --game-folder says otherwise).
//
// --trusted-proxy (repeatable; QUORVALD_TRUSTED_PROXIES holds more, separated by commas or blanks)
// names a reverse proxy whose --client-address-header (X-Forwarded-For unless said otherwise; the
// rightmost address in it that is not a trusted proxy) is believed as the player's address; no
// other header is read for it, and from any other address the header is ignored.
//
// It prints one line "listening on http://HOST:PORT" once it serves, and stops cleanly on
// SIGINT or SIGTERM. Exit status: 0 after a clean stop, 1 when it cannot start, 2 for bad
// arguments.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <sstream>
#include <string>

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "platform/signals.h"
#include "server/HttpServer.h"
#include "server/StageValidator.h"

namespace {

void Usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: quorvald-server [--listen HOST[:PORT]] [--port N]\n"
                 "                       [--sqlite FILE | --postgres CONNINFO | --database LOCATION]\n"
                 "                       [--threads N] [--connections N] [--posts-per-day N]\n"
                 "                       [--registrations-per-day N]\n"
                 "                       [--max-stage-bytes N] [--rate N] [--burst N]\n"
                 "                       [--maintenance TEXT] [--game-folder DIR]\n"
                 "                       [--max-connections N] [--connections-per-address N]\n"
                 "                       [--idle-timeout SECONDS] [--body-memory BYTES]\n"
                 "                       [--database-wait MILLISECONDS]\n"
                 "                       [--trusted-proxy ADDR]... [--client-address-header NAME]\n"
                 "Serves Quorvald stage sharing over HTTP (default 0.0.0.0:8631, SQLite file\n"
                 "quorvald-server.db). Limits: posts per creator and day (20), new creators per\n"
                 "address and day (10), upload bytes (524288), requests per second and burst per\n"
                 "address (20, 60), open connections (10000) and per address (64), seconds a silent\n"
                 "connection stays open (15); 0 switches a limit off. An IPv6 /64 is one address.\n"
                 "Request bodies being read hold at most --body-memory bytes together (33554432);\n"
                 "a request waits at most --database-wait ms (3000) for the database, then gets 503.\n"
                 "--trusted-proxy (or QUORVALD_TRUSTED_PROXIES): a reverse proxy whose\n"
                 "--client-address-header (X-Forwarded-For) names the player.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string host = "0.0.0.0";
    int port = 8631;
    const char* env = std::getenv("QUORVALD_DATABASE");
    std::string database = env && *env ? env : "quorvald-server.db";
    qvserver::StoreKind kind = qvserver::StoreKind::Guess;
    int threads = 64, connections = 16;
    long long databaseWait = qvserver::kDefaultDatabaseWait.count();
    qvserver::ServerOptions options;
    qvserver::TransportOptions transport;
    transport.connectionsPerAddress = 64;
    if (const char* proxies = std::getenv("QUORVALD_TRUSTED_PROXIES")) {
        std::string list = proxies;
        std::replace(list.begin(), list.end(), ',', ' ');
        std::istringstream words(list);
        for (std::string word; words >> word;) transport.trustedProxies.push_back(word);
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "quorvald-server: %s needs a value\n", arg.c_str());
            Usage(stderr);
            return 2;
        }
        const std::string v = argv[++i];
        if (arg == "--listen") {
            host = v;
            const size_t colon = v.rfind(':');
            if (colon != std::string::npos && v.find(':') == colon) {
                host = v.substr(0, colon);
                port = std::atoi(v.c_str() + colon + 1);
            }
        } else if (arg == "--sqlite") {
            database = v;
            kind = qvserver::StoreKind::Sqlite;
        } else if (arg == "--postgres") {
            database = v;
            kind = qvserver::StoreKind::Postgres;
        } else if (arg == "--port") {
            port = std::atoi(v.c_str());
        } else if (arg == "--database") {
            database = v;
            kind = qvserver::StoreKind::Guess;
        } else if (arg == "--threads") {
            threads = std::atoi(v.c_str());
        } else if (arg == "--connections") {
            connections = std::atoi(v.c_str());
        } else if (arg == "--posts-per-day") {
            options.postsPerDay = std::atoi(v.c_str());
        } else if (arg == "--registrations-per-day") {
            options.registrationsPerDay = std::atoi(v.c_str());
        } else if (arg == "--max-stage-bytes") {
            options.maxStageBytes = std::atoll(v.c_str());
        } else if (arg == "--rate") {
            options.requestsPerSecond = std::atof(v.c_str());
        } else if (arg == "--burst") {
            options.requestBurst = std::atof(v.c_str());
        } else if (arg == "--maintenance") {
            options.maintenanceMessage = v;
        } else if (arg == "--game-folder") {
            SetGameFolder(v);
        } else if (arg == "--max-connections") {
            transport.maxConnections = std::atoi(v.c_str());
        } else if (arg == "--connections-per-address") {
            transport.connectionsPerAddress = std::atoi(v.c_str());
        } else if (arg == "--idle-timeout") {
            transport.idleTimeoutSeconds = std::atoi(v.c_str());
        } else if (arg == "--body-memory") {
            transport.bodyMemory = std::atoll(v.c_str());
        } else if (arg == "--database-wait") {
            databaseWait = std::atoll(v.c_str());
        } else if (arg == "--client-address-header") {
            const bool token = !v.empty() && std::all_of(v.begin(), v.end(), [](unsigned char c) {
                return std::isalnum(c) || c == '-' || c == '_';
            });
            if (!token) {
                std::fprintf(stderr, "quorvald-server: --client-address-header %s is no header name\n",
                             v.c_str());
                return 2;
            }
            transport.clientAddressHeader = v;
        } else if (arg == "--trusted-proxy") {
            if (qvserver::CanonicalAddress(v).empty()) {
                std::fprintf(stderr, "quorvald-server: --trusted-proxy %s is no IP address\n", v.c_str());
                return 2;
            }
            transport.trustedProxies.push_back(v);
        } else {
            std::fprintf(stderr, "quorvald-server: unknown argument %s\n", arg.c_str());
            Usage(stderr);
            return 2;
        }
    }
    if (port < 0 || port > 65535 || threads < 1 || connections < 1 || options.maxStageBytes < 1 ||
        transport.maxConnections < 1 || transport.connectionsPerAddress < 0 ||
        transport.idleTimeoutSeconds < 0 || databaseWait < 1 || databaseWait > 3600 * 1000) {
        Usage(stderr);
        return 2;
    }
    // The largest upload must fit the body memory, or no stage could ever be posted.
    const int64_t largestBody =
        std::max(options.maxStageBytes + qvserver::kUploadSlackBytes, options.maxBodyBytes);
    if (transport.bodyMemory < largestBody) {
        std::fprintf(stderr, "quorvald-server: --body-memory must hold the largest upload, %lld bytes\n",
                     static_cast<long long>(largestBody));
        return 2;
    }
    transport.storeWait = std::chrono::milliseconds(databaseWait);

    std::promise<void> stopped;
    plat::CallOnTerminationSignal([&stopped] { stopped.set_value(); });
    std::unique_ptr<qvserver::IStageStore> store;
    try {
        qvserver::PrepareStageReader();
        store = qvserver::OpenStageStore(database, connections, kind, transport.storeWait);
    } catch (const std::exception& e) {
        const std::string code = GetErrorCode(e);
        if (code.empty())
            std::fprintf(stderr, "quorvald-server: %s\n", e.what());
        else
            std::fprintf(stderr, "quorvald-server: the stage reader cannot start: %s %s\n", code.c_str(),
                         e.what());
        return 1;
    }
    qvserver::RequestHandlers handlers(*store, options);
    transport.threads = threads;
    transport.workers = connections;
    qvserver::HttpServer http(handlers, transport);
    const int bound = http.Bind(host, port);
    if (bound <= 0) {
        std::fprintf(stderr, "quorvald-server: %s\n", http.BindError().c_str());
        return 1;
    }
    std::thread stopper([&] {
        stopped.get_future().wait();
        http.Stop();
    });
    std::printf("listening on http://%s:%d\n", host.c_str(), bound);
    std::fflush(stdout);
    const bool ok = http.Run();
    // Run also returns when serving fails; the stopper then waits for a signal that will not
    // come, so it is left to the end of the process.
    if (stopper.joinable()) {
        if (ok) {
            stopper.join();
        } else {
            stopper.detach();
        }
    }
    if (!ok) std::fprintf(stderr, "quorvald-server: cannot serve on %s:%d\n", host.c_str(), bound);
    return ok ? 0 : 1;
}
