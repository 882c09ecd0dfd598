#pragma once
// The network test screen's form: asks whether to test, checks the connection to the sharing
// server through the network accessor, says so when it worked, and closes its scene. A failure is
// shown by the accessor's own error window.
#include "controls/Forms.h"
#include "online/ModeSceneHost.h"
#include "online/NetWorkAccessor.h"

namespace Controls {

class CNetWorkTestSceneRootForm : public COriginalBaseForm,
                                  public IClosedEventHandler,
                                  public INetWorkClosedEventHandler {
  public:
    explicit CNetWorkTestSceneRootForm(IModeSceneHost* owner);
    ~CNetWorkTestSceneRootForm() override;

    void OnClosed(GCForm* sender) override;
    void OnNetWorkClosed(NetWorkResult result) override;

    bool IsTestStarted() const { return testStarted_; }

  private:
    IModeSceneHost* owner_;
    bool testStarted_ = false;
};

}  // namespace Controls
