#include "tools/gen/Synth.h"

#include <cctype>
#include <map>

namespace gen {

bool ParseWave(const std::string& name, Wave& out) {
    static const std::map<std::string, Wave> waves = {
        {"sine", Wave::Sine}, {"square", Wave::Square}, {"pulse", Wave::Pulse}, {"tri", Wave::Tri},
        {"saw", Wave::Saw},   {"organ", Wave::Organ},   {"noise", Wave::Noise}, {"none", Wave::None}};
    auto it = waves.find(name);
    if (it == waves.end()) return false;
    out = it->second;
    return true;
}

double Oscillate(Wave wave, double phase, Rng& rng, double squareLevel) {
    double p = phase - std::floor(phase);
    switch (wave) {
        case Wave::Square:
            return p < 0.5 ? squareLevel : -squareLevel;
        case Wave::Pulse:
            return p < 0.25 ? squareLevel : -squareLevel;
        case Wave::Tri:
            return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
        case Wave::Saw:
            return 2 * p - 1;
        case Wave::Organ:
            return 0.6 * std::sin(2 * kPi * p) + 0.3 * std::sin(4 * kPi * p) + 0.15 * std::sin(6 * kPi * p);
        case Wave::Noise:
            return rng.Uniform() * 2 - 1;
        case Wave::None:
            return 0;
        case Wave::Sine:
            break;
    }
    return Sine(p);
}

bool NoteMidi(const std::string& name, int& midi) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2) return false;
    char l = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (l < 'A' || l > 'G') return false;
    int semi = base[l - 'A'];
    size_t i = 1;
    while (i < name.size() && (name[i] == '#' || name[i] == 'b')) semi += name[i++] == '#' ? 1 : -1;
    if (i >= name.size()) return false;
    int octave = 0;
    try {
        size_t used = 0;
        octave = std::stoi(name.substr(i), &used);
        if (used != name.size() - i) return false;
    } catch (...) {
        return false;
    }
    midi = (octave + 1) * 12 + semi;
    return true;
}

double MidiHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

SampleSpan MakeRoom(std::vector<float>& out, double start, double seconds) {
    SampleSpan span{static_cast<size_t>(start * kSampleRate), static_cast<size_t>(seconds * kSampleRate)};
    if (out.size() < span.first + span.count + 1) out.resize(span.first + span.count + 1, 0.0f);
    return span;
}

}  // namespace gen
