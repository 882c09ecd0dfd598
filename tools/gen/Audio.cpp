#include "tools/gen/Audio.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "tools/gen/Synth.h"

namespace gen {
namespace {

// The settings of one voice line, read once.
struct Voice {
    bool seq = false;  // a list of notes rather than one (sliding) tone
    Wave wave = Wave::Sine;
    bool pitchedNoise = false;  // noise held at the frequency (sample and hold) rather than white
    bool linearSlide = false;
    double dur = 0, delay = 0, vol = 0, attack = 0, release = 0, decay = 0;
    double vib = 0, vibDepth = 0, trem = 0, lp = 0, lp2 = 0, hp = 0, gap = 0, crush = 0;
    double step = 0;  // seq: from one note to the next
    int repeat = 1;
    uint32_t seed = 0;
    std::vector<std::pair<double, double>> notes;  // start and end frequency; 0 is a rest
};

Voice ReadVoice(const Line& v) {
    Voice o;
    o.seq = v.word == "seq";
    std::string wave = v.Str("wave", v.word == "noise" ? "noise" : "sine");
    if (!ParseWave(wave, o.wave)) v.Fail("unknown wave " + wave);
    o.pitchedNoise = o.wave == Wave::Noise && v.Has("f");
    o.dur = v.Num("dur", 0.2);
    o.delay = v.Num("delay", 0.0);
    o.vol = v.Num("vol", 0.5);
    o.attack = v.Num("attack", 0.005);
    o.release = v.Num("release", std::min(0.05, o.dur / 3));
    o.decay = v.Num("decay", 0.0);  // exponential time constant; 0 = flat
    o.vib = v.Num("vib", 0.0);
    o.vibDepth = v.Num("vibdepth", 0.3);
    o.trem = v.Num("trem", 0.0);
    o.lp = v.Num("lp", 0.0);
    o.lp2 = v.Num("lp2", o.lp);
    o.hp = v.Num("hp", 0.0);
    o.repeat = std::max(1, v.Int("repeat", 1));
    o.gap = v.Num("gap", 0.05);
    o.crush = v.Num("crush", 0.0);
    o.seed = static_cast<uint32_t>(v.Int("seed", 7));
    o.linearSlide = v.Str("slide", "exp") == "lin";
    o.step = o.dur;
    if (o.seq) {
        std::istringstream ns(v.Str("notes", ""));
        std::string n;
        while (ns >> n) {
            double hz = 0;
            if (n != "-" && n != "r" && !NoteFrequency(n, hz)) v.Fail("bad note " + n);
            o.notes.push_back({hz, hz});
        }
        if (o.notes.empty()) v.Fail("seq needs notes=\"C5 E5 ...\"");
        o.step = v.Num("step", 0.1);
        o.dur = v.Num("dur", o.step);
    } else {
        double f = v.Num("f", 440.0);
        o.notes.push_back({f, v.Num("f2", f)});
    }
    return o;
}

// Loudness at `t` seconds into a note: attack, release before its end, decay and tremolo.
double Envelope(const Voice& v, double t) {
    double env = 1.0;
    if (t < v.attack) env = t / v.attack;
    double left = v.dur - t;
    if (left < v.release) env *= std::max(0.0, left / v.release);
    if (v.decay > 0) env *= std::exp(-t / v.decay);
    if (v.trem > 0) env *= 0.6 + 0.4 * std::sin(2 * kPi * v.trem * t);
    return env;
}

// One note of the voice from `start` seconds on, sliding from f0 to f1 Hz.
void RenderNote(const Voice& v, double f0, double f1, double start, uint32_t seed, std::vector<float>& out) {
    const double sr = kSampleRate;
    SampleSpan span = MakeRoom(out, start, v.dur);
    size_t n = span.count;
    Rng rng(seed);
    double phase = 0, held = 0;
    int holdCount = 0;
    LowPass lowPass;
    HighPass highPass;
    double hpA = HighPassCoefficient(v.hp);
    for (size_t i = 0; i < n; ++i) {
        double t = i / sr, u = n > 1 ? double(i) / (n - 1) : 0;
        double f = v.linearSlide ? f0 + (f1 - f0) * u : (f0 > 0 && f1 > 0 ? f0 * std::pow(f1 / f0, u) : f0);
        if (v.vib > 0) f *= Vibrato(v.vib, v.vibDepth, t);
        phase += f / sr;
        double s;
        if (v.pitchedNoise && f0 > 0) {
            if (holdCount <= 0) {
                held = rng.Uniform() * 2 - 1;
                holdCount = std::max(1, static_cast<int>(sr / std::max(1.0, f)));
            }
            --holdCount;
            s = held;
        } else {
            s = Oscillate(v.wave, phase, rng, 0.8);
        }
        if (v.lp > 0) s = lowPass.Step(s, LowPassCoefficient(v.lp + (v.lp2 - v.lp) * u));
        if (v.hp > 0) s = highPass.Step(s, hpA);
        s *= Envelope(v, t) * v.vol;
        if (v.crush > 0) {
            double q = std::pow(2.0, v.crush);
            s = std::round(s * q) / q;
        }
        out[span.first + i] += static_cast<float>(s);
    }
}

// The voices of one sounds.txt line: "<path> <voice> ... [+ <voice> ...]". The first voice
// shares its Line with the path; false for a blank or comment line.
bool ReadSoundLine(const std::string& raw, const std::string& where, std::string& path,
                   std::vector<Line>& voices) {
    std::vector<std::string> layers;
    for (size_t at = 0;;) {
        size_t plus = raw.find(" + ", at);
        layers.push_back(raw.substr(at, plus == std::string::npos ? std::string::npos : plus - at));
        if (plus == std::string::npos) break;
        at = plus + 3;
    }
    Line first;
    if (!ParseLine(layers[0], where, first)) return false;
    if (first.args.empty()) first.Fail("a sound line is: path voice params... [+ voice params...]");
    path = first.word;
    first.word = first.args[0];
    first.args.erase(first.args.begin());
    voices = {first};
    for (size_t i = 1; i < layers.size(); ++i) {
        Line v;
        if (ParseLine(layers[i], where, v)) voices.push_back(v);
    }
    for (const Line& v : voices)
        if (v.word != "tone" && v.word != "noise" && v.word != "seq")
            v.Fail("voices are tone, noise or seq: " + v.word);
    return true;
}

}  // namespace

bool NoteFrequency(const std::string& name, double& hz) {
    int midi = 0;
    if (!NoteMidi(name, midi)) return false;
    hz = MidiHz(midi);
    return true;
}

void RenderVoice(const Line& line, std::vector<float>& out, double offset) {
    Voice v = ReadVoice(line);
    double start = v.delay + offset;
    double length = v.seq ? v.step * v.notes.size() : v.dur;
    for (int rep = 0; rep < v.repeat; ++rep) {
        double repStart = start + rep * (length + v.gap);
        for (size_t ni = 0; ni < v.notes.size(); ++ni) {
            auto [f0, f1] = v.notes[ni];
            if (v.seq && f0 <= 0) continue;
            RenderNote(v, f0, f1, repStart + (v.seq ? ni * v.step : 0.0),
                       v.seed + static_cast<uint32_t>(ni * 131 + rep * 977), out);
        }
    }
}

std::vector<std::string> GenerateSounds(const std::string& manifest, const std::string& gameDir) {
    std::istringstream in(ReadTextFile(manifest));
    std::string raw, path;
    std::vector<Line> voices;
    std::vector<std::string> written;
    for (int n = 1; std::getline(in, raw); ++n) {
        std::string where = "sounds.txt:" + std::to_string(n);
        if (!ReadSoundLine(raw, where, path, voices)) continue;
        std::vector<float> samples;
        double peak = 0.85;  // loudness after normalising; quieter for ambient sounds and ticks
        for (const Line& v : voices) {
            RenderVoice(v, samples);
            peak = std::min(peak, v.Num("peak", 0.85));
        }
        if (samples.empty()) throw GenError(where + ": empty sound");
        WriteFileAtomic(JoinPath(gameDir, path), EncodeWav(samples, peak));
        written.push_back(path);
    }
    return written;
}

}  // namespace gen
