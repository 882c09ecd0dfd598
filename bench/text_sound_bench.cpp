// The text layer's string drawing and the sound mixer, at the sizes the game uses.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/el/Mixer.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "engine/el/elText.h"
#include "platform/backend.h"
#include "tests/common/headless_screen.h"

namespace {

// One interface label of two wrapped lines with a shadow.
void BM_DrawStringLabel(benchmark::State& state) {
    testsupport::OpenHeadlessScreenOnce();
    elDraw::CreateStringFont("ＭＳ Ｐゴシック", 12);
    elDraw::SetTextColors(0xFFFFFF, 0x000000, true);
    for (auto _ : state) {
        elDraw::DrawString(40, 40, 360, 200, "ステージを選んでください。ダウンロードしたステージも遊べます。",
                           elDraw::kStringShadow);
        benchmark::ClobberMemory();
    }
    elDraw::ReleaseStringFont();
}
BENCHMARK(BM_DrawStringLabel);

// A word-wrapped rectangle text, as the controls draw it.
void BM_DrawTextRect(benchmark::State& state) {
    testsupport::OpenHeadlessScreenOnce();
    elDraw::CreateFontByName("ＭＳ Ｐゴシック", 12, 0, 0, false, false);
    elDraw::SetTextColors(0xFFFFFF, 0x000000, true);
    for (auto _ : state) {
        elDraw::DrawTextRect(40, 240, 300, 320, "クリエイター名で検索します。 Search by creator name.", 0);
        benchmark::ClobberMemory();
    }
    elDraw::ReleaseFont();
}
BENCHMARK(BM_DrawTextRect);

// One audio callback of 1024 frames with 16 sounding effects.
void BM_MixSixteenVoices(benchmark::State& state) {
    el::Mixer mixer(44100);
    auto data = std::make_shared<el::SampleData>();
    data->rate = 22050;
    data->channels = 1;
    data->frames = 1u << 20;
    data->samples.assign(data->frames, 0.25f);
    for (int v = 0; v < 16; ++v) {
        mixer.SetVoiceData(v * 10, data);
        mixer.SetPan(v * 10, v * 500 - 4000);
        mixer.Play(v * 10);
    }
    std::vector<float> out(2 * 1024);
    for (auto _ : state) {
        if (!mixer.IsPlaying(0))
            for (int v = 0; v < 16; ++v) mixer.Play(v * 10);
        mixer.MixInto(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_MixSixteenVoices);

}  // namespace
