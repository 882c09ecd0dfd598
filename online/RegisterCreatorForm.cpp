#include "online/RegisterCreatorForm.h"

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "engine/Mouse.h"
#include "foundation/ClientInfo.h"

namespace Controls {

CRegisterCreatorSceneRootForm::CRegisterCreatorSceneRootForm(IModeSceneHost* scene)
    : COriginalBaseForm(0, 0, 640, 480), scene_(scene) {
    auto question = std::make_unique<CConfirmWindow>("クリエイター登録をします。\nよろしいですか？");
    question->AddClosedEventHandler(this);
    SetModalForm(std::move(question));
}

void CRegisterCreatorSceneRootForm::GoTo(Step step) {
    step_ = step;
    windowWanted_ = step != Step::Registering;
}

void CRegisterCreatorSceneRootForm::UpdateSelf() {
    CMouse::GetInstance()->SetCursorKind(0);
    if (windowWanted_) {
        windowWanted_ = false;
        std::unique_ptr<GCForm> window;
        switch (step_) {
            case Step::Keyboard:
                // Always empty: a rejected name is not offered again.
                window = std::make_unique<CVirtualKeyBoard>("あなたの名前を入力してください", kNameLength);
                break;
            case Step::NameQuestion:
                window = std::make_unique<CConfirmWindow>("「" + name_ +
                                                          "」\nという名前で登録します。\nよろしいですか？");
                break;
            case Step::Done:
                window =
                    std::make_unique<CMessageWindow>("クリエイター\n「" + name_ + "」\nを登録しました！");
                break;
            case Step::Question:
            case Step::Registering:
                break;
        }
        if (window) {
            window->AddClosedEventHandler(this);
            SetModalForm(std::move(window));
        }
    }
    COriginalBaseForm::UpdateSelf();
}

void CRegisterCreatorSceneRootForm::OnClosed(GCForm* sender) {
    switch (step_) {
        case Step::Question:
            if (AnsweredYes(sender)) {
                GoTo(Step::Keyboard);
            } else {
                scene_->CloseScene();
            }
            break;
        case Step::Keyboard: {
            auto* keyboard = dynamic_cast<CVirtualKeyBoard*>(sender);
            if (keyboard && !keyboard->IsCancelled()) {
                name_ = keyboard->GetInputText();
                GoTo(Step::NameQuestion);
            } else {
                scene_->CloseScene();
            }
            break;
        }
        case Step::NameQuestion:
            if (AnsweredYes(sender)) {
                GoTo(Step::Registering);
                StartRequest(NetWorkOperation::RegisterCreator, name_);
            } else {
                GoTo(Step::Keyboard);
            }
            break;
        case Step::Done:
            scene_->CloseScene();
            break;
        case Step::Registering:
            break;
    }
}

void CRegisterCreatorSceneRootForm::OnNetWorkClosed(NetWorkResult result) {
    if (!result.Succeeded) {
        // Nothing is stored; another name may be tried.
        GoTo(Step::Keyboard);
        return;
    }
    CClientInfo::GetInstance()->SetCreatorInfo(result.Text, name_, result.SubText);
    GoTo(Step::Done);
}

}  // namespace Controls
