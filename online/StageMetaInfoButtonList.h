#pragma once
// The grid of posted stages on the download screen: the records of one or more server replies,
// shown two stage cards a row, one page at a time, with an optional row of page links above them
// whose "..." entry asks the owning form for further records.
#include <cstdint>
#include <memory>
#include <vector>

#include "controls/Forms.h"
#include "controls/Panels.h"
#include "online/StageMetaInfo.h"

namespace Controls {

class IDownLoadRootForm;

class CStageMetaInfoButtonList : public COriginalBaseForm, public IPushedEventHandler {
  public:
    static constexpr int32_t kWidth = 608;
    static constexpr int32_t kPageTop = 20;    // the paging row's height
    static constexpr int32_t kWindowSize = 9;  // entries of the paging row at most
    static constexpr int32_t kColumnPitch = 292, kRowPitch = 106, kEntryPitch = 24;

    // Takes the first reply over. `owner` is asked for further records, `stageListener` hears
    // the pushes of every stage card.
    CStageMetaInfoButtonList(int32_t x, int32_t y, int32_t perPage, int32_t pagesPerRequest,
                             std::unique_ptr<CStageMetaInfoList> first, IDownLoadRootForm* owner,
                             IPushedEventHandler* stageListener, bool withPagingRow, bool withRatings);

    // A pending page change happens here, never inside the push that asked for it.
    void UpdateSelf() override;
    // The paging row on its plate, then the page.
    void Draw() override;
    void OnPushed(GCButton* sender) override;

    // Appends a further reply; with `showLastPage` the next update turns to the last page.
    void AddList(std::unique_ptr<CStageMetaInfoList> list, bool showLastPage);
    int32_t GetRecordCount() const;
    // A copy; the empty record for an index outside the records.
    CStageMetaInfo GetRecordAt(int32_t index) const;
    // Rebuilds the page area and the paging row for page n (1 .. last page; others are refused).
    void SetPage(int32_t page);

    int32_t GetCurrentPage() const { return currentPage_; }
    int32_t GetLastPage() const;
    int32_t GetPendingPage() const { return pendingPage_; }
    CGeneralPurposeButtonList* GetPageArea() const { return pageArea_; }
    // Null without a paging row.
    CGeneralPurposeButtonList* GetPagingRow() const { return pagingRow_; }
    CPagingLeftButton* GetPreviousButton() const { return previous_; }
    CPagingRightButton* GetNextButton() const { return next_; }
    CPagingButton* GetMoreButton() const { return more_; }

  private:
    void BuildPage();
    void BuildPagingRow();
    void RemovePagingRow();

    IDownLoadRootForm* owner_;
    IPushedEventHandler* stageListener_;
    int32_t currentPage_ = 1;
    int32_t perPage_;
    int32_t pagesPerRequest_;
    CPagingLeftButton* previous_ = nullptr;
    CPagingRightButton* next_ = nullptr;
    CPagingButton* more_ = nullptr;
    int32_t pendingPage_ = -1;
    bool withPagingRow_;
    bool withRatings_;
    std::vector<std::unique_ptr<CStageMetaInfoList>> lists_;
    CGeneralPurposeButtonList* pageArea_ = nullptr;
    CGeneralPurposeButtonList* pagingRow_ = nullptr;
};

}  // namespace Controls
