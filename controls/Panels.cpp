#include "controls/Panels.h"

#include <algorithm>

#include "controls/ControlPort.h"
#include "controls/Romaji.h"

namespace Controls {

CRowScrollablePart::CRowScrollablePart(int32_t x, int32_t y, int32_t width, int32_t height,
                                       int32_t visibleRows, int32_t rowHeight,
                                       std::unique_ptr<COriginalBaseForm> inner)
    : IScrollableForm(x, y, width, height), visibleRows_(std::max(visibleRows, 0)), rowHeight_(rowHeight) {
    inner_ = AddControl(std::move(inner));
}

int32_t CRowScrollablePart::GetMaxScrollPosition() {
    const int32_t rows = GetRowCount();
    return rows > visibleRows_ ? rows - visibleRows_ : 0;
}

void CRowScrollablePart::SetScrollPosition(int32_t position) {
    scrollPosition_ = std::clamp(position, 0, GetMaxScrollPosition());
    inner_->SetY(-(rowHeight_ * scrollPosition_));
    GCBase::ControlCollection& rows = inner_->GetControls();
    for (int32_t i = 0; i < rows.Count(); ++i)
        rows.At(i)->SetVisible(scrollPosition_ <= i && i < scrollPosition_ + visibleRows_);
}

CFreeVerticalScrollablePart::CFreeVerticalScrollablePart(int32_t x, int32_t y, int32_t width, int32_t height,
                                                         int32_t scrollPosition, int32_t visibleRows,
                                                         int32_t rowHeight)
    : CRowScrollablePart(x, y, width, height, visibleRows, rowHeight,
                         std::make_unique<COriginalBaseForm>(0, 0, width, height)) {
    SetScrollPosition(scrollPosition);
}

void CFreeVerticalScrollablePart::AddRow(std::unique_ptr<GCBase> row) {
    Inner()->GetControls().Add(std::move(row));
    SetScrollPosition(GetScrollPosition());
}

CExclusiveToggleButtonVerticalScrollablePart::CExclusiveToggleButtonVerticalScrollablePart(
    int32_t x, int32_t y, int32_t width, int32_t height, int32_t scrollPosition, int32_t visibleRows,
    int32_t rowHeight)
    : CRowScrollablePart(x, y, width, height, visibleRows, rowHeight,
                         std::make_unique<CExclusiveToggleButtonList>(0, 0, width, height)) {
    list_ = static_cast<CExclusiveToggleButtonList*>(Inner());
    SetScrollPosition(scrollPosition);
}

void CExclusiveToggleButtonVerticalScrollablePart::AddButton(std::unique_ptr<CToggleButtonBase> button) {
    list_->AddButton(std::move(button));
    SetScrollPosition(GetScrollPosition());
}

CVerticalScrollablePanelBase::CVerticalScrollablePanelBase(int32_t x, int32_t y, int32_t width,
                                                           int32_t height, int32_t visibleRows,
                                                           std::unique_ptr<CRowScrollablePart> part)
    : COriginalBaseForm(x, y, width, height), visibleRows_(visibleRows) {
    part_ = AddControl(std::move(part));
    bar_ = AddControl(std::make_unique<CBasicVerticalScrollBar>(width - 16, 0, 0, 1, 0, 1, height));
    bar_->SetReady(false);
}

void CVerticalScrollablePanelBase::FitScrollBar() {
    const int32_t maximum = part_->GetMaxScrollPosition();
    if (maximum < 1) {
        bar_->SetReady(false);
        bar_->SetMaximum(1);
        return;
    }
    bar_->SetReady(true);
    bar_->SetMaximum(maximum);
    bar_->SetVisiblePercent(double(visibleRows_ * 100 / part_->GetRowCount()));
}

void CVerticalScrollablePanelBase::HandleInput() {
    if (bar_->IsReady()) part_->SetScrollPosition(bar_->GetValue());
}

CFreeVerticalScrollablePanel::CFreeVerticalScrollablePanel(int32_t x, int32_t y, int32_t width,
                                                           int32_t height, int32_t, int32_t visibleRows,
                                                           int32_t rowHeight)
    : CVerticalScrollablePanelBase(
          x, y, width, height, visibleRows,
          std::make_unique<CFreeVerticalScrollablePart>(0, 0, width, height, 0, visibleRows, rowHeight)) {
    part_ = static_cast<CFreeVerticalScrollablePart*>(GetFirstControl());
}

CExclusiveToggleButtonVerticalScrollablePanel::CExclusiveToggleButtonVerticalScrollablePanel(
    int32_t x, int32_t y, int32_t width, int32_t height, int32_t, int32_t visibleRows, int32_t rowHeight)
    : CVerticalScrollablePanelBase(x, y, width, height, visibleRows,
                                   std::make_unique<CExclusiveToggleButtonVerticalScrollablePart>(
                                       0, 0, width, height, 0, visibleRows, rowHeight)) {
    part_ = static_cast<CExclusiveToggleButtonVerticalScrollablePart*>(GetFirstControl());
}

CExclusiveTextPanel::CExclusiveTextPanel(int32_t x, int32_t y, int32_t width, int32_t height)
    : COriginalBaseForm(x, y, width, height) {
    // The rows sit inside the frame's border; the bar keeps the whole height beside it.
    list_ = AddControl(std::make_unique<CExclusiveToggleButtonVerticalScrollablePanel>(
        0, 0, width, height, 0, (height - 2 * kFrameBorder) / kRowHeight, kRowHeight));
    list_->GetPart()->SetPosition(kFrameBorder, kFrameBorder);
}

void CExclusiveTextPanel::AddItem(const std::string& text, const std::string& value) {
    const int32_t n = list_->GetButtonCount();
    list_->AddButton(
        std::make_unique<CSelectableTextItem>(0, n * kRowHeight, GetWidth() - 16 - 2 * kFrameBorder, text));
    values_.push_back(value);
}

std::string CExclusiveTextPanel::GetItemText(int32_t index) {
    CToggleButtonBase* row = list_->GetButton(index);
    return row ? row->GetText() : std::string();
}

std::string CExclusiveTextPanel::GetItemValue(int32_t index) const {
    if (index < 0 || index >= int32_t(values_.size())) return std::string();
    return values_[size_t(index)];
}

void CExclusiveTextPanel::Draw() {
    if (!IsVisible()) return;
    COriginalBaseForm::Draw();
    if (frame_) DrawFrame();
}

void CExclusiveTextPanel::DrawFrame() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    // The bar's strip stays outside the frame.
    DrawOpenFrame(x, y, GetWidth() - 16, GetHeight());
}

std::string PageLabel(int32_t page) {
    if (page >= 0 && page < 10) return DigitToFullWidth(char('0' + page));
    return std::to_string(page);
}

void PagingWindow(int32_t current, int32_t size, int32_t lastEntry, int32_t& first, int32_t& last) {
    first = current - (size - 1) / 2;
    last = current + size / 2;
    if (first < 1) last += 1 - first, first = 1;
    if (last > lastEntry) first -= last - lastEntry, last = lastEntry;
    first = std::max(first, 1);
}

IPagingScrollablePanelBase::IPagingScrollablePanelBase(int32_t x, int32_t y, int32_t width, int32_t height,
                                                       int32_t rowHeight, int32_t itemCount,
                                                       int32_t itemsPerPage, int32_t pageButtonCount)
    : COriginalBaseForm(x, y, width, height),
      rowHeight_(rowHeight),
      itemCount_(std::max(itemCount, 0)),
      itemsPerPage_(itemsPerPage > 0 ? itemsPerPage : std::max(itemCount, 1)),
      pageButtonCount_(pageButtonCount) {}

int32_t IPagingScrollablePanelBase::GetPageCount() const {
    return (itemCount_ + itemsPerPage_ - 1) / itemsPerPage_;
}

void IPagingScrollablePanelBase::Build() {
    const int32_t visibleRows = rowHeight_ > 0 ? GetHeight() / rowHeight_ : 0;
    list_ = AddControl(std::make_unique<CExclusiveToggleButtonVerticalScrollablePanel>(
        0, top_, GetWidth(), GetHeight() - top_, 0, visibleRows, rowHeight_));
    const int32_t first = (currentPage_ - 1) * itemsPerPage_;
    const int32_t end = std::min(currentPage_ * itemsPerPage_, itemCount_);
    for (int32_t i = first, k = 0; i < end; ++i, ++k) {
        std::unique_ptr<CToggleButtonBase> row = CreateItem(i);
        if (!row) continue;
        row->SetY(rowHeight_ * k);
        list_->AddButton(std::move(row));
    }
    BuildStrip();
    built_ = true;
}

void IPagingScrollablePanelBase::BuildStrip() {
    auto strip = std::make_unique<CGeneralPurposeButtonList>(0, 0, GetWidth(), top_);
    const int32_t pages = GetPageCount();
    int32_t first = 1, last = 0;
    PagingWindow(currentPage_, pageButtonCount_, pages, first, last);
    int32_t buttons = 0;
    for (int32_t p = first; p <= last; ++p) {
        auto link = std::make_unique<CPagingButton>(kPageButtonPitch * (buttons + 1), 0, PageLabel(p), p);
        link->AddPushedEventHandler(this);
        if (p == currentPage_) link->SetEnabled(false);
        strip->AddControl(std::move(link));
        ++buttons;
    }
    left_ = strip->AddControl(std::make_unique<CPagingLeftButton>(0, 0));
    right_ = strip->AddControl(std::make_unique<CPagingRightButton>(kPageButtonPitch * (buttons + 1), 0));
    left_->AddPushedEventHandler(this);
    right_->AddPushedEventHandler(this);
    strip_ = AddControl(std::move(strip));
}

void IPagingScrollablePanelBase::UpdateSelf() {
    if (!built_) Build();
    const int32_t s = list_->GetSelectedIndex();
    if (s != -1) selectedIndex_ = (currentPage_ - 1) * itemsPerPage_ + s;
    if (requestedPage_ != -1) {
        const int32_t page = requestedPage_;
        requestedPage_ = -1;
        GoToPage(page);
    }
    COriginalBaseForm::UpdateSelf();
}

void IPagingScrollablePanelBase::OnPushed(GCButton* sender) {
    if (sender == left_) {
        if (currentPage_ > 1) requestedPage_ = currentPage_ - 1;
    } else if (sender == right_) {
        if (currentPage_ < GetPageCount()) requestedPage_ = currentPage_ + 1;
    } else if (auto* link = dynamic_cast<CPagingButton*>(sender)) {
        requestedPage_ = link->GetPageNumber();
    }
}

void IPagingScrollablePanelBase::GoToPage(int32_t page) {
    if (strip_) (void)GetControls().Remove(strip_);
    strip_ = nullptr, left_ = nullptr, right_ = nullptr;
    if (list_) (void)GetControls().Remove(list_);
    list_ = nullptr;
    // A page outside the list would ask the subclass for items that do not exist.
    currentPage_ = std::clamp(page, 1, std::max(GetPageCount(), 1));
    Build();
    const int32_t local = selectedIndex_ - (currentPage_ - 1) * itemsPerPage_;
    if (local >= 0 && local < itemsPerPage_) {
        if (CToggleButtonBase* row = list_->GetButton(local)) row->TurnOn();
    }
}

}  // namespace Controls
