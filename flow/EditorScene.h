#pragma once
// The stage editor as a mode of the top menu: the scene owns the editor screen, hands it each
// frame and both drawing passes, and turns the editor's two requests into scene changes at the
// start of its next frame: a test play of a copy of the edited stage, or the way back to the menu.
#include <memory>
#include <string>

#include "editor/EditorOwner.h"
#include "engine/Scene.h"

class CEditorScreen;

class CEditorScene : public IScene, public IEditorOwner {
  public:
    explicit CEditorScene(IScene* parent);
    ~CEditorScene() override;

    // The editor music, also again after each test play.
    void Start() override;
    void Update() override;
    void Draw() override;
    void DrawOverlay() override;
    // The edited stage's name and " （エディットモード）"; empty without a stage.
    std::string GetCaption() override;
    // A test play that ended with the player's retry starts again at once on a fresh copy.
    void OnChildClosed(IScene* child) override;

    void RequestTestPlay() override { testPlayRequested_ = true; }
    void RequestClose() override { closeRequested_ = true; }

    CEditorScreen* GetScreen() const { return screen_.get(); }
    bool IsTestPlayRequested() const { return testPlayRequested_; }
    bool IsCloseRequested() const { return closeRequested_; }

  private:
    // Pushes the play scene on a copy of the edited stage. A copy or a play scene that cannot be
    // made is shown to the player; the edited stage stays as it was and editing goes on.
    void StartTestPlay();

    std::unique_ptr<CEditorScreen> screen_;
    bool testPlayRequested_ = false;
    bool closeRequested_ = false;
};
