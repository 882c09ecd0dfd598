#include "tools/gen/Audio.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

namespace gen {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rng {
    uint32_t s;
    explicit Rng(uint32_t seed) : s(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double Uniform() { return (Next() & 0xFFFFFF) / double(0x1000000); }
};

double Wave(const std::string& w, double phase, Rng& rng) {
    double p = phase - std::floor(phase);
    if (w == "sine") return std::sin(2 * kPi * p);
    if (w == "square") return p < 0.5 ? 0.8 : -0.8;
    if (w == "pulse") return p < 0.25 ? 0.8 : -0.8;
    if (w == "tri") return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    if (w == "saw") return 2 * p - 1;
    if (w == "noise") return rng.Uniform() * 2 - 1;
    return std::sin(2 * kPi * p);
}

}  // namespace

bool NoteFrequency(const std::string& name, double& hz) {
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
    int midi = (octave + 1) * 12 + semi;
    hz = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
}

void RenderVoice(const Line& v, std::vector<float>& out, double offset) {
    const double sr = kSampleRate;
    std::string wave = v.Str("wave", v.word == "noise" ? "noise" : "sine");
    double dur = v.Num("dur", 0.2);
    double delay = v.Num("delay", 0.0) + offset;
    double vol = v.Num("vol", 0.5);
    double attack = v.Num("attack", 0.005);
    double release = v.Num("release", std::min(0.05, dur / 3));
    double decay = v.Num("decay", 0.0);  // exponential time constant; 0 = flat
    double vib = v.Num("vib", 0.0), vibDepth = v.Num("vibdepth", 0.3);
    double trem = v.Num("trem", 0.0);
    double lp = v.Num("lp", 0.0), lp2 = v.Num("lp2", lp), hp = v.Num("hp", 0.0);
    int repeat = std::max(1, v.Int("repeat", 1));
    double gap = v.Num("gap", 0.05);
    double crush = v.Num("crush", 0.0);
    uint32_t seed = static_cast<uint32_t>(v.Int("seed", 7));

    // Pitches: a single slide (f -> f2) or, for "seq", a list of notes.
    std::vector<std::pair<double, double>> notes;  // start freq, end freq
    double step = dur;
    if (v.word == "seq") {
        std::istringstream ns(v.Str("notes", ""));
        std::string n;
        while (ns >> n) {
            double hz = 0;
            if (n == "-" || n == "r")
                hz = 0;
            else if (!NoteFrequency(n, hz))
                v.Fail("bad note " + n);
            notes.push_back({hz, hz});
        }
        if (notes.empty()) v.Fail("seq needs notes=\"C5 E5 ...\"");
        step = v.Num("step", 0.1);
        dur = v.Num("dur", step);
    } else {
        double f = v.Num("f", 440.0);
        notes.push_back({f, v.Num("f2", f)});
    }
    bool linear = v.Str("slide", "exp") == "lin";

    for (int rep = 0; rep < repeat; ++rep) {
        double repStart = delay + rep * ((v.word == "seq" ? step * notes.size() : dur) + gap);
        for (size_t ni = 0; ni < notes.size(); ++ni) {
            auto [f0, f1] = notes[ni];
            if (v.word == "seq" && f0 <= 0) continue;
            double start = repStart + (v.word == "seq" ? ni * step : 0.0);
            size_t s0 = static_cast<size_t>(start * sr);
            size_t n = static_cast<size_t>(dur * sr);
            if (out.size() < s0 + n + 1) out.resize(s0 + n + 1, 0.0f);
            Rng rng(seed + static_cast<uint32_t>(ni * 131 + rep * 977));
            double phase = 0, lpState = 0, hpState = 0, hpPrev = 0, held = 0;
            int holdCount = 0;
            for (size_t i = 0; i < n; ++i) {
                double t = i / sr, u = n > 1 ? double(i) / (n - 1) : 0;
                double f = linear ? f0 + (f1 - f0) * u : (f0 > 0 && f1 > 0 ? f0 * std::pow(f1 / f0, u) : f0);
                if (vib > 0) f *= std::pow(2.0, vibDepth / 12.0 * std::sin(2 * kPi * vib * t));
                phase += f / sr;
                double s;
                if (wave == "noise" && f0 > 0 && v.Has("f")) {
                    // pitched noise: sample-and-hold at the frequency
                    if (holdCount <= 0) {
                        held = rng.Uniform() * 2 - 1;
                        holdCount = std::max(1, static_cast<int>(sr / std::max(1.0, f)));
                    }
                    --holdCount;
                    s = held;
                } else {
                    s = Wave(wave, phase, rng);
                }
                if (lp > 0) {
                    double cut = lp + (lp2 - lp) * u;
                    double a = 1 - std::exp(-2 * kPi * cut / sr);
                    lpState += a * (s - lpState);
                    s = lpState;
                }
                if (hp > 0) {
                    double a = std::exp(-2 * kPi * hp / sr);
                    double y = a * (hpState + s - hpPrev);
                    hpPrev = s;
                    hpState = y;
                    s = y;
                }
                double env = 1.0;
                if (t < attack) env = t / attack;
                double left = dur - t;
                if (left < release) env *= std::max(0.0, left / release);
                if (decay > 0) env *= std::exp(-t / decay);
                if (trem > 0) env *= 0.6 + 0.4 * std::sin(2 * kPi * trem * t);
                s *= env * vol;
                if (crush > 0) {
                    double q = std::pow(2.0, crush);
                    s = std::round(s * q) / q;
                }
                out[s0 + i] += static_cast<float>(s);
            }
        }
    }
}

static void Put16(std::string& s, uint16_t v) {
    s.push_back(char(v & 0xFF));
    s.push_back(char(v >> 8));
}
static void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(char((v >> (8 * i)) & 0xFF));
}

std::string EncodeWav(const std::vector<float>& samples, double peak) {
    float top = 0;
    for (float f : samples) top = std::max(top, std::abs(f));
    double scale = top > 0 ? peak / top : 1.0;
    uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::string s;
    s.reserve(44 + dataSize);
    s += "RIFF";
    Put32(s, 36 + dataSize);
    s += "WAVEfmt ";
    Put32(s, 16);
    Put16(s, 1);  // PCM
    Put16(s, 1);  // mono
    Put32(s, kSampleRate);
    Put32(s, kSampleRate * 2);
    Put16(s, 2);
    Put16(s, 16);
    s += "data";
    Put32(s, dataSize);
    for (size_t i = 0; i < samples.size(); ++i) {
        double v = samples[i] * scale;
        // a short fade at both ends keeps the sound free of clicks
        double edge = std::min<double>(i, samples.size() - 1 - i);
        if (edge < 32) v *= edge / 32.0;
        int q = static_cast<int>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
        Put16(s, static_cast<uint16_t>(static_cast<int16_t>(q)));
    }
    return s;
}

std::string EncodeOgg(const std::vector<float>& samples, double quality, const std::string& title) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, kSampleRate, static_cast<float>(quality)) != 0) {
        vorbis_info_clear(&vi);
        throw GenError("vorbis encoder refused the settings");
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
    vorbis_comment_add_tag(&vc, "ENCODER", "quor-gen");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, static_cast<int>(Hash64(title) & 0x7FFFFFFF));

    std::string out;
    ogg_page og;
    ogg_packet header, headerComm, headerCode;
    vorbis_analysis_headerout(&vd, &vc, &header, &headerComm, &headerCode);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &headerComm);
    ogg_stream_packetin(&os, &headerCode);
    while (ogg_stream_flush(&os, &og) != 0) {
        out.append(reinterpret_cast<const char*>(og.header), og.header_len);
        out.append(reinterpret_cast<const char*>(og.body), og.body_len);
    }

    float top = 0;
    for (float f : samples) top = std::max(top, std::abs(f));
    float scale = top > 0 ? 0.8f / top : 1.0f;
    size_t pos = 0;
    bool eos = false, ended = false;
    while (!eos) {
        size_t chunk = std::min<size_t>(1024, samples.size() - pos);
        if (chunk == 0) {
            if (ended) break;  // everything was handed over and flushed
            vorbis_analysis_wrote(&vd, 0);
            ended = true;
        } else {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(chunk));
            for (size_t i = 0; i < chunk; ++i) buffer[0][i] = samples[pos + i] * scale;
            vorbis_analysis_wrote(&vd, static_cast<int>(chunk));
            pos += chunk;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (!eos && ogg_stream_pageout(&os, &og) != 0) {
                    out.append(reinterpret_cast<const char*>(og.header), og.header_len);
                    out.append(reinterpret_cast<const char*>(og.body), og.body_len);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

std::vector<std::string> GenerateSounds(const std::string& manifest, const std::string& gameDir) {
    std::string text = ReadTextFile(manifest);
    std::istringstream in(text);
    std::string raw;
    int n = 0;
    std::vector<std::string> written;
    while (std::getline(in, raw)) {
        ++n;
        std::string where = "sounds.txt:" + std::to_string(n);
        // Layers are separated by " + ".
        std::vector<std::string> parts;
        size_t at = 0;
        while (true) {
            size_t plus = raw.find(" + ", at);
            parts.push_back(raw.substr(at, plus == std::string::npos ? std::string::npos : plus - at));
            if (plus == std::string::npos) break;
            at = plus + 3;
        }
        Line first;
        if (!ParseLine(parts[0], where, first)) continue;
        if (first.args.empty()) first.Fail("a sound line is: path voice params... [+ voice params...]");
        std::string path = first.word;
        Line voice = first;
        voice.word = first.args[0];
        voice.args.erase(voice.args.begin());
        std::vector<Line> voices = {voice};
        for (size_t i = 1; i < parts.size(); ++i) {
            Line v;
            if (!ParseLine(parts[i], where, v)) continue;
            voices.push_back(v);
        }
        std::vector<float> samples;
        double peak = 0.85;  // loudness after normalising; quieter for ambient sounds and ticks
        for (const Line& v : voices) {
            if (v.word != "tone" && v.word != "noise" && v.word != "seq")
                v.Fail("voices are tone, noise or seq: " + v.word);
            RenderVoice(v, samples);
            peak = std::min(peak, v.Num("peak", 0.85));
        }
        if (samples.empty()) first.Fail("empty sound");
        WriteFileAtomic(JoinPath(gameDir, path), EncodeWav(samples, peak));
        written.push_back(path);
    }
    return written;
}

}  // namespace gen
