// The game's data tables on arbitrary text: the relation table, the attack parameters, the shop
// items and the scenario save data either load or raise their coded error, never anything else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "flow/ScenarioSaveData.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "online/ShopItemTable.h"
#include "play/AttackParameter.h"
#include "play/ObjectRelationTable.h"
#include "tests/common/temp_folder.h"

namespace {

void Prepare() {
    // A folder of this run's own, removed at exit.
    static testsupport::TempGameFolder folder("quor-fuzz-tables");
    static const bool ready = (folder.MakeDir("data"), true);
    (void)ready;
}

template <typename F>
void Expect(const char* codeA, const char* codeB, F load) {
    try {
        load();
    } catch (const CQuorException& e) {
        if (e.GetCode() != codeA && e.GetCode() != codeB) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Prepare();
    if (size < 1) return 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
        case 0:
            if (!WriteEncodedFile("data\\obje_relation.dat", text)) return 0;
            Expect("IFE0300", "IFE0301", [] { CObjectRelationTable::Load(); });
            for (int x = 30; x < 32; ++x)
                for (int y = 0; y < 32; ++y)
                    if (CObjectRelationTable::Get(x, y) != 0 || CObjectRelationTable::Get(y, x) != 0)
                        std::abort();
            break;
        case 1:
            if (!WriteEncodedFile("data\\attack_parameters.dat", text)) return 0;
            Expect("IFE0400", "IFE0401", [] { CAttackParameterTable::GetInstance(); });
            if (CAttackParameterTable::GetCount() > 255) std::abort();
            CAttackParameterTable::DeleteInstance();
            break;
        case 2:
            if (!WriteEncodedFile("data\\shop_info.dat", text)) return 0;
            Expect("IFE0600", "IFE0601", [] { CShopItemTable::Load(); });
            if (CShopItemTable::GetCount() > CShopItemTable::kLines) std::abort();
            break;
        default:
            if (!WriteEncodedFile("data\\scenario_save_init.dat", text)) return 0;
            Expect("DEF0300", "DEF0301", [] {
                CScenarioSaveData::DeleteInstance();
                CScenarioSaveData::GetInstance();
            });
            CScenarioSaveData::GetInstance()->GetPanelsString();
            break;
    }
    return 0;
}
