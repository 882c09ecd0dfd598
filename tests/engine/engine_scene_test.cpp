// The scene stack: push, close, removal in the next frame, restart of the parent, the camera
// hand-over and the window title.
#include <memory>
#include <string>
#include <vector>

#include "engine/Scene.h"
#include "engine_test_env.h"

using namespace enginetest;

namespace {

std::vector<std::string> g_calls;
int g_alive = 0;

class TestScene : public IScene {
  public:
    TestScene(const std::string& name, IScene* parent, std::string caption = "")
        : IScene(parent), name_(name), caption_(std::move(caption)) {
        ++g_alive;
    }
    ~TestScene() override {
        --g_alive;
        g_calls.push_back(name_ + ".delete");
    }
    void Start() override { g_calls.push_back(name_ + ".start"); }
    void Update() override {
        g_calls.push_back(name_ + ".update");
        if (closeOnUpdate) Close();
        if (onUpdate) onUpdate();
    }
    void Draw() override { g_calls.push_back(name_ + ".draw"); }
    void DrawOverlay() override { g_calls.push_back(name_ + ".overlay"); }
    std::string GetCaption() override { return caption_; }
    void OnChildClosed(IScene* child) override {
        g_calls.push_back(name_ + ".childClosed");
        closedChild = child;
        cameraXWhenTold = CCamera::GetInstance()->GetX();
    }
    uint32_t GetClearColor() override { return clear ? clear : IScene::GetClearColor(); }

    std::string name_, caption_;
    bool closeOnUpdate = false;
    std::function<void()> onUpdate;
    IScene* closedChild = nullptr;
    float cameraXWhenTold = -1;
    uint32_t clear = 0;
};

class SceneStack : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        g_calls.clear();
        g_alive = 0;
    }
    void TearDown() override {
        EXPECT_EQ(g_alive, 0) << "a scene leaked";
        EngineTest::TearDown();
    }
};

// A new scene named `name` pushed onto `parent`, which owns it from here.
TestScene* PushNew(IScene& parent, const std::string& name, std::string caption = "") {
    TestScene* scene = parent.AdoptChild(std::make_unique<TestScene>(name, &parent, std::move(caption)));
    EXPECT_NE(scene, nullptr);
    return scene;
}

TEST_F(SceneStack, ClosedSceneIsDrawnThenRemovedNextFrameAndParentRestarts) {
    auto root = std::make_unique<TestScene>("root", nullptr);
    TestScene* child = PushNew(*root, "child");
    EXPECT_EQ(g_calls, (std::vector<std::string>{"child.start"}));
    child->closeOnUpdate = true;

    g_calls.clear();
    root->UpdateTop();
    root->DrawTop();
    // Closed during its update, told the parent at once, still drawn in the same frame.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"child.update", "root.childClosed", "child.draw"}));
    EXPECT_EQ(root->closedChild, child);
    EXPECT_EQ(root->GetChild(), child);

    g_calls.clear();
    root->UpdateTop();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"child.delete", "root.start", "root.update"}));
    EXPECT_EQ(root->GetChild(), nullptr);
}

TEST_F(SceneStack, PushOntoSceneWithLiveChildKeepsChainAndLeaksNothing) {
    auto root = std::make_unique<TestScene>("root", nullptr);
    TestScene* a = PushNew(*root, "a");
    auto b = std::make_unique<TestScene>("b", root.get());
    g_calls.clear();
    EXPECT_FALSE(root->PushChild(std::move(b)));
    EXPECT_EQ(root->GetChild(), a);
    // The scene that was not taken is not started and goes at once.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"b.delete"}));
    g_calls.clear();
    EXPECT_EQ(root->AdoptChild(std::make_unique<TestScene>("c", root.get())), nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"c.delete"}));
}

TEST_F(SceneStack, PushAfterChildClosedInSameFrameFollowsItInsteadOfBeingLost) {
    auto root = std::make_unique<TestScene>("root", nullptr);
    TestScene* first = PushNew(*root, "first");
    // The child closes itself and the parent pushes the next screen from OnChildClosed.
    first->onUpdate = [&] {
        first->Close();
        PushNew(*root, "second");
    };
    g_calls.clear();
    root->UpdateTop();
    EXPECT_EQ(root->GetChild(), first);  // the closed one is still there (its code is running)
    g_calls.clear();
    root->UpdateTop();
    ASSERT_NE(root->GetChild(), nullptr);
    EXPECT_EQ(static_cast<TestScene*>(root->GetChild())->name_, "second");
    EXPECT_EQ(g_calls, (std::vector<std::string>{"first.delete", "second.start", "second.update"}));
}

TEST_F(SceneStack, OnlyTopSceneUpdatesAndDeletingAParentDeletesTheChain) {
    auto root = std::make_unique<TestScene>("root", nullptr);
    TestScene* mid = PushNew(*root, "mid");
    PushNew(*mid, "top");
    g_calls.clear();
    root->UpdateTop();
    root->DrawTopOverlay();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"top.update", "top.overlay"}));
    g_calls.clear();
    root.reset();
    EXPECT_EQ(g_alive, 0);
    // Each scene's own part goes first, then the child it owns with the rest of the chain.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"root.delete", "mid.delete", "top.delete"}));
}

TEST_F(SceneStack, CloseRestoresCameraSavedAtConstructionBeforeParentIsTold) {
    CCamera* cam = CCamera::GetInstance();
    cam->SetTarget(100, 50, -1);
    cam->SetBounds(0, 0, 5000, 5000);
    auto root = std::make_unique<TestScene>("root", nullptr);
    TestScene* child = PushNew(*root, "child");
    cam->SetTarget(2000, 900, -1);
    cam->SetZoomRate(-3.0f, -1);
    cam->ResetBounds();
    child->Close();
    EXPECT_FLOAT_EQ(root->cameraXWhenTold, 320.0f);  // 100 raised by the saved bounds' left edge
    EXPECT_FLOAT_EQ(cam->GetZoomRate(), CCamera::DefaultZoomRate());
    EXPECT_EQ(cam->GetMinX(), 0);
    EXPECT_EQ(cam->GetMaxY(), 5000);
}

TEST_F(SceneStack, RestoreCameraStateOnRootLeavesTheRootsState) {
    CCamera* cam = CCamera::GetInstance();
    cam->SetTarget(10, 20, -1);
    auto root = std::make_unique<TestScene>("root", nullptr);
    cam->SetTarget(500, 600, -1);
    PushNew(*root, "child");
    cam->SetTarget(900, 900, -1);
    root->RestoreCameraState();
    EXPECT_FLOAT_EQ(cam->GetX(), 10);
    EXPECT_FLOAT_EQ(cam->GetY(), 20);
}

TEST_F(SceneStack, ConstructionResetsTheCursor) {
    CMouse::GetInstance()->SetCursorKind(5);
    CMouse::GetInstance()->ShowBadge1(true);
    CMouse::GetInstance()->SetCarriedImage("System", "Mouse001", 0, 0, 10, 10);
    TestScene s("s", nullptr);
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 0);
    EXPECT_FALSE(CMouse::GetInstance()->IsBadge1Shown());
    EXPECT_FALSE(CMouse::GetInstance()->IsCarrying());
}

TEST_F(SceneStack, WindowTitleAndClearColour) {
    auto root = std::make_unique<TestScene>("root", nullptr);
    root->UpdateWindowTitle();
    EXPECT_EQ(Headless().Title(), "Quorvald");
    EXPECT_EQ(root->GetClearColor(), 0u);
    TestScene* play = PushNew(*root, "play", "草原ステージ");
    play->clear = 0x00DABF7D;
    EXPECT_EQ(Headless().Title(), "Quorvald - 草原ステージ");
    EXPECT_EQ(root->GetClearColor(), 0x00DABF7Du);
    play->Close();
    root->UpdateTop();
    EXPECT_EQ(Headless().Title(), "Quorvald");
}

}  // namespace
