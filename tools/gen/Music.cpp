// Music: each piece of music.txt is composed from its key, mode, tempo, chord progression,
// instruments, drum style and seed, then encoded as an Ogg Vorbis loop.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "tools/gen/Audio.h"

namespace fs = std::filesystem;

namespace gen {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Raise when the composition code changes, so cached pieces are made again.
constexpr int kMusicVersion = 3;

struct Rng {
    uint32_t s;
    explicit Rng(uint32_t seed) : s(seed * 2654435761u + 12345u) {
        if (!s) s = 1;
    }
    uint32_t Next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double Uniform() { return (Next() & 0xFFFFFF) / double(0x1000000); }
    int Range(int lo, int hi) { return lo + static_cast<int>(Uniform() * (hi - lo + 1)); }
};

double Osc(const std::string& w, double p, Rng& rng) {
    p -= std::floor(p);
    if (w == "square") return p < 0.5 ? 0.7 : -0.7;
    if (w == "pulse") return p < 0.25 ? 0.7 : -0.7;
    if (w == "tri") return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    if (w == "saw") return 2 * p - 1;
    if (w == "organ")
        return 0.6 * std::sin(2 * kPi * p) + 0.3 * std::sin(4 * kPi * p) + 0.15 * std::sin(6 * kPi * p);
    if (w == "noise") return rng.Uniform() * 2 - 1;
    return std::sin(2 * kPi * p);
}

struct Instrument {
    std::string wave = "square";
    double vol = 0.3, attack = 0.01, release = 0.06, decay = 0.0, vib = 0.0, lp = 0.0;
};

void PlayNote(std::vector<float>& out, double start, double dur, double hz, const Instrument& ins,
              uint32_t seed) {
    const double sr = kSampleRate;
    double total = dur + ins.release;
    size_t s0 = static_cast<size_t>(start * sr), n = static_cast<size_t>(total * sr);
    if (out.size() < s0 + n + 1) out.resize(s0 + n + 1, 0.0f);
    Rng rng(seed);
    double phase = 0, lpState = 0;
    double a = ins.lp > 0 ? 1 - std::exp(-2 * kPi * ins.lp / sr) : 1.0;
    for (size_t i = 0; i < n; ++i) {
        double t = i / sr;
        double f = hz;
        if (ins.vib > 0 && t > 0.15) f *= std::pow(2.0, 0.15 / 12.0 * std::sin(2 * kPi * ins.vib * t));
        phase += f / sr;
        double s = Osc(ins.wave, phase, rng);
        if (ins.lp > 0) {
            lpState += a * (s - lpState);
            s = lpState;
        }
        double env = t < ins.attack ? t / ins.attack : 1.0;
        if (ins.decay > 0) env *= std::exp(-t / ins.decay);
        if (t > dur) env *= std::max(0.0, 1 - (t - dur) / ins.release);
        out[s0 + i] += static_cast<float>(s * env * ins.vol);
    }
}

void Drum(std::vector<float>& out, double start, const std::string& kind, double vol, uint32_t seed) {
    const double sr = kSampleRate;
    double len = kind == "kick" ? 0.25 : kind == "snare" ? 0.18 : kind == "tom" ? 0.2 : 0.06;
    size_t s0 = static_cast<size_t>(start * sr), n = static_cast<size_t>(len * sr);
    if (out.size() < s0 + n + 1) out.resize(s0 + n + 1, 0.0f);
    Rng rng(seed);
    double phase = 0, hpPrev = 0, hpState = 0;
    for (size_t i = 0; i < n; ++i) {
        double t = i / sr, s = 0;
        if (kind == "kick") {
            phase += (45 + 110 * std::exp(-t / 0.03)) / sr;
            s = std::sin(2 * kPi * phase) * std::exp(-t / 0.09);
        } else if (kind == "tom") {
            phase += (110 + 60 * std::exp(-t / 0.05)) / sr;
            s = std::sin(2 * kPi * phase) * std::exp(-t / 0.08);
        } else {
            double noise = rng.Uniform() * 2 - 1;
            double a = std::exp(-2 * kPi * (kind == "snare" ? 900.0 : 5000.0) / sr);
            double y = a * (hpState + noise - hpPrev);
            hpPrev = noise;
            hpState = y;
            if (kind == "snare") {
                phase += 190 / sr;
                s = (0.7 * y + 0.4 * std::sin(2 * kPi * phase)) * std::exp(-t / 0.06);
            } else {
                s = y * std::exp(-t / (kind == "openhat" ? 0.05 : 0.015)) * 0.6;
            }
        }
        out[s0 + i] += static_cast<float>(s * vol);
    }
}

std::vector<int> ScaleOf(const std::string& mode) {
    static const std::map<std::string, std::vector<int>> scales = {
        {"major", {0, 2, 4, 5, 7, 9, 11}},    {"minor", {0, 2, 3, 5, 7, 8, 10}},
        {"dorian", {0, 2, 3, 5, 7, 9, 10}},   {"mixolydian", {0, 2, 4, 5, 7, 9, 10}},
        {"harmonic", {0, 2, 3, 5, 7, 8, 11}}, {"phrygian", {0, 1, 3, 5, 7, 8, 10}},
        {"lydian", {0, 2, 4, 6, 7, 9, 11}},
    };
    auto it = scales.find(mode);
    if (it == scales.end()) throw GenError("unknown mode " + mode);
    return it->second;
}

int DegreeOf(const std::string& roman) {
    static const char* numerals[7] = {"i", "ii", "iii", "iv", "v", "vi", "vii"};
    std::string lower = roman;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    for (int i = 6; i >= 0; --i)
        if (lower == numerals[i]) return i;
    if (lower.size() == 1 && lower[0] >= '1' && lower[0] <= '7') return lower[0] - '1';
    throw GenError("unknown chord " + roman);
}

struct Tonality {
    int root;  // MIDI note of the key's root at octave 0 offset (C = 0)
    std::vector<int> scale;
    // Scale index (any integer) -> MIDI note, with octave 4 as the middle.
    int Midi(int idx, int octave) const {
        int n = static_cast<int>(scale.size());
        int o = idx >= 0 ? idx / n : -((-idx + n - 1) / n);
        int d = idx - o * n;
        return (octave + 1 + o) * 12 + root + scale[d];
    }
};

double Hz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

}  // namespace

std::vector<float> ComposePiece(const Line& p) {
    double tempo = p.Num("tempo", 120);
    int beats = p.Int("beats", 4);
    int bars = p.Int("bars", 8);
    double beat = 60.0 / tempo;
    double loopLen = bars * beats * beat;
    if (loopLen < 5 || loopLen > 60)
        p.Fail("a piece should last 5..60 s, this one lasts " + std::to_string(loopLen));

    double keyHz = 0;
    std::string key = p.Str("key", "C");
    if (!NoteFrequency(key + "4", keyHz)) p.Fail("bad key " + key);
    Tonality ton{static_cast<int>(std::lround(12 * std::log2(keyHz / 440.0) + 69)) - 60,
                 ScaleOf(p.Str("mode", "major"))};

    std::vector<int> prog;
    {
        std::istringstream ps(p.Str("prog", "I IV V I"));
        std::string c;
        while (ps >> c) prog.push_back(DegreeOf(c));
        if (prog.empty()) p.Fail("empty chord progression");
    }
    int chordBars = std::max(1, p.Int("chordbars", 1));
    auto chordAt = [&](int bar) { return prog[(bar / chordBars) % prog.size()]; };

    Instrument lead{p.Str("lead", "square"), p.Num("leadvol", 0.28), 0.01, 0.08, p.Num("leaddecay", 0.0),
                    p.Num("vib", 5.0),       p.Num("leadlp", 0.0)};
    Instrument bass{p.Str("bass", "tri"), p.Num("bassvol", 0.35), 0.005, 0.05, 0.35, 0.0, 0.0};
    Instrument pad{p.Str("pad", "saw"), p.Num("padvol", 0.08), 0.08, 0.2, 0.0, 0.0, 1800.0};
    int leadOct = p.Int("leadoct", 5);
    uint32_t seed = static_cast<uint32_t>(p.Int("seed", 1));
    double density = p.Num("density", 0.5);
    double swing = p.Num("swing", 0.0);
    std::vector<float> out(static_cast<size_t>((loopLen + 3) * kSampleRate), 0.0f);
    auto timeOf = [&](double beatPos) {
        double frac = beatPos - std::floor(beatPos);
        if (swing > 0 && std::abs(frac - 0.5) < 1e-6) beatPos += swing * 0.5;
        return beatPos * beat;
    };

    // Chords and bass.
    std::string padStyle = p.Str("padstyle", "hold");
    std::string bassStyle = p.Str("bassstyle", "root");
    for (int bar = 0; bar < bars; ++bar) {
        int deg = chordAt(bar);
        double barStart = bar * beats;
        int rootMidi = ton.Midi(deg, 2);
        if (pad.wave != "none") {
            int tones[3] = {ton.Midi(deg, 4), ton.Midi(deg + 2, 4), ton.Midi(deg + 4, 4)};
            if (padStyle == "hold") {
                for (int t : tones)
                    PlayNote(out, timeOf(barStart), beats * beat * 0.95, Hz(t), pad, seed + bar);
            } else if (padStyle == "arp") {
                for (int s = 0; s < beats * 2; ++s)
                    PlayNote(out, timeOf(barStart + s * 0.5), beat * 0.45,
                             Hz(tones[s % 3] + (s % 6 >= 3 ? 12 : 0)), pad, seed + s);
            } else if (padStyle == "stab") {
                for (int b = 1; b < beats; b += (beats == 3 ? 1 : 2))
                    for (int t : tones) PlayNote(out, timeOf(barStart + b), beat * 0.4, Hz(t), pad, seed + b);
            }
        }
        for (int b = 0; b < beats; ++b) {
            double at = barStart + b;
            if (bassStyle == "root") {
                PlayNote(out, timeOf(at), beat * 0.9, Hz(rootMidi), bass, seed);
            } else if (bassStyle == "eighth") {
                PlayNote(out, timeOf(at), beat * 0.45, Hz(rootMidi), bass, seed);
                PlayNote(out, timeOf(at + 0.5), beat * 0.45, Hz(rootMidi + (b % 2 ? 12 : 0)), bass, seed);
            } else if (bassStyle == "walk") {
                int idx[4] = {deg, deg + 2, deg + 4, deg + 5};
                PlayNote(out, timeOf(at), beat * 0.9, Hz(ton.Midi(idx[b % 4], 2)), bass, seed);
            } else if (bassStyle == "octave") {
                PlayNote(out, timeOf(at), beat * 0.45, Hz(rootMidi), bass, seed);
                PlayNote(out, timeOf(at + 0.5), beat * 0.45, Hz(rootMidi + 12), bass, seed);
            } else if (bassStyle == "waltz") {
                if (b == 0) PlayNote(out, timeOf(at), beat * 0.9, Hz(rootMidi), bass, seed);
            } else if (bassStyle == "half") {
                if (b % 2 == 0) PlayNote(out, timeOf(at), beat * 1.8, Hz(rootMidi + (b ? 7 : 0)), bass, seed);
            } else if (bassStyle == "drone") {
                if (b == 0) PlayNote(out, timeOf(at), beats * beat, Hz(ton.Midi(0, 2)), bass, seed);
            } else if (bassStyle != "none") {
                p.Fail("unknown bass style " + bassStyle);
            }
        }
    }

    // Melody: an explicit one, or motifs of two bars made from the seed and fitted to the chords.
    std::string given = p.Str("melody", "");
    if (!given.empty()) {
        std::istringstream ms(given);
        std::string tok;
        double pos = 0;
        while (ms >> tok && pos < bars * beats) {
            size_t colon = tok.find(':');
            double len = colon == std::string::npos ? 1.0 : std::atof(tok.c_str() + colon + 1);
            std::string name = tok.substr(0, colon);
            double hz = 0;
            if (name != "-" && NoteFrequency(name, hz))
                PlayNote(out, timeOf(pos), len * beat * 0.9, hz, lead, seed);
            else if (name != "-")
                p.Fail("bad melody note " + name);
            pos += len;
        }
    } else if (lead.wave != "none") {
        static const std::vector<std::vector<double>> kRhythms = {
            {1, 1},     {0.5, 0.5, 1}, {1, 0.5, 0.5},   {0.5, 0.5, 0.5, 0.5},
            {1.5, 0.5}, {2},           {0.75, 0.25, 1}, {0.5, 1, 0.5}};
        int phraseBeats = beats * 2;
        std::string form = p.Str("form", "AABA");
        int prev = 7;  // scale index near the octave's middle
        for (int phrase = 0; phrase * 2 < bars; ++phrase) {
            char motif = form[static_cast<size_t>(phrase) % form.size()];
            Rng rr(seed * 31 + static_cast<uint32_t>(motif));  // the same motif keeps its rhythm and contour
            Rng vary(seed * 97 + static_cast<uint32_t>(phrase));
            double pos = phrase * phraseBeats;
            double end = pos + phraseBeats;
            bool last = (phrase + 1) * 2 >= bars;
            while (pos < end - 1e-9) {
                const auto& rh = kRhythms[std::min<size_t>(
                    kRhythms.size() - 1,
                    static_cast<size_t>(rr.Uniform() * (2 + density * (kRhythms.size() - 2))))];
                for (double len : rh) {
                    if (pos >= end - 1e-9) break;
                    len = std::min(len, end - pos);
                    bool phraseEnd = pos + len >= end - 1e-9;
                    if (phraseEnd) len = end - pos;
                    int bar = static_cast<int>(pos) / beats;
                    int deg = chordAt(bar);
                    bool strong =
                        std::fmod(pos, 1.0) < 1e-9 && (static_cast<int>(pos) % 2 == 0 || beats == 3);
                    int move = static_cast<int>(rr.Uniform() * 5) - 2;  // contour of the motif
                    int target = prev + move;
                    if (strong || phraseEnd) {
                        // nearest chord tone to the contour's target
                        int best = target, bestDist = 99;
                        for (int o = -2; o <= 2; ++o)
                            for (int t = 0; t < 3; ++t) {
                                int cand = deg + 2 * t + 7 * o;
                                if (last && phraseEnd) cand = 7 * o;  // end the loop on the key note
                                int d = std::abs(cand - target);
                                if (d < bestDist) {
                                    bestDist = d;
                                    best = cand;
                                }
                            }
                        target = best;
                    }
                    if (motif != 'A' && vary.Uniform() < 0.2) target += 1;
                    target = std::clamp(target, 2, 13);
                    bool rest = !phraseEnd && !strong && rr.Uniform() < 0.12 * (1 - density);
                    if (!rest)
                        PlayNote(out, timeOf(pos), len * beat * (phraseEnd ? 0.95 : 0.85),
                                 Hz(ton.Midi(target, leadOct - 1)), lead, seed);
                    prev = target;
                    pos += len;
                }
            }
        }
    }

    // A second voice on the off-beats, following the chords, for fuller pieces.
    if (p.Int("harmony", 0)) {
        Instrument h = lead;
        h.vol *= 0.45;
        h.wave = p.Str("harmonywave", "tri");
        for (int bar = 0; bar < bars; ++bar) {
            int deg = chordAt(bar);
            for (int b = 0; b < beats; b += 2)
                PlayNote(out, timeOf(bar * beats + b + 0.5), beat * 1.2,
                         Hz(ton.Midi(deg + 2 + (b ? 2 : 0), leadOct - 2)), h, seed);
        }
    }

    // Drums.
    std::string drums = p.Str("drums", "none");
    double dv = p.Num("drumvol", 0.5);
    if (drums != "none") {
        int steps = beats * 4;
        for (int bar = 0; bar < bars; ++bar)
            for (int s = 0; s < steps; ++s) {
                double at = timeOf(bar * beats + s * 0.25);
                uint32_t ds = seed + static_cast<uint32_t>(bar * 64 + s);
                bool fill = bar % 4 == 3 && s >= steps - 4;
                if (drums == "rock") {
                    if (s == 0 || s == 8 || s == 10) Drum(out, at, "kick", dv, ds);
                    if (s == 4 || s == 12 || (fill && s % 2 == 1)) Drum(out, at, "snare", dv * 0.7, ds);
                    if (s % 2 == 0) Drum(out, at, "hat", dv * 0.5, ds);
                } else if (drums == "fast") {
                    if (s % 4 == 0) Drum(out, at, "kick", dv, ds);
                    if (s == 4 || s == 12 || (fill && s % 2 == 0)) Drum(out, at, "snare", dv * 0.7, ds);
                    Drum(out, at, "hat", dv * (s % 2 ? 0.3 : 0.5), ds);
                } else if (drums == "march") {
                    if (s == 0 || s == 8) Drum(out, at, "kick", dv, ds);
                    if (s == 4 || s == 12 || s == 14 || s == 15 || (fill && s % 2 == 1))
                        Drum(out, at, "snare", dv * 0.6, ds);
                } else if (drums == "waltz") {
                    if (s == 0) Drum(out, at, "kick", dv, ds);
                    if (s == 4 || s == 8) Drum(out, at, "hat", dv * 0.5, ds);
                } else if (drums == "soft") {
                    if (s == 0 || (beats == 4 && s == 10)) Drum(out, at, "kick", dv * 0.7, ds);
                    if (s % 4 == 2) Drum(out, at, "hat", dv * 0.3, ds);
                } else if (drums == "boss") {
                    if (s == 0 || s == 3 || s == 6 || s == 8 || s == 11 || s == 14)
                        Drum(out, at, "kick", dv, ds);
                    if (s == 4 || s == 12) Drum(out, at, "snare", dv * 0.8, ds);
                    if (fill) Drum(out, at, "tom", dv * 0.7, ds);
                    if (s % 2 == 0) Drum(out, at, "hat", dv * 0.4, ds);
                } else if (drums == "latin") {
                    if (s == 0 || s == 6 || s == 8 || s == 14) Drum(out, at, "kick", dv, ds);
                    if (s == 3 || s == 7 || s == 10) Drum(out, at, "snare", dv * 0.4, ds);
                    if (s % 2 == 0) Drum(out, at, "hat", dv * 0.4, ds);
                } else if (drums == "tension") {
                    if (s % 8 == 0) Drum(out, at, "tom", dv, ds);
                    if (s % 4 == 2) Drum(out, at, "hat", dv * 0.3, ds);
                } else {
                    p.Fail("unknown drum style " + drums);
                }
            }
    }

    // Echo, then fold the tail past the loop end back onto its start so the loop is seamless.
    double echo = p.Num("echo", 0.2);
    if (echo > 0) {
        size_t d = static_cast<size_t>(beat * 0.75 * kSampleRate);
        for (size_t i = d; i < out.size(); ++i) out[i] += static_cast<float>(echo * out[i - d]);
    }
    size_t loopN = static_cast<size_t>(loopLen * kSampleRate);
    bool loop = p.Int("loop", 1) != 0;
    if (loop) {
        for (size_t i = loopN; i < out.size(); ++i) out[i - loopN] += out[i];
        out.resize(loopN);
    } else {
        out.resize(std::min(out.size(), loopN + static_cast<size_t>(1.5 * kSampleRate)));
    }
    return out;
}

std::vector<std::string> GenerateMusic(const std::string& manifest, const std::string& gameDir,
                                       const std::string& cacheDir) {
    std::vector<std::string> written;
    if (!cacheDir.empty()) fs::create_directories(cacheDir);
    for (const Line& p : ReadManifest(manifest)) {
        if (p.word != "piece" || p.args.empty()) p.Fail("a music line is: piece <path> name=value ...");
        std::string path = p.args[0];
        std::string id = "v" + std::to_string(kMusicVersion) + "|" + path;
        for (auto& [k, v] : p.params) id += "|" + k + "=" + v;
        char name[32];
        std::snprintf(name, sizeof name, "%016llx.ogg", static_cast<unsigned long long>(Hash64(id)));
        std::string cached = cacheDir.empty() ? "" : (fs::path(cacheDir) / name).string();
        std::string bytes;
        if (!cached.empty() && fs::exists(cached)) {
            bytes = ReadTextFile(cached);
        } else {
            bytes = EncodeOgg(ComposePiece(p), p.Num("quality", 0.1), p.Str("title", path));
            if (!cached.empty()) WriteFileAtomic(cached, bytes);
        }
        WriteFileAtomic(JoinPath(gameDir, path), bytes);
        written.push_back(path);
    }
    return written;
}

}  // namespace gen
