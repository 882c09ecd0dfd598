#pragma once
// The shop's item buttons: an item's picture carrying a copy of its record, the locked button
// that stands for an item above the player's creator level, and the pictures of the items.
#include <cstdint>
#include <string>

#include "controls/Buttons.h"
#include "online/ShopItemTable.h"

namespace Controls {

// The shop picture of an item key: the editor's own icon of the map chip, character, object or
// event, or the icon of music, backgrounds or weathers; the locked picture for any other key.
ImageClip GetShopItemImage(const std::string& key);
// The picture of a locked item, and of a key the shop has no picture for.
ImageClip GetLockedShopItemImage();

// Looks alike whether the item is bought or affordable: only the shop's sold-out stamp tells.
class CShopItemButton : public CFreeImageClickArea {
  public:
    CShopItemButton(int32_t x, int32_t y, ImageClip picture, CShopItem item);
    CShopItem GetItem() const { return item_; }

  private:
    CShopItem item_;
};

// An item the player's creator level does not reach yet; it knows nothing of the item.
class CShopNonBuyItemButton : public CFreeImageClickArea {
  public:
    CShopNonBuyItemButton(int32_t x, int32_t y);
};

}  // namespace Controls
