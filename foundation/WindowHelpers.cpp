#include "foundation/WindowHelpers.h"

#include <cmath>
#include <utility>

#include "foundation/FrameTime.h"
#include "platform/backend.h"
#include "platform/messagebox.h"

namespace {
MessageTextPresenter& Presenter() {
    static MessageTextPresenter presenter;
    return presenter;
}
}  // namespace

void SetMessageTextPresenter(MessageTextPresenter presenter) { Presenter() = std::move(presenter); }

void ShowMessageText(const std::string& text) {
    if (Presenter()) {
        Presenter()(text);
        return;
    }
    plat::ShowMessageBox("メッセージ", text);
}

void ShowMessageBox(const std::string& text) { ShowMessageText(text); }

void SetMainWindowTitle(const std::string& text) {
    if (plat::Backend* backend = plat::CurrentBackend()) backend->SetTitle(text);
}

double GetFrameRate() {
    const double t = GetFrameTime();
    if (t == 0.0) return HUGE_VAL;
    return 1.0 / t;
}
