#include "controls/KeyboardKeys.h"

#include "engine/InputManager.h"

namespace Controls {
namespace {

std::function<EditingKeys()> g_source;

EditingKeys ReadEditingKeys(const CInputManager& input) {
    EditingKeys keys;
    keys.left = input.IsPushed(kKeyLeft);
    keys.right = input.IsPushed(kKeyRight);
    keys.enter = input.IsEnterPushed();
    keys.tab = input.IsTabPushed();
    keys.backspace = input.IsBackspacePushed();
    keys.del = input.IsDeletePushed();
    keys.typing = ReadTypingKeys(input);
    return keys;
}

}  // namespace

EditingKeys CurrentKeys() { return g_source ? g_source() : ReadEditingKeys(*CInputManager::GetInstance()); }

void SetKeySource(std::function<EditingKeys()> source) { g_source = std::move(source); }

}  // namespace Controls
