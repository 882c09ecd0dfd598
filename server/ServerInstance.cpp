#include "server/ServerInstance.h"

#include <stdexcept>

#include "server/HttpServer.h"
#include "server/StageValidator.h"

namespace qvserver {

ServerInstance::ServerInstance() = default;

ServerInstance::~ServerInstance() { Stop(); }

int ServerInstance::Start(const ServerConfig& config) {
    Stop();
    PrepareStageReader();
    store_ = OpenStageStore(config.database, config.connections, config.databaseKind, config.databaseWait);
    handlers_ = std::make_unique<RequestHandlers>(*store_, config.options);
    TransportOptions transport = config.transport;
    transport.threads = config.threads;
    transport.workers = config.connections;
    transport.storeWait = config.databaseWait;
    http_ = std::make_unique<HttpServer>(*handlers_, transport);
    port_ = http_->Bind(config.host, config.port);
    if (port_ <= 0) {
        const std::string why = http_->BindError();
        http_.reset();
        throw std::runtime_error(why);
    }
    thread_ = std::thread([this] { http_->Run(); });
    return port_;
}

void ServerInstance::Stop() {
    if (http_) http_->Stop();
    if (thread_.joinable()) thread_.join();
    http_.reset();
    handlers_.reset();
    store_.reset();
    port_ = -1;
}

}  // namespace qvserver
