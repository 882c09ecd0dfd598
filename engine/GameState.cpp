#include "engine/GameState.h"

namespace game {
namespace {
bool g_exitFlag = false;
}
bool GetExitFlag() { return g_exitFlag; }
void SetExitFlag(bool on) { g_exitFlag = on; }
}  // namespace game
