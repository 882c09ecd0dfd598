#pragma once
// Registering as a creator: a question, the on-screen keyboard for the name, a second question
// with the name, the request to the server, and a message. The server's creator id and common
// key are stored with the name, and 50 creator points to start with; the scene then closes.
// "いいえ" to the name asks for another name; a failed request (a name already taken) too.
#include <cstdint>
#include <string>

#include "controls/Forms.h"
#include "online/ModeSceneHost.h"
#include "online/NetWorkRequester.h"

namespace Controls {

class CRegisterCreatorSceneRootForm : public COriginalBaseForm,
                                      public IClosedEventHandler,
                                      public CNetWorkRequester {
  public:
    static constexpr int32_t kNameLength = 12;
    // Where the sequence stands.
    enum class Step : int32_t { Question = 0, Keyboard = 1, NameQuestion = 2, Registering = 3, Done = 4 };

    // Opens the first question.
    explicit CRegisterCreatorSceneRootForm(IModeSceneHost* scene);

    // Opens the window the last event asked for.
    void UpdateSelf() override;
    void OnClosed(GCForm* sender) override;
    void OnNetWorkClosed(NetWorkResult result) override;

    Step GetStep() const { return step_; }
    const std::string& GetName() const { return name_; }

  private:
    // The next update opens the window of `step` (the request runs without one).
    void GoTo(Step step);

    IModeSceneHost* scene_;
    Step step_ = Step::Question;
    bool windowWanted_ = false;
    std::string name_;
};

}  // namespace Controls
