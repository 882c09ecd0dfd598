#include "platform/audio.h"

#include <SDL.h>

#include "platform/backend.h"

#include <cstring>

namespace plat {
namespace {

int g_headlessMode = -1;
SDL_AudioDeviceID g_device = 0;
AudioCallback g_callback;

void SdlCallback(void*, Uint8* stream, int len) {
    const int frames = len / static_cast<int>(2 * sizeof(float));
    float* out = reinterpret_cast<float*>(stream);
    if (g_callback) {
        g_callback(out, frames);
    } else {
        std::memset(stream, 0, static_cast<size_t>(len));
    }
}

}  // namespace

void SetAudioHeadless(int mode) { g_headlessMode = mode; }

bool AudioIsHeadless() {
    if (g_headlessMode >= 0) return g_headlessMode != 0;
    const Backend* backend = CurrentBackend();
    return backend == nullptr || backend->IsHeadless();
}

bool StartAudio(AudioCallback callback, int* rate) {
    StopAudio();
    if (AudioIsHeadless()) {
        if (rate) *rate = kHeadlessAudioRate;
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    g_callback = std::move(callback);
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = SdlCallback;
    SDL_AudioSpec have{};
    g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (g_device == 0) {
        g_callback = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (rate) *rate = have.freq;
    SDL_PauseAudioDevice(g_device, 0);
    return true;
}

void StopAudio() {
    if (g_device != 0) {
        SDL_CloseAudioDevice(g_device);
        g_device = 0;
        g_callback = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool AudioDeviceOpen() { return g_device != 0; }

}  // namespace plat
