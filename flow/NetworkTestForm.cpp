#include "flow/NetworkTestForm.h"

#include <memory>

#include "controls/Dialogs.h"

namespace Controls {

CNetWorkTestSceneRootForm::CNetWorkTestSceneRootForm(IModeSceneHost* owner)
    : COriginalBaseForm(0, 0, 640, 480), owner_(owner) {
    auto confirm = std::make_unique<CConfirmWindow>("通信テストを行います。\nよろしいですか？");
    confirm->AddClosedEventHandler(this);
    SetModalForm(std::move(confirm));
}

CNetWorkTestSceneRootForm::~CNetWorkTestSceneRootForm() {
    if (CNetWorkAccessor::HasInstance()) CNetWorkAccessor::GetInstance()->RemoveClosedListener(this);
}

void CNetWorkTestSceneRootForm::OnClosed(GCForm* sender) {
    if (!testStarted_ && AnsweredYes(sender)) {
        testStarted_ = true;
        CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
        net->AddClosedListener(this);
        net->Start(NetWorkOperation::CheckServer);
        return;
    }
    // "いいえ", the question's close button, or the success message closed.
    owner_->CloseScene();
}

void CNetWorkTestSceneRootForm::OnNetWorkClosed(NetWorkResult result) {
    if (!result.Succeeded) {
        // The accessor's error window has been closed already.
        owner_->CloseScene();
        return;
    }
    auto message = std::make_unique<CMessageWindow>("通信に成功しました！");
    message->AddClosedEventHandler(this);
    SetModalForm(std::move(message));
}

}  // namespace Controls
