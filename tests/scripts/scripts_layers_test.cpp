// The layer check of CI: every include points down the layers, and an include that points up,
// a server file that reaches into the engine or a folder in no layer fails the check by name.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <string>

#include "tests/common/temp_folder.h"

namespace {

struct CheckRun {
    int status = -1;
    std::string output;
};

// Runs scripts/check-layers.sh on the tree under `root`.
CheckRun CheckLayers(const std::string& root) {
    const std::string command =
        "bash '" + std::string(QUOR_SOURCE_DIR) + "/scripts/check-layers.sh' '" + root + "' 2>&1";
    CheckRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A small tree with one file per layer, each including the layers below it.
class LayerTree : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.WriteRaw("platform/paths.h", "#pragma once\n");
        tree.WriteRaw("foundation/Log.h", "#include \"platform/paths.h\"\n");
        tree.WriteRaw("engine/el/elDraw.h", "#include \"foundation/Log.h\"\n");
        tree.WriteRaw("stage/Stage.h", "#include \"engine/el/elDraw.h\"\n");
        tree.WriteRaw("server/Handlers.cpp", "#include \"stage/Stage.h\"\n#include \"Handlers.h\"\n");
        tree.WriteRaw("play/Base.h", "#include \"stage/Stage.h\"\n");
        tree.WriteRaw("enemies/Kid.cpp", "#include \"../gimmicks/Item.h\"\n#include <vector>\n");
        tree.WriteRaw("gimmicks/Item.h", "#include \"play/Base.h\"\n");
        tree.WriteRaw("tests/play/base_test.cpp", "#include \"flow/Top.h\"\n#include \"../common/env.h\"\n");
        tree.WriteRaw("flow/Top.h", "#include \"online/Net.h\"\n");
        tree.WriteRaw("online/Net.h", "#include \"server/Handlers.h\"\n");
    }
    testsupport::TempFolder tree{"quor-layers"};
};

TEST(Layers, TodaysTreeIncludesOnlyDownward) {
    const CheckRun run = CheckLayers(QUOR_SOURCE_DIR);
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(LayerTree, DownwardIncludesPass) {
    const CheckRun run = CheckLayers(tree.Path().string());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("layers: 10 includes point down"), std::string::npos) << run.output;
}

TEST_F(LayerTree, AnIncludeThatPointsUpFailsWithItsFileAndLine) {
    tree.WriteRaw("stage/StageArea.cpp", "#include \"stage/Stage.h\"\n#include \"play/Base.h\"\n");
    tree.WriteRaw("gimmicks/Door.cpp", "#include \"../bosses/Boss.h\"\n");
    tree.WriteRaw("play/Shot.cpp", "#include \"tests/common/fake_scene.h\"\n");
    const CheckRun run = CheckLayers(tree.Path().string());
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(
        run.output.find("stage/StageArea.cpp:2: includes \"play/Base.h\" from play/, a layer above stage/"),
        std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("gimmicks/Door.cpp:1: includes \"../bosses/Boss.h\" from bosses/"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("play/Shot.cpp:1: includes \"tests/common/fake_scene.h\""), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("layers: 3 include(s) point the wrong way"), std::string::npos) << run.output;
}

TEST_F(LayerTree, TheServerStaysOffTheEngineAndEveryFolderHasALayer) {
    tree.WriteRaw("server/Storage.cpp", "#include \"engine/el/elDraw.h\"\n");
    tree.WriteRaw("scene/Menu.cpp", "#include \"stage/Stage.h\"\n");
    const CheckRun run = CheckLayers(tree.Path().string());
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find(
                  "server/Storage.cpp:1: includes \"engine/el/elDraw.h\": server/ must not use engine/el/"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("scene/Menu.cpp: its folder is in no layer"), std::string::npos) << run.output;
}

}  // namespace
