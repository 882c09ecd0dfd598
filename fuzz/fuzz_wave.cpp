// Feeds arbitrary bytes to the WAVE reader and converts whatever it accepts.
#include <cstddef>
#include <cstdint>

#include "engine/el/Wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    el::WaveFile wave;
    if (el::ParseWave(data, size, wave) && el::WaveIsPlayable(wave)) {
        const el::SampleData s = el::ConvertWave(wave);
        if (s.samples.size() != s.frames * static_cast<size_t>(s.channels)) __builtin_trap();
    }
    return 0;
}
