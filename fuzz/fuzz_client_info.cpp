// The client info on arbitrary documents: it loads or raises its coded error, and the bought items
// it lists answer, grow and save without ever breaking the document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "tests/common/temp_folder.h"

namespace {

testsupport::TempGameFolder& Folder() {
    // A folder of this run's own, removed at exit.
    static testsupport::TempGameFolder folder("quor-fuzz-client");
    static const bool made = (folder.MakeDir("network"), true);
    (void)made;
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testsupport::TempGameFolder& folder = Folder();
    // The first byte chooses the form: a document wrapped around the bytes as the bought items,
    // the bytes as the whole document, or the bytes as they stand on disk.
    const std::string bytes = size > 0 ? std::string(reinterpret_cast<const char*>(data + 1), size - 1) : "";
    const int form = size > 0 ? data[0] % 3 : 2;
    if (form == 0)
        folder.WriteEncoded("network/client_info.dat",
                            "<clientInfo><boughtItems>" + bytes + "</boughtItems></clientInfo>");
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
        info->GetKeyConfigMode();
        info->GetCreatorName();
        info->GetRatingPointSum();
        if (info->HasDocument()) {
            info->AddBoughtItem("Opening");
            if (!info->IsItemBought("Opening")) std::abort();
            // What was saved reads back, the new item among the rest.
            CClientInfo::DeleteInstance();
            if (!CClientInfo::GetInstance()->IsItemBought("Opening")) std::abort();
        }
    } catch (const CQuorException& e) {
        // The client info's own codes (reading, writing) and malformed XML, nothing else.
        const std::string code = e.GetCode();
        if (code.rfind("DEF02", 0) != 0 && code != "OTE0001") std::abort();
    }
    CClientInfo::DeleteInstance();
    return 0;
}
