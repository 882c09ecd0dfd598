// Music: each piece of music.txt is composed from its key, mode, tempo, chord progression,
// instruments, accompaniment styles and seed, then encoded as an Ogg Vorbis loop. What the
// bass, the chords and the drums play in each style is data, in the tables below; the composer
// reads a piece's line once and then lays down its parts one after the other.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "tools/gen/Audio.h"
#include "tools/gen/Synth.h"

namespace fs = std::filesystem;

namespace gen {
namespace {

// Raise when the composition code changes, so cached pieces are made again.
constexpr int kMusicVersion = 3;

// ---------------------------------------------------------------- style tables

const std::map<std::string, std::vector<int>>& Scales() {
    static const std::map<std::string, std::vector<int>> scales = {
        {"major", {0, 2, 4, 5, 7, 9, 11}},    {"minor", {0, 2, 3, 5, 7, 8, 10}},
        {"dorian", {0, 2, 3, 5, 7, 9, 10}},   {"mixolydian", {0, 2, 4, 5, 7, 9, 10}},
        {"harmonic", {0, 2, 3, 5, 7, 8, 11}}, {"phrygian", {0, 1, 3, 5, 7, 8, 10}},
        {"lydian", {0, 2, 4, 6, 7, 9, 11}},
    };
    return scales;
}

// A note length: `share` of a beat, or of the whole bar.
struct Length {
    double share = 0.9;
    bool ofBar = false;
    double Seconds(int beats, double beat) const { return ofBar ? beats * beat * share : beat * share; }
};

// Where a part sounds on its grid: an 'x' in the pattern, which repeats; pieces in 3/4 time use
// `triple` when the part has one of its own.
struct Rhythm {
    const char* pattern = "x";
    const char* triple = nullptr;
    bool Sounds(int step, int beats) const {
        const char* p = beats == 3 && triple ? triple : pattern;
        size_t n = std::strlen(p);
        return n > 0 && p[static_cast<size_t>(step) % n] == 'x';
    }
};

// One note of a bass style. It sounds on the beats b of the bar with b % every == on (every 0:
// on beat `on` alone), from beat `from` on, `at` beats after the beat. Its pitch is the chord's
// root (the key's with keyRoot) moved `step` notes up the scale and then `semis` semitones.
struct BassNote {
    int every = 1, on = 0, from = 0;
    double at = 0;
    Length len{};
    bool keyRoot = false;
    int step = 0, semis = 0;
    bool On(int b) const { return b >= from && (every == 0 ? b == on : b % every == on); }
};

const std::map<std::string, std::vector<BassNote>>& BassStyles() {
    static const std::map<std::string, std::vector<BassNote>> styles = {
        {"none", {}},
        {"root", {{}}},
        {"eighth",
         {{.len = {0.45}},
          {.every = 2, .at = 0.5, .len = {0.45}},
          {.every = 2, .on = 1, .at = 0.5, .len = {0.45}, .semis = 12}}},
        {"walk",
         {{.every = 4},
          {.every = 4, .on = 1, .step = 2},
          {.every = 4, .on = 2, .step = 4},
          {.every = 4, .on = 3, .step = 5}}},
        {"octave", {{.len = {0.45}}, {.at = 0.5, .len = {0.45}, .semis = 12}}},
        {"waltz", {{.every = 0}}},
        {"half", {{.every = 0, .len = {1.8}}, {.every = 2, .from = 1, .len = {1.8}, .semis = 7}}},
        {"drone", {{.every = 0, .len = {1.0, true}, .keyRoot = true}}},
    };
    return styles;
}

// How a chord style plays the bar's chord (root, third and fifth): on a grid of `step` beats
// (0: one step, the whole bar), at the steps its rhythm marks. A broken chord sounds one tone a
// step, up through the chord and on an octave higher.
struct PadStyle {
    double step = 1;
    Rhythm rhythm{};
    Length len{};
    bool broken = false;
    bool seedPerBar = false;  // the noise of a held chord changes from bar to bar, not step to step
};

const std::map<std::string, PadStyle>& PadStyles() {
    static const std::map<std::string, PadStyle> styles = {
        {"off", {.rhythm = {""}}},
        {"hold", {.step = 0, .len = {0.95, true}, .seedPerBar = true}},
        {"arp", {.step = 0.5, .len = {0.45}, .broken = true}},
        {"stab", {.rhythm = {"-x", "-xx"}, .len = {0.4}}},
    };
    return styles;
}

enum class Drum { Kick, Snare, Tom, Hat };

// One drum of a drum style, on the grid of sixteenth notes (patterns of one 4/4 bar). `fill`
// adds hits in the last beat of every fourth bar.
struct DrumPart {
    Drum drum;
    double vol;
    Rhythm rhythm{};
    const char* fill = "";
};

const std::map<std::string, std::vector<DrumPart>>& DrumStyles() {
    using enum Drum;
    static const std::map<std::string, std::vector<DrumPart>> styles = {
        {"none", {}},
        {"rock",
         {{Kick, 1.0, {"x.......x.x....."}}, {Snare, 0.7, {"....x.......x..."}, ".x.x"}, {Hat, 0.5, {"x."}}}},
        {"fast",
         {{Kick, 1.0, {"x..."}},
          {Snare, 0.7, {"....x.......x..."}, "x.x."},
          {Hat, 0.5, {"x."}},
          {Hat, 0.3, {".x"}}}},
        {"march", {{Kick, 1.0, {"x.......x......."}}, {Snare, 0.6, {"....x.......x.xx"}, ".x.x"}}},
        {"waltz", {{Kick, 1.0, {"x..............."}}, {Hat, 0.5, {"....x...x......."}}}},
        {"soft", {{Kick, 0.7, {"x.........x.....", "x..........."}}, {Hat, 0.3, {"..x."}}}},
        {"boss",
         {{Kick, 1.0, {"x..x..x.x..x..x."}},
          {Snare, 0.8, {"....x.......x..."}},
          {Tom, 0.7, {""}, "xxxx"},
          {Hat, 0.4, {"x."}}}},
        {"latin",
         {{Kick, 1.0, {"x.....x.x.....x."}}, {Snare, 0.4, {"...x...x..x....."}}, {Hat, 0.4, {"x."}}}},
        {"tension", {{Tom, 1.0, {"x......."}}, {Hat, 0.3, {"..x."}}}},
    };
    return styles;
}

// The lead's rhythms, one or two beats each; denser pieces reach further down the list.
const std::vector<std::vector<double>> kRhythms = {
    {1, 1},     {0.5, 0.5, 1}, {1, 0.5, 0.5},   {0.5, 0.5, 0.5, 0.5},
    {1.5, 0.5}, {2},           {0.75, 0.25, 1}, {0.5, 1, 0.5}};

template <typename Style>
const Style& StyleNamed(const std::map<std::string, Style>& styles, const Line& p, const std::string& what,
                        const std::string& fallback) {
    std::string name = p.Str(what, fallback);
    auto it = styles.find(name);
    if (it == styles.end()) p.Fail("unknown " + what + " " + name);
    return it->second;
}

// ---------------------------------------------------------------- instruments

struct Instrument {
    Wave wave = Wave::Square;
    double vol = 0.3, attack = 0.01, release = 0.06, decay = 0.0, vib = 0.0, lp = 0.0;
};

Wave WaveNamed(const Line& p, const std::string& what, const std::string& fallback) {
    std::string name = p.Str(what, fallback);
    Wave w = Wave::None;
    if (!ParseWave(name, w)) p.Fail("unknown wave " + name);
    return w;
}

void PlayNote(std::vector<float>& out, double start, double dur, double hz, const Instrument& ins,
              uint32_t seed) {
    if (ins.wave == Wave::None) return;
    const double sr = kSampleRate;
    SampleSpan span = MakeRoom(out, start, dur + ins.release);
    Rng rng = Rng::Scrambled(seed);
    double phase = 0;
    LowPass lowPass;
    double a = ins.lp > 0 ? LowPassCoefficient(ins.lp) : 1.0;
    for (size_t i = 0; i < span.count; ++i) {
        double t = i / sr;
        double f = hz;
        if (ins.vib > 0 && t > 0.15) f *= Vibrato(ins.vib, 0.15, t);
        phase += f / sr;
        double s = Oscillate(ins.wave, phase, rng, 0.7);
        if (ins.lp > 0) s = lowPass.Step(s, a);
        double env = t < ins.attack ? t / ins.attack : 1.0;
        if (ins.decay > 0) env *= std::exp(-t / ins.decay);
        if (t > dur) env *= std::max(0.0, 1 - (t - dur) / ins.release);
        out[span.first + i] += static_cast<float>(s * env * ins.vol);
    }
}

void PlayDrum(std::vector<float>& out, double start, Drum kind, double vol, uint32_t seed) {
    static const double kLength[] = {0.25, 0.18, 0.2, 0.06};  // kick, snare, tom, hat
    const double sr = kSampleRate;
    SampleSpan span = MakeRoom(out, start, kLength[static_cast<int>(kind)]);
    Rng rng = Rng::Scrambled(seed);
    double phase = 0;
    HighPass hiss;  // snare and hat: noise without its lows
    double a = HighPassCoefficient(kind == Drum::Snare ? 900.0 : 5000.0);
    for (size_t i = 0; i < span.count; ++i) {
        double t = i / sr, s = 0;
        switch (kind) {
            case Drum::Kick:
                phase += (45 + 110 * std::exp(-t / 0.03)) / sr;
                s = Sine(phase) * std::exp(-t / 0.09);
                break;
            case Drum::Tom:
                phase += (110 + 60 * std::exp(-t / 0.05)) / sr;
                s = Sine(phase) * std::exp(-t / 0.08);
                break;
            case Drum::Snare: {
                double y = hiss.Step(rng.Uniform() * 2 - 1, a);
                phase += 190 / sr;
                s = (0.7 * y + 0.4 * Sine(phase)) * std::exp(-t / 0.06);
                break;
            }
            case Drum::Hat:
                s = hiss.Step(rng.Uniform() * 2 - 1, a) * std::exp(-t / 0.015) * 0.6;
                break;
        }
        out[span.first + i] += static_cast<float>(s * vol);
    }
}

// "I".."VII" (either case) or "1".."7" -> scale degree 0..6; -1 for anything else.
int DegreeOf(const std::string& roman) {
    static const char* numerals[7] = {"i", "ii", "iii", "iv", "v", "vi", "vii"};
    std::string lower = roman;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    for (int i = 6; i >= 0; --i)
        if (lower == numerals[i]) return i;
    if (lower.size() == 1 && lower[0] >= '1' && lower[0] <= '7') return lower[0] - '1';
    return -1;
}

struct Tonality {
    int root;  // semitones of the key's root above C
    std::vector<int> scale;
    // Scale index (any integer) -> MIDI note, with octave 4 as the middle.
    int Midi(int idx, int octave) const {
        int n = static_cast<int>(scale.size());
        int o = idx >= 0 ? idx / n : -((-idx + n - 1) / n);
        int d = idx - o * n;
        return (octave + 1 + o) * 12 + root + scale[d];
    }
};

// ---------------------------------------------------------------- the composer

class Composer {
  public:
    explicit Composer(const Line& p);
    std::vector<float> Compose();

  private:
    double TimeOf(double beatPos) const;
    int ChordAt(int bar) const { return prog_[(bar / chordBars_) % prog_.size()]; }
    void PlayChords(int bar);
    void PlayBass(int bar);
    void PlayGivenMelody(const std::string& melody);
    void PlayMotifMelody();
    int PlayPhrase(int phrase, char motif, int prev);
    void PlayHarmony();
    void PlayDrums();
    void AddEcho();
    void CloseLoop();

    const Line& p_;
    double tempo_, beat_, loopLen_;
    int beats_, bars_;
    Tonality ton_;
    std::vector<int> prog_;
    int chordBars_;
    Instrument lead_, bass_, pad_;
    int leadOct_;
    uint32_t seed_;
    double density_, swing_;
    const PadStyle& padStyle_;
    const std::vector<BassNote>& bassStyle_;
    const std::vector<DrumPart>& drums_;
    std::vector<float> out_;
};

Composer::Composer(const Line& p)
    : p_(p),
      tempo_(p.Num("tempo", 120)),
      beat_(60.0 / tempo_),
      beats_(p.Int("beats", 4)),
      bars_(p.Int("bars", 8)),
      ton_{0, {}},
      chordBars_(std::max(1, p.Int("chordbars", 1))),
      lead_{WaveNamed(p, "lead", "square"),
            p.Num("leadvol", 0.28),
            0.01,
            0.08,
            p.Num("leaddecay", 0.0),
            p.Num("vib", 5.0),
            p.Num("leadlp", 0.0)},
      bass_{WaveNamed(p, "bass", "tri"), p.Num("bassvol", 0.35), 0.005, 0.05, 0.35, 0.0, 0.0},
      pad_{WaveNamed(p, "pad", "saw"), p.Num("padvol", 0.08), 0.08, 0.2, 0.0, 0.0, 1800.0},
      leadOct_(p.Int("leadoct", 5)),
      seed_(static_cast<uint32_t>(p.Int("seed", 1))),
      density_(p.Num("density", 0.5)),
      swing_(p.Num("swing", 0.0)),
      padStyle_(StyleNamed(PadStyles(), p, "padstyle", "hold")),
      bassStyle_(StyleNamed(BassStyles(), p, "bassstyle", "root")),
      drums_(StyleNamed(DrumStyles(), p, "drums", "none")) {
    loopLen_ = bars_ * beats_ * beat_;
    if (loopLen_ < 5 || loopLen_ > 60)
        p.Fail("a piece should last 5..60 s, this one lasts " + std::to_string(loopLen_));

    std::string key = p.Str("key", "C");
    int keyMidi = 0;
    if (!NoteMidi(key + "4", keyMidi)) p.Fail("bad key " + key);
    std::string mode = p.Str("mode", "major");
    auto scale = Scales().find(mode);
    if (scale == Scales().end()) p.Fail("unknown mode " + mode);
    ton_ = {keyMidi - 60, scale->second};

    std::istringstream ps(p.Str("prog", "I IV V I"));
    std::string c;
    while (ps >> c) {
        prog_.push_back(DegreeOf(c));
        if (prog_.back() < 0) p.Fail("unknown chord " + c);
    }
    if (prog_.empty()) p.Fail("empty chord progression");
}

// Seconds from the start of the piece to a position in beats; swing delays the off-beat eighths.
double Composer::TimeOf(double beatPos) const {
    double frac = beatPos - std::floor(beatPos);
    if (swing_ > 0 && std::abs(frac - 0.5) < 1e-6) beatPos += swing_ * 0.5;
    return beatPos * beat_;
}

std::vector<float> Composer::Compose() {
    out_.assign(static_cast<size_t>((loopLen_ + 3) * kSampleRate), 0.0f);
    for (int bar = 0; bar < bars_; ++bar) {
        PlayChords(bar);
        PlayBass(bar);
    }
    std::string given = p_.Str("melody", "");
    if (!given.empty())
        PlayGivenMelody(given);
    else
        PlayMotifMelody();
    if (p_.Int("harmony", 0)) PlayHarmony();
    PlayDrums();
    AddEcho();
    CloseLoop();
    return std::move(out_);
}

void Composer::PlayChords(int bar) {
    const PadStyle& style = padStyle_;
    int deg = ChordAt(bar);
    double barStart = bar * beats_;
    int tones[3] = {ton_.Midi(deg, 4), ton_.Midi(deg + 2, 4), ton_.Midi(deg + 4, 4)};
    double len = style.len.Seconds(beats_, beat_);
    int steps = style.step > 0 ? static_cast<int>(std::lround(beats_ / style.step)) : 1;
    for (int k = 0; k < steps; ++k) {
        if (!style.rhythm.Sounds(k, beats_)) continue;
        double at = TimeOf(barStart + k * style.step);
        uint32_t seed = seed_ + static_cast<uint32_t>(style.seedPerBar ? bar : k);
        if (style.broken)
            PlayNote(out_, at, len, MidiHz(tones[k % 3] + (k % 6 >= 3 ? 12 : 0)), pad_, seed);
        else
            for (int t : tones) PlayNote(out_, at, len, MidiHz(t), pad_, seed);
    }
}

void Composer::PlayBass(int bar) {
    int deg = ChordAt(bar);
    double barStart = bar * beats_;
    for (int b = 0; b < beats_; ++b) {
        double at = barStart + b;
        for (const BassNote& n : bassStyle_) {
            if (!n.On(b)) continue;
            int midi = ton_.Midi((n.keyRoot ? 0 : deg) + n.step, 2) + n.semis;
            PlayNote(out_, TimeOf(at + n.at), n.len.Seconds(beats_, beat_), MidiHz(midi), bass_, seed_);
        }
    }
}

// A melody given note by note: "E5:1 D5:0.5 -:0.5", lengths in beats, "-" a rest.
void Composer::PlayGivenMelody(const std::string& melody) {
    std::istringstream ms(melody);
    std::string tok;
    double pos = 0;
    while (ms >> tok && pos < bars_ * beats_) {
        size_t colon = tok.find(':');
        double len = colon == std::string::npos ? 1.0 : std::atof(tok.c_str() + colon + 1);
        std::string name = tok.substr(0, colon);
        double hz = 0;
        if (name != "-" && NoteFrequency(name, hz))
            PlayNote(out_, TimeOf(pos), len * beat_ * 0.9, hz, lead_, seed_);
        else if (name != "-")
            p_.Fail("bad melody note " + name);
        pos += len;
    }
}

// A melody of two-bar motifs made from the seed and laid out by the form ("AABA"): a motif
// that comes back keeps its rhythm and contour, fitted to the chords under it.
void Composer::PlayMotifMelody() {
    if (lead_.wave == Wave::None) return;
    std::string form = p_.Str("form", "AABA");
    if (form.empty()) p_.Fail("empty form");
    int prev = 7;  // scale index near the octave's middle
    for (int phrase = 0; phrase * 2 < bars_; ++phrase)
        prev = PlayPhrase(phrase, form[static_cast<size_t>(phrase) % form.size()], prev);
}

// The chord tone (of the chord on `deg`, or the key note with toKey) nearest to `target`.
int ChordToneNear(int deg, int target, bool toKey) {
    int best = target, bestDist = 99;
    for (int o = -2; o <= 2; ++o)
        for (int t = 0; t < 3; ++t) {
            int cand = toKey ? 7 * o : deg + 2 * t + 7 * o;
            int d = std::abs(cand - target);
            if (d < bestDist) {
                bestDist = d;
                best = cand;
            }
        }
    return best;
}

// One phrase of the motif melody, starting from scale index `prev`; returns where it ended.
int Composer::PlayPhrase(int phrase, char motif, int prev) {
    Rng rr = Rng::Scrambled(seed_ * 31 + static_cast<uint32_t>(motif));  // the motif's rhythm and contour
    Rng vary = Rng::Scrambled(seed_ * 97 + static_cast<uint32_t>(phrase));
    int phraseBeats = beats_ * 2;
    double pos = phrase * phraseBeats;
    double end = pos + phraseBeats;
    bool last = (phrase + 1) * 2 >= bars_;
    while (pos < end - 1e-9) {
        const auto& rh = kRhythms[std::min<size_t>(
            kRhythms.size() - 1, static_cast<size_t>(rr.Uniform() * (2 + density_ * (kRhythms.size() - 2))))];
        for (double len : rh) {
            if (pos >= end - 1e-9) break;
            len = std::min(len, end - pos);
            bool phraseEnd = pos + len >= end - 1e-9;
            if (phraseEnd) len = end - pos;
            int deg = ChordAt(static_cast<int>(pos) / beats_);
            bool strong = std::fmod(pos, 1.0) < 1e-9 && (static_cast<int>(pos) % 2 == 0 || beats_ == 3);
            int target = prev + static_cast<int>(rr.Uniform() * 5) - 2;  // the motif's contour
            // Strong beats and the phrase's end land on a chord tone; the loop ends on the key note.
            if (strong || phraseEnd) target = ChordToneNear(deg, target, last && phraseEnd);
            if (motif != 'A' && vary.Uniform() < 0.2) target += 1;
            target = std::clamp(target, 2, 13);
            bool rest = !phraseEnd && !strong && rr.Uniform() < 0.12 * (1 - density_);
            if (!rest)
                PlayNote(out_, TimeOf(pos), len * beat_ * (phraseEnd ? 0.95 : 0.85),
                         MidiHz(ton_.Midi(target, leadOct_ - 1)), lead_, seed_);
            prev = target;
            pos += len;
        }
    }
    return prev;
}

// A second voice on the off-beats, following the chords, for fuller pieces.
void Composer::PlayHarmony() {
    Instrument h = lead_;
    h.vol *= 0.45;
    h.wave = WaveNamed(p_, "harmonywave", "tri");
    for (int bar = 0; bar < bars_; ++bar) {
        int deg = ChordAt(bar);
        for (int b = 0; b < beats_; b += 2)
            PlayNote(out_, TimeOf(bar * beats_ + b + 0.5), beat_ * 1.2,
                     MidiHz(ton_.Midi(deg + 2 + (b ? 2 : 0), leadOct_ - 2)), h, seed_);
    }
}

void Composer::PlayDrums() {
    double dv = p_.Num("drumvol", 0.5);
    int steps = beats_ * 4;
    for (int bar = 0; bar < bars_; ++bar)
        for (int s = 0; s < steps; ++s) {
            double at = TimeOf(bar * beats_ + s * 0.25);
            uint32_t ds = seed_ + static_cast<uint32_t>(bar * 64 + s);
            int fillStep = bar % 4 == 3 ? s - (steps - 4) : -1;
            for (const DrumPart& part : drums_) {
                bool fill = fillStep >= 0 && fillStep < static_cast<int>(std::strlen(part.fill)) &&
                            part.fill[fillStep] == 'x';
                if (part.rhythm.Sounds(s, beats_) || fill) PlayDrum(out_, at, part.drum, dv * part.vol, ds);
            }
        }
}

// Echo three quarters of a beat later.
void Composer::AddEcho() {
    double echo = p_.Num("echo", 0.2);
    if (echo <= 0) return;
    size_t d = static_cast<size_t>(beat_ * 0.75 * kSampleRate);
    for (size_t i = d; i < out_.size(); ++i) out_[i] += static_cast<float>(echo * out_[i - d]);
}

// The tail past the loop's end folds back onto its start, so the loop is seamless; a piece
// that plays once keeps a short tail instead.
void Composer::CloseLoop() {
    size_t loopN = static_cast<size_t>(loopLen_ * kSampleRate);
    if (p_.Int("loop", 1) != 0) {
        for (size_t i = loopN; i < out_.size(); ++i) out_[i - loopN] += out_[i];
        out_.resize(loopN);
    } else {
        out_.resize(std::min(out_.size(), loopN + static_cast<size_t>(1.5 * kSampleRate)));
    }
}

}  // namespace

std::vector<float> ComposePiece(const Line& p) { return Composer(p).Compose(); }

std::vector<std::string> GenerateMusic(const std::string& manifest, const std::string& gameDir,
                                       const std::string& cacheDir) {
    std::vector<std::string> written;
    if (!cacheDir.empty()) fs::create_directories(cacheDir);
    for (const Line& p : ReadManifest(manifest)) {
        if (p.word != "piece" || p.args.empty()) p.Fail("a music line is: piece <path> name=value ...");
        std::string path = p.args[0];
        std::string id = "v" + std::to_string(kMusicVersion) + "|" + path;
        for (auto& [k, v] : p.params) id.append("|").append(k).append("=").append(v);
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
