#include "platform/messagebox.h"

#include <cstdio>
#include <utility>

namespace plat {
namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

void ShowMessageBox(const std::string& title, const std::string& text) {
    if (Handler()) {
        Handler()(title, text);
        return;
    }
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

MessageBoxHandler GetMessageBoxHandler() { return Handler(); }

}  // namespace plat
