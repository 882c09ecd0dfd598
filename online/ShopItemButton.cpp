#include "online/ShopItemButton.h"

#include <utility>

namespace Controls {

namespace {

struct ItemPicture {
    const char* key;
    const char* group;
    const char* image;
    int32_t left, top;  // a 32 x 32 cell
};

// Map chips show their chip, characters and objects their editor icon, events the icon of their
// leftward entry; music, backgrounds and weathers share one icon each.
constexpr ItemPicture kItemPictures[] = {
    {"Ground008", "Map", "ChipSet003", 32, 192},
    {"RoundBlock002", "Map", "ChipSet004", 64, 128},
    {"Needle002", "Map", "ChipSet001", 32, 224},
    {"Chop002", "System", "StageObjects001", 224, 0},
    {"Gun002", "System", "StageObjects001", 192, 128},
    {"BarMan001", "System", "StageObjects001", 192, 192},
    {"BarMan002", "System", "StageObjects001", 224, 192},
    {"BarMan003", "System", "StageObjects001", 0, 224},
    {"BarMan004", "System", "StageObjects001", 32, 224},
    {"BarMan005", "System", "StageObjects001", 64, 224},
    {"DevilBar001", "System", "StageObjects001", 96, 224},
    {"InvisibleWarp001", "System", "StageObjects002", 224, 0},
    {"Switch004", "System", "StageObjects002", 128, 160},
    {"Oto001", "System", "StageObjects001", 0, 128},
    {"ChangeMusic", "System", "StageObjects003", 32, 16},
    {"ChangeWeather", "System", "StageObjects003", 160, 16},
    {"ChangeZoom", "System", "StageObjects003", 32, 80},
    {"TonFar001", "System", "StageObjects001", 192, 32},
    {"SkyMobile001", "System", "StageObjects001", 128, 128},
    {"Magician001", "System", "StageObjects001", 224, 128},
    {"EnemyZeroDoor001", "System", "StageObjects002", 64, 32},
    {"Warp001", "System", "StageObjects002", 192, 0},
    {"CustomLift001", "System", "StageObjects002", 0, 96},
    {"Opening", "System", "StageObjects002", 128, 32},
    {"TopMenu", "System", "StageObjects002", 128, 32},
    {"SelectStage", "System", "StageObjects002", 128, 32},
    {"Editor", "System", "StageObjects002", 128, 32},
    {"Download", "System", "StageObjects002", 128, 32},
    {"Evaluation", "System", "StageObjects002", 128, 32},
    {"Stage008", "System", "StageObjects002", 128, 32},
    {"Boss001", "System", "StageObjects002", 128, 32},
    {"Boss002", "System", "StageObjects002", 128, 32},
    {"Ending", "System", "StageObjects002", 128, 32},
    {"BlackBackGround", "System", "StageObjects002", 160, 32},
    {"GrassSpring", "System", "StageObjects002", 160, 32},
    {"GrassAutumn", "System", "StageObjects002", 160, 32},
    {"AnotherWorld", "System", "StageObjects002", 160, 32},
    {"Spring", "System", "StageObjects002", 192, 32},
    {"Autumn", "System", "StageObjects002", 192, 32},
    {"Bomb", "System", "StageObjects002", 192, 32},
    {"Fish", "System", "StageObjects002", 192, 32},
};

constexpr ItemPicture kLockedPicture = {"", "System", "StageObjects002", 224, 32};

ImageClip ClipOf(const ItemPicture& p) { return {p.group, p.image, p.left, p.top, p.left + 32, p.top + 32}; }

}  // namespace

ImageClip GetShopItemImage(const std::string& key) {
    for (const ItemPicture& p : kItemPictures) {
        if (key == p.key) return ClipOf(p);
    }
    return GetLockedShopItemImage();
}

ImageClip GetLockedShopItemImage() { return ClipOf(kLockedPicture); }

CShopItemButton::CShopItemButton(int32_t x, int32_t y, ImageClip picture, CShopItem item)
    : CFreeImageClickArea(x, y, std::move(picture)), item_(std::move(item)) {}

CShopNonBuyItemButton::CShopNonBuyItemButton(int32_t x, int32_t y)
    : CFreeImageClickArea(x, y, GetLockedShopItemImage()) {}

}  // namespace Controls
