#include "tools/gen/SoundFile.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>

#include "tools/gen/GenCommon.h"

namespace gen {
namespace {

float Loudest(const std::vector<float>& samples) {
    float top = 0;
    for (float f : samples) top = std::max(top, std::abs(f));
    return top;
}

void AppendPage(std::string& out, const ogg_page& og) {
    out.append(reinterpret_cast<const char*>(og.header), static_cast<size_t>(og.header_len));
    out.append(reinterpret_cast<const char*>(og.body), static_cast<size_t>(og.body_len));
}

}  // namespace

std::string EncodeWav(const std::vector<float>& samples, double peak) {
    float top = Loudest(samples);
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
    while (ogg_stream_flush(&os, &og) != 0) AppendPage(out, og);

    float top = Loudest(samples);
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
                    AppendPage(out, og);
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

}  // namespace gen
