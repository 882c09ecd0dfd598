#pragma once
// RIFF/WAVE reading for the sound layer: the format block and the sample data of a WAVE file,
// and the PCM samples turned into float frames for the mixer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace el {

struct WaveFormat {
    uint16_t formatTag = 0;  // 1 = PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> extra;  // the extra format bytes of non-PCM formats
};

struct WaveFile {
    WaveFormat format;
    std::vector<uint8_t> data;  // the bytes of the "data" chunk
};

// Reads a RIFF file of form type "WAVE": its "fmt " chunk (at least 16 bytes) and its "data"
// chunk, wherever they lie among the other chunks. False for anything else, for chunks that run
// past the end of the file and for a missing chunk.
bool ParseWave(const uint8_t* bytes, size_t size, WaveFile& out);

// Sample data the mixer plays: float frames, one or two channels, at the file's own rate.
struct SampleData {
    int rate = 0;
    int channels = 0;  // 1 or 2
    size_t frames = 0;
    std::vector<float> samples;  // frames * channels, interleaved
};

// True for the formats the mixer can play: PCM, 8 or 16 bits, mono or stereo, a rate above 0,
// a block size that matches, and at least one whole frame of data.
bool WaveIsPlayable(const WaveFile& wave);
// Converts playable PCM data (8-bit unsigned, 16-bit signed little-endian) to float frames.
// An incomplete last frame is dropped.
SampleData ConvertWave(const WaveFile& wave);

}  // namespace el
