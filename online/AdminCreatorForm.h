#pragma once
// The creator's account screen: his name, five figures, the table of his posted stages with a
// "削除" link on each row, a button to the editor, a button that deletes all his stages with his
// registration, and a close button back to the menu. Each server conversation runs in an
// invisible full-screen worker window that asks its own questions, shows its own messages and
// reports to the screen by closing: fetching the stages (a failure returns to the menu),
// deleting one stage, and deleting the creator (after three questions).
#include <cstdint>
#include <memory>
#include <string>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "online/CreatorInfoWidgets.h"
#include "online/ModeSceneHost.h"
#include "online/NetWorkRequester.h"
#include "online/StageMetaInfo.h"

namespace Controls {

// Fetches the stages of the player's creator id.
class CSearchCreatorHiddenWindow : public COriginalBaseForm, public CNetWorkRequester {
  public:
    CSearchCreatorHiddenWindow();
    void UpdateSelf() override;
    void OnNetWorkClosed(NetWorkResult result) override;
    bool IsFailed() const { return failed_; }
    std::string GetReplyText() const { return replyText_; }

  private:
    bool closeWanted_ = false;
    bool failed_ = false;
    std::string replyText_;
};

// Asks, then deletes one posted stage on the server and says so.
class CDeleteStageHiddenWindow : public COriginalBaseForm,
                                 public IClosedEventHandler,
                                 public CNetWorkRequester {
  public:
    enum class Step : int32_t { Question = 0, Deleting = 1, Done = 2 };
    explicit CDeleteStageHiddenWindow(const std::string& stageId);
    void UpdateSelf() override;
    void OnClosed(GCForm* sender) override;
    void OnNetWorkClosed(NetWorkResult result) override;
    bool IsDeleted() const { return deleted_; }
    std::string GetStageId() const { return stageId_; }
    Step GetStep() const { return step_; }

  private:
    Step step_ = Step::Question;
    bool messageWanted_ = false;
    std::string stageId_;
    bool deleted_ = false;
};

// Asks three times, then deletes the creator with all his stages and forgets him here.
class CDeleteCreatorHiddenWindow : public COriginalBaseForm,
                                   public IClosedEventHandler,
                                   public CNetWorkRequester {
  public:
    enum class Step : int32_t {
        FirstQuestion = 0,
        SecondQuestion = 1,
        LastQuestion = 2,
        Deleting = 3,
        Done = 4
    };
    CDeleteCreatorHiddenWindow();
    void UpdateSelf() override;
    void OnClosed(GCForm* sender) override;
    void OnNetWorkClosed(NetWorkResult result) override;
    bool IsDeleted() const { return deleted_; }
    Step GetStep() const { return step_; }

  private:
    void GoTo(Step step);
    Step step_ = Step::FirstQuestion;
    bool windowWanted_ = false;
    bool deleted_ = false;
};

class CAdminCreatorSceneRootForm : public COriginalBaseForm,
                                   public IClosedEventHandler,
                                   public IPushedEventHandler {
  public:
    // Which window is open over the screen; set when it opens, read when it closes.
    enum class Mode : int32_t { Loading = 0, DeleteCreator = 1, DeleteStage = 2, Close = 3, Editor = 4 };

    // Starts fetching the player's stages; the screen is built when they arrive.
    explicit CAdminCreatorSceneRootForm(IAdminCreatorSceneHost* scene);
    void Draw() override;
    void OnPushed(GCButton* sender) override;
    void OnClosed(GCForm* sender) override;

    // Rebuilds the table and the figures from the stage list.
    void RefreshInfo();
    // The rating column: "--" for no rating, else six characters wide with two decimals.
    static std::string FormatRating(const std::string& rating);

    bool IsLoaded() const { return loaded_; }
    Mode GetMode() const { return mode_; }
    CStageMetaInfoGrid* GetGrid() const { return grid_; }
    CCreatorInfoWindow* GetInfoWindow() const { return info_; }
    CLongTextPushButton* GetEditorButton() const { return editor_; }
    CLongTextPushButton* GetDeleteCreatorButton() const { return deleteCreator_; }
    CBigCloseButton* GetCloseButton() const { return close_; }
    const CStageMetaInfoList* GetStageList() const { return stages_.get(); }

  private:
    void Open(Mode mode, std::unique_ptr<GCForm> window);
    void BuildScreen(const std::string& replyText);

    IAdminCreatorSceneHost* scene_;
    CStageMetaInfoGrid* grid_ = nullptr;
    CCreatorInfoWindow* info_ = nullptr;
    CBigCloseButton* close_ = nullptr;
    std::unique_ptr<CStageMetaInfoList> stages_;
    CLongTextPushButton* editor_ = nullptr;
    CLongTextPushButton* deleteCreator_ = nullptr;
    Mode mode_ = Mode::Loading;
    bool loaded_ = false;
};

}  // namespace Controls
