// The client info on arbitrary documents: it loads or raises its coded error, and what a loaded
// document is given (a purchase, settings) saves and reads back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "tests/common/temp_folder.h"

namespace {

testsupport::TempGameFolder& Folder() {
    // A folder of this run's own, removed at exit.
    static testsupport::TempGameFolder folder("quor-fuzz-client");
    return folder;
}

// Every value a player can change, as the client info answers it.
struct Values {
    std::string creatorId, creatorName, commonKey, lastBootUpDate;
    int ratingPointSum, creatorPoint, accessFailCount, keyConfigMode, musicVolume, soundEffectVolume;
    bool sendingPermission;
    std::vector<std::string> items;
    bool operator==(const Values&) const = default;
};

Values Read(CClientInfo& info) {
    // Empty pieces of the list are no items (a save drops them).
    std::vector<std::string> items;
    for (const std::string& item : info.GetBoughtItems())
        if (!item.empty()) items.push_back(item);
    return Values{info.GetCreatorId(),         info.GetCreatorName(),       info.GetCommonKey(),
                  info.GetLastBootUpDate(),    info.GetRatingPointSum(),    info.GetCreatorPoint(),
                  info.GetAccessFailCount(),   info.GetKeyConfigMode(),     info.GetMusicVolume(),
                  info.GetSoundEffectVolume(), info.GetSendingPermission(), items};
}

// The shipped defaults with `items` as the bought items.
std::string Document(const std::string& items) {
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><clientInfo><network><createrId></createrId>"
           "<createrName></createrName><commonKey></commonKey><ratingPointSum>0</ratingPointSum>"
           "<createrPoint>50</createrPoint><accessFailCount>0</accessFailCount></network><config>"
           "<sendingPermission>false</sendingPermission><keyConfigMode>0</keyConfigMode>"
           "<musicVolume>80</musicVolume><soundEffectVolume>80</soundEffectVolume></config>"
           "<lastBootUpDate></lastBootUpDate><boughtItems>" +
           items + "</boughtItems></clientInfo>";
}

}  // namespace

// The clock stands still for the whole run, so what a run tries does not depend on when it runs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    testsupport::StopTheClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testsupport::TempGameFolder& folder = Folder();
    // Each input starts from a folder of its own: no backup or set-aside file of an earlier one.
    std::filesystem::remove_all(folder.Full("network"));
    folder.MakeDir("network");
    // The shipped defaults, which take a damaged file's place.
    folder.WriteEncoded("network/client_info_init.dat", Document(""));
    // The first byte chooses the form: a whole document around the bytes as the bought items,
    // the bytes as the whole document, or the bytes as they stand on disk.
    const std::string bytes = size > 0 ? std::string(reinterpret_cast<const char*>(data + 1), size - 1) : "";
    const int form = size > 0 ? data[0] % 3 : 2;
    if (form == 0)
        folder.WriteEncoded("network/client_info.dat", Document(bytes));
    else if (form == 1)
        folder.WriteEncoded("network/client_info.dat", bytes);
    else
        folder.WriteRaw("network/client_info.dat", bytes);
    CClientInfo::DeleteInstance();
    try {
        CClientInfo* info = CClientInfo::GetInstance();
        const auto items = info->GetBoughtItems();
        for (const std::string& item : items)
            if (!info->IsItemBought(item)) std::abort();
        if (info->HasDocument()) {
            // Load, change, save, load again: every value as it was left.
            info->SetCreatorPoint(50);
            info->BuyItem("Opening", 10);
            info->SetMusicVolume(33);
            info->SetKeyConfigMode(1);
            info->SetLastBootUpDate("20101121");
            if (!info->IsItemBought("Opening") || info->GetCreatorPoint() != 40) std::abort();
            const Values before = Read(*info);
            CClientInfo::DeleteInstance();
            info = CClientInfo::GetInstance();
            if (info->TakeLoadNotice() || !(Read(*info) == before)) std::abort();
        }
    } catch (const CQuorException& e) {
        // The client info's own codes (reading, writing) and malformed XML, nothing else.
        const std::string code = e.GetCode();
        if (code.rfind("DEF02", 0) != 0 && code != "OTE0001") std::abort();
    }
    CClientInfo::DeleteInstance();
    return 0;
}
