#pragma once
// The base of the editor's pallet windows: a 440 x 280 beige window with a scrolling grid of
// small picture buttons, six to a row, and beside it the name, passability tag, description and
// larger preview of the item under the mouse. A concrete pallet gives the title, the item-text
// table to read and the items; pushing an item records the choice and closes the window, and the
// window's closed-handler reads the choice.
//
// The item-text tables ("data\\mapchip_info.dat", "data\\stage_objects.dat") are the stage
// model's key text tables (stage/KeyTextTable.h), read by the same reader.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Buttons.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"
#include "controls/Panels.h"
#include "stage/KeyTextTable.h"

namespace Controls {

class CPalletWindowBase : public CCloseableBeigeForm,
                          public IFocusedEventHandler,
                          public IUnFocusedEventHandler {
  public:
    static constexpr int32_t kWidth = 440, kHeight = 280;
    static constexpr int32_t kButtonsPerRow = 6, kCellWidth = 36, kRowHeight = 36, kVisibleRows = 6;

    CPalletWindowBase(const std::string& title, int32_t x, int32_t y);

    void UpdateSelf() override;
    void HandleInput() override;
    void Draw() override;
    void OnButtonPushed(GCButton* sender) override;
    void OnFocused(GCButton* sender) override;
    void OnUnFocused(GCButton* sender, int32_t flag) override;

    // The chosen item's id for the editor: the map-chip pallets answer GetItemIdAt; -1 here.
    virtual int32_t GetItemId(int32_t) { return -1; }
    // The chosen item's key for the editor: the object pallets answer GetItemKeyAt; "" here.
    virtual std::string GetItemKey(int32_t) { return std::string(); }
    // The item-text table this pallet reads.
    virtual std::string GetDataFileName() = 0;

    // Adds an item at the end of the grid: `icon` on the button, `preview` beside the grid while
    // the mouse is over it. Passability 0 to 3 gives the tag text, anything else none. Throws
    // CInitFileException when the item-text table cannot be read (the window is left unchanged).
    void AddItemButton(const ImageClip& icon, const ImageClip& preview, const std::string& key,
                       int32_t passability, int32_t id);
    // An item without a tag, id 0.
    void AddItem(const ImageClip& icon, const ImageClip& preview, const std::string& key) {
        AddItemButton(icon, preview, key, -1, 0);
    }

    // The choice, read once the window has closed: -1, "" and an empty picture when nothing was
    // chosen.
    int32_t GetSelectedItemId() const { return chosenId_; }
    std::string GetSelectedItemKey() const { return chosenKey_; }
    ImageClip GetSelectedImageClip() const { return chosenPicture_; }

    // Entry i of the ids and keys; 0 and "" out of range.
    int32_t GetItemIdAt(int32_t index) const;
    std::string GetItemKeyAt(int32_t index) const;
    // The texts of a key from the item-text table (read first when it is not yet); "" for a key
    // the table does not hold.
    std::string GetItemName(const std::string& key);
    std::string GetItemDescription(const std::string& key);
    // Reads the item-text table: "IFE0200" when it cannot be read, "IFE0201" when it is not an
    // encoded text or does not fit 1024 lines of 3 fields. The table stays unloaded on failure.
    void LoadItemTexts();

    // The passability tag shown for the value.
    static std::string PassabilityTag(int32_t passability);

    int32_t GetItemCount() const { return int32_t(itemButtons_.size()); }
    CFreeImageClickArea* GetItemButton(int32_t index) const { return itemButtons_[size_t(index)]; }
    const std::string& GetItemTagAt(int32_t index) const { return tags_[size_t(index)]; }
    int32_t GetHoveredIndex() const { return hoveredIndex_; }
    CFreeVerticalScrollablePanel* GetPanel() const { return panel_; }
    CSpriteTextLabel* GetDescriptionLabel() const { return descriptionLabel_; }
    CSpriteTextLabel* GetTagLabel() const { return tagLabel_; }

  private:
    // The ribbon and both labels show these texts.
    void ShowTexts(const std::string& name, const std::string& description, const std::string& tag);

    CFreeVerticalScrollablePanel* panel_;
    CCaptionRibon* ribbon_;
    CSpriteTextLabel* descriptionLabel_;
    CSpriteTextLabel* tagLabel_;
    CGeneralPurposeButtonList* currentRow_ = nullptr;
    std::vector<CFreeImageClickArea*> itemButtons_;
    std::vector<ImageClip> previews_;
    std::vector<std::string> names_, tags_, descriptions_;
    bool itemHovered_ = false;
    int32_t hoveredIndex_ = -1;
    int32_t chosenId_ = -1;
    std::string chosenKey_;
    ImageClip chosenPicture_;
    CKeyTextTable itemTexts_;
    std::vector<std::string> keys_;
    std::vector<int32_t> ids_;
    bool tableLoaded_ = false;
};

}  // namespace Controls
