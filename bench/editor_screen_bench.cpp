// One frame of the editor screen (update, the 3-D pass and the 2-D pass) on the largest area,
// BoxLong (240 x 90), zoomed out as far as the dial goes, with ground drawn and 255 objects in
// view, the mouse over the map with the pencil. Goal: under 2 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/EditorScreen.h"
#include "editor/MapEdits.h"
#include "editor_windows/ZoomControl.h"
#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/el/el4D.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/VersionNumber.h"
#include "platform/headless.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/common/headless_screen.h"
#include "tests/common/temp_folder.h"

namespace {

struct EditorFrame {
    EditorFrame() {
        testsupport::OpenHeadlessScreenOnce();
        testsupport::LinkBuiltPictures(game.Path());
        testsupport::CopyBuiltEditorTables(game.Path());
        game.MakeDir("network");
        WriteEncodedFile("network\\client_info.dat",
                         "<clientInfo><network><createrId></createrId><createrName></createrName></network>"
                         "<boughtItems></boughtItems></clientInfo>");
        SetFrameTime(1.0f / 60.0f);
        screen = std::make_unique<CEditorScreen>(nullptr, nullptr, EditorMode::kPlayer);
        auto stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
        stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(AreaClass_BoxLong),
                                                       std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                       "area", 0, 1, 0, 0));
        stage->SetCurrentArea(0);
        CEditor& editor = screen->GetEditor();
        editor.SetStage(std::move(stage));
        CStage* s = editor.GetStage();
        // Ground in the lower half, hills on it, and 255 objects over the ground in the view.
        editor.DoCommand(std::make_unique<CRectangleFill>(s, &editor, 0, 60, 239, 89, 64));
        for (int x = 0; x < 240; x += 12)
            editor.DoCommand(std::make_unique<CRectangleFill>(s, &editor, x, 54, x + 5, 59, 96));
        CStageAreaObjectTable* objects = s->GetCurrentAreaObjects();
        for (int i = 0; i < CEditor::kMaxObjectsPerArea; ++i)
            objects->Add("Kid001", 100 + i % 51, 40 + i / 51, 0, 0, 0, 0, "");
        screen->GetControlAs<Controls::CZoomControl>("ZoomControl")->angle =
            Controls::CZoomControl::kLargestAngle;
        editor.SetScrollPosition(125, 45);
        plat::CurrentHeadless()->MouseMoveTo(300, 250);
        elSystem::PollInput();
        CInputManager::GetInstance()->Update();
        for (int i = 0; i < 3; ++i) Frame();
    }
    void Frame() {
        screen->Update();
        el4D::BeginScene();
        el4D::Clear();
        screen->Draw();
        el4D::EndScene();
        screen->DrawOverlay();
    }

    testsupport::TempGameFolder game{"quor-editor-screen-bench"};
    std::unique_ptr<CEditorScreen> screen;
};

void BM_EditorFrameLargestAreaZoomedOut(benchmark::State& state) {
    EditorFrame frame;
    for (auto _ : state) frame.Frame();
    state.counters["objects"] = double(frame.screen->GetStage()->GetCurrentAreaObjects()->GetCount());
}
BENCHMARK(BM_EditorFrameLargestAreaZoomedOut)->Unit(benchmark::kMicrosecond);

}  // namespace
