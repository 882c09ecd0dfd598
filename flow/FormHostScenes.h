#pragma once
// The mode screens whose whole screen is one root form: the scene owns the form, hands it each
// frame's update and its 2-D pass, starts the screen's music and is closed by the form. The
// window title stays "Quorvald" on all of them.
#include <memory>

#include "controls/Widget.h"
#include "engine/Scene.h"
#include "online/ModeSceneHost.h"

class CFormHostScene : public IScene, public virtual IModeSceneHost {
  public:
    ~CFormHostScene() override;

    // The screen's music, also again when a scene pushed on this one closes.
    void Start() override;
    void Update() override;
    void Draw() override {}
    void DrawOverlay() override;
    void CloseScene() override { Close(); }

    Controls::GCForm* GetRootForm() const { return root_.get(); }

  protected:
    // `fadeIn`: the music starts silent and fades up.
    CFormHostScene(IScene* parent, int music, bool fadeIn);
    // Replaces the root form; the previous one is deleted.
    void SetRootForm(std::unique_ptr<Controls::GCForm> form);

  private:
    std::unique_ptr<Controls::GCForm> root_;
    int music_;
    bool fadeIn_;
};

// Registering as a creator.
class CRegisterCreatorScene : public CFormHostScene {
  public:
    explicit CRegisterCreatorScene(IScene* parent);
};

// The creator's account screen.
class CAdminCreatorScene : public CFormHostScene, public IAdminCreatorSceneHost {
  public:
    explicit CAdminCreatorScene(IScene* parent);
    // Closes the screen and, under the top menu, has the menu open the editor at once.
    void CloseToEditor() override;
};

class CShopScene : public CFormHostScene {
  public:
    explicit CShopScene(IScene* parent);
};

// The connection test: no music.
class CNetWorkTestScene : public CFormHostScene {
  public:
    explicit CNetWorkTestScene(IScene* parent);
};

// The settings: volumes, keys, the automatic connection.
class CConfigScene : public CFormHostScene {
  public:
    explicit CConfigScene(IScene* parent);
};
