// The scenario progress on arbitrary files: it loads or raises its coded error, and what a loaded
// save is given (the hero's cell, lives, keys, panels, the opening flag) saves and reads back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "flow/ScenarioSaveData.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "tests/common/temp_folder.h"

namespace {

testsupport::TempGameFolder& Folder() {
    // A folder of this run's own, removed at exit.
    static testsupport::TempGameFolder folder("quor-fuzz-scenario");
    return folder;
}

struct Values {
    int x, y, lives, keys;
    std::string panels;
    bool shownOpening;
    bool operator==(const Values&) const = default;
};

Values Read(const CScenarioSaveData& save) {
    return Values{
        save.GetX(),           save.GetY(), save.GetKisuu(), save.GetKeyNum(), save.GetPanelsString(),
        save.GetShownOpening()};
}

}  // namespace

// The clock stands still for the whole run, so what a run tries does not depend on when it runs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    testsupport::StopTheClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testsupport::TempGameFolder& folder = Folder();
    std::filesystem::remove_all(folder.Full("data"));
    folder.MakeDir("data");
    // The first byte chooses the form: the bytes inside a savedata element, the bytes as the whole
    // text, or the bytes as they stand on disk.
    const std::string bytes = size > 0 ? std::string(reinterpret_cast<const char*>(data + 1), size - 1) : "";
    const int form = size > 0 ? data[0] % 3 : 2;
    if (form == 0)
        folder.WriteEncoded("data/scenario_save.dat", "<savedata>" + bytes + "</savedata>");
    else if (form == 1)
        folder.WriteEncoded("data/scenario_save.dat", bytes);
    else
        folder.WriteRaw("data/scenario_save.dat", bytes);
    CScenarioSaveData::DeleteInstance();
    try {
        CScenarioSaveData* save = CScenarioSaveData::GetInstance();
        if (save->HasTree()) {
            // Load, change, save, load again: every value as it was left.
            save->SetPosition(3, 4);
            save->SetKisuu(5);
            save->SetKeyNum(2);
            save->SetPanelsString("1:2::");
            save->SetShownOpening(true);
            save->SetCleared(true);
            const Values before = Read(*save);
            save->Save();
            save->Load();
            if (!save->HasTree() || !(Read(*save) == before)) std::abort();
        }
    } catch (const CQuorException& e) {
        // The save's own codes (reading, damaged, writing), nothing else.
        const std::string code = e.GetCode();
        if (code != "DEF0300" && code != "DEF0301" && code != "DEF0302") std::abort();
    }
    CScenarioSaveData::DeleteInstance();
    return 0;
}
