#pragma once
// Builds small RIFF/WAVE files in memory for the sound tests.
#include <cstdint>
#include <string>
#include <vector>

namespace soundtest {

inline void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(v & 0xFF);
    b.push_back(v >> 8);
}
inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}
inline void PutId(std::vector<uint8_t>& b, const char* id) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(id[i]));
}

struct WaveDesc {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    std::vector<uint8_t> data;
    bool listChunkFirst = false;  // an odd-sized chunk before "fmt "
};

inline std::vector<uint8_t> MakeWave(const WaveDesc& s) {
    std::vector<uint8_t> body;
    PutId(body, "WAVE");
    if (s.listChunkFirst) {
        PutId(body, "LIST");
        Put32(body, 3);
        body.insert(body.end(), {'a', 'b', 'c', 0});  // padded to even
    }
    PutId(body, "fmt ");
    const bool extra = s.tag != 1;
    Put32(body, extra ? 18 : 16);
    Put16(body, s.tag);
    Put16(body, s.channels);
    Put32(body, s.rate);
    const uint16_t block = static_cast<uint16_t>(s.channels * s.bits / 8);
    Put32(body, s.rate * block);
    Put16(body, block);
    Put16(body, s.bits);
    if (extra) Put16(body, 0);
    PutId(body, "data");
    Put32(body, static_cast<uint32_t>(s.data.size()));
    body.insert(body.end(), s.data.begin(), s.data.end());
    if (s.data.size() & 1) body.push_back(0);
    std::vector<uint8_t> file;
    PutId(file, "RIFF");
    Put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// `frames` frames of 16-bit mono at a constant level.
inline std::vector<uint8_t> Constant16(int frames, int16_t level, int channels = 1) {
    std::vector<uint8_t> d;
    for (int i = 0; i < frames * channels; ++i) Put16(d, static_cast<uint16_t>(level));
    return d;
}

}  // namespace soundtest
