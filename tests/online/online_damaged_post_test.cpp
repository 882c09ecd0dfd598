// A client that skips the game's own checks posts a damaged stage: the sharing server reads it
// with the game's stage reader and refuses it, and lists nothing.
#include <gtest/gtest.h>

#include <chrono>

#include "foundation/TextEncoding.h"
#include "online/QVNet.h"
#include "server/ServerInstance.h"
#include "tests/common/temp_folder.h"

namespace {

struct Finished {
    int state;
    QVNet::ErrorCode code;
    std::string detail;
};

Finished Wait(QVNet::Request request) {
    EXPECT_TRUE(QVNet::WaitForEnd(request.get(), std::chrono::seconds(20)));
    Finished f{request->GetState(), request->GetErrorCode(), request->GetErrorDetail()};
    return f;
}

TEST(DamagedPost, TheServerRefusesAStageItsReaderRejects) {
    testsupport::TempGameFolder game("quor-damaged-post");
    const std::string stage = Utf8ToCp932(testsupport::PrepareStageReading(game));
    ASSERT_FALSE(stage.empty());
    qvserver::ServerInstance server;
    qvserver::ServerConfig config;
    config.database = game.Full("s.db").string();
    config.threads = 2;
    QVNet::SetServerAddress("http://127.0.0.1:" + std::to_string(server.Start(config)));

    int creator = 0;
    char key[QVNet::kCommonKeyBufferSize] = {};
    ASSERT_EQ(Wait(QVNet::Begin_RegisterCreator("post", creator, key, nullptr)).state, QVNet::kStateDone);
    // The stage cut off in its middle, and one whose map no longer matches its checksum.
    std::string garbled = stage;
    const size_t map = garbled.find("<mapString>") + 11;
    garbled[map] = garbled[map] == 'F' ? '0' : 'F';
    for (const std::string& damaged : {stage.substr(0, stage.size() / 2), garbled}) {
        int stageId = -1;
        const Finished f = Wait(QVNet::Begin_RegisterStage(
            creator, key, "GrassDayTime", unsigned(damaged.size()), damaged.c_str(), stageId, nullptr));
        EXPECT_EQ(f.state, QVNet::kStateFailed);
        EXPECT_EQ(f.code, QVNet::EC_ST_ERROR);
        EXPECT_EQ(f.detail, "S001");
    }
    char reply[256] = {};
    ASSERT_EQ(Wait(QVNet::Begin_GetNewStage(4, reply, sizeof reply, nullptr)).state, QVNet::kStateDone);
    EXPECT_EQ(std::string(reply), "0\n0\n");
    QVNet::SetServerAddress("");
}

}  // namespace
