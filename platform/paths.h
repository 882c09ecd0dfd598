#pragma once
// Where the game lives on disk.
#include <string>

namespace plat {

// The folder holding the running executable, with no trailing slash. No length limit.
std::string ExecutableDir();

}  // namespace plat
