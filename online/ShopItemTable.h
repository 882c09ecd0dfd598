#pragma once
// The catalogue of everything the in-game shop sells, read once from "data\shop_info.dat":
// one record per item with its key, texts, price in creator points and the creator level from
// which it may be bought. Ownership is not kept here but in the client info's bought items.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "foundation/Singleton.h"

namespace Controls {

class CShopItem {
  public:
    CShopItem() = default;
    CShopItem(std::string itemKey, std::string itemName, std::string itemCategory, int32_t itemPrice,
              std::string itemDescription, std::string itemPreviewMusicKey, int32_t itemRequiredLevel)
        : key(std::move(itemKey)),
          name(std::move(itemName)),
          category(std::move(itemCategory)),
          price(itemPrice),
          description(std::move(itemDescription)),
          previewMusicKey(std::move(itemPreviewMusicKey)),
          requiredLevel(itemRequiredLevel) {}
    CShopItem(const CShopItem&) = default;
    CShopItem& operator=(const CShopItem&) = default;
    CShopItem(CShopItem&&) = default;
    CShopItem& operator=(CShopItem&&) = default;
    virtual ~CShopItem() = default;

    std::string GetKey() const { return key; }
    std::string GetName() const { return name; }
    std::string GetCategory() const { return category; }
    std::string GetDescription() const { return description; }
    std::string GetPreviewMusicKey() const { return previewMusicKey; }

    std::string key;
    std::string name;
    std::string category;
    int32_t price = 0;
    std::string description;
    std::string previewMusicKey;
    int32_t requiredLevel = 0;
};

}  // namespace Controls

// Creating the singleton loads the file (a failed load leaves no instance); deleting it clears
// the records.
class CShopItemTable : public CSingleton<CShopItemTable> {
  public:
    static constexpr int kLines = 50;
    static constexpr int kFields = 7;

    // Rebuilds the records from the file. CInitFileException "IFE0600" (cannot be read) or
    // "IFE0601" (more than 50 lines or 7 fields); either leaves the table empty.
    static void Load();
    static void Reload() { Load(); }
    static int GetCount();
    static Controls::CShopItem GetItem(int index);
    static void Clear();

  private:
    friend class CSingleton<CShopItemTable>;
    CShopItemTable();
    ~CShopItemTable();
};
