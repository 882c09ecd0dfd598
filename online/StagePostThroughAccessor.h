#pragma once
// The editor's posting done by the network accessor: a post is the accessor's stage registration,
// and its end (the new stage id, or a failure the player has seen) is handed to the editor.
#include <string>

#include "editor/StagePostService.h"
#include "online/NetWorkAccessor.h"

class CStagePostThroughAccessor : public IStagePostService, public INetWorkClosedEventHandler {
  public:
    bool StartPost(const std::string& creatorId, const std::string& commonKey,
                   const std::string& backGroundKey, const std::string& stageXml,
                   IStagePostListener* listener) override;
    void RemoveListener(IStagePostListener* listener) override;
    void OnNetWorkClosed(NetWorkResult result) override;

  private:
    IStagePostListener* listener_ = nullptr;
};

// Registers the game's one poster as the editor's post service.
void InstallStagePostService();
