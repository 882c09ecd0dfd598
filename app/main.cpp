// Quorvald for Linux: the game executable.
//
//   quorvald                       a window (SDL); without a display it says so and runs headless
//   quorvald --headless [--frames N] [--screenshot-every K --out DIR] [--key FRAME:NAME]...
//            [--mouse FRAME:X,Y]... [--click FRAME:X,Y]... [--close FRAME] [--keys-file FILE]
//   quorvald --help | --version    print and exit 0; an unknown option prints the usage, exit 2
//   --server URL    the stage-sharing server ("http://host:port"); QUORVALD_SERVER sets it too.
//                   Without either the game runs its own server on 127.0.0.1.
//
// --keys-file plays a key script (engine/KeyScript.h): key changes by frame as the stage player
// records them, in sections that count from the run's first frame, from the first frame of play
// of the next stage, or from the frame in which that play ended.
//
// Headless runs take 1/60 s per frame, and a frame waits for a running request to the sharing
// server to end. Without scripted input a headless run moves the mouse onto the screen and
// presses Z once the title waits, so it passes loading and title.
//
// Without an audio device the game starts silent and plays on.
// Exit status: 0 after a clean end (the player quits, the frame count is reached, or another
// copy already runs), 1 when the game ends on an error (a coded error, an engine error, no
// display without --headless), 2 for bad arguments.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/GameShell.h"
#include "engine/GameState.h"
#include "engine/KeyScript.h"
#include "engine/Scene.h"
#include "engine/el/elSystem.h"
#include "flow/GameSetup.h"
#include "foundation/EncodedFile.h"
#include "foundation/VersionNumber.h"
#include "online/NetWorkAccessor.h"
#include "online/QVNet.h"
#include "platform/backend.h"
#include "platform/headless.h"
#include "play/StageScene.h"

namespace {

struct ScriptStep {
    enum Kind { KeyDown, KeyUp, MouseMove, ButtonDown, ButtonUp, CloseWindow } kind;
    int key = 0, x = 0, y = 0;
};

const std::map<std::string, int> kKeyNames = {
    {"Z", plat::kKeyZ},         {"X", plat::kKeyX},          {"SPACE", plat::kKeySpace},
    {"UP", plat::kKeyUp},       {"DOWN", plat::kKeyDown},    {"LEFT", plat::kKeyLeft},
    {"RIGHT", plat::kKeyRight}, {"ENTER", plat::kKeyReturn}, {"ESC", plat::kKeyEscape},
    {"F1", plat::kKeyF1},       {"F2", plat::kKeyF2},        {"F3", plat::kKeyF3},
    {"F4", plat::kKeyF4},       {"F5", plat::kKeyF5},        {"F12", plat::kKeyF12},
};

void Usage(std::FILE* to) {
    std::string keys;
    for (const auto& [name, code] : kKeyNames) keys += (keys.empty() ? "" : " ") + name;
    std::fprintf(to,
                 "usage: quorvald [--headless] [--frames N] [--screenshot-every K] [--out DIR]\n"
                 "                [--key FRAME:NAME] [--mouse FRAME:X,Y] [--click FRAME:X,Y]\n"
                 "                [--server URL]\n"
                 "                [--close FRAME] [--keys-file FILE]\n"
                 "       quorvald --help | --version\n"
                 "\n"
                 "Plays Quorvald in a 640x480 window; without a display it runs headless.\n"
                 "  --headless            no window and no sound, 1/60 s per frame\n"
                 "  --frames N            stop after N frames\n"
                 "  --screenshot-every K  a PNG screenshot every K frames, into --out DIR\n"
                 "  --key FRAME:NAME      press a key at a frame (%s)\n"
                 "  --mouse FRAME:X,Y     move the mouse at a frame\n"
                 "  --click FRAME:X,Y     click the left button at a frame\n"
                 "  --server URL          the stage-sharing server (also QUORVALD_SERVER); without\n"
                 "                        one the game runs its own on 127.0.0.1\n"
                 "  --close FRAME         close the window at a frame, as its close box does\n"
                 "  --keys-file FILE      play a key script: changes by frame, as quor-playstage\n"
                 "                        records them, counted from the start, from the first\n"
                 "                        frame of the next play (@play) or its end (@after-play);\n"
                 "                        \"FRAME close\" closes the window\n"
                 "  --help, -h            print this and exit\n"
                 "  --version             print the version and exit\n"
                 "\n"
                 "The game reads its files from its own folder, or from ../share/quorvald beside an\n"
                 "installed bin folder. When that folder is read-only it writes under\n"
                 "$XDG_DATA_HOME/quorvald (~/.local/share/quorvald).\n"
                 "Exit status: 0 after a clean end, 1 on an error, 2 for bad arguments.\n",
                 keys.c_str());
}

bool ParseFramePart(const char* text, int& frame, std::string& rest) {
    const char* colon = std::strchr(text, ':');
    if (!colon) return false;
    char* end = nullptr;
    frame = static_cast<int>(std::strtol(text, &end, 10));
    if (end != colon || frame < 0) return false;
    rest = colon + 1;
    return true;
}

bool ParsePoint(const std::string& text, int& x, int& y) {
    return std::sscanf(text.c_str(), "%d,%d", &x, &y) == 2;
}

// Whether a stage is being played: the top-most scene is a play scene that has not closed.
bool IsPlaying() {
    const CSceneDirector* director = GetSceneDirector();
    IScene* top = director ? director->GetRoot()->GetTopScene() : nullptr;
    return top && !top->IsClosed() && dynamic_cast<CStageScene*>(top) != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    ShellOptions options;
    options.headless = plat::HeadlessRequested(argc, argv);
    std::multimap<int, ScriptStep> script;
    bool scripted = false;
    std::unique_ptr<CKeyScriptPlayer> keyScript;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "quorvald: %s needs a value\n", name);
                std::exit(2);
            }
            return argv[++i];
        };
        int frame = 0, x = 0, y = 0;
        std::string rest;
        if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--frames") {
            options.frames = std::atoi(value("--frames"));
        } else if (arg == "--screenshot-every") {
            options.screenshotEvery = std::atoi(value("--screenshot-every"));
        } else if (arg == "--out") {
            options.screenshotDir = value("--out");
        } else if (arg == "--key") {
            const char* v = value("--key");
            if (!ParseFramePart(v, frame, rest) || !kKeyNames.count(rest)) {
                std::fprintf(stderr, "quorvald: bad --key %s\n", v);
                return 2;
            }
            script.insert({frame, {ScriptStep::KeyDown, kKeyNames.at(rest)}});
            script.insert({frame + 2, {ScriptStep::KeyUp, kKeyNames.at(rest)}});
            scripted = true;
        } else if (arg == "--mouse" || arg == "--click") {
            const char* v = value(arg.c_str());
            if (!ParseFramePart(v, frame, rest) || !ParsePoint(rest, x, y)) {
                std::fprintf(stderr, "quorvald: bad %s %s\n", arg.c_str(), v);
                return 2;
            }
            script.insert({frame, {ScriptStep::MouseMove, 0, x, y}});
            if (arg == "--click") {
                script.insert({frame + 1, {ScriptStep::ButtonDown, 0, x, y}});
                script.insert({frame + 3, {ScriptStep::ButtonUp, 0, x, y}});
            }
            scripted = true;
        } else if (arg == "--keys-file") {
            const char* path = value("--keys-file");
            std::string text, error;
            std::vector<KeyScriptSection> sections;
            if (!ReadWholeFile(path, text) || !ParseKeyScript(text, sections, error)) {
                std::fprintf(stderr, "quorvald: bad --keys-file %s %s\n", path, error.c_str());
                return 2;
            }
            keyScript = std::make_unique<CKeyScriptPlayer>(std::move(sections));
            scripted = true;
        } else if (arg == "--server") {
            QVNet::SetServerAddress(value("--server"));
        } else if (arg == "--close") {
            const int at = std::atoi(value("--close"));
            if (at < 0) {
                std::fprintf(stderr, "quorvald: bad --close %d\n", at);
                return 2;
            }
            script.insert({at, {ScriptStep::CloseWindow}});
            scripted = true;
        } else if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("%s %s\n", game::kProductName, CVersionNumber::Application().ToString().c_str());
            return 0;
        } else {
            std::fprintf(stderr, "quorvald: unknown argument %s\n", arg.c_str());
            Usage(stderr);
            return 2;
        }
    }

    elSystem::Reset();
    if (!elSystem::CheckSingleInstance(game::kProductName)) return 0;

    // Scripted input applies whenever the game runs headless (asked for, or without a display).
    {
        if (options.headless) options.fixedFrameTime = 1.0f / 60.0f;
        if (!scripted) {
            // Past loading and the title: the mouse on the screen, Z when the title waits.
            script.insert({1, {ScriptStep::MouseMove, 0, 400, 300}});
            script.insert({300, {ScriptStep::KeyDown, plat::kKeyZ}});
            script.insert({302, {ScriptStep::KeyUp, plat::kKeyZ}});
        }
        options.beforeFrame = [&script, &keyScript, scriptDown = std::set<int>()](int frame) mutable {
            plat::HeadlessBackend* hb = plat::CurrentHeadless();
            if (!hb) return;
            // A request to the sharing server ends before the next frame, so scripted input meets
            // the same screens at the same frames however long the server takes.
            if (CNetWorkAccessor::HasInstance())
                CNetWorkAccessor::GetInstance()->WaitForRequest(std::chrono::seconds(60));
            if (keyScript) {
                const std::set<int> want = keyScript->KeysFor(frame);
                for (int code : scriptDown)
                    if (!want.count(code)) hb->KeyUp(static_cast<uint16_t>(code));
                for (int code : want)
                    if (!scriptDown.count(code)) hb->KeyDown(static_cast<uint16_t>(code));
                scriptDown = want;
                if (keyScript->ClosesAt(frame)) hb->RequestClose();
            }
            auto range = script.equal_range(frame);
            for (auto it = range.first; it != range.second; ++it) {
                const ScriptStep& s = it->second;
                switch (s.kind) {
                    case ScriptStep::KeyDown:
                        hb->KeyDown(static_cast<uint16_t>(s.key));
                        break;
                    case ScriptStep::KeyUp:
                        hb->KeyUp(static_cast<uint16_t>(s.key));
                        break;
                    case ScriptStep::MouseMove:
                        hb->MouseMoveTo(s.x, s.y);
                        break;
                    case ScriptStep::ButtonDown:
                        hb->MouseButton(0, true);
                        break;
                    case ScriptStep::ButtonUp:
                        hb->MouseButton(0, false);
                        break;
                    case ScriptStep::CloseWindow:
                        hb->RequestClose();
                        break;
                }
            }
        };
    }

    if (keyScript)
        options.afterFrame = [&keyScript](int frame) { keyScript->AfterFrame(frame, IsPlaying()); };

    InstallGameHooks();
    const int code = RunGame(options);
    plat::StopBackend();
    return code;
}
