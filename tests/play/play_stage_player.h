#pragma once
// The stage player run from a game folder, headless and with no sound device, the way the replay
// tests run it: its outcome is the last JSON line it prints.
#include <filesystem>
#include <string>
#include <vector>

namespace playtest {

// A number of the JSON line by its name; NaN when it is missing.
double Field(const std::string& json, const std::string& name);

// Plays `stage` (a path from the game folder or a full one) with `args` after it, by the
// quor-playstage of the game folder started in that folder; its last JSON line. A run that does
// not exit with 0 fails the test with all the player printed.
std::string PlayStageFile(const std::filesystem::path& game, const std::string& stage,
                          const std::vector<std::string>& args);

}  // namespace playtest
