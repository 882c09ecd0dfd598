#pragma once
// The sound files the generator writes: WAV for the effects, Ogg Vorbis for the music. A library
// of its own, so tests that need a real Ogg file make it the way the game's files are made.
#include <string>
#include <vector>

namespace gen {

constexpr int kSampleRate = 22050;

// 16-bit PCM mono WAV at kSampleRate; samples are scaled so the loudest is at `peak`.
std::string EncodeWav(const std::vector<float>& samples, double peak = 0.85);
// Ogg Vorbis, mono, kSampleRate, VBR at the given quality (-0.1 .. 1.0), the loudest sample at 0.8.
// The title is stored as a comment and picks the stream's serial number.
std::string EncodeOgg(const std::vector<float>& samples, double quality, const std::string& title);

}  // namespace gen
