#pragma once
// Answering the editor's dialogs as a player does, by pushing their buttons: the tests of the
// command sequences and of the editor screen share it.
#include <gtest/gtest.h>

#include <string>

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "editor_windows/AreaClassSelectWindow.h"
#include "editor_windows/FileSelectWindow.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/NewAreaConfigWindow.h"
#include "editor_windows/StageFileDialogs.h"
#include "stage/StageChips.h"

namespace dialoganswers {

// The dialog in front of a form: the last of its chain of modal forms.
inline Controls::GCForm* FrontOf(Controls::GCForm* form) {
    while (form && form->GetModalForm()) form = form->GetModalForm();
    return form;
}

// How many dialogs one answer answers, one after the other.
inline int AnswerCount(const std::string& answer) { return answer == "area" ? 2 : 1; }

// Answers the dialog: "yes", "no", "cancel", "close" (its close box), "ok", "type:TEXT" (typed on
// the keyboard, then O K), "overwrite", "copy", "kind0".."kind2", "open" (the file list's 開く),
// "area" (a short area in the area size window, then O K in the new area's settings: two
// dialogs, see AnswerCount). Any other answer to a question cancels it.
inline void PushAnswer(Controls::GCForm* f, const std::string& answer) {
    using namespace Controls;
    auto push = [](GCButton* b) {
        ASSERT_NE(b, nullptr);
        b->Push();
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
    if (auto* w = dynamic_cast<CAreaClassSelectWindow*>(f)) {
        if (answer == "area") return push(w->GetClassButton(AreaClass_Short));
        return push(w->GetCancelButton());
    }
    if (auto* w = dynamic_cast<CNewAreaConfigWindow*>(f))
        return push(answer == "area" ? w->GetOkButton() : w->GetCancelButton());
    FAIL() << "no dialog to answer " << answer;
}

}  // namespace dialoganswers
