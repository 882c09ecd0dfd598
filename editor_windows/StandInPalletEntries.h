#pragma once
// The few entries the stand-in pallets offer until the real pallets come: the first entries of
// each real pallet, so that a choice gives what the real pallet's first entries give.
#include <cstdint>
#include <string>

#include "controls/DisplayParts.h"
#include "controls/Pallet.h"

namespace Controls {

struct StandInPalletEntry {
    ImageClip picture, preview;
    const char* key;
    int32_t passability, id;
};

template <size_t N>
void AddStandInEntries(CPalletWindowBase& pallet, const StandInPalletEntry (&entries)[N]) {
    for (const StandInPalletEntry& e : entries)
        pallet.AddItemButton(e.picture, e.preview, e.key, e.passability, e.id);
}

}  // namespace Controls
