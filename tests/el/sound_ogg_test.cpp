#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/el/Mixer.h"
#include "engine/el/OggPlayer.h"
#include "tests/common/temp_folder.h"

namespace {

// Encodes `frames` frames of a mono 440 Hz tone at `rate` as Ogg Vorbis.
std::string EncodeTone(int frames, int rate) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    EXPECT_EQ(vorbis_encode_init_vbr(&vi, 1, rate, 0.1f), 0);
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1234);

    std::string out;
    auto emit = [&](const ogg_page& og) {
        out.append(reinterpret_cast<const char*>(og.header), static_cast<size_t>(og.header_len));
        out.append(reinterpret_cast<const char*>(og.body), static_cast<size_t>(og.body_len));
    };
    ogg_packet header, comment, code;
    vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comment);
    ogg_stream_packetin(&os, &code);
    ogg_page og;
    while (ogg_stream_flush(&os, &og)) emit(og);

    int done = 0;
    bool eos = false;
    while (!eos) {
        const int n = std::min(1024, frames - done);
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, n);
            for (int i = 0; i < n; ++i) buf[0][i] = 0.5f * std::sin(2 * M_PI * 440.0 * (done + i) / rate);
            vorbis_analysis_wrote(&vd, n);
            done += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og)) {
                    emit(og);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
        if (n <= 0 && !eos) {
            while (ogg_stream_flush(&os, &og)) {
                emit(og);
                if (ogg_page_eos(&og)) eos = true;
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

class OggPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = dir.Full("tone.ogg").string();
        dir.WriteRaw("tone.ogg", EncodeTone(kFrames, 22050));
    }

    // Pulls output frames; returns how many held sound.
    int Pull(int frames) {
        std::vector<float> out(2 * static_cast<size_t>(frames));
        mixer.MixInto(out.data(), frames);
        int loud = 0;
        for (int i = 0; i < frames; ++i) loud += std::fabs(out[2 * i]) > 1e-4f ? 1 : 0;
        return loud;
    }

    static constexpr int kFrames = 2205;  // 0.1 s at 22050 Hz = 4410 output frames
    el::Mixer mixer{44100};
    testsupport::TempFolder dir{"quor-ogg"};
    std::string path;
};

TEST_F(OggPlayerTest, PlaysOnceWithLoopCountZeroAndCountsLoops) {
    el::OggPlayer player(mixer);
    ASSERT_TRUE(player.Open(path));
    EXPECT_EQ(player.IsPlaying(), 0);
    player.SetLoopCount(0);
    player.Play();
    EXPECT_EQ(player.IsPlaying(), 1);
    EXPECT_GT(Pull(4000), 1000);
    EXPECT_EQ(player.IsPlaying(), 1);
    Pull(1000);  // past 4410 frames
    EXPECT_EQ(player.IsPlaying(), 0);
    EXPECT_EQ(player.CompletedPasses(), 1);
    EXPECT_EQ(Pull(1000), 0);

    // Two repeats: three passes, then silence.
    player.SetLoopCount(2);
    player.Play();
    Pull(4410 * 3 - 200);
    EXPECT_EQ(player.IsPlaying(), 1);
    Pull(400);
    EXPECT_EQ(player.IsPlaying(), 0);
    EXPECT_EQ(player.CompletedPasses(), 3);
}

TEST_F(OggPlayerTest, EndlessLoopStopAndVolume) {
    el::OggPlayer player(mixer);
    ASSERT_TRUE(player.Open(path));
    player.SetLoopCount(el::OggPlayer::kEndless);
    player.Play();
    Pull(4410 * 10);
    EXPECT_EQ(player.IsPlaying(), 1);
    EXPECT_GE(player.CompletedPasses(), 9);

    player.SetVolume(0.0f);
    EXPECT_EQ(Pull(2000), 0);
    player.SetVolume(1.5f);
    EXPECT_FLOAT_EQ(player.GetVolume(), 1.0f);
    player.SetVolume(-1.0f);
    EXPECT_FLOAT_EQ(player.GetVolume(), 0.0f);
    player.SetVolume(0.5f);

    player.Stop();
    EXPECT_EQ(player.IsPlaying(), 0);
    EXPECT_EQ(Pull(1000), 0);
    // Play starts over from the beginning.
    player.Play();
    EXPECT_EQ(player.CompletedPasses(), 0);
    EXPECT_GT(Pull(1000), 0);
}

TEST_F(OggPlayerTest, BadFilesReleaseAndTheSharedOutput) {
    el::OggPlayer player(mixer);
    EXPECT_FALSE(player.Open(dir.Full("missing.ogg").string()));
    player.Play();
    EXPECT_EQ(player.IsPlaying(), 0);
    dir.WriteRaw("junk.ogg", "OggS but not really");
    EXPECT_FALSE(player.Open(dir.Full("junk.ogg").string()));

    // Opening another file stops the one that played.
    ASSERT_TRUE(player.Open(path));
    player.Play();
    ASSERT_TRUE(player.Open(path));
    EXPECT_EQ(player.IsPlaying(), 0);

    player.Play();
    player.Release();
    EXPECT_EQ(player.IsPlaying(), 0);
    EXPECT_EQ(Pull(1000), 0);

    // Headless, the shared output starts without a device and the player works on it.
    auto shared = el::CreateOggPlayer();
    ASSERT_NE(shared, nullptr);
    ASSERT_TRUE(shared->Open(path));
    shared->SetLoopCount(0);
    shared->Play();
    std::vector<float> out(2 * 6000);
    el::OutputMixer().MixInto(out.data(), 6000);
    EXPECT_EQ(shared->IsPlaying(), 0);
    el::StopAudioOutput();
}

}  // namespace
