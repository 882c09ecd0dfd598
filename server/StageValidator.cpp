#include "server/StageValidator.h"

#include <memory>
#include <mutex>

#include "foundation/QuorException.h"
#include "foundation/TextEncoding.h"
#include "server/CommonKey.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageSprite.h"

namespace qvserver {
namespace {

std::once_flag g_prepared;
// The kind table lives while any object table does: one kept table spares every check a read
// of the table's file. It stays for the whole run (never destroyed, so the order in which the
// program's statics go at exit does not matter).
CStageAreaObjectTable* g_keptTable = nullptr;

void Prepare() {
    // A failed read is tried again by the next call.
    std::call_once(g_prepared,
                   [] { g_keptTable = std::make_unique<CStageAreaObjectTable>(nullptr).release(); });
}

bool IsBlank(const std::string& s) { return s.find_first_not_of(" \t\r\n\xe3\x80\x80") == std::string::npos; }

}  // namespace

void PrepareStageReader() { Prepare(); }

StageCheck CheckStage(const std::string& cp932Text) {
    StageCheck out;
    if (cp932Text.empty() || cp932Text.find('\0') != std::string::npos) {
        out.failure = "S001";
        return out;
    }
    const std::string text = Cp932ToUtf8(cp932Text);
    std::string token = ToHex(std::string(16, '\0'));
    if (auto key = NewCommonKey()) token = "qv" + *key;
    CheckedStage checked;
    {
        // Checks run on many threads at once, beside the game's own reading when the server runs
        // inside the game: the reader shares nothing but its read-only kind table.
        stagesprite::ScopedNoSprites noSprites;
        std::unique_ptr<CStage> stage;
        try {
            Prepare();
            stage = CStage::ReadXml(nullptr, text, 0);
        } catch (const std::exception&) {}
        if (!stage) {
            out.failure = "S001";
            return out;
        }
        if (IsBlank(stage->name)) {
            out.failure = "S002";
            return out;
        }
        checked.name = stage->name;
        checked.author = stage->originalAuthor;
        stage->id = token;
        checked.fileText = Utf8ToCp932(stage->WriteFileText());
    }
    checked.idToken = "<id>" + token + "</id>";
    if (checked.fileText.find(checked.idToken) == std::string::npos) {
        out.failure = "S001";
        return out;
    }
    out.stage = std::move(checked);
    return out;
}

std::string PlaceStageId(const CheckedStage& stage, long long id) {
    std::string text = stage.fileText;
    const size_t at = text.find(stage.idToken);
    if (at != std::string::npos)
        text.replace(at, stage.idToken.size(), "<id>" + std::to_string(id) + "</id>");
    return text;
}

}  // namespace qvserver
