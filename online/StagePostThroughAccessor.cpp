#include "online/StagePostThroughAccessor.h"

bool CStagePostThroughAccessor::StartPost(const std::string& creatorId, const std::string& commonKey,
                                          const std::string& backGroundKey, const std::string& stageXml,
                                          IStagePostListener* listener) {
    CNetWorkAccessor* accessor = CNetWorkAccessor::GetInstance();
    if (accessor->IsBusy()) return false;
    listener_ = listener;
    accessor->AddClosedListener(this);
    accessor->Start(NetWorkOperation::RegisterStage, creatorId, commonKey, backGroundKey, stageXml);
    if (accessor->IsBusy()) return true;
    // Refused: the accessor has dropped this listener with the request.
    accessor->RemoveClosedListener(this);
    listener_ = nullptr;
    return false;
}

void CStagePostThroughAccessor::RemoveListener(IStagePostListener* listener) {
    if (listener_ != listener) return;
    listener_ = nullptr;
    if (CNetWorkAccessor::HasInstance()) CNetWorkAccessor::GetInstance()->RemoveClosedListener(this);
}

void CStagePostThroughAccessor::OnNetWorkClosed(NetWorkResult result) {
    IStagePostListener* listener = listener_;
    listener_ = nullptr;
    if (listener) listener->OnStagePosted(result.Succeeded, result.Succeeded ? result.Text : std::string());
}

namespace {
CStagePostThroughAccessor g_poster;
}  // namespace

void InstallStagePostService() { SetStagePostService(&g_poster); }
