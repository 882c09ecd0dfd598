#pragma once
// The program's spine: the scene director that owns the scene chain and runs each frame's
// update and draw, the life-cycle functions GameStart, GameFrame, GameReset and GameEnd, and
// the main loop over the engine's window.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IScene;

class CSceneDirector {
  public:
    // Builds the chain: the root (top menu), the title pushed on it, the loading scene on top.
    CSceneDirector();
    ~CSceneDirector();  // the whole chain goes with the root
    CSceneDirector(const CSceneDirector&) = delete;
    CSceneDirector& operator=(const CSceneDirector&) = delete;

    // Frame time below 0.3 s only.
    void Update();
    void Draw();

    IScene* GetRoot() const { return root_.get(); }
    // The image groups handed to the loading scene.
    static const std::vector<std::string>& ImageGroups();

  private:
    std::unique_ptr<IScene> root_;
};

// The one scene director, null before GameStart has built it and while GameReset rebuilds it.
CSceneDirector* GetSceneDirector();

void GameStart();
void GameFrame();
void GameReset();
void GameEnd();
// How many of the sixteen singletons GameStart has created (and GameEnd will delete).
int GetCreatedSingletonCount();

// ---- The main loop ----
struct ShellOptions {
    bool headless = false;
    int frames = -1;              // headless: stop after this many frames (-1: run until closed)
    int screenshotEvery = 0;      // headless: write a PNG every this many frames (0: never)
    std::string screenshotDir;    // where the PNGs go
    float fixedFrameTime = 0.0f;  // > 0: every frame takes this long (headless runs: 1/60 s)
    // Called before each frame's input is polled (scripted input) and after each frame.
    std::function<void(int frame)> beforeFrame;
    std::function<void(int frame)> afterFrame;
};

// Opens the window (or runs headless), starts the game and plays frames until the window
// closes or the frame count is reached; ends the game cleanly. Returns the exit status: 0 for
// a clean end, 1 when the game ended on an error (a coded error at start or in a frame, an
// engine error, a window that was asked for and could not be opened, or a screenshot that could
// not be written).
int RunGame(const ShellOptions& options);
// Headless: writes the frame just drawn as <dir>/frame_<number>.png; false (with a message) when
// it cannot be written.
bool SaveHeadlessFrame(const std::string& dir, int number);
