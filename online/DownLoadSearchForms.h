#pragma once
// The download screen's two searches: by a wanted difficulty and length (two bars from 0 to
// 100), and by a creator's name (typed on the on-screen keyboard; a part of the name finds it).
// Both ask the server for 60 stages at a time, show them six to a page with page links and star
// rows, fetch 60 more on "...", and download a pushed stage as the top form does. Their close
// buttons go back to the top form.
#include <cstdint>
#include <string>

#include "controls/DisplayParts.h"
#include "controls/ScrollBars.h"
#include "online/DownLoadForms.h"

namespace Controls {

// What the two searches share: the result grid, and "..." asking again with the same terms.
class CDownLoadSearchForm : public CDownLoadListForm {
  public:
    static constexpr int32_t kPerRequest = 60;
    static constexpr int32_t kPerPage = 6;
    void RequestMoreStages(int32_t start, int32_t end) override;

  protected:
    using CDownLoadListForm::CDownLoadListForm;
    void OnCloseButtonPushed() override;
    void OnListReply(Request request, const NetWorkResult& result) override;
    // Sends the form's own search for the records from `start` up to `end` - 1.
    virtual void RequestStages(Request request, int32_t start, int32_t end) = 0;
    // A new search from the first record, replacing the grid.
    void Search() { RequestStages(Request::NewList, 0, kPerRequest); }
};

class CDownLoadDifficultyLengthSearchRootForm : public CDownLoadSearchForm {
  public:
    explicit CDownLoadDifficultyLengthSearchRootForm(IDownLoadSceneHost* scene);

    CLongTextPushButton* GetSearchButton() const { return search_; }
    CBasicHorizontalScrollBar* GetDifficultyBar() const { return difficulty_; }
    CBasicHorizontalScrollBar* GetLengthBar() const { return length_; }

  protected:
    void OnButtonPushed(GCButton* sender) override;
    void RequestStages(Request request, int32_t start, int32_t end) override;

  private:
    CLongTextPushButton* search_;
    CBasicHorizontalScrollBar* difficulty_;
    CBasicHorizontalScrollBar* length_;
    // The bars' values when "検索する" was pushed.
    std::string difficultyText_, lengthText_;
};

class CDownLoadCreatorNameSearchRootForm : public CDownLoadSearchForm {
  public:
    static constexpr int32_t kNameLength = 12;
    explicit CDownLoadCreatorNameSearchRootForm(IDownLoadSceneHost* scene);
    // The arrow cursor every frame.
    void UpdateSelf() override;

    CTextLineArea* GetNameField() const { return name_; }
    CLongTextPushButton* GetInputButton() const { return input_; }
    CLongTextPushButton* GetSearchButton() const { return search_; }

  protected:
    void OnButtonPushed(GCButton* sender) override;
    void OnDialogClosed(Dialog dialog, bool yes, GCForm* sender) override;
    void RequestStages(Request request, int32_t start, int32_t end) override;

  private:
    CTextLineArea* name_;
    CLongTextPushButton* input_;
    CLongTextPushButton* search_;
    // The name field's text when "検索する" was pushed.
    std::string searchName_;
};

}  // namespace Controls
