#pragma once
// The download screen's root forms. The screen's scene shows one at a time and exchanges it on
// request: the top form with the four newest stages (the first form), the search by difficulty
// and length, the search by creator name, and an empty form. The three forms that list stages
// share the download frame, the stage grid and the download sequence: a pushed stage card asks
// whether to download it; "はい" downloads it, the accessor saves it in "stage\downloaded\", and
// the scene plays it. A text that is no stage is never played: an alert says so.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "online/ModeSceneHost.h"
#include "online/NetWorkRequester.h"

namespace Controls {

class CStageMetaInfoButton;
class CStageMetaInfoButtonList;

class IDownLoadRootForm : public COriginalBaseForm {
  public:
    explicit IDownLoadRootForm(IDownLoadSceneHost* scene)
        : COriginalBaseForm(0, 0, 640, 480), scene_(scene) {}
    // The stage grid asks for the records from `start` up to `end` - 1.
    virtual void RequestMoreStages(int32_t /*start*/, int32_t /*end*/) {}
    IDownLoadSceneHost* GetScene() const { return scene_; }

  private:
    IDownLoadSceneHost* scene_;
};

// Form id 0: shows nothing and reacts to nothing.
class CDownLoadInitSearchRootForm : public IDownLoadRootForm {
  public:
    using IDownLoadRootForm::IDownLoadRootForm;
};

// The tan border, the grey panel and its frame behind every list form.
void DrawDownLoadFrame();

// Tells the player that a downloaded stage cannot be played ("SDE0001": it is of a newer
// version), in an alert over `form`, and writes it to the log.
void ShowStageOpenError(GCForm& form, const std::string& code);

// What the three list forms share.
class CDownLoadListForm : public IDownLoadRootForm,
                          public IClosedEventHandler,
                          public IPushedEventHandler,
                          public CNetWorkRequester {
  public:
    // The question or alert open over the form; each is set before it is shown and kept after.
    enum class Dialog : int32_t { None, BackToMenu, Keyboard, NameMissing, DownloadQuestion, DownloadAlert };
    // The request that was sent last; set right before it is sent and kept after.
    enum class Request : int32_t { None, NewList, MoreRecords, Download };

    void Draw() override;
    void OnPushed(GCButton* sender) override;
    void OnClosed(GCForm* sender) override;
    void OnNetWorkClosed(NetWorkResult result) override;

    CStageMetaInfoButtonList* GetStageList() const { return list_; }
    Dialog GetDialog() const { return dialog_; }
    Request GetRequest() const { return request_; }
    const std::string& GetChosenStageId() const { return chosenStageId_; }
    int32_t GetChosenDataSize() const { return chosenDataSize_; }
    CBigCloseButton* GetCloseButton() const { return close_; }

  protected:
    explicit CDownLoadListForm(IDownLoadSceneHost* scene) : IDownLoadRootForm(scene) {}

    // A push of any other control than a stage card or the close button.
    virtual void OnButtonPushed(GCButton* sender) = 0;
    virtual void OnCloseButtonPushed() = 0;
    // A dialog closed; `yes` when it was a question answered "はい". The download question is
    // handled here.
    virtual void OnDialogClosed(Dialog dialog, bool yes, GCForm* sender);
    // The reply of a list request (`request`: NewList or MoreRecords).
    virtual void OnListReply(Request request, const NetWorkResult& result) = 0;

    CBigCloseButton* AddCloseButton();
    // The form's own handlers listen to the button.
    template <class T>
    T* AddButton(std::unique_ptr<T> button) {
        button->AddPushedEventHandler(this);
        return AddControl(std::move(button));
    }
    // Opens a question, alert or keyboard as the modal child, heard by this form.
    void OpenDialog(Dialog dialog, std::unique_ptr<GCForm> window);
    // Replaces the stage grid by a new one built from a reply.
    void ReplaceStageList(const std::string& replyText, int32_t x, int32_t y, int32_t perPage,
                          bool withPaging);
    void SendRequest(Request request, NetWorkOperation op, const std::string& s1, const std::string& s2 = {},
                     const std::string& s3 = {}, const std::string& s4 = {});

  private:
    void AskDownload(const CStageMetaInfoButton& card);
    void CompleteDownload(const std::string& text);

    CBigCloseButton* close_ = nullptr;
    CStageMetaInfoButtonList* list_ = nullptr;
    Dialog dialog_ = Dialog::None;
    Request request_ = Request::None;
    std::string chosenStageId_;
    int32_t chosenDataSize_ = 0;
};

// Form id 1: the four newest stages, the ways to the two searches, reload and close.
class CDownLoadTopRootForm : public CDownLoadListForm {
  public:
    static constexpr int32_t kNewestCount = 4;
    // `keptText`: the newest-stage reply an earlier top form held; empty asks the server.
    CDownLoadTopRootForm(IDownLoadSceneHost* scene, const std::string& keptText);
    std::string GetListText() const { return listText_; }

    CLongTextPushButton* GetDifficultyLengthButton() const { return difficultyLength_; }
    CLongTextPushButton* GetCreatorNameButton() const { return creatorName_; }
    CShuffleButton* GetReloadButton() const { return reload_; }

  protected:
    void OnButtonPushed(GCButton* sender) override;
    void OnCloseButtonPushed() override;
    void OnDialogClosed(Dialog dialog, bool yes, GCForm* sender) override;
    void OnListReply(Request request, const NetWorkResult& result) override;

  private:
    void AskNewest();
    void ShowList(const std::string& replyText);

    CLongTextPushButton* difficultyLength_;
    CLongTextPushButton* creatorName_;
    CShuffleButton* reload_;
    std::string listText_;
};

// The root form of a download form id.
std::unique_ptr<GCForm> MakeDownLoadForm(DownLoadFormId formId, IDownLoadSceneHost* scene,
                                         const std::string& keptListText);
// The newest-stage reply a top form holds, into `keptListText`; other forms leave it alone.
void KeepDownLoadListText(GCForm& form, std::string& keptListText);

}  // namespace Controls
