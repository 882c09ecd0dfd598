#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

#include "engine/el/Mixer.h"
#include "engine/el/OggPlayer.h"
#include "tests/common/temp_folder.h"
#include "tools/gen/SoundFile.h"

namespace {

// A mono 440 Hz tone of `frames` frames at 22050 Hz, made into Ogg Vorbis by the content
// generator's encoder, as the game's music is.
std::string EncodeTone(int frames) {
    std::vector<float> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[static_cast<size_t>(i)] =
            static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 440.0 * i / gen::kSampleRate));
    return gen::EncodeOgg(samples, 0.1, "tone");
}

class OggPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = dir.Full("tone.ogg").string();
        dir.WriteRaw("tone.ogg", EncodeTone(kFrames));
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
