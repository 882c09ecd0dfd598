#pragma once
// What the music, background and weather pickers share: a small beige window with "O K" and
// "ｷｬﾝｾﾙ", a label naming the value shown and a one-of-n list of the catalogue's display names,
// each row carrying the value's key. Shop values are offered only once bought, as the player's
// client info says while the window is built. "O K" takes the highlighted row's value (the value
// passed in when no row is highlighted); "ｷｬﾝｾﾙ" and the close button keep the value passed in.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/Dialogs.h"
#include "controls/Panels.h"

// The catalogue of a picker: display name, key, the id of a key, and whether the value is a
// shop item (offered once the item named by its key is bought).
struct Catalogue {
    std::string (*name)(int);
    std::string (*key)(int);
    int (*idOfKey)(const std::string&);
    bool (*shopItem)(int);
};

// Where a picker puts its parts, relative to the window.
struct CatalogueWindowLayout {
    int32_t width, height;
    int32_t okX, okY, cancelX, cancelY;
    int32_t labelY;
    int32_t listX, listY, listWidth, listHeight;
};

// The music and weather pickers: 320 x 320, "O K" and "ｷｬﾝｾﾙ" on the bottom line, the list
// under the label.
inline constexpr CatalogueWindowLayout kTallPickerLayout{320, 320, 70, 264, 170, 264, 60, 32, 104, 256, 144};

class CCatalogueSelectWindow : public Controls::CCloseableBeigeForm {
  public:
    void UpdateSelf() override;
    void OnButtonPushed(Controls::GCButton* sender) override;

    Controls::CTextPushButton* GetOkButton() const { return ok_; }
    Controls::CTextPushButton* GetCancelButton() const { return cancel_; }
    Controls::CExclusiveTextPanel* GetList() const { return list_; }
    Controls::CTextLabel* GetTitleLabel() const { return label_; }

  protected:
    // Builds the window with "O K", "ｷｬﾝｾﾙ" and the label; the subclass adds its own parts and
    // then the list (AddList), in the order they are drawn.
    CCatalogueSelectWindow(const std::string& title, int32_t x, int32_t y,
                           const CatalogueWindowLayout& layout, const Catalogue& catalogue, int32_t value);
    // The list of the ids, in this order, less the shop items not bought.
    void AddList(const std::vector<int32_t>& ids);
    // The id of highlighted row `row`.
    int32_t IdOfRow(int32_t row) const;
    // Each frame, before the window's own update, with the highlighted row (-1 for none).
    virtual void OnHighlight(int32_t /*row*/) {}
    // A push of a button that is none of "O K" and "ｷｬﾝｾﾙ".
    virtual void OnOtherButtonPushed(Controls::GCButton* /*sender*/) {}

    int32_t value_;
    bool decided_ = false;

  private:
    Catalogue catalogue_;
    CatalogueWindowLayout layout_;
    Controls::CTextPushButton* ok_;
    Controls::CTextPushButton* cancel_;
    Controls::CTextLabel* label_;
    Controls::CExclusiveTextPanel* list_ = nullptr;
};
