// Music: each piece of music.txt is a song of sections (a theme, a second theme, a break, a
// varied repeat ...), each composed from its key, mode, tempo, chord progression, instruments,
// accompaniment styles and seed, laid end to end and encoded as an Ogg Vorbis loop (or, for a
// piece played once, closed by a final chord). What the bass, the chords and the drums play in
// each style is data, in the tables below; the composer reads a section's settings once and
// then lays down its parts one after the other.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

#include "tools/gen/Audio.h"
#include "tools/gen/Synth.h"

namespace fs = std::filesystem;

namespace gen {
namespace {

// Raise when the composition code changes, so cached pieces are made again.
constexpr int kMusicVersion = 4;

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

enum class Drum { Kick, Snare, Tom, Hat, Crash };

// One drum of a drum style, on the grid of sixteenth notes (patterns of one 4/4 bar). `fill`
// adds hits in the last beat of every fourth bar and of a section's last bar.
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
        {"half",
         {{Kick, 1.0, {"x.........x.....", "x..........."}},
          {Snare, 0.7, {"........x.......", "......x....."}, "x.xx"},
          {Hat, 0.35, {"x."}}}},
        {"toms", {{Kick, 1.0, {"x.......x......."}}, {Tom, 0.8, {"x.x.x.xxx.x.x.xx", "x.x.x.xxx.xx"}}}},
        {"brush",
         {{Kick, 0.6, {"x......."}},
          {Snare, 0.25, {"....x.......x...", "....x...x..."}},
          {Hat, 0.25, {"x.xx"}}}},
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
    static const double kLength[] = {0.25, 0.18, 0.2, 0.06, 1.2};  // kick, snare, tom, hat, crash
    const double sr = kSampleRate;
    SampleSpan span = MakeRoom(out, start, kLength[static_cast<int>(kind)]);
    Rng rng = Rng::Scrambled(seed);
    double phase = 0;
    HighPass hiss;  // snare, hat and crash: noise without its lows
    double a = HighPassCoefficient(kind == Drum::Snare ? 900.0 : kind == Drum::Crash ? 3500.0 : 5000.0);
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
            case Drum::Crash:  // a splash of bright noise that rings on under the next bars
                s = hiss.Step(rng.Uniform() * 2 - 1, a) *
                    (0.35 * std::exp(-t / 0.3) + 0.15 * std::exp(-t / 0.05));
                break;
        }
        double fadeOut =
            std::min(1.0, static_cast<double>(span.count - i) / (0.02 * sr));  // no click at the cut
        out[span.first + i] += static_cast<float>(s * vol * fadeOut);
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

// Composes one section of a song from its settings: `bars` bars of its chords, bass, melody,
// harmony and drums, with their echo and the tails of its last notes after its end.
class Composer {
  public:
    Composer(const Line& p, uint32_t melodySeed);
    // The section's length, its closing slow-down included.
    double Seconds() const { return TimeOf(bars_ * beats_); }
    std::vector<float> Compose();
    // The piece's last chord after this section: the key's triad struck once and left to die
    // away over `seconds`.
    std::vector<float> Coda(double seconds);

  private:
    double TimeOf(double beatPos) const;
    int ChordAt(int bar) const { return prog_[(bar / chordBars_) % prog_.size()]; }
    void PlayChords(int bar);
    void PlayBass(int bar);
    void PlayGivenMelody(const std::string& melody);
    void PlayMotifMelody();
    int PlayPhrase(int phrase, char motif, int prev);
    void PlayLead(double pos, double len, int scaleIdx, double held);
    void PlayHarmony();
    void PlayDrums();
    void AddEcho();

    const Line& p_;
    double tempo_, beat_;
    int beats_, bars_;
    Tonality ton_;
    std::vector<int> prog_;
    int chordBars_;
    Instrument lead_, bass_, pad_;
    int leadOct_;
    uint32_t seed_;
    double density_, swing_, vary_, rit_;
    bool crash_;
    const PadStyle& padStyle_;
    const std::vector<BassNote>& bassStyle_;
    const std::vector<DrumPart>& drums_;
    std::vector<float> out_;
};

Composer::Composer(const Line& p, uint32_t melodySeed)
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
      seed_(melodySeed),
      density_(p.Num("density", 0.5)),
      swing_(p.Num("swing", 0.0)),
      vary_(p.Num("vary", 0.0)),
      rit_(p.Num("rit", 0.0)),
      crash_(p.Int("crash", p.Str("drums", "none") == "none" ? 0 : 1) != 0),
      padStyle_(StyleNamed(PadStyles(), p, "padstyle", "hold")),
      bassStyle_(StyleNamed(BassStyles(), p, "bassstyle", "root")),
      drums_(StyleNamed(DrumStyles(), p, "drums", "none")) {
    if (tempo_ < 30 || tempo_ > 300) p.Fail("tempo should be 30..300, not " + p.Str("tempo"));
    if (beats_ < 2 || beats_ > 8 || bars_ < 1 || bars_ > 256) p.Fail("bars or beats out of range");
    if (rit_ < 0 || rit_ > 0.6) p.Fail("rit should be 0..0.6");

    std::string key = p.Str("key", "C");
    int keyMidi = 0;
    if (!NoteMidi(key + "4", keyMidi)) p.Fail("bad key " + key);
    std::string mode = p.Str("mode", "major");
    auto scale = Scales().find(mode);
    if (scale == Scales().end()) p.Fail("unknown mode " + mode);
    ton_ = {keyMidi - 60 + p.Int("shift", 0), scale->second};

    std::istringstream ps(p.Str("prog", "I IV V I"));
    std::string c;
    while (ps >> c) {
        prog_.push_back(DegreeOf(c));
        if (prog_.back() < 0) p.Fail("unknown chord " + c);
    }
    if (prog_.empty()) p.Fail("empty chord progression");
}

// Seconds from the start of the section to a position in beats; swing delays the off-beat
// eighths, and `rit` slows the last two bars down steadily until the tempo is (1 - rit) of its own.
double Composer::TimeOf(double beatPos) const {
    double frac = beatPos - std::floor(beatPos);
    if (swing_ > 0 && std::abs(frac - 0.5) < 1e-6) beatPos += swing_ * 0.5;
    double total = bars_ * beats_;
    double ritFrom = std::max(0.0, total - 2.0 * beats_);
    if (rit_ <= 0 || beatPos <= ritFrom) return beatPos * beat_;
    double span = total - ritFrom;
    double into = std::min(beatPos, total) - ritFrom;
    double slowed = ritFrom * beat_ - beat_ * span / rit_ * std::log(1 - rit_ * into / span);
    return slowed + std::max(0.0, beatPos - total) * beat_ / (1 - rit_);
}

std::vector<float> Composer::Compose() {
    out_.assign(static_cast<size_t>((Seconds() + 3) * kSampleRate), 0.0f);
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
    return std::move(out_);
}

std::vector<float> Composer::Coda(double seconds) {
    out_.assign(static_cast<size_t>((seconds + 1) * kSampleRate), 0.0f);
    double held = seconds * 0.6;
    auto dying = [&](Instrument ins) {
        ins.decay = seconds / 3;
        ins.release = seconds - held;
        return ins;
    };
    for (int t = 0; t < 3; ++t) PlayNote(out_, 0, held, MidiHz(ton_.Midi(2 * t, 4)), dying(pad_), seed_);
    PlayNote(out_, 0, held, MidiHz(ton_.Midi(0, 2)), dying(bass_), seed_);
    PlayNote(out_, 0, held, MidiHz(ton_.Midi(7, leadOct_ - 1)), dying(lead_), seed_);
    if (!drums_.empty()) {
        PlayDrum(out_, 0, Drum::Kick, p_.Num("drumvol", 0.5), seed_);
        PlayDrum(out_, 0, Drum::Crash, p_.Num("drumvol", 0.5), seed_);
    }
    AddEcho();
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
            PlayNote(out_, TimeOf(pos), (TimeOf(pos + len) - TimeOf(pos)) * 0.9, hz, lead_, seed_);
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

// Whether the chord on `deg` holds the key note (I, IV and vi do).
bool HoldsKeyNote(int deg) { return deg % 7 == 0 || deg % 7 == 3 || deg % 7 == 5; }

// One note of the lead, `len` beats from beat `pos`, sounding for `held` of its length.
void Composer::PlayLead(double pos, double len, int scaleIdx, double held) {
    PlayNote(out_, TimeOf(pos), (TimeOf(pos + len) - TimeOf(pos)) * held,
             MidiHz(ton_.Midi(scaleIdx, leadOct_ - 1)), lead_, seed_);
}

// One phrase of the motif melody, starting from scale index `prev`; returns where it ended.
// A section that varies its theme (`vary`) turns that share of the weak notes into two: the
// note and a neighbour.
int Composer::PlayPhrase(int phrase, char motif, int prev) {
    Rng rr = Rng::Scrambled(seed_ * 31 + static_cast<uint32_t>(motif));  // the motif's rhythm and contour
    Rng bend = Rng::Scrambled(seed_ * 97 + static_cast<uint32_t>(phrase));
    Rng ornament = Rng::Scrambled(seed_ * 131 + static_cast<uint32_t>(phrase));
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
            // Strong beats and the phrase's end land on a chord tone; the section ends on the
            // key note when its last chord holds it.
            if (strong || phraseEnd)
                target = ChordToneNear(deg, target, last && phraseEnd && HoldsKeyNote(deg));
            if (motif != 'A' && bend.Uniform() < 0.2) target += 1;
            target = std::clamp(target, 2, 13);
            bool rest = !phraseEnd && !strong && rr.Uniform() < 0.12 * (1 - density_);
            if (!rest) {
                if (vary_ > 0 && !strong && !phraseEnd && len >= 0.5 && ornament.Uniform() < vary_) {
                    int neighbour = std::clamp(target + (ornament.Uniform() < 0.5 ? 1 : -1), 2, 13);
                    PlayLead(pos, len / 2, target, 0.85);
                    PlayLead(pos + len / 2, len / 2, neighbour, 0.85);
                } else {
                    PlayLead(pos, len, target, phraseEnd ? 0.95 : 0.85);
                }
            }
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

// The drum style's bars, a fill closing every fourth bar and the section, and a crash on the
// section's first beat (`crash`, on wherever drums play).
void Composer::PlayDrums() {
    double dv = p_.Num("drumvol", 0.5);
    if (crash_) PlayDrum(out_, 0, Drum::Crash, dv * 0.7, seed_);
    int steps = beats_ * 4;
    for (int bar = 0; bar < bars_; ++bar)
        for (int s = 0; s < steps; ++s) {
            double at = TimeOf(bar * beats_ + s * 0.25);
            uint32_t ds = seed_ + static_cast<uint32_t>(bar * 64 + s);
            int fillStep = bar % 4 == 3 || bar == bars_ - 1 ? s - (steps - 4) : -1;
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

// ---------------------------------------------------------------- the song

// One section of a song in playing order: its settings (the piece's, with the section's own
// over them) and the seed of its melody.
struct Section {
    std::string name;
    Line settings;
    uint32_t melodySeed;
};

// "A", "B2", "C10": a letter, and digits for a variant of that letter's section.
bool IsSectionName(const std::string& name) {
    return !name.empty() && name[0] >= 'A' && name[0] <= 'Z' &&
           std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Overlay(Line& settings, const Line& section) {
    for (const auto& [k, v] : section.params) settings.params[k] = v;
    settings.where = section.where;
}

// The sections `song=` lists. A letter's section line changes the piece's settings for it; a
// variant ("A2") starts from its letter's section, keeps its melody and needs a line of its own.
std::vector<Section> PlanSong(const Line& piece, const std::vector<Line>& sectionLines) {
    std::map<std::string, const Line*> byName;
    for (const Line& s : sectionLines) {
        if (s.args.size() != 1 || !IsSectionName(s.args[0]))
            s.Fail("a section line is: section <letter>[digits] name=value ...");
        if (!byName.emplace(s.args[0], &s).second) s.Fail("section " + s.args[0] + " is given twice");
    }
    std::vector<Section> plan;
    std::set<std::string> played;
    std::istringstream song(piece.Str("song", "A"));
    std::string name;
    while (song >> name) {
        if (!IsSectionName(name)) piece.Fail("a song lists sections such as A A2 B, not " + name);
        std::string letter = name.substr(0, 1);
        Section s{name, piece, 0};
        if (auto it = byName.find(letter); it != byName.end()) Overlay(s.settings, *it->second);
        // Each letter has a melody of its own; its variants share it.
        s.melodySeed =
            static_cast<uint32_t>(s.settings.Int("seed", 1)) + 7919u * static_cast<uint32_t>(name[0] - 'A');
        if (name != letter) {
            auto it = byName.find(name);
            if (it == byName.end())
                piece.Fail("section " + name + " varies " + letter + " and needs a line of its own");
            Overlay(s.settings, *it->second);
        }
        played.insert(letter);
        played.insert(name);
        plan.push_back(std::move(s));
    }
    if (plan.empty()) piece.Fail("empty song");
    for (const auto& [n, line] : byName)
        if (!played.count(n)) line->Fail("section " + n + " is not in the song");
    return plan;
}

void MixAt(std::vector<float>& out, const std::vector<float>& part, size_t first) {
    if (out.size() < first + part.size()) out.resize(first + part.size(), 0.0f);
    for (size_t i = 0; i < part.size(); ++i) out[first + i] += part[i];
}

// The tail past the loop's end folds back onto its start, so the loop is seamless.
void CloseLoop(std::vector<float>& out, size_t loopN) {
    for (size_t i = loopN; i < out.size(); ++i) out[i - loopN] += out[i];
    out.resize(loopN);
}

// A piece played once ends at `endN` samples, its last half second fading to silence.
void EndAt(std::vector<float>& out, size_t endN) {
    out.resize(endN, 0.0f);
    size_t fade = std::min(endN, static_cast<size_t>(0.5 * kSampleRate));
    for (size_t i = 0; i < fade; ++i) out[endN - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
}

}  // namespace

std::vector<float> ComposePiece(const Line& piece, const std::vector<Line>& sections) {
    std::vector<Section> plan = PlanSong(piece, sections);
    std::vector<std::unique_ptr<Composer>> composers;
    double length = 0;
    for (const Section& s : plan) {
        composers.push_back(std::make_unique<Composer>(s.settings, s.melodySeed));
        length += composers.back()->Seconds();
    }
    bool loops = piece.Int("loop", 1) != 0;
    double maxSeconds = loops ? 120 : 180;
    double coda = loops ? 0 : piece.Num("coda", 0);
    if (coda < 0 || length + coda < 5 || length + coda > maxSeconds)
        piece.Fail("a piece should last 5.." + std::to_string(static_cast<int>(maxSeconds)) +
                   " s, this one lasts " + std::to_string(length + coda));
    std::vector<float> out;
    double at = 0;
    for (const auto& c : composers) {
        MixAt(out, c->Compose(), static_cast<size_t>(std::lround(at * kSampleRate)));
        at += c->Seconds();
    }
    size_t endN = static_cast<size_t>(std::lround(at * kSampleRate));
    if (loops) {
        CloseLoop(out, endN);
    } else {
        if (coda > 0) MixAt(out, composers.back()->Coda(coda), endN);
        EndAt(out, endN + static_cast<size_t>((coda > 0 ? coda : 1.5) * kSampleRate));
    }
    return out;
}

std::vector<std::string> GenerateMusic(const std::string& manifest, const std::string& gameDir,
                                       const std::string& cacheDir) {
    struct Piece {
        Line line;
        std::vector<Line> sections;
        std::string cached;  // the cache file its settings name; empty without a cache
        std::string bytes;
        bool composed = false;
        std::exception_ptr failed;
    };
    std::vector<Piece> pieces;
    for (const Line& p : ReadManifest(manifest)) {
        if (p.word == "section") {
            if (pieces.empty()) p.Fail("a section line follows the piece it belongs to");
            pieces.back().sections.push_back(p);
        } else if (p.word != "piece" || p.args.empty()) {
            p.Fail("a music line is: piece <path> name=value ..., or section <name> name=value ...");
        } else {
            pieces.emplace_back().line = p;
        }
    }
    if (!cacheDir.empty()) fs::create_directories(cacheDir);
    for (Piece& piece : pieces) {
        if (cacheDir.empty()) continue;
        std::string id = "v" + std::to_string(kMusicVersion);
        auto append = [&id](const Line& l) {
            id.append("|").append(l.word);
            for (const std::string& a : l.args) id.append(" ").append(a);
            for (auto& [k, v] : l.params) id.append("|").append(k).append("=").append(v);
        };
        append(piece.line);
        for (const Line& s : piece.sections) append(s);
        char name[32];
        std::snprintf(name, sizeof name, "%016llx.ogg", static_cast<unsigned long long>(Hash64(id)));
        piece.cached = (fs::path(cacheDir) / name).string();
        if (fs::exists(piece.cached)) piece.bytes = ReadTextFile(piece.cached);
    }
    // The pieces the cache does not hold are composed and encoded side by side, a few at a time.
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next++) < pieces.size();) {
            Piece& piece = pieces[i];
            if (!piece.bytes.empty()) continue;
            try {
                const Line& p = piece.line;
                piece.bytes = EncodeOgg(ComposePiece(p, piece.sections), p.Num("quality", 0.1),
                                        p.Str("title", p.args[0]));
                piece.composed = true;
            } catch (...) {
                piece.failed = std::current_exception();
            }
        }
    };
    std::vector<std::thread> workers;
    unsigned helpers = std::min(3u, std::max(1u, std::thread::hardware_concurrency())) - 1;
    for (unsigned t = 0; t < helpers; ++t) workers.emplace_back(work);
    work();
    for (std::thread& t : workers) t.join();

    std::vector<std::string> written;
    for (const Piece& piece : pieces) {
        if (piece.failed) std::rethrow_exception(piece.failed);
        if (piece.composed && !piece.cached.empty()) WriteFileAtomic(piece.cached, piece.bytes);
        WriteFileAtomic(JoinPath(gameDir, piece.line.args[0]), piece.bytes);
        written.push_back(piece.line.args[0]);
    }
    return written;
}

}  // namespace gen
