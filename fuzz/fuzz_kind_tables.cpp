// The tables of object kinds and pallet item texts on arbitrary text: the stage's kind table and a
// pallet's item texts either load or raise their coded error, and a loaded table answers lookups.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "controls/Pallet.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "stage/StageObjectKindTable.h"
#include "tests/common/temp_folder.h"

namespace {

void Prepare() {
    // A folder of this run's own, removed at exit.
    static testsupport::TempGameFolder folder("quor-fuzz-kinds");
    static const bool ready = (folder.MakeDir("data"), true);
    (void)ready;
}

// A map-chip pallet reading its item texts from the fuzzed file.
class ChipPallet : public Controls::CPalletWindowBase {
  public:
    ChipPallet() : CPalletWindowBase("パレット", 0, 0) {}
    std::string GetDataFileName() override { return "data\\mapchip_info.dat"; }
};

template <typename F>
bool Loads(const char* codeA, const char* codeB, F load) {
    try {
        load();
        return true;
    } catch (const CQuorException& e) {
        if (e.GetCode() != codeA && e.GetCode() != codeB) std::abort();
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Prepare();
    if (size < 1) return 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1) {
        if (!WriteEncodedFile("data\\stage_objects.dat", text)) return 0;
        std::unique_ptr<CStageObjectKindTable> kinds;
        if (Loads("IFE0100", "IFE0101", [&] { kinds = std::make_unique<CStageObjectKindTable>(); })) {
            for (int n = 0; n < CStageObjectKindTable::kMaxKinds; ++n) kinds->GetRow(n);
            const int first = kinds->FindKindNumber(text.substr(0, text.find(',')));
            if (first < 0 || first >= CStageObjectKindTable::kMaxKinds) std::abort();
        }
    } else {
        if (!WriteEncodedFile("data\\mapchip_info.dat", text)) return 0;
        ChipPallet pallet;
        if (Loads("IFE0200", "IFE0201", [&] { pallet.LoadItemTexts(); })) {
            pallet.GetItemName("Ground001");
            pallet.GetItemDescription(text.substr(0, text.find(',')));
        }
    }
    return 0;
}
