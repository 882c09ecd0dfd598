#pragma once
// The synthesiser's building blocks, shared by the sound effects and the music: the seeded
// generator behind noise and the composer's choices, the oscillator, one-pole filters, note
// pitches and room for a note in a sample buffer.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/gen/GenCommon.h"
#include "tools/gen/SoundFile.h"

namespace gen {

// Xorshift generator: the same numbers from run to run for the same seed.
class Rng {
  public:
    // A zero state would stay zero for ever; `ifZero` takes its place.
    explicit Rng(uint32_t state, uint32_t ifZero = 0x9E3779B9u) : s_(state ? state : ifZero) {}
    // The music scrambles its seeds first, so that neighbouring seeds start far apart.
    static Rng Scrambled(uint32_t seed) { return Rng(seed * 2654435761u + 12345u, 1); }

    uint32_t Next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    double Uniform() { return (Next() & 0xFFFFFF) / double(0x1000000); }  // 0 <= u < 1

  private:
    uint32_t s_;
};

// `None` is an instrument that stays silent.
enum class Wave { Sine, Square, Pulse, Tri, Saw, Organ, Noise, None };
// "sine", "square", "pulse", "tri", "saw", "organ", "noise", "none"; false for any other name.
bool ParseWave(const std::string& name, Wave& out);

// A sine at `phase` cycles.
inline double Sine(double phase) { return std::sin(2 * kPi * phase); }

// One sample of the wave at `phase` (in cycles); square and pulse swing between +-squareLevel,
// noise draws from `rng`.
double Oscillate(Wave wave, double phase, Rng& rng, double squareLevel);

// Pitch factor of a vibrato `depth` semitones deep at `rate` Hz, `t` seconds in.
inline double Vibrato(double rate, double depth, double t) {
    return std::pow(2.0, depth / 12.0 * std::sin(2 * kPi * rate * t));
}

// One-pole low-pass; `a` comes from LowPassCoefficient of the cutoff.
inline double LowPassCoefficient(double hz) { return 1 - std::exp(-2 * kPi * hz / kSampleRate); }
struct LowPass {
    double state = 0;
    double Step(double in, double a) {
        state += a * (in - state);
        return state;
    }
};

// One-pole high-pass; `a` comes from HighPassCoefficient of the cutoff.
inline double HighPassCoefficient(double hz) { return std::exp(-2 * kPi * hz / kSampleRate); }
struct HighPass {
    double state = 0, prev = 0;
    double Step(double in, double a) {
        state = a * (state + in - prev);
        prev = in;
        return state;
    }
};

// A note name such as "C5", "F#3", "Bb4" -> MIDI note number; false when it is none.
bool NoteMidi(const std::string& name, int& midi);
// Equal temperament, A4 (MIDI 69) at 440 Hz.
double MidiHz(int midi);

// The samples `seconds` long from `start` seconds on: `out` grows to hold them (and one more).
struct SampleSpan {
    size_t first, count;
};
SampleSpan MakeRoom(std::vector<float>& out, double start, double seconds);

}  // namespace gen
