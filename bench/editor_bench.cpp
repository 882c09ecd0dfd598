// The editor's heaviest map edits on the largest areas: a flood fill of a whole empty BoxLong
// area (240 x 90), its undo and its redo; a 500-cell pencil stroke with auto-tiling and its undo.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/Editor.h"
#include "editor/MapEdits.h"
#include "foundation/EncodedFile.h"
#include "foundation/VersionNumber.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/common/temp_folder.h"

namespace {

// A game folder of its own (the object tables read their kind table) and an editor on a stage
// of one empty area of the class.
struct EditorBench {
    explicit EditorBench(int areaClass) {
        game.MakeDir("data");
        WriteEncodedFile("data\\stage_objects.dat", ",,\nKid001,キッド,歩く\n");
        auto stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
        stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(areaClass),
                                                       std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                       "area", 0, 1, 0, 0));
        stage->SetCurrentArea(0);
        editor.SetStage(std::move(stage));
    }
    CStage& Stage() { return *editor.GetStage(); }

    testsupport::TempGameFolder game{"quor-editor-bench"};
    CEditor editor{nullptr, EditorMode::kPlayer};
};

constexpr uint8_t kGround = 64;

// Times `timed` in every iteration; `reset` puts the stage back untimed.
template <class Timed, class Reset>
void TimeEach(benchmark::State& state, Timed timed, Reset reset) {
    for (auto _ : state) {
        timed();
        state.PauseTiming();
        reset();
        state.ResumeTiming();
    }
}

void Fill(EditorBench& bench) {
    bench.editor.DoCommand(std::make_unique<CFill>(120, 45, kGround, &bench.Stage(), &bench.editor));
}

void BM_FillWholeArea(benchmark::State& state) {
    EditorBench bench(AreaClass_BoxLong);
    TimeEach(
        state, [&] { Fill(bench); }, [&] { bench.editor.Undo(); });
}
BENCHMARK(BM_FillWholeArea)->Unit(benchmark::kMicrosecond);

void BM_FillUndo(benchmark::State& state) {
    EditorBench bench(AreaClass_BoxLong);
    Fill(bench);
    TimeEach(
        state, [&] { bench.editor.Undo(); }, [&] { bench.editor.Redo(); });
}
BENCHMARK(BM_FillUndo)->Unit(benchmark::kMicrosecond);

void BM_FillRedo(benchmark::State& state) {
    EditorBench bench(AreaClass_BoxLong);
    Fill(bench);
    bench.editor.Undo();
    TimeEach(
        state, [&] { bench.editor.Redo(); }, [&] { bench.editor.Undo(); });
}
BENCHMARK(BM_FillRedo)->Unit(benchmark::kMicrosecond);

// 500 cells along the Triathlon area (640 x 15), stepping down a row every 50 cells.
void DrawStroke(EditorBench& bench) {
    auto stroke = std::make_unique<CDrawSequence>(&bench.Stage(), &bench.editor);
    for (int i = 0; i < 500; ++i) stroke->AddPoint(i, 3 + (i / 50) % 9, kGround);
    bench.editor.DoCommand(std::move(stroke));
}

void BM_Stroke500(benchmark::State& state) {
    EditorBench bench(AreaClass_Triathlon);
    TimeEach(
        state, [&] { DrawStroke(bench); }, [&] { bench.editor.Undo(); });
}
BENCHMARK(BM_Stroke500)->Unit(benchmark::kMicrosecond);

void BM_Stroke500Undo(benchmark::State& state) {
    EditorBench bench(AreaClass_Triathlon);
    DrawStroke(bench);
    TimeEach(
        state, [&] { bench.editor.Undo(); }, [&] { bench.editor.Redo(); });
}
BENCHMARK(BM_Stroke500Undo)->Unit(benchmark::kMicrosecond);

}  // namespace
