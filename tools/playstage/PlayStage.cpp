#include "tools/playstage/PlayStage.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>

#include "engine/GameHooks.h"
#include "engine/GameShell.h"
#include "engine/InputManager.h"
#include "engine/Scene.h"
#include "engine/el/elSystem.h"
#include "flow/GameSetup.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/Random.h"
#include "platform/headless.h"
#include "platform/keycodes.h"
#include "play/Hero.h"
#include "play/ObjectRegistry.h"
#include "play/StageScene.h"
#include "stage/Stage.h"
#include "tools/playstage/Recording.h"

namespace {

// Until the loading scene has closed, the host's child; it steps aside at its first frame.
class CLoadGate : public IScene {
  public:
    explicit CLoadGate(IScene* parent) : IScene(parent) {}
    void Start() override {}
    void Update() override { Close(); }
    void Draw() override {}
    void DrawOverlay() override {}
};

// The root of the run: pushes the play scene once loading is over and keeps its outcome.
class CPlayStageHost : public IScene {
  public:
    CPlayStageHost(const PlayStageOptions& o, PlayStageOutcome& out)
        : IScene(nullptr), options(o), outcome(out) {}
    void Start() override {}
    void Draw() override {}
    void DrawOverlay() override {}
    std::string GetCaption() override { return "playstage"; }

    void Update() override {
        if (play || done) return;
        std::unique_ptr<CStage> stage;
        try {
            stage = CStage::LoadFromFile(nullptr, options.stagePath, 0);
        } catch (const CQuorException& e) {
            std::fprintf(stderr, "quor-playstage: %s: %s %s\n", options.stagePath.c_str(),
                         e.GetCode().c_str(), e.GetMessage().c_str());
            failed = true;
            done = true;
            return;
        }
        SeedRandom(static_cast<uint32_t>(options.seed));
        play = AdoptChild(std::make_unique<CStageScene>(this, std::move(stage), options.mode, options.lives));
        started = true;
    }

    void OnChildClosed(IScene* child) override {
        if (child != play) return;
        Capture();
        play = nullptr;
        done = true;
    }

    // The play scene's present outcome (nothing once it has gone).
    void Capture() {
        if (!play) return;
        outcome.result = play->GetResult();
        outcome.state = play->GetState();
        outcome.area = play->GetCurrentAreaIndex();
        outcome.lives = play->GetLives();
        outcome.keys = play->GetKeyCount();
        outcome.misses = play->GetMissCount();
        outcome.objects = CObjectRegistry::GetInstance()->Count();
        if (const CHero* hero = play->GetHeroObject()) {
            outcome.heroX = hero->centerX;
            outcome.heroY = hero->centerY;
            outcome.health = hero->GetWeapon().health;
        }
        const IBase* boss = play->GetLiveBoss();
        outcome.boss = boss != nullptr;
        if (boss) {
            outcome.bossX = boss->centerX;
            outcome.bossY = boss->centerY;
        }
    }

    const PlayStageOptions& options;
    PlayStageOutcome& outcome;
    CStageScene* play = nullptr;  // the child while it plays; owned by the chain
    bool started = false, done = false, failed = false;
};

// The scan codes of the seven game keys, in the input manager's order.
constexpr int kGameKeyCodes[kInputKeyCount] = {plat::kKeyUp, plat::kKeyDown, plat::kKeyLeft, plat::kKeyRight,
                                               plat::kKeyZ,  plat::kKeyX,    plat::kKeySpace};

// "FROM-TO:KEY" (a hold) or "FRAME:KEY" (a push: two frames, as a quick tap).
bool ParseHold(const std::string& text, bool range, PlayStageKeyHold& hold) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    hold.scanCode = KeyScriptCode(text.substr(colon + 1));
    if (hold.scanCode < 0) return false;
    const std::string frames = text.substr(0, colon);
    if (!range) {
        if (!ParsePlayStageFrame(frames, hold.from)) return false;
        hold.to = hold.from + 1;
        return true;
    }
    const size_t dash = frames.find('-');
    return dash != std::string::npos && ParsePlayStageFrame(frames.substr(0, dash), hold.from) &&
           ParsePlayStageFrame(frames.substr(dash + 1), hold.to) && hold.to >= hold.from;
}

// The scan codes down during the frame the game has just run, as its input saw them (keyboard
// and gamepad alike). F1 and F2 only report their push, so they count as down for that one frame.
std::set<int> KeysSeen() {
    std::set<int> down;
    const CInputManager* input = CInputManager::GetInstance();
    for (int k = 0; k < kInputKeyCount; ++k)
        if (input->IsPushed(k) || (input->IsHeld(k) && !input->IsReleased(k))) down.insert(kGameKeyCodes[k]);
    if (input->IsFunctionKeyPushed(1)) down.insert(plat::kKeyF1);
    if (input->IsFunctionKeyPushed(2)) down.insert(plat::kKeyF2);
    return down;
}

}  // namespace

bool ParsePlayStageInt(const std::string& text, int& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

bool ParsePlayStageFrame(const std::string& text, int& value) {
    int v = 0;
    if (!ParsePlayStageInt(text, v) || v < 0 || v > kMaxPlayStageFrame) return false;
    value = v;
    return true;
}

bool LoadPlayStageReplay(PlayStageOptions& o, std::string& error) {
    if (o.replayPath.empty()) return true;
    std::string text;
    if (!ReadWholeFile(o.replayPath, text)) {
        error = "cannot read " + o.replayPath;
        return false;
    }
    PlayRecording recording;
    if (!ParsePlayRecording(text, recording, error)) {
        error = o.replayPath + ": " + error;
        return false;
    }
    if (o.stagePath.empty()) o.stagePath = recording.stagePath;
    o.mode = recording.mode;
    o.lives = recording.lives;
    o.seed = recording.seed;
    o.headless = true;
    o.holds = KeyChangesToHolds(recording.changes);
    // A play that never closes stops a minute after the last change.
    if (o.frames < 0) o.frames = PlayRecordingLastFrame(recording) + 3600;
    return true;
}

bool ParsePlayStageArgs(int argc, const char* const* argv, PlayStageOptions& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            return true;
        }
        if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--mode") {
            ok = value(v) && ParsePlayStageInt(v, o.mode) && (o.mode == 0 || o.mode == 1 || o.mode == 3);
        } else if (arg == "--lives") {
            ok = value(v) && ParsePlayStageInt(v, o.lives) && o.lives >= 0;
        } else if (arg == "--frames") {
            ok = value(v) && ParsePlayStageFrame(v, o.frames);
        } else if (arg == "--seed") {
            ok = value(v) && ParsePlayStageInt(v, o.seed);
        } else if (arg == "--screenshot-every") {
            ok = value(v) && ParsePlayStageFrame(v, o.screenshotEvery) && o.screenshotEvery > 0;
        } else if (arg == "--out") {
            ok = value(o.outDir);
        } else if (arg == "--trace") {
            ok = value(v) && ParsePlayStageFrame(v, o.traceEvery) && o.traceEvery > 0;
        } else if (arg == "--record") {
            ok = value(o.recordPath);
        } else if (arg == "--replay") {
            ok = value(o.replayPath);
        } else if (arg == "--hold" || arg == "--key") {
            PlayStageKeyHold hold;
            ok = value(v) && ParseHold(v, arg == "--hold", hold);
            if (ok) o.holds.push_back(hold);
        } else if (!arg.empty() && arg[0] != '-' && o.stagePath.empty()) {
            o.stagePath = arg;
        } else {
            ok = false;
        }
        if (!ok) {
            error = "bad argument " + arg + (v.empty() ? "" : " " + v);
            return false;
        }
    }
    if (!o.recordPath.empty() && !o.replayPath.empty()) {
        error = "--record and --replay do not go together";
        return false;
    }
    if (o.stagePath.empty() && o.replayPath.empty()) {
        error = "no stage file given";
        return false;
    }
    return true;
}

int RunPlayStage(const PlayStageOptions& options, PlayStageOutcome& outcome) {
    PlayStageOptions o = options;
    PlayRecording recording;
    recording.stagePath = o.stagePath;
    recording.mode = o.mode;
    recording.lives = o.lives;
    recording.seed = o.seed;
    CKeyRecorder recorder;
    o.stagePath = std::filesystem::absolute(o.stagePath).string();
    elSystem::Reset();
    InstallGameHooks();
    CPlayStageHost* host = nullptr;
    SceneFactory factory = GetSceneFactory();
    const auto makeLoading = factory.makeLoading;
    factory.makeRoot = [&]() -> std::unique_ptr<IScene> {
        auto root = std::make_unique<CPlayStageHost>(o, outcome);
        host = root.get();
        return root;
    };
    factory.makeTitle = [](IScene* parent) -> std::unique_ptr<IScene> {
        return std::make_unique<CLoadGate>(parent);
    };
    factory.makeLoading = makeLoading;
    SetSceneFactory(factory);

    ShellOptions shell;
    shell.headless = o.headless;
    // A fixed step for every play that is or may be replayed: a recording holds frames, not times.
    if (o.headless || !o.recordPath.empty()) shell.fixedFrameTime = 1.0f / 60.0f;
    // Screenshots are numbered like the keys and the trace, from the first frame of play.
    if (o.screenshotEvery > 0 && !o.outDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(o.outDir, ec);
    }
    int startFrame = -1;
    bool shotsFailed = false;
    std::set<int> down;
    constexpr int kLoadLimit = 20000;  // frames of loading before the run gives up
    shell.beforeFrame = [&](int frame) {
        plat::HeadlessBackend* hb = plat::CurrentHeadless();
        if (!hb || !host || startFrame < 0) return;
        const int f = frame - startFrame;
        const std::set<int> want = KeysHeldAt(o.holds, f);
        for (int code : down)
            if (!want.count(code)) hb->KeyUp(static_cast<uint16_t>(code));
        for (int code : want)
            if (!down.count(code)) hb->KeyDown(static_cast<uint16_t>(code));
        down = want;
    };
    shell.afterFrame = [&](int frame) {
        if (!host) return;
        if (host->started && startFrame < 0) {
            startFrame = frame;
        } else if (startFrame >= 0 && !host->done && !o.recordPath.empty()) {
            recorder.NoteFrame(frame - 1 - startFrame, KeysSeen());
        }
        if (startFrame >= 0 && !host->done) {
            host->Capture();
            outcome.frames = frame - startFrame;
            if (o.traceEvery > 0 && outcome.frames % o.traceEvery == 0) {
                std::printf("%s\n", PlayStageOutcomeJson(outcome).c_str());
                std::fflush(stdout);  // a trace is read while the play runs, and after a crash
            }
            // A picture that cannot be written fails the run; the first failure ends the pictures.
            if (o.screenshotEvery > 0 && !o.outDir.empty() && outcome.frames % o.screenshotEvery == 0 &&
                !SaveHeadlessFrame(o.outDir, outcome.frames)) {
                shotsFailed = true;
                o.screenshotEvery = 0;
            }
        }
        const bool outOfFrames = startFrame >= 0 && o.frames >= 0 && outcome.frames >= o.frames;
        if ((host->done || outOfFrames || (startFrame < 0 && frame > kLoadLimit)) && !elSystem::HasEnded())
            elSystem::End();
    };
    const int code = RunGame(shell);
    // The host belonged to the scene stack, which the game's end has deleted: only what the
    // frames noted of it is read now.
    bool failed = startFrame < 0;
    plat::StopBackend();
    if (!o.recordPath.empty() && !failed) {
        recording.changes = recorder.Changes();
        if (!WriteFileAtomic(o.recordPath, FormatPlayRecording(recording))) {
            std::fprintf(stderr, "quor-playstage: cannot write %s\n", o.recordPath.c_str());
            failed = true;
        }
    }
    return code != 0 ? code : (failed || shotsFailed ? 1 : 0);
}

std::string PlayStageOutcomeJson(const PlayStageOutcome& r) {
    char line[512];
    std::snprintf(line, sizeof line,
                  "{\"result\":%d,\"state\":%d,\"frames\":%d,\"area\":%d,\"heroX\":%.1f,\"heroY\":%.1f,"
                  "\"health\":%d,\"lives\":%d,\"keys\":%d,\"misses\":%d,\"objects\":%d",
                  r.result, r.state, r.frames, r.area, r.heroX, r.heroY, r.health, r.lives, r.keys, r.misses,
                  r.objects);
    std::string json = line;
    if (r.boss) {
        std::snprintf(line, sizeof line, ",\"bossX\":%.1f,\"bossY\":%.1f", r.bossX, r.bossY);
        json += line;
    }
    return json + "}";
}
