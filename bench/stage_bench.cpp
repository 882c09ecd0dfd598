// Reading and writing the heaviest stage the rules allow, our XML tree against tinyxml2 on the
// same document, and the map's move resolution.
#include <benchmark/benchmark.h>
#include <tinyxml2.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/EncodedFile.h"
#include "foundation/XmlNode.h"
#include "platform/backend.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "tests/common/bmp_writer.h"
#include "tests/common/headless_screen.h"
#include "tests/common/temp_folder.h"

namespace {

const char* const kKinds[] = {"Kid001",        "Pukka001",          "Goal",         "Door001",
                              "Battery001",    "HorizontalLift001", "WoodBlock002", "Switch001",
                              "CustomLift001", "ChangeMusicToLeft"};

// A game folder of its own with a kind table of the kinds above.
struct BenchFolder {
    BenchFolder() {
        game.MakeDir("data");
        std::string table = ",,\n";
        for (const char* k : kKinds) table += std::string(k) + ",名前,説明\n";
        WriteEncodedFile("data\\stage_objects.dat", table);
    }
    testsupport::TempGameFolder game{"quor-stage-bench"};
    const std::filesystem::path& folder = game.Path();
};

BenchFolder& Folder() {
    static BenchFolder f;
    return f;
}

// Fills a map so that no two neighbouring cells are equal: every run is one chip long.
void FillVaried(CStageArea* area, int seed) {
    for (int y = 0; y < area->GetHeight(); ++y) {
        for (int x = 0; x < area->GetWidth(); ++x) {
            area->SetChip(x, y, static_cast<uint8_t>((x * 7 + y * 3 + seed) % 251 + 1));
        }
    }
}

void FillObjects(CStageArea* area) {
    for (int i = 0; i < 255; ++i) {
        const int x = i % area->GetWidth(), y = i / area->GetWidth();
        area->GetObjects()->Add(kKinds[i % 10], x, y, i * 0.5, -i, 3.25, 1000.0 + i, "ABCDEFGHIJKL");
    }
}

// layout 0: ten OneRoom areas of 255 objects each; layout 1: one BoxLong area (10 units).
std::unique_ptr<CStage> HeaviestStage(int layout) {
    Folder();
    auto stage = std::make_unique<CStage>(nullptr, 0, CVersionNumber::Application());
    stage->SetName("ベンチマーク");
    const int areas = layout == 0 ? 10 : 1;
    for (int i = 0; i < areas; ++i) {
        stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(layout == 0 ? 0 : 8),
                                                       std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                       "area", 7, 2, 1, i));
        CStageArea* area = stage->GetArea(i);
        FillVaried(area, i);
        FillObjects(area);
    }
    stage->maxAbsoluteAreaNum = areas - 1;
    return stage;
}

void BM_StageRead(benchmark::State& state) {
    auto stage = HeaviestStage(static_cast<int>(state.range(0)));
    const std::string stored = EncodeFileText(stage->WriteFileText());
    for (auto _ : state) {
        std::optional<std::string> text = DecodeFileText(stored);
        std::unique_ptr<CStage> read = CStage::ReadXml(nullptr, *text, 0);
        benchmark::DoNotOptimize(read.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stored.size()));
    state.counters["bytes"] = static_cast<double>(stored.size());
}
BENCHMARK(BM_StageRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A 24-bit BMP of one colour.
std::string Bmp(int w, int h, uint32_t colour) {
    return bmptest::MakeBmp(w, h, [colour](int, int) { return colour; });
}

// The same read as the game does it: with the sprite manager up, the current area's chip
// sprites and every record's images are made too (headless screen).
void BM_StageReadWithSprites(benchmark::State& state) {
    auto stage = HeaviestStage(static_cast<int>(state.range(0)));
    const std::string stored = EncodeFileText(stage->WriteFileText());
    stage.reset();
    const auto& folder = Folder().folder;
    std::filesystem::create_directories(folder / "system");
    std::filesystem::create_directories(folder / "img");
    WriteFileAtomic((folder / "system" / "colorSample.bmp").string(), Bmp(32, 32, 0x00FF00));
    WriteFileAtomic((folder / "img" / "sheet.bmp").string(), Bmp(256, 256, 0xC08040));
    std::string index;
    for (const char* key : {"System.StageObjects001", "System.StageObjects002", "System.StageObjects003",
                            "Map.ChipSet001", "Map.ChipSet002", "Map.ChipSet003", "Map.ChipSet004"})
        index += std::string(key) + ",img\\sheet.bmp,32,32\n";
    WriteEncodedFile("data\\bmp_index.dat", index);
    testsupport::StartHeadlessEngine();
    testsupport::OpenHeadlessScreen();
    CSpriteManager::GetInstance();
    for (auto _ : state) {
        std::optional<std::string> text = DecodeFileText(stored);
        std::unique_ptr<CStage> read = CStage::ReadXml(nullptr, *text, 0);
        benchmark::DoNotOptimize(read.get());
    }
    CSpriteManager::DeleteInstance();
    testsupport::StopHeadlessEngine();
}
BENCHMARK(BM_StageReadWithSprites)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StageWrite(benchmark::State& state) {
    auto stage = HeaviestStage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string stored = EncodeFileText(stage->WriteFileText());
        benchmark::DoNotOptimize(stored.data());
    }
}
BENCHMARK(BM_StageWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::string StageXml(int layout) {
    auto stage = HeaviestStage(layout);
    return stage->WriteFileText();
}

void BM_XmlParseOurs(benchmark::State& state) {
    const std::string text = StageXml(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CXmlNode doc("root", 0, text);
        benchmark::DoNotOptimize(doc.GetChildren().size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlParseOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_XmlParseTinyXml2(benchmark::State& state) {
    const std::string text = StageXml(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tinyxml2::XMLDocument doc;
        doc.Parse(text.data(), text.size());
        benchmark::DoNotOptimize(doc.FirstChild());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlParseTinyXml2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ResolveRectMove(benchmark::State& state) {
    std::unique_ptr<CStageMap> map = CStageMap::Create(4);
    for (int x = 0; x < 640; ++x) {
        map->SetChip(x, 13, 65);
        map->SetChip(x, 14, 65);
        if (x % 9 == 0) map->SetChip(x, 12, 40);
    }
    double x = 100.0;
    for (auto _ : state) {
        // A typical falling, running step of one frame.
        StageMapMoveResult r = map->ResolveRectMove(x + 5.0, 390.0, 24.0, 30.0, x, 380.0);
        benchmark::DoNotOptimize(r);
        x = x > 20000.0 ? 100.0 : x + 5.0;
    }
}
BENCHMARK(BM_ResolveRectMove);

}  // namespace
