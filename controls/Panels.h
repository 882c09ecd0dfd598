#pragma once
// Lists built from rows of equal height. A scrollable part keeps the rows in an inner form, moves
// that form up by whole rows and hides the rows outside its window; a scrollable panel puts a
// vertical scroll bar beside a part and keeps the two in step; the framed text list and the paged
// list are ready-made lists on top of them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "controls/ScrollBars.h"

namespace Controls {

// A form whose content scrolls by whole rows; the position is the index of the first visible row.
class IScrollableForm : public COriginalBaseForm {
  public:
    using COriginalBaseForm::COriginalBaseForm;
    int32_t GetScrollPosition() const { return scrollPosition_; }
    virtual int32_t GetMaxScrollPosition() = 0;
    virtual void SetScrollPosition(int32_t position) = 0;

  protected:
    int32_t scrollPosition_ = 0;
};

// What both scrollable parts share: an inner form holding the rows (row i is its i-th child),
// moved up by the row height per step of the position, and the window of visible rows.
class CRowScrollablePart : public IScrollableForm {
  public:
    int32_t GetMaxScrollPosition() override;
    // Clamps into 0 .. maximum, moves the inner form and shows exactly the rows in the window.
    void SetScrollPosition(int32_t position) override;
    int32_t GetRowCount() { return inner_->GetControls().Count(); }
    int32_t GetVisibleRows() const { return visibleRows_; }
    int32_t GetRowHeight() const { return rowHeight_; }

  protected:
    CRowScrollablePart(int32_t x, int32_t y, int32_t width, int32_t height, int32_t visibleRows,
                       int32_t rowHeight, std::unique_ptr<COriginalBaseForm> inner);
    COriginalBaseForm* Inner() const { return inner_; }

  private:
    int32_t visibleRows_, rowHeight_;
    COriginalBaseForm* inner_;
};

// Rows of any widgets.
class CFreeVerticalScrollablePart : public CRowScrollablePart {
  public:
    CFreeVerticalScrollablePart(int32_t x, int32_t y, int32_t width, int32_t height, int32_t scrollPosition,
                                int32_t visibleRows, int32_t rowHeight);
    // Adds the row (placed by the caller, normally at y = index x row height) and re-applies
    // the position.
    void AddRow(std::unique_ptr<GCBase> row);
};

// Rows of one-of-n toggle buttons.
class CExclusiveToggleButtonVerticalScrollablePart : public CRowScrollablePart {
  public:
    CExclusiveToggleButtonVerticalScrollablePart(int32_t x, int32_t y, int32_t width, int32_t height,
                                                 int32_t scrollPosition, int32_t visibleRows,
                                                 int32_t rowHeight);
    void AddButton(std::unique_ptr<CToggleButtonBase> button);
    CToggleButtonBase* GetButton(int32_t index) { return list_->GetButton(index); }
    int32_t GetButtonCount() { return list_->GetButtonCount(); }
    int32_t GetSelectedIndex() { return list_->GetSelectedIndex(); }

  private:
    CExclusiveToggleButtonList* list_;
};

// A part (child 0, the panel's size) with a vertical bar over its right 16 pixels (child 1).
// The bar stays hidden and inert until there are more rows than fit; while it is shown, its value
// is the part's position, so each arrow step scrolls one row.
class CVerticalScrollablePanelBase : public COriginalBaseForm {
  public:
    void HandleInput() override;
    int32_t GetVisibleRows() const { return visibleRows_; }
    CBasicVerticalScrollBar* GetScrollBar() const { return bar_; }

  protected:
    CVerticalScrollablePanelBase(int32_t x, int32_t y, int32_t width, int32_t height, int32_t visibleRows,
                                 std::unique_ptr<CRowScrollablePart> part);
    // Shows or hides the bar and sizes its range and grip for the rows the part now holds.
    void FitScrollBar();

  private:
    int32_t visibleRows_;
    CRowScrollablePart* part_;
    CBasicVerticalScrollBar* bar_;
};

class CFreeVerticalScrollablePanel : public CVerticalScrollablePanelBase {
  public:
    // `unused` is taken for the callers' sake and has no effect.
    CFreeVerticalScrollablePanel(int32_t x, int32_t y, int32_t width, int32_t height, int32_t unused,
                                 int32_t visibleRows, int32_t rowHeight);
    template <class T>
    T* AddItem(std::unique_ptr<T> row) {
        T* raw = row.get();
        part_->AddRow(std::move(row));
        FitScrollBar();
        return raw;
    }
    int32_t GetItemCount() { return part_->GetRowCount(); }
    CFreeVerticalScrollablePart* GetPart() const { return part_; }

  private:
    CFreeVerticalScrollablePart* part_;
};

class CExclusiveToggleButtonVerticalScrollablePanel : public CVerticalScrollablePanelBase {
  public:
    CExclusiveToggleButtonVerticalScrollablePanel(int32_t x, int32_t y, int32_t width, int32_t height,
                                                  int32_t unused, int32_t visibleRows, int32_t rowHeight);
    template <class T>
    T* AddButton(std::unique_ptr<T> button) {
        T* raw = button.get();
        part_->AddButton(std::move(button));
        FitScrollBar();
        return raw;
    }
    CToggleButtonBase* GetButton(int32_t index) { return part_->GetButton(index); }
    int32_t GetButtonCount() { return part_->GetButtonCount(); }
    int32_t GetSelectedIndex() { return part_->GetSelectedIndex(); }
    CExclusiveToggleButtonVerticalScrollablePart* GetPart() const { return part_; }

  private:
    CExclusiveToggleButtonVerticalScrollablePart* part_;
};

// A framed one-of-n list of 20-pixel text rows, each carrying a value string. The frame goes
// around the list less the bar's 16-pixel strip; the rows lie inside the frame's 6-pixel border,
// as many whole rows as fit there.
class CExclusiveTextPanel : public COriginalBaseForm {
  public:
    static constexpr int32_t kRowHeight = 20;
    static constexpr int32_t kFrameBorder = 6;
    CExclusiveTextPanel(int32_t x, int32_t y, int32_t width, int32_t height);
    void Draw() override;
    virtual void DrawFrame();

    void AddItem(const std::string& text, const std::string& value);
    // Empty for an index outside the rows.
    std::string GetItemText(int32_t index);
    std::string GetItemValue(int32_t index) const;
    int32_t GetItemCount() { return list_->GetButtonCount(); }
    int32_t GetSelectedIndex() { return list_->GetSelectedIndex(); }
    void SetFrameVisible(bool on) { frame_ = on; }
    CExclusiveToggleButtonVerticalScrollablePanel* GetList() const { return list_; }

  private:
    std::vector<std::string> values_;
    bool frame_ = true;
    CExclusiveToggleButtonVerticalScrollablePanel* list_;
};

// A numbered page link (font size 14).
class CPagingButton : public CFreeTextLinkButton {
  public:
    CPagingButton(int32_t x, int32_t y, const std::string& text, int32_t pageNumber)
        : CFreeTextLinkButton(x, y, text, 14), pageNumber_(pageNumber) {}
    int32_t GetPageNumber() const { return pageNumber_; }

  private:
    int32_t pageNumber_;
};

// The 16 x 16 page arrows: a click (press and release) on them turns the page.
class CPagingLeftButton : public CArrowCellButton<CPushButtonBase> {
  public:
    CPagingLeftButton(int32_t x, int32_t y) : CArrowCellButton(x, y, 224) {}
};

class CPagingRightButton : public CArrowCellButton<CPushButtonBase> {
  public:
    CPagingRightButton(int32_t x, int32_t y) : CArrowCellButton(x, y, 240) {}
};

// The label of page `page`: a full-width digit below 10, else its decimal digits.
std::string PageLabel(int32_t page);

// The entries a row of page links shows: at most `size` of 1 .. `lastEntry` around `current`
// (half before it, half after), shifted to stay inside; `first` > `last` when there is none.
void PagingWindow(int32_t current, int32_t size, int32_t lastEntry, int32_t& first, int32_t& last);

// A one-of-n list split into pages: a strip of page links and arrows on top (20 high), the rows
// of the current page below. The subclass makes each row on demand (CreateItem); the list is
// built at the first update, so the subclass is complete by then, and rebuilt on every page
// change. The selected index counts over all items and survives page changes.
//
// An items-per-page of 0 or less puts every item on one page.
class IPagingScrollablePanelBase : public COriginalBaseForm, public IPushedEventHandler {
  public:
    static constexpr int32_t kStripHeight = 20;
    static constexpr int32_t kPageButtonPitch = 24;
    IPagingScrollablePanelBase(int32_t x, int32_t y, int32_t width, int32_t height, int32_t rowHeight,
                               int32_t itemCount, int32_t itemsPerPage, int32_t pageButtonCount);
    void UpdateSelf() override;
    void OnPushed(GCButton* sender) override;
    // A new toggle button for item `index` (over all pages); the panel positions and adds it.
    virtual std::unique_ptr<CToggleButtonBase> CreateItem(int32_t index) = 0;

    // Replaces the list and the strip by those of page `page` (kept within the pages); the
    // stored selection is turned on again when it lies on that page.
    void GoToPage(int32_t page);
    int32_t GetSelectedIndex() const { return selectedIndex_; }
    int32_t GetCurrentPage() const { return currentPage_; }
    int32_t GetPageCount() const;
    int32_t GetItemsPerPage() const { return itemsPerPage_; }
    bool IsBuilt() const { return built_; }
    // Null until the first update.
    CExclusiveToggleButtonVerticalScrollablePanel* GetList() const { return list_; }
    CGeneralPurposeButtonList* GetStrip() const { return strip_; }
    CPagingLeftButton* GetLeftButton() const { return left_; }
    CPagingRightButton* GetRightButton() const { return right_; }

  private:
    void Build();
    void BuildStrip();

    int32_t top_ = kStripHeight;
    int32_t rowHeight_, itemCount_, itemsPerPage_, pageButtonCount_;
    CPagingLeftButton* left_ = nullptr;
    CPagingRightButton* right_ = nullptr;
    int32_t currentPage_ = 1;
    int32_t selectedIndex_ = -1;
    bool built_ = false;
    int32_t requestedPage_ = -1;
    CExclusiveToggleButtonVerticalScrollablePanel* list_ = nullptr;
    CGeneralPurposeButtonList* strip_ = nullptr;
};

}  // namespace Controls
