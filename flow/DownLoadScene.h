#pragma once
// The download screen: one of its root forms at a time (the top form with the newest stages, or
// a search form), exchanged on request, and a downloaded stage played on top of it.
#include <string>

#include "flow/FormHostScenes.h"

class CDownLoadScene : public CFormHostScene, public IDownLoadSceneHost {
  public:
    // Opens on the top form.
    explicit CDownLoadScene(IScene* parent);

    void Update() override;
    // The mouse cursor back to the arrow after a play.
    void OnChildClosed(IScene* child) override;

    void ChangeForm(int formId) override { requestedFormId_ = formId; }
    void PlayStage(const std::string& stageText) override;

    int GetFormId() const { return currentFormId_; }

  private:
    void BuildForm(int formId);
    // The play scene on the stage text; false when the text holds no stage.
    bool StartPlay();

    int currentFormId_ = 0;
    int requestedFormId_ = 0;
    bool playRequested_ = false;
    std::string stageText_;
    // The top form's newest-stage list, handed to the next top form built.
    std::string keptListText_;
};
