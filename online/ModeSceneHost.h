#pragma once
// What the root forms of the mode screens ask of the scene that hosts them. The scenes belong to
// the game flow above this layer; the forms reach them only through these interfaces. Every
// request but CloseScene is carried out in the scene's next update, never inside the handler
// that asked.
#include <memory>
#include <string>

class CStage;

class IModeSceneHost {
  public:
    virtual ~IModeSceneHost() = default;
    // The player leaves the screen: the scene closes at once and is deleted, with its form, in
    // the next frame.
    virtual void CloseScene() = 0;
};

// The download screen's root forms, by their ids.
enum class DownLoadFormId : int {
    Init = 0,              // the empty form
    Top = 1,               // the newest stages; the first form
    DifficultyLength = 2,  // the search by difficulty and length
    CreatorName = 3,       // the search by creator name
};

// The download screen's scene: exchanges its root form and plays a downloaded stage.
class IDownLoadSceneHost : public virtual IModeSceneHost {
  public:
    virtual void ChangeForm(DownLoadFormId formId) = 0;
    // Plays a downloaded stage, read once when it was checked and saved (null: none could be read).
    virtual void PlayStage(std::unique_ptr<CStage> stage) = 0;
};

// The creator account screen's scene: it can leave straight for the editor.
class IAdminCreatorSceneHost : public virtual IModeSceneHost {
  public:
    virtual void CloseToEditor() = 0;
};
