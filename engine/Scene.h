#pragma once
// Every screen of the program is a scene. Scenes form one chain: the root (owned by the scene
// director) has at most one child, which has at most one child, and so on. Only the top-most
// scene is updated and drawn. The camera state is saved when a scene is built and put back
// when it closes, so that a sub-screen may move and zoom the camera freely.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

class IScene {
  public:
    explicit IScene(IScene* parent);
    IScene(const IScene&) = delete;
    IScene& operator=(const IScene&) = delete;

    // The child goes with its parent (and with it the whole chain above this scene).
    virtual ~IScene();
    virtual void Start() = 0;
    // The colour with which the 3-D pass is cleared, 0x00BBGGRR; the child's when there is one.
    virtual uint32_t GetClearColor();
    virtual void Update() = 0;
    virtual void Draw() = 0;
    virtual void DrawOverlay() = 0;
    virtual std::string GetCaption();
    virtual void OnChildClosed(IScene* child);

    // Makes `child` this scene's child and starts it. While the present child is closed but not
    // yet removed, `child` waits and takes its place (and starts) when the next UpdateTop
    // removes the closed one. While a live child exists the chain stays as it is and `child`
    // goes at once. Returns whether the child was taken.
    bool PushChild(std::unique_ptr<IScene> child);
    // PushChild that hands the scene back borrowed: null when it was not taken (and is gone).
    template <class Scene>
    Scene* AdoptChild(std::unique_ptr<Scene> child) {
        Scene* scene = child.get();
        return PushChild(std::move(child)) ? scene : nullptr;
    }
    // Marks the scene closed, puts the camera back and tells the parent.
    void Close();
    // Once a frame on the root: removes a closed child, restarts its parent and updates the
    // top-most scene.
    void UpdateTop();
    void DrawTop();
    void DrawTopOverlay();
    // The child's saved camera state first (deepest first), then this scene's own.
    void RestoreCameraState();
    void UpdateWindowTitle();

    IScene* GetParent() const { return parent_; }
    IScene* GetChild() const { return child_.get(); }
    bool IsClosed() const { return closed_; }
    // The scene at the top of the chain that starts here.
    IScene* GetTopScene();

  private:
    void RestoreOwnCameraState();

    IScene* parent_;
    // A closed child is only removed by its parent's next UpdateTop, never under its own code.
    std::unique_ptr<IScene> child_;
    std::unique_ptr<IScene> waitingChild_;  // pushed while the child was closed
    bool closed_ = false;
    float camX_, camY_, camZoom_, camRotation_, camAux_;
    int camMinX_, camMinY_, camMaxX_, camMaxY_;
};

// A scene that shows and does nothing and never closes: the root of a shell with no scenes of its
// own, or the parent that hosts a scene on its own (tools, fuzzing, benchmarks).
class CBlankScene : public IScene {
  public:
    explicit CBlankScene(IScene* parent = nullptr) : IScene(parent) {}
    void Start() override {}
    void Update() override {}
    void Draw() override {}
    void DrawOverlay() override {}
};

// The main window's title for a scene caption: "Quorvald" or "Quorvald - " + caption.
std::string MakeWindowTitle(const std::string& caption);
