// One frame of 1000 sprites (32 to 64 pixels on screen, rotated and scaled, translucent blend
// mode 2 at alpha 0.5 to 1, colour-keyed textures) into the 640 x 480 back buffer: through the
// 3-D layer, and the same sprites through SDL2's own software renderer for comparison. The time
// per iteration is the time of one frame (target: under 4 ms on one core, and no slower than SDL).
// BM_El4DSprites/16, /8 and /4 hold the rasteriser to AVX-512, AVX2 or SSE2 loops.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <numbers>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/el/Raster.h"
#include "engine/el/el4D.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "platform/backend.h"
#include "platform/png.h"
#include "tests/common/headless_screen.h"

namespace {

constexpr int kSprites = 1000;
constexpr int kTextures = 8;
constexpr int kTextureSize = 64;
constexpr uint32_t kKey = 0xFF00FF00u;  // pure green

struct SpriteSpec {
    float x, y;   // screen centre
    float angle;  // radians
    float scale;  // 0.5 .. 1: 32 to 64 pixels
    float alpha;  // 0.5 .. 1
    int texture;
};

// The game's own 15-bit generator shape, seeded, so both renderers get the same scene.
struct Lcg {
    uint32_t s = 12345;
    float Next() {
        s = s * 1103515245u + 12345u;
        return float((s >> 16) & 0x7FFF) / 32767.0f;
    }
};

const std::vector<SpriteSpec>& Scene() {
    static std::vector<SpriteSpec> specs = [] {
        std::vector<SpriteSpec> v;
        Lcg r;
        for (int i = 0; i < kSprites; ++i) {
            SpriteSpec s;
            s.x = r.Next() * 640;
            s.y = r.Next() * 480;
            s.angle = r.Next() * 6.2831853f;
            s.scale = 0.5f + 0.5f * r.Next();
            s.alpha = 0.5f + 0.5f * r.Next();
            s.texture = i % kTextures;
            v.push_back(s);
        }
        return v;
    }();
    return specs;
}

// A round picture with a pattern on a key-coloured background (about a fifth of it keyed).
uint32_t TexelOf(int t, int x, int y) {
    const float dx = x + 0.5f - 32, dy = y + 0.5f - 32;
    if (dx * dx + dy * dy > 32.0f * 32.0f) return kKey;
    return 0xFF000000u | uint32_t((x * 4 + t * 30) & 0xFF) << 16 | uint32_t((y * 4) & 0xFF) << 8 |
           uint32_t((t * 50 + x + y) & 0xFF);
}

// With QUOR_BENCH_PNG=<folder> set, the last frame of each renderer is written there to look at.
void SaveFrame(const plat::Surface& frame, const char* name) {
    const char* dir = std::getenv("QUOR_BENCH_PNG");
    if (dir && *dir) plat::WritePng(frame, std::string(dir) + "/" + name + ".png");
}

void BM_El4DSprites(benchmark::State& state) {
    testsupport::OpenHeadlessScreenOnce();
    if (elRaster::LimitVectorWidth(int(state.range(0))) != state.range(0)) {
        state.SkipWithError("this processor lacks that vector width");
        elRaster::LimitVectorWidth(16);
        return;
    }
    elDraw::SetColorKey(0x00FF00);
    int models[kTextures];
    for (int t = 0; t < kTextures; ++t) {
        int slot = elDraw::CreateObject(kTextureSize, kTextureSize, elDraw::kMemoryTexture);
        plat::Surface* s = elDraw::GetObjectSurface(slot);
        for (int y = 0; y < kTextureSize; ++y) {
            for (int x = 0; x < kTextureSize; ++x) s->Row(y)[x] = TexelOf(t, x, y);
        }
        models[t] = el4D::Primitive::Square(1, 1, kTextureSize / 256.0f, kTextureSize / 256.0f, 1, 0);
        el4D::SetModelTexture(models[t], slot, true);
    }
    // The game's settings: the scene light, point filtering, the colour key.
    const int light = el4D::Light::Create(el4D::kLightDirectional);
    el4D::SetAmbient(0, 0, 0);
    el4D::SetLightDirection(light, 0, 0, 1);
    el4D::SetLightDiffuse(light, 1, 1, 1);
    el4D::ApplyLight(light);
    el4D::SetFilter(1, 1);
    el4D::SetColorKeyEnable(true);
    // The camera at its default distance over world (320, 240): world pixels = screen pixels.
    const float zoom = float(-(480.0 / (std::tan(std::numbers::pi / 6) * 512.0)));
    el4D::SetCameraX(320.0f / 256);
    el4D::SetCameraY(-240.0f / 256);
    el4D::SetCameraZ(zoom);
    el4D::ComposeCamera(0);
    el4D::ApplyCamera();

    const auto& scene = Scene();
    for (auto _ : state) {
        el4D::Clear();
        el4D::BeginScene();
        for (const SpriteSpec& s : scene) {
            const int m = models[s.texture];
            el4D::SetModelX(m, s.x / 256);
            el4D::SetModelY(m, -s.y / 256);
            el4D::SetModelZ(m, 0);
            el4D::SetModelRotX(m, float(std::numbers::pi / 2));
            el4D::SetModelRotY(m, 0);
            el4D::SetModelRotZ(m, s.angle);
            el4D::SetModelScaleX(m, s.scale);
            el4D::SetModelScaleY(m, 1);
            el4D::SetModelScaleZ(m, s.scale);
            el4D::ComposeModel(m);
            el4D::ApplyWorld(m);
            el4D::SetAlpha(m, s.alpha);
            el4D::SetBlendMode(2);
            el4D::RenderModel(m);
            el4D::SetBlendMode(1);
        }
        el4D::EndScene();
        benchmark::DoNotOptimize(elDraw::BackBuffer().pixels.data());
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    SaveFrame(elDraw::BackBuffer(), ("el4d_" + std::to_string(state.range(0))).c_str());
    for (int t = 0; t < kTextures; ++t) el4D::ResetModel(models[t]);
    elRaster::LimitVectorWidth(16);
}
BENCHMARK(BM_El4DSprites)->Arg(16)->Arg(8)->Arg(4)->Unit(benchmark::kMillisecond);

void SaveSdlFrame(SDL_Surface* target, const char* name) {
    if (!std::getenv("QUOR_BENCH_PNG")) return;
    plat::Surface frame(target->w, target->h);
    for (int y = 0; y < target->h; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(target->pixels) + y * target->pitch);
        std::copy(row, row + target->w, frame.Row(y));
    }
    SaveFrame(frame, name);
}

struct SdlScene {
    SDL_Surface* target = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* textures[kTextures] = {};
    SdlScene() {
        target = SDL_CreateRGBSurface(0, 640, 480, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
        renderer = SDL_CreateSoftwareRenderer(target);
        for (int t = 0; t < kTextures; ++t) {
            SDL_Surface* s = SDL_CreateRGBSurface(0, kTextureSize, kTextureSize, 32, 0x00FF0000, 0x0000FF00,
                                                  0x000000FF, 0xFF000000);
            for (int y = 0; y < kTextureSize; ++y) {
                auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
                for (int x = 0; x < kTextureSize; ++x) row[x] = TexelOf(t, x, y);
            }
            SDL_SetColorKey(s, SDL_TRUE, kKey);
            textures[t] = SDL_CreateTextureFromSurface(renderer, s);
            SDL_SetTextureBlendMode(textures[t], SDL_BLENDMODE_BLEND);
            SDL_SetTextureScaleMode(textures[t], SDL_ScaleModeNearest);
            SDL_FreeSurface(s);
        }
    }
    ~SdlScene() {
        for (SDL_Texture* t : textures) SDL_DestroyTexture(t);
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(target);
    }
};

void BM_SdlRenderGeometry(benchmark::State& state) {
    SdlScene sdl;
    if (!sdl.renderer) {
        state.SkipWithError("no SDL software renderer");
        return;
    }
    const auto& scene = Scene();
    for (auto _ : state) {
        SDL_SetRenderDrawColor(sdl.renderer, 0, 0, 0, 255);
        SDL_RenderClear(sdl.renderer);
        for (const SpriteSpec& s : scene) {
            const float h = kTextureSize * 0.5f * s.scale;
            const float c = std::cos(s.angle), sn = std::sin(s.angle);
            const SDL_Color col{255, 255, 255, Uint8(s.alpha * 255 + 0.5f)};
            const float corner[4][2] = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
            const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
            SDL_Vertex v[4];
            for (int k = 0; k < 4; ++k) {
                v[k].position = {s.x + corner[k][0] * c - corner[k][1] * sn,
                                 s.y + corner[k][0] * sn + corner[k][1] * c};
                v[k].color = col;
                v[k].tex_coord = {uv[k][0], uv[k][1]};
            }
            static const int idx[6] = {0, 1, 2, 0, 2, 3};
            SDL_RenderGeometry(sdl.renderer, sdl.textures[s.texture], v, 4, idx, 6);
        }
        SDL_RenderFlush(sdl.renderer);
        benchmark::DoNotOptimize(sdl.target->pixels);
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    SaveSdlFrame(sdl.target, "sdl_geometry");
}
BENCHMARK(BM_SdlRenderGeometry)->Unit(benchmark::kMillisecond);

void BM_SdlRenderCopyEx(benchmark::State& state) {
    SdlScene sdl;
    if (!sdl.renderer) {
        state.SkipWithError("no SDL software renderer");
        return;
    }
    const auto& scene = Scene();
    for (auto _ : state) {
        SDL_SetRenderDrawColor(sdl.renderer, 0, 0, 0, 255);
        SDL_RenderClear(sdl.renderer);
        for (const SpriteSpec& s : scene) {
            const float side = kTextureSize * s.scale;
            const SDL_FRect dst{s.x - side / 2, s.y - side / 2, side, side};
            SDL_SetTextureAlphaMod(sdl.textures[s.texture], Uint8(s.alpha * 255 + 0.5f));
            SDL_RenderCopyExF(sdl.renderer, sdl.textures[s.texture], nullptr, &dst,
                              double(s.angle) * 57.29578, nullptr, SDL_FLIP_NONE);
        }
        SDL_RenderFlush(sdl.renderer);
        benchmark::DoNotOptimize(sdl.target->pixels);
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SdlRenderCopyEx)->Unit(benchmark::kMillisecond);

}  // namespace
