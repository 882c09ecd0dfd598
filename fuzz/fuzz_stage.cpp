// Stage file text -> stage: the reader must answer every input with a stage or a coded error,
// a stage it accepts must write out and read back the same, and (with the built game folder at hand)
// it plays a few frames in the play scene: damaged values must not reach undefined behaviour in
// play either.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/InputManager.h"
#include "engine/Scene.h"
#include "flow/GameSetup.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "play/AttackParameter.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/StageScene.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "tests/common/headless_screen.h"
#include "tests/common/temp_folder.h"

namespace {

const char* const kKinds[] = {"Kid001",
                              "Goal",
                              "Door001",
                              "Warp001",
                              "KeyDoor001",
                              "Battery001",
                              "AirGear001",
                              "IronBall001",
                              "HorizontalLift001",
                              "CustomLift001",
                              "WideLift002",
                              "WoodBlock002",
                              "StoneBlock004",
                              "Switch001",
                              "Switch004",
                              "ChangeMusicToLeft",
                              "ChangeWeatherToUp",
                              "ChangeZoomToDown",
                              "Key",
                              "Oto001"};

bool g_canPlay = false;  // the built game folder is copied in: stages are played too

void Prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    // A folder of this run's own, removed at exit.
    static testsupport::TempGameFolder folder("quor-fuzz-stage");
    g_canPlay = testsupport::BuiltGameIsComplete();
    if (g_canPlay) testsupport::CopyBuiltGame(folder.Path());
    folder.MakeDir("data");
    folder.MakeDir("network");
    if (!g_canPlay) {
        std::string table = ",,\n";
        for (const char* k : kKinds) table += std::string(k) + ",名前,説明\n";
        WriteEncodedFile("data\\stage_objects.dat", table);
    }
    WriteEncodedFile("network\\client_info.dat",
                     "<clientInfo><boughtItems>Opening,Key</boughtItems></clientInfo>");
    if (!g_canPlay) return;
    // The play world as the game starts it: the screen, the object kinds, the tables.
    testsupport::OpenHeadlessScreenOnce();
    InstallGameHooks();
    CAttackParameterTable::GetInstance();
    CObjectRegistry::GetInstance();
    CInputManager::GetInstance();
}

// A few frames of test play, drawn now and then; a coded error ends them.
void Play(std::unique_ptr<CStage> stage) {
    CBlankScene host;
    try {
        host.PushChild(std::make_unique<CStageScene>(&host, std::move(stage), 3, 0));
        for (int frame = 0; frame < 40; ++frame) {
            CInputManager::GetInstance()->Update();
            host.UpdateTop();
            if (frame % 10 == 0) host.DrawTop();
        }
    } catch (const CQuorException&) {
        // A coded error is the game's answer; what the sanitizers watch is how play got there.
    }
    CObjectRegistry::GetInstance()->Reset();
}

std::unique_ptr<CStage> Read(const std::string& text, int mode) {
    try {
        return CStage::ReadXml(nullptr, text, mode);
    } catch (const CQuorException& e) {
        const std::string code = e.GetCode();
        // Only stage-data errors (and the malformed-XML code they come from) may leave the reader.
        if (code.rfind("SDE", 0) != 0) std::abort();
        return nullptr;
    }
}

// Every record answers its editor and play questions without failing.
void Touch(CStage* stage) {
    stage->Validate(true);
    for (int i = 0; i < stage->GetAreaCount(); ++i) {
        CStageAreaObjectTable* table = stage->GetArea(i)->GetObjects();
        for (int id = 0; id < 256; ++id) {
            CStageAreaObject* o = table->GetById(id);
            if (!o) continue;
            o->GetInfoText();
            // Nothing registers them here: what a record makes goes at once.
            std::unique_ptr<IBase> made = CreateLiveObject(o->GetObjectSpec(id % 2 == 0), o->GetOwnerStage());
            std::unique_ptr<IBase> start = CreateLiveObject(o->GetStartObjectSpec(true), o->GetOwnerStage());
        }
        CStageMap* map = stage->GetArea(i)->GetMap();
        map->ResolveRectMove(40.5, 70.25, 20, 30, 10, 10);
        map->IsLineClear(0, 0, 600, 400);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Prepare();
    if (size == 0) return 0;
    // The first byte chooses the form: the stored (encoded) file text or the plain document.
    std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string text;
    if (data[0] & 1) {
        std::optional<std::string> decoded = DecodeFileText(input);
        if (!decoded) return 0;
        text = *decoded;
    } else {
        text = input;
    }
    const int mode = (data[0] >> 1) & 1;
    std::unique_ptr<CStage> stage = Read(text, mode);
    if (!stage) return 0;
    Touch(stage.get());
    // What the reader accepted writes out and reads back as it was: the text written from the
    // stage read back is the text first written.
    const std::string first = stage->WriteFileText();
    std::unique_ptr<CStage> second = Read(first, 0);
    if (!second) std::abort();
    const std::string again = second->WriteFileText();
    if (again != first) std::abort();
    std::unique_ptr<CStage> third = Read(again, 0);
    if (!third || third->WriteFileText() != again) std::abort();
    if (g_canPlay) Play(std::move(stage));
    return 0;
}
