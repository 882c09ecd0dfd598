#pragma once
// The engine's message box. With a window it is a modal SDL message box; headless it goes to
// stderr and never blocks.
#include <functional>
#include <string>

namespace plat {

// Shows a message box with the given UTF-8 title and text.
void ShowMessageBox(const std::string& title, const std::string& text);

// The backend in use installs its presenter here; tests may install a recorder.
using MessageBoxHandler = std::function<void(const std::string& title, const std::string& text)>;
void SetMessageBoxHandler(MessageBoxHandler handler);
// The handler in place (empty when none), so that a caller can wrap it (e.g. to log every box).
MessageBoxHandler GetMessageBoxHandler();

}  // namespace plat
