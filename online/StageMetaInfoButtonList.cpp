#include "online/StageMetaInfoButtonList.h"

#include <algorithm>

#include "controls/ControlPort.h"
#include "foundation/TextConvert.h"
#include "online/DownLoadForms.h"
#include "online/StageMetaInfoButton.h"
#include "stage/StageCatalogues.h"
#include "stage/StageFileEntry.h"

namespace Controls {

namespace {

// The server's ratings run 0 .. 100; the cards take them as 0.0 .. 1.0.
constexpr double kRatingScale = 0.01;

// The paging row's links are light: they lie on a dark plate, the current page's number in gold.
constexpr uint32_t kPlate = PackColor(60, 44, 24);
constexpr int32_t kPlateMargin = 4;

constexpr int32_t kGold[3] = {255, 210, 80};

// The link of the page shown: disabled, its number in gold (the disabled links' brown would
// vanish on the plate).
class CCurrentPageButton : public CPagingButton {
  public:
    using CPagingButton::CPagingButton;
    void HandleInput() override {
        // The base colours the label as disabled once; gold goes over it.
        CPagingButton::HandleInput();
        auto* label = dynamic_cast<CSpriteTextLabel*>(GetControls().At(0));
        if (!label) return;
        const TextLook& look = label->GetLook();
        if (look.red != kGold[0] || look.green != kGold[1] || look.blue != kGold[2])
            label->SetColor(kGold[0], kGold[1], kGold[2]);
    }
};

}  // namespace

CStageMetaInfoButtonList::CStageMetaInfoButtonList(
    int32_t x, int32_t y, int32_t perPage, int32_t pagesPerRequest, std::unique_ptr<CStageMetaInfoList> first,
    IDownLoadRootForm* owner, IPushedEventHandler* stageListener, bool withPagingRow, bool withRatings)
    : COriginalBaseForm(x, y, kWidth, (perPage / 2) * 144 - 12),
      owner_(owner),
      stageListener_(stageListener),
      perPage_(std::max(perPage, 1)),
      pagesPerRequest_(pagesPerRequest),
      withPagingRow_(withPagingRow),
      withRatings_(withRatings) {
    if (first) lists_.push_back(std::move(first));
    BuildPage();
    BuildPagingRow();
}

int32_t CStageMetaInfoButtonList::GetRecordCount() const {
    int32_t n = 0;
    for (const auto& list : lists_) n += int32_t(list->Records.size());
    return n;
}

CStageMetaInfo CStageMetaInfoButtonList::GetRecordAt(int32_t index) const {
    if (index < 0) return {};
    for (const auto& list : lists_) {
        const auto n = int32_t(list->Records.size());
        if (index < n) return list->Records[size_t(index)];
        index -= n;
    }
    return {};
}

int32_t CStageMetaInfoButtonList::GetLastPage() const {
    const int32_t count = GetRecordCount();
    return count > 0 ? (count - 1) / perPage_ + 1 : 1;
}

void CStageMetaInfoButtonList::BuildPage() {
    auto area = std::make_unique<CGeneralPurposeButtonList>(0, kPageTop, GetWidth(), GetHeight() - kPageTop);
    const int32_t first = (currentPage_ - 1) * perPage_;
    const int32_t end = std::min(currentPage_ * perPage_, GetRecordCount());
    for (int32_t i = first; i < end; ++i) {
        const int32_t k = i - first;
        const CStageMetaInfo r = GetRecordAt(i);
        const int32_t backGround =
            BackGroundIdToStageNumber(StagePreviewInfo::FromBackGroundKey(r.GetBackGroundKey()).GetField3());
        auto card = std::make_unique<CStageMetaInfoButton>(
            kColumnPitch * (k % 2), kRowPitch * (k / 2), r.GetKey(), r.GetStageName(), r.GetPostedDate(),
            r.GetOriginalAuthorName(), r.GetDataSize(), StrToDouble(r.GetDifficulty()) * kRatingScale,
            StrToDouble(r.GetLength()) * kRatingScale, StrToDouble(r.GetRating()) * kRatingScale, backGround,
            withRatings_ && r.HasRatings);
        if (stageListener_) card->AddPushedEventHandler(stageListener_);
        area->AddControl(std::move(card));
    }
    // Built before the paging row: the page area is the first child, the row the second.
    pageArea_ = AddControl(std::move(area));
}

void CStageMetaInfoButtonList::BuildPagingRow() {
    if (!withPagingRow_) return;
    auto row = std::make_unique<CGeneralPurposeButtonList>(0, 0, GetWidth(), kPageTop);
    const int32_t count = GetRecordCount();
    const int32_t pages = (count + perPage_ - 1) / perPage_;
    // The entry after the last page is "...", shown once the window reaches it.
    int32_t first = 1, last = 0;
    PagingWindow(currentPage_, kWindowSize, pages + 1, first, last);
    int32_t x = kEntryPitch;
    for (int32_t i = first; i <= last; ++i, x += kEntryPitch) {
        if (i <= pages) {
            std::unique_ptr<CPagingButton> link;
            if (i == currentPage_) {
                link = std::make_unique<CCurrentPageButton>(x, 0, PageLabel(i), i);
                link->SetEnabled(false);
            } else {
                link = std::make_unique<CPagingButton>(x, 0, PageLabel(i), i);
            }
            link->AddPushedEventHandler(this);
            row->AddControl(std::move(link));
        } else {
            auto more = std::make_unique<CPagingButton>(x, 0, "...", -1);
            more->AddPushedEventHandler(this);
            more_ = row->AddControl(std::move(more));
        }
    }
    previous_ = row->AddControl(std::make_unique<CPagingLeftButton>(0, 0));
    next_ = row->AddControl(std::make_unique<CPagingRightButton>(x + 8, 0));
    previous_->AddPushedEventHandler(this);
    next_->AddPushedEventHandler(this);
    pagingRow_ = AddControl(std::move(row));
}

void CStageMetaInfoButtonList::RemovePagingRow() {
    if (pagingRow_) (void)GetControls().Remove(pagingRow_);
    pagingRow_ = nullptr;
    previous_ = nullptr, next_ = nullptr, more_ = nullptr;
}

void CStageMetaInfoButtonList::SetPage(int32_t page) {
    if (page < 1 || page > GetLastPage()) return;
    RemovePagingRow();
    if (pageArea_) (void)GetControls().Remove(pageArea_);
    pageArea_ = nullptr;
    currentPage_ = page;
    BuildPage();
    BuildPagingRow();
}

void CStageMetaInfoButtonList::Draw() {
    if (!IsVisible()) return;
    if (pagingRow_ && next_) {
        int32_t x, y;
        pagingRow_->GetAbsolutePosition(x, y);
        const int32_t right = x + next_->GetX() + next_->GetWidth();
        Port().Rect(x - kPlateMargin, y - 2, right + kPlateMargin, y + kPageTop - 2, kPlate, kPlate, 1);
    }
    COriginalBaseForm::Draw();
}

void CStageMetaInfoButtonList::UpdateSelf() {
    if (pendingPage_ != -1) {
        const int32_t page = pendingPage_;
        pendingPage_ = -1;
        SetPage(page);
    }
    COriginalBaseForm::UpdateSelf();
}

void CStageMetaInfoButtonList::OnPushed(GCButton* sender) {
    if (!sender) return;
    if (sender == previous_) {
        if (currentPage_ > 1) pendingPage_ = currentPage_ - 1;
    } else if (sender == next_) {
        // On the last page this asks for a page SetPage refuses.
        if (currentPage_ <= GetLastPage()) pendingPage_ = currentPage_ + 1;
    } else if (sender == more_) {
        const int32_t count = GetRecordCount();
        if (owner_) owner_->RequestMoreStages(count, count + pagesPerRequest_ * perPage_);
    } else if (auto* link = dynamic_cast<CPagingButton*>(sender)) {
        pendingPage_ = link->GetPageNumber();
    }
}

void CStageMetaInfoButtonList::AddList(std::unique_ptr<CStageMetaInfoList> list, bool showLastPage) {
    if (!list) return;
    lists_.push_back(std::move(list));
    if (showLastPage) pendingPage_ = GetLastPage();
}

}  // namespace Controls
