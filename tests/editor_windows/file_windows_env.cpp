#include "tests/editor_windows/file_windows_env.h"

namespace filewindowstest {

namespace {

template <class T>
T* As(Controls::GCForm* f) {
    return dynamic_cast<T*>(f);
}

// The text of the form's label at (x, y), or "(none)".
std::string LabelAt(Controls::GCForm* f, int32_t x, int32_t y) {
    for (int32_t i = 0; i < f->GetControls().Count(); ++i) {
        auto* label = dynamic_cast<Controls::CSpriteTextLabel*>(f->GetControls().At(i));
        if (label && label->GetX() == x && label->GetY() == y) return label->GetText();
    }
    return "(none)";
}

}  // namespace

std::string FileWindowsTest::Describe(Controls::GCForm* f) const {
    if (auto* w = As<Controls::CConfirmCancelWindow>(f)) return "yesnocancel:" + w->GetTextLabel()->GetText();
    if (auto* w = As<Controls::CConfirmWindow>(f)) return "yesno:" + w->GetTextLabel()->GetText();
    if (auto* w = As<Controls::CAlertWindow>(f)) return "alert:" + w->GetTextLabel()->GetText();
    if (auto* w = As<Controls::CVirtualKeyBoard>(f))
        return "keyboard:" + w->GetTitle() + "[" + w->GetInputText() + "]";
    if (As<Controls::CSaveMethodSelectWindow>(f)) return "method";
    if (As<Controls::COpenStageKindSelectWindow>(f)) return "kind";
    if (auto* w = As<CFileSelectWindow>(f)) return "files:" + w->GetTitle();
    if (auto* w = As<Controls::CStageSavedWindow>(f)) return "saved:" + w->GetText();
    if (auto* w = As<Controls::CErrorListWindow>(f))
        return "errors:" + std::to_string(w->GetErrorList()->GetItemCount());
    // The summary shows the author above the original author, then the arrangement permission.
    if (auto* w = As<Controls::CSendConfirmWindow>(f))
        return "summary:" + w->GetTitle() + " 作者：" + LabelAt(w, 180, 122) + " 原作者：" +
               LabelAt(w, 180, 152) + " " + LabelAt(w, 180, 182);
    if (As<CAreaClassSelectWindow>(f)) return "area";
    return "none";
}

void FileWindowsTest::Answer(const std::string& answer) {
    for (int i = 0; i < dialoganswers::AnswerCount(answer); ++i) {
        PushAnswer(Front(), answer);
        Frame();
        Frame();
    }
}

void FileWindowsTest::PushAnswer(Controls::GCForm* f, const std::string& answer) {
    // Picking a row takes a click through the root form, then 開く.
    if (auto* w = As<CFileSelectWindow>(f); w && answer.rfind("pick:", 0) == 0) {
        CFileInfoItem* row = w->GetPanel()->GetRow(std::stoi(answer.substr(5)));
        ASSERT_NE(row, nullptr);
        Click(*root, row->GetAbsoluteX() + 100, row->GetAbsoluteY() + 8);
        Frame();
        return dialoganswers::PushAnswer(f, "open");
    }
    dialoganswers::PushAnswer(f, answer);
}

std::vector<std::string> FileWindowsTest::Walk(
    const std::vector<std::pair<std::string, std::string>>& steps) {
    std::vector<std::string> trail;
    for (const auto& [expected, answer] : steps) {
        const std::string seen = Describe(Front());
        trail.push_back(seen);
        EXPECT_NE(seen.find(expected), std::string::npos) << "expected " << expected << ", saw " << seen;
        if (seen.find(expected) == std::string::npos) break;
        Answer(answer);
    }
    return trail;
}

}  // namespace filewindowstest
