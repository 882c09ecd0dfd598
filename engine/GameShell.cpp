#include "engine/GameShell.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <thread>

#include "engine/Camera.h"
#include "engine/GameHooks.h"
#include "engine/GameState.h"
#include "engine/InputManager.h"
#include "engine/Mouse.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/SceneLight.h"
#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "engine/el/el4D.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/ClientInfo.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Log.h"
#include "foundation/PlayHistory.h"
#include "foundation/QuorException.h"
#include "foundation/Random.h"
#include "foundation/TextEncoding.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless.h"

namespace {

std::unique_ptr<CSceneDirector> g_director;
int g_created = 0;      // singletons created by GameStart, in order
bool g_failed = false;  // the game is ending on an error (the exit status says so)

// Logs and shows a caught error the way every frame-level handler does; the game then ends
// on it.
void ReportError(const std::string& text) {
    g_failed = true;
    CLog::GetInstance()->Write(text);
    elSystem::MessageBox("%s", text.c_str());
}
void ReportError(const std::exception& e) { ReportError(FormatErrorReport(e)); }

void CallHook(UpperSingleton which, const std::function<void()> SingletonHooks::*member) {
    const SingletonHooks& hooks = GetSingletonHooks(which);
    if (hooks.*member) (hooks.*member)();
}

#define UPPER(which)                                                          \
    SingletonHooks {                                                          \
        [] { CallHook(UpperSingleton::which, &SingletonHooks::create); },     \
            [] { CallHook(UpperSingleton::which, &SingletonHooks::reset); },  \
            [] { CallHook(UpperSingleton::which, &SingletonHooks::release); } \
    }

// The sixteen singletons in the order of their creation. A step without `reset` is left alone
// by a game reset.
const SingletonHooks kSingletons[] = {
    OwnedSingletonHooks<CCreatorLevelTable, &CCreatorLevelTable::Reset>(),
    {[] { CClientInfo::GetInstance(); }, [] { CClientInfo::GetInstance()->Initialize(); },
     [] {
         CClientInfo::GetInstance()->Release();
         CClientInfo::DeleteInstance();
     }},
    UPPER(ScenarioSaveData),
    UPPER(ShopItemTable),
    OwnedSingletonHooks<CMusicPlayer>(),
    OwnedSingletonHooks<CSoundEffects, &CSoundEffects::Reset>(),
    OwnedSingletonHooks<CInputManager>(),
    OwnedSingletonHooks<CSpriteManager>(),
    OwnedSingletonHooks<CMouse, &CMouse::Reset>(),
    OwnedSingletonHooks<CCamera, &CCamera::Reset>(),
    UPPER(NetWorkAccessor),
    UPPER(ObjectRegistry),
    OwnedSingletonHooks<CSceneLight, &CSceneLight::Reset>(),
    UPPER(SpriteBatch),
    UPPER(AttackParameterTable),
    OwnedSingletonHooks<CPlayHistory, &CPlayHistory::Initialize>(),
};
#undef UPPER
constexpr int kSingletonCount = static_cast<int>(sizeof kSingletons / sizeof kSingletons[0]);
static_assert(kSingletonCount == 16);

}  // namespace

// ---------------------------------------------------------------------------------------------
// CSceneDirector

const std::vector<std::string>& CSceneDirector::ImageGroups() {
    static const std::vector<std::string> groups = {"System", "Map",    "BackGround", "Char",
                                                    "Object", "Effect", "Editer"};
    return groups;
}

CSceneDirector::CSceneDirector() {
    const SceneFactory& factory = GetSceneFactory();
    const std::vector<std::string> groups = ImageGroups();
    if (factory.makeRoot) root_ = factory.makeRoot();
    if (!root_) root_ = std::make_unique<CBlankScene>();
    root_->UpdateWindowTitle();
    if (factory.makeTitle) {
        std::unique_ptr<IScene> made = factory.makeTitle(root_.get());
        IScene* title = made.get();
        if (title && root_->PushChild(std::move(made)) && factory.makeLoading)
            title->PushChild(factory.makeLoading(groups, true, title));
    }
}

CSceneDirector::~CSceneDirector() = default;

void CSceneDirector::Update() {
    if (root_->IsClosed()) {
        game::SetExitFlag(true);
        return;
    }
    CCreatorLevelTable::GetInstance()->AdvanceTicks();
    CMusicPlayer::GetInstance()->Update();
    CInputManager::GetInstance()->Update();
    CMouse::GetInstance();
    CSceneLight::GetInstance()->Update();
    if (INetWorkHost* net = GetNetWorkHost()) net->Poll();
    if (!IsNetWorkBusy()) root_->UpdateTop();
}

void CSceneDirector::Draw() {
    if (root_->IsClosed()) return;
    elDraw::ClearScreen();
    if (el4D::IsInitialised()) {
        el4D::BeginScene();
        const uint32_t colour = root_->GetClearColor();
        el4D::SetClearColor((colour & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f,
                            ((colour >> 16) & 0xFF) / 255.0f);
        el4D::Clear();
        root_->DrawTop();
        el4D::EndScene();
    }
    root_->DrawTopOverlay();
    if (INetWorkHost* net = GetNetWorkHost()) net->Draw();
    CMouse::GetInstance()->DrawCursor();
    elDraw::Present();
}

CSceneDirector* GetSceneDirector() { return g_director.get(); }

int GetCreatedSingletonCount() { return g_created; }

// ---------------------------------------------------------------------------------------------
// Life cycle

void GameStart() {
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    game::SetExitFlag(false);
    g_director.reset();
    g_created = 0;
    CLog::GetInstance()->Write("========== GameStart ==========");
    try {
        // The game runs on Japanese text: without the CP932 conversion it cannot start.
        if (!Cp932ConversionWorks())
            throw COtherException("OTE0002", "Sorry, this software is Japanese only.");
        // Every shipped table is read before the first file is written.
        if (const std::function<void()>& check = GetShippedTableCheck()) check();
        // A save killed half-way leaves its temporary file behind; the state is read next.
        RemoveLeftoverTempFiles();
        for (int i = 0; i < kSingletonCount; ++i) {
            kSingletons[i].create();
            g_created = i + 1;
        }
        g_director = std::make_unique<CSceneDirector>();
    } catch (const CQuorException& e) {
        ReportError(e);
        game::SetExitFlag(true);
        elSystem::End();
    }
}

void GameFrame() {
    if (!g_director) {
        elSystem::End();
        return;
    }
    try {
        try {
            if (!game::GetExitFlag()) {
                if (GetFrameTime() < game::kLongFrame)
                    g_director->Update();
                else
                    CInputManager::GetInstance()->Update();
            }
            if (!game::GetExitFlag()) g_director->Draw();
        } catch (const std::exception& e) {
            ReportError(e);
            game::SetExitFlag(true);
        }
        if (elSystem::GetErrorFlag()) g_failed = true;
        if (game::GetExitFlag() || elSystem::GetErrorFlag()) {
            CLog::GetInstance()->Write("!!!  Error  !!!");
            elSystem::End();
        }
    } catch (...) {
        g_failed = true;
        game::SetExitFlag(true);
    }
}

void GameReset() {
    if (IsNetWorkBusy()) return;
    try {
        if (g_director) {
            g_director->GetRoot()->RestoreCameraState();
            g_director.reset();
        }
        CLog::GetInstance()->Write("========== GameReset ==========");
        if (g_created < kSingletonCount) {
            // A start that failed half way leaves nothing to reset.
            g_failed = true;
            game::SetExitFlag(true);
            elSystem::End();
            return;
        }
        CSpriteManager::GetInstance()->Reset();
        CMusicPlayer::GetInstance()->Reset();
        g_director = std::make_unique<CSceneDirector>();
        for (int i = 0; i < kSingletonCount; ++i)
            if (kSingletons[i].reset) kSingletons[i].reset();
        CInputManager::GetInstance();
    } catch (const CQuorException& e) {
        ReportError(e);
        game::SetExitFlag(true);
        elSystem::End();
    }
}

void GameEnd() {
    try {
        g_director.reset();
        // Deleted in the order of their creation; after a failing one the rest stay.
        const int created = g_created;
        g_created = 0;
        for (int i = 0; i < created; ++i) kSingletons[i].release();
    } catch (const CQuorException& e) {
        ReportError(e);
    }
    CLog::GetInstance()->Write("==========  GameEnd  ==========");
}

// ---------------------------------------------------------------------------------------------
// The main loop

namespace {

// What the window procedure does with one window message. False when the loop is to end.
bool HandleWindowEvent(const plat::WindowEvent& ev) {
    switch (ev.kind) {
        case plat::WindowEventKind::Close:
            // The close box, or the close that the engine's shutdown asked for.
            if (!elSystem::HasEnded()) elSystem::End();
            GameEnd();
            return false;
        case plat::WindowEventKind::Activate:
            elSystem::Activate(true);
            elSystem::ResetFrameClock();
            SetFrameTime(0.0f);
            elSystem::NoteMouseMove(1);
            break;
        case plat::WindowEventKind::Deactivate:
            elSystem::Activate(false);
            break;
        case plat::WindowEventKind::KeyDown:
            if (ev.key == plat::kKeyF12 && !IsNetWorkBusy()) GameReset();
            break;
        default:
            break;
    }
    return true;
}

}  // namespace

bool SaveHeadlessFrame(const std::string& dir, int number) {
    plat::HeadlessBackend* hb = plat::CurrentHeadless();
    if (!hb) return false;
    char name[64];
    std::snprintf(name, sizeof name, "/frame_%05d.png", number);
    std::string error;
    if (hb->WriteFramePng(dir + name, &error)) return true;
    std::fprintf(stderr, "quorvald: cannot write %s%s: %s\n", dir.c_str(), name, error.c_str());
    return false;
}

int RunGame(const ShellOptions& requested) {
    g_failed = false;
    // A fresh engine, also after an earlier run in the same process has shut it down.
    elSystem::Reset();
    if (!elSystem::OpenWindow(game::kProductName, 640, 480, requested.headless)) return 1;
    ShellOptions options = requested;
    if (plat::Backend* backend = plat::CurrentBackend(); backend && backend->IsHeadless()) {
        options.headless = true;
        // A window was asked for and none could be opened: whatever the run shows, it failed.
        if (!requested.headless) g_failed = true;
        if (options.fixedFrameTime <= 0) options.fixedFrameTime = 1.0f / 60.0f;
        if (!requested.headless) {
            // A window was asked for but no display opened: a short headless run that leaves
            // pictures of what it showed.
            if (options.frames < 0) options.frames = 600;
            if (options.screenshotEvery <= 0) options.screenshotEvery = 60;
            if (options.screenshotDir.empty()) options.screenshotDir = GetWritePath("screenshots");
            std::fprintf(stderr, "quorvald: no display; playing %d frames headless, screenshots in %s\n",
                         options.frames, options.screenshotDir.c_str());
        }
    }
    if (options.screenshotEvery > 0 && !options.screenshotDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.screenshotDir, ec);
    }
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    elSystem::SetIme(false);

    elDraw::Screen(640, 480, 1);
    GameStart();

    elSystem::ResetFrameClock();
    elSystem::NoteMouseMove(0);
    SetFrameTime(0.0f);

    std::vector<plat::WindowEvent> events;
    int frame = 0;
    bool running = true;
    bool closeAsked = false;
    while (running) {
        events.clear();
        elSystem::PumpMessages(events);
        for (const auto& ev : events) {
            if (!HandleWindowEvent(ev)) {
                running = false;
                break;
            }
        }
        if (!running) break;
        if (elSystem::HasEnded()) {
            // The engine has shut down; its close request arrives with the next messages.
            if (closeAsked) {
                GameEnd();
                break;
            }
            closeAsked = true;
            continue;
        }
        if (!elSystem::IsActive()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }

        if (options.beforeFrame) options.beforeFrame(frame);
        const uint32_t now = elSystem::Now();
        if (options.fixedFrameTime > 0) {
            elSystem::SetFrameTime(options.fixedFrameTime);
        } else {
            elSystem::AdvanceFrameClock();
        }
        SetFrameTime(elSystem::GetFrameTime());
        elSystem::PollInput();
        GameFrame();
        elSystem::UpdateBlink(now);
        elSystem::EndTurn();
        elSystem::UpdateSystemCursor();
        ++frame;

        // A picture that cannot be written fails the run; the first failure ends the pictures.
        if (options.headless && options.screenshotEvery > 0 && frame % options.screenshotEvery == 0 &&
            !options.screenshotDir.empty() && !SaveHeadlessFrame(options.screenshotDir, frame)) {
            g_failed = true;
            options.screenshotEvery = 0;
        }
        if (options.afterFrame) options.afterFrame(frame);
        if (options.frames >= 0 && frame >= options.frames && !elSystem::HasEnded()) elSystem::End();
        // A window whose presents do not wait for the display: sleep to the next 1/60 s.
        // Headless runs take their fixed step at full speed.
        if (plat::Backend* backend = plat::CurrentBackend(); backend && !options.headless) {
            if (const uint32_t wait = backend->FrameWaitMs())
                std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        }
    }
    return g_failed || elSystem::GetErrorFlag() ? 1 : 0;
}
