// The play history on arbitrary file bytes: it loads, or is set aside under a new name and the
// history starts empty; it never stops the game, and what it holds after a play saves and loads
// back the same, record by record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/EncodedFile.h"
#include "foundation/PlayHistory.h"
#include "foundation/QuorException.h"
#include "tests/common/temp_folder.h"

namespace {

testsupport::TempGameFolder& Folder() {
    // A folder of this run's own, removed at exit.
    static testsupport::TempGameFolder folder("quor-fuzz-history");
    return folder;
}

// Every record as its line of the file.
std::string Text(const CPlayHistory& history) {
    std::string text;
    for (const auto& [key, record] : history.GetRecords()) text += record.ToText() + "\n";
    return text;
}

}  // namespace

// The clock stands still for the whole run, so what a run tries does not depend on when it runs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    testsupport::StopTheClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testsupport::TempGameFolder& folder = Folder();
    std::filesystem::remove_all(folder.Full("network"));
    folder.MakeDir("network");
    // The first byte chooses the form: bytes as they stand, or an encoded text of them.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    folder.WriteRaw("network/history.dat",
                    size > 0 && (data[0] & 1) ? EncodeFileText(bytes.substr(1)) : bytes);
    CPlayHistory::DeleteInstance();
    try {
        CPlayHistory* history = CPlayHistory::GetInstance();
        TakeRecoveredErrors();
        if (history->GetCount() > CPlayHistory::kMaxSentRecords) std::abort();
        history->CreateRecordArray();
        // Load, change, save, load again: every record as it was left.
        history->AddPlayRecord("12", 3, 100, 60);
        const std::string before = Text(*history);
        CPlayHistory::DeleteInstance();
        if (Text(*CPlayHistory::GetInstance()) != before) std::abort();
        if (!TakeRecoveredErrors().empty()) std::abort();  // what was saved loads cleanly
    } catch (const CQuorException&) {
        std::abort();  // a writable folder always lets a damaged history be set aside
    }
    CPlayHistory::DeleteInstance();
    return 0;
}
