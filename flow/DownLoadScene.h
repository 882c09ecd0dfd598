#pragma once
// The download screen: one of its root forms at a time (the top form with the newest stages, or
// a search form), exchanged on request, and a downloaded stage played on top of it.
#include <memory>
#include <string>

#include "flow/FormHostScenes.h"

class CDownLoadScene : public CFormHostScene, public IDownLoadSceneHost {
  public:
    // Opens on the top form.
    explicit CDownLoadScene(IScene* parent);
    ~CDownLoadScene() override;

    void Update() override;
    // The mouse cursor back to the arrow after a play.
    void OnChildClosed(IScene* child) override;

    void ChangeForm(DownLoadFormId formId) override { requestedFormId_ = formId; }
    void PlayStage(std::unique_ptr<CStage> stage) override;

    DownLoadFormId GetFormId() const { return currentFormId_; }

  private:
    void BuildForm(DownLoadFormId formId);
    // The play scene on the stage; false when there is none to play.
    bool StartPlay();

    DownLoadFormId currentFormId_ = DownLoadFormId::Init;
    DownLoadFormId requestedFormId_ = DownLoadFormId::Init;
    bool playRequested_ = false;
    std::unique_ptr<CStage> stage_;
    // The top form's newest-stage list, handed to the next top form built.
    std::string keptListText_;
};
