#include "editor_windows/PalletEntry.h"

#include <cstring>

#include "foundation/ClientInfo.h"

namespace Controls {

void AddPalletEntries(CPalletWindowBase& pallet, std::span<const PalletEntry> entries) {
    const char* askedGate = nullptr;
    bool bought = true;
    for (const PalletEntry& e : entries) {
        if (e.gate && (!askedGate || std::strcmp(askedGate, e.gate) != 0)) {
            bought = CClientInfo::GetInstance()->IsItemBought(e.gate);
            askedGate = e.gate;
        } else if (!e.gate) {
            askedGate = nullptr;
        }
        if (e.gate && !bought) continue;
        pallet.AddItemButton(e.picture, e.preview, e.key, e.passability, e.id);
    }
}

}  // namespace Controls
