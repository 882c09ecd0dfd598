#pragma once
// One entry of a pallet as the pallets keep their tables in code, and the one way every pallet
// adds its table: in order, each shop entry only when its item is bought.
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "controls/DisplayParts.h"
#include "controls/Pallet.h"

namespace Controls {

struct PalletEntry {
    ImageClip picture;    // on the entry's button, and what the editor gets with a choice
    ImageClip preview;    // drawn large beside the grid while the mouse rests on the entry
    const char* key;      // the row of the pallet's text table; an object kind for the object pallets
    int32_t passability;  // 0..3 for map chips (the tag shown); -1 for objects (no tag)
    int32_t id;           // the chip number for map chips; 0 for objects
    const char* gate;     // the shop item that must be bought first, or null
};

// The pictures cut from one sheet: Sheet{"System", "StageObjects001"}(left, top, right, bottom).
struct Sheet {
    const char* group;
    const char* key;
    ImageClip operator()(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
        return {group, key, left, top, right, bottom};
    }
};

// The sheets the pallets cut from: the kinds' icons (the buttons, group "System"), the objects'
// pictures ("Object") and the characters' previews.
inline constexpr Sheet kIconSheet1{"System", "StageObjects001"};
inline constexpr Sheet kIconSheet2{"System", "StageObjects002"};
inline constexpr Sheet kIconSheet3{"System", "StageObjects003"};
inline constexpr Sheet kObjectSheet1{"Object", "Objects001"};
inline constexpr Sheet kObjectSheet2{"Object", "Objects002"};
inline constexpr Sheet kObjectSheet3{"Object", "Objects003"};
inline constexpr Sheet kObjectSheet4{"Object", "Objects004"};
inline constexpr Sheet kObjectSheet5{"Object", "Objects005"};
inline constexpr Sheet kBarSheet{"Object", "Bar001"};
inline constexpr Sheet kCharacterSheet{"System", "CharImage001"};

// A map chip whose button and preview are the same cell of a chip sheet (group "Map").
inline PalletEntry MapChipEntry(const char* sheet, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                const char* key, int32_t passability, int32_t chip,
                                const char* gate = nullptr) {
    const ImageClip cell{"Map", sheet, left, top, right, bottom};
    return {cell, cell, key, passability, chip, gate};
}

// An object kind: no passability tag, id 0.
inline PalletEntry ObjectEntry(ImageClip picture, ImageClip preview, const char* key,
                               const char* gate = nullptr) {
    return {std::move(picture), std::move(preview), key, -1, 0, gate};
}

// Adds the entries in order through CPalletWindowBase::AddItemButton. Before an entry with a
// gate it asks CClientInfo::IsItemBought once for each run of entries that follow one another
// with the same gate, and leaves the whole run out when the item is not bought: the entries after
// it close up. The data file's exception of the first entry passes out unchanged.
void AddPalletEntries(CPalletWindowBase& pallet, std::span<const PalletEntry> entries);

}  // namespace Controls
