// Every shipped table is read when the game starts: a damaged one stops the start with its code,
// shown and logged, before the player can do any work and before the game writes any file.
#include "foundation/TextEncoding.h"
#include "game_copy_test.h"
#include "tests/common/read_only_place.h"

namespace fs = std::filesystem;

namespace {

using StartTables = apptest::GameCopyTest;

struct DamagedTable {
    const char* file;
    const char* code;
    const char* message;
};

TEST_F(StartTables, ADamagedTableStopsTheStartAndNothingIsWritten) {
    const DamagedTable tables[] = {
        {"stage_objects.dat", "IFE0101", "stage_objects.dat が不正です。"},
        {"mapchip_info.dat", "IFE0201", "stage_objects.dat または mapchip_info.dat が不正です。"},
        {"scenario_map.dat", "IFE0501", "scenario_map.dat が不正です。"},
    };
    for (const DamagedTable& table : tables) {
        SCOPED_TRACE(table.file);
        const fs::path path = dir / "data" / table.file;
        const std::string shipped = ReadFile(path);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "damaged,table\n";
        const std::string before = testsupport::ListTree(dir);

        EXPECT_EQ(Run({"--headless", "--frames", "100"}), 1);
        // Shown to the player (headless: on the standard error) and logged on one line.
        const std::string code = std::string("Error Code:[") + table.code + "] ";
        EXPECT_NE(ReadFile(dir / "output.txt").find(code + "\n" + table.message), std::string::npos)
            << ReadFile(dir / "output.txt");
        EXPECT_NE(Log().find(Utf8ToCp932(code + "\\n" + table.message)), std::string::npos) << Log();
        // What any run leaves: its output, the log and the single-instance lock.
        fs::remove(dir / "output.txt");
        fs::remove_all(dir / "log");
        fs::remove(dir / "Quorvald:ElMutex.lock");
        EXPECT_EQ(testsupport::ListTree(dir), before) << "the failed start wrote a file";

        std::ofstream(path, std::ios::binary | std::ios::trunc) << shipped;
    }
    // Whole again, the game starts.
    EXPECT_EQ(Run({"--headless", "--frames", "30"}), 0) << Log();
}

}  // namespace
