#include "online/EmbeddedServer.h"

#include <memory>
#include <mutex>

#include "foundation/EncodedFile.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "online/QVNet.h"
#include "server/ServerInstance.h"

namespace {
std::mutex g_mutex;
std::unique_ptr<qvserver::ServerInstance> g_server;
}  // namespace

std::string StartEmbeddedServer() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_server) {
        CreateFolder("network");
        CreateFolder("network\\server");
        qvserver::ServerConfig config;
        config.host = "127.0.0.1";
        config.port = 0;
        config.database = GetWritePath("network\\server\\stages.db");
        config.threads = 4;
        config.connections = 2;
        // One player on his own machine: no daily post limit, no request limit.
        config.options.postsPerDay = 0;
        config.options.requestsPerSecond = 0;
        // What the server's transport has to say goes to the game's log.
        config.transport.log = [](const std::string& line) {
            CLog::GetInstance()->Write("内蔵サーバ: " + line);
        };
        auto server = std::make_unique<qvserver::ServerInstance>();
        try {
            server->Start(config);
        } catch (const std::exception& e) {
            CLog::GetInstance()->Write("内蔵サーバを起動できません: " + FormatErrorReport(e));
            return {};
        }
        g_server = std::move(server);
    }
    return "http://127.0.0.1:" + std::to_string(g_server->Port());
}

void InstallEmbeddedServer() { QVNet::SetAddressProvider(&StartEmbeddedServer); }

void StopEmbeddedServer() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_server.reset();
}
