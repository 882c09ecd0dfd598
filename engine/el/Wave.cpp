#include "engine/el/Wave.h"

#include <cstring>

namespace el {
namespace {

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

struct Chunk {
    size_t offset = 0;  // start of the chunk's data
    size_t size = 0;
};

// Finds the first chunk with the given id among the chunks in [begin, end); chunks are padded to
// an even size. A chunk that runs past `end` ends the search.
bool FindChunk(const uint8_t* bytes, size_t begin, size_t end, const char* id, Chunk& out) {
    size_t pos = begin;
    while (pos + 8 <= end) {
        const uint32_t size = Le32(bytes + pos + 4);
        const size_t dataStart = pos + 8;
        if (size > end - dataStart) return false;
        if (std::memcmp(bytes + pos, id, 4) == 0) {
            out.offset = dataStart;
            out.size = size;
            return true;
        }
        pos = dataStart + size + (size & 1);
    }
    return false;
}

}  // namespace

bool ParseWave(const uint8_t* bytes, size_t size, WaveFile& out) {
    out = WaveFile{};
    if (bytes == nullptr || size < 12) return false;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
    const uint32_t riffSize = Le32(bytes + 4);
    if (riffSize < 4 || riffSize > size - 8) return false;
    const size_t end = 8 + static_cast<size_t>(riffSize);

    Chunk fmt;
    if (!FindChunk(bytes, 12, end, "fmt ", fmt) || fmt.size < 16) return false;
    const uint8_t* f = bytes + fmt.offset;
    WaveFormat& wf = out.format;
    wf.formatTag = Le16(f);
    wf.channels = Le16(f + 2);
    wf.samplesPerSec = Le32(f + 4);
    wf.avgBytesPerSec = Le32(f + 8);
    wf.blockAlign = Le16(f + 12);
    wf.bitsPerSample = Le16(f + 14);
    if (wf.formatTag != 1) {
        // Other formats carry a 2-byte extra size and that many extra bytes.
        if (fmt.size < 18) return false;
        const uint16_t extraSize = Le16(f + 16);
        if (extraSize > fmt.size - 18) return false;
        wf.extra.assign(f + 18, f + 18 + extraSize);
    }

    Chunk data;
    if (!FindChunk(bytes, 12, end, "data", data)) return false;
    out.data.assign(bytes + data.offset, bytes + data.offset + data.size);
    return true;
}

bool WaveIsPlayable(const WaveFile& wave) {
    const WaveFormat& f = wave.format;
    if (f.formatTag != 1) return false;
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.samplesPerSec == 0) return false;
    if (f.blockAlign != f.channels * (f.bitsPerSample / 8)) return false;
    return wave.data.size() >= f.blockAlign;
}

SampleData ConvertWave(const WaveFile& wave) {
    SampleData s;
    if (!WaveIsPlayable(wave)) return s;
    const WaveFormat& f = wave.format;
    s.rate = static_cast<int>(f.samplesPerSec);
    s.channels = f.channels;
    s.frames = wave.data.size() / f.blockAlign;
    const size_t count = s.frames * s.channels;
    s.samples.resize(count);
    const uint8_t* p = wave.data.data();
    if (f.bitsPerSample == 8) {
        for (size_t i = 0; i < count; ++i) s.samples[i] = (static_cast<int>(p[i]) - 128) / 128.0f;
    } else {
        for (size_t i = 0; i < count; ++i) {
            const int16_t v = static_cast<int16_t>(Le16(p + 2 * i));
            s.samples[i] = v / 32768.0f;
        }
    }
    return s;
}

}  // namespace el
