#include "foundation/WindowHelpers.h"

#include <cmath>
#include <utility>

#include "foundation/FrameTime.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
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

void ShowErrorReport(const CQuorException& e) {
    const std::string report = FormatErrorReport(e);
    CLog::GetInstance()->Write(report);
    ShowMessageBox(report);
}

void SetMainWindowTitle(const std::string& text) {
    if (plat::Backend* backend = plat::CurrentBackend()) backend->SetTitle(text);
}

double GetFrameRate() {
    const double t = GetFrameTime();
    // Before the first frame (or with a stopped clock) the nominal rate, so that speed caps
    // worked out from it stay finite.
    if (!(t > 0.0)) return 60.0;
    return 1.0 / t;
}
