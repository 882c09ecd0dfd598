#pragma once
// Answering the editor's dialogs as a player does, by pushing their buttons: the tests of the
// command sequences and of the editor screen share it.
#include <gtest/gtest.h>

#include <string>

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "editor_windows/FileSelectWindow.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/NewAreaFactoryWindow.h"
#include "editor_windows/StageFileDialogs.h"

namespace dialoganswers {

// The dialog in front of a form: the last of its chain of modal forms.
inline Controls::GCForm* FrontOf(Controls::GCForm* form) {
    while (form && form->GetModalForm()) form = form->GetModalForm();
    return form;
}

// Answers the dialog: "yes", "no", "cancel", "close" (its close box), "ok", "type:TEXT" (typed on
// the keyboard, then O K), "overwrite", "copy", "kind0".."kind2", "open" (the file list's 開く),
// "area" (a short area of the new-area window). Any other answer to a question cancels it.
inline void PushAnswer(Controls::GCForm* f, const std::string& answer) {
    using namespace Controls;
    auto push = [](CPushButtonBase* b) {
        ASSERT_NE(b, nullptr);
        b->PerformPush();
    };
    if (answer == "close") {
        auto* w = dynamic_cast<CCloseableBeigeForm*>(f);
        ASSERT_NE(w, nullptr);
        return push(w->GetCloseButton());
    }
    if (auto* w = dynamic_cast<CConfirmCancelWindow*>(f))
        return push(answer == "yes"  ? w->GetYesButton()
                    : answer == "no" ? w->GetNoButton()
                                     : w->GetCancelButton());
    if (auto* w = dynamic_cast<CConfirmWindow*>(f))
        return push(answer == "yes" ? w->GetYesButton() : w->GetNoButton());
    if (auto* w = dynamic_cast<CMessageWindowBase*>(f)) return push(w->GetOkButton());
    if (auto* w = dynamic_cast<CVirtualKeyBoard*>(f)) {
        if (answer.rfind("type:", 0) != 0) return push(w->GetCancelButton());
        w->GetInputArea()->SetText(answer.substr(5));
        return push(w->GetOkButton());
    }
    if (auto* w = dynamic_cast<CSaveMethodSelectWindow*>(f))
        return push(answer == "overwrite" ? w->GetOverwriteButton()
                    : answer == "copy"    ? w->GetCopyButton()
                                          : w->GetCancelButton());
    if (auto* w = dynamic_cast<COpenStageKindSelectWindow*>(f))
        return push(answer.rfind("kind", 0) == 0 ? w->GetKindButton(answer[4] - '0') : w->GetCancelButton());
    if (auto* w = dynamic_cast<CFileSelectWindow*>(f))
        return push(answer == "open" ? w->GetOpenButton() : w->GetCancelButton());
    if (auto* w = dynamic_cast<CStageSavedWindow*>(f)) return push(w->GetOkButton());
    if (auto* w = dynamic_cast<CErrorListWindow*>(f)) return push(w->GetOkButton());
    if (auto* w = dynamic_cast<CSendConfirmWindow*>(f))
        return push(answer == "yes" ? w->GetYesButton() : w->GetNoButton());
    if (auto* w = dynamic_cast<CNewAreaFactoryWindow*>(f)) return w->Answer(answer == "area" ? 1 : 2);
    FAIL() << "no dialog to answer " << answer;
}

}  // namespace dialoganswers
