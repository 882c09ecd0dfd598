// The image index (data\bmp_index.dat) on arbitrary text: the sprite manager starts or raises the
// index's coded error, and a started one answers for any key, known or not, with a sprite or its
// bad-key error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/SpriteManager.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "tests/common/headless_screen.h"
#include "tests/common/temp_folder.h"

namespace {

void Prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    // A folder of this run's own, removed at exit, with one small picture the index may name.
    static testsupport::TempGameFolder folder("quor-fuzz-index");
    folder.MakeDir("data");
    folder.MakeDir("system");
    testsupport::OpenHeadlessScreenOnce();
}

template <typename F>
bool Answers(F f, const char* codeA, const char* codeB, const char* codeC) {
    try {
        f();
        return true;
    } catch (const CQuorException& e) {
        const std::string code = e.GetCode();
        if (code != codeA && code != codeB && code != codeC) std::abort();
        return false;
    }
}

}  // namespace

// The clock stands still for the whole run, so what a run tries does not depend on when it runs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    testsupport::StopTheClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Prepare();
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!WriteEncodedFile("data\\bmp_index.dat", text)) return 0;
    CSpriteManager::DeleteInstance();
    if (!Answers([] { CSpriteManager::GetInstance(); }, "IFE0000", "IFE0001", "IFE0002")) return 0;
    CSpriteManager* sprites = CSpriteManager::GetInstance();
    // The first record's key, as the index names it, and one it surely does not hold. The picture
    // of the first is read only when it lies in the game folder (the index is the game's own file:
    // a path such as /dev/zero is not a case it has to survive).
    const std::string line = text.substr(0, text.find('\n'));
    const std::string first = line.substr(0, line.find(','));
    const std::string path = line.find(',') == std::string::npos ? "" : line.substr(line.find(',') + 1);
    const bool local = path.find("..") == std::string::npos && path.find_first_of("/\\") != 0;
    const size_t dot = first.find('.');
    const std::string group = dot == std::string::npos ? "Char" : first.substr(0, dot);
    const std::string key = dot == std::string::npos ? first : first.substr(dot + 1);
    std::vector<std::pair<std::string, std::string>> lookups = {{"Char", "NoSuchKey"}};
    if (local) lookups.emplace_back(group, key);
    for (const auto& lookup : lookups) {
        Answers(
            [&] {
                sprites->FindImage(lookup.first, lookup.second);
                sprites->CreateSprite(lookup.first, lookup.second, 2, 0, 0, 32, 32);
            },
            "IFE0002", "IFE0003", "IFE0002");
    }
    CSpriteManager::DeleteInstance();
    return 0;
}
