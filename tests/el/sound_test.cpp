#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/el/Mixer.h"
#include "engine/el/OggPlayer.h"
#include "engine/el/Wave.h"
#include "engine/el/elSound.h"
#include "platform/audio.h"
#include "sound_wave_builder.h"
#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

using soundtest::Constant16;
using soundtest::MakeWave;
using soundtest::WaveDesc;

el::WaveFile Parse(const std::vector<uint8_t>& bytes, bool* ok = nullptr) {
    el::WaveFile w;
    const bool r = el::ParseWave(bytes.data(), bytes.size(), w);
    if (ok) *ok = r;
    return w;
}

TEST(SoundWave, ReadsPcmFormatsAndSkipsOtherChunks) {
    WaveDesc s8;
    s8.bits = 8;
    s8.rate = 11025;
    s8.data = {0, 128, 255};
    s8.listChunkFirst = true;
    bool ok = false;
    el::WaveFile w = Parse(MakeWave(s8), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(w.format.bitsPerSample, 8);
    EXPECT_EQ(w.format.samplesPerSec, 11025u);
    ASSERT_TRUE(el::WaveIsPlayable(w));
    el::SampleData d = el::ConvertWave(w);
    ASSERT_EQ(d.frames, 3u);
    EXPECT_FLOAT_EQ(d.samples[0], -1.0f);
    EXPECT_FLOAT_EQ(d.samples[1], 0.0f);
    EXPECT_NEAR(d.samples[2], 127.0f / 128.0f, 1e-6);

    WaveDesc st;
    st.channels = 2;
    st.data = {0x00, 0x40, 0x00, 0xC0, 0xFF, 0x7F, 0x00, 0x80, 0x11};  // 2 frames and a stray byte
    d = el::ConvertWave(Parse(MakeWave(st), &ok));
    ASSERT_TRUE(ok);
    ASSERT_EQ(d.channels, 2);
    ASSERT_EQ(d.frames, 2u);
    EXPECT_FLOAT_EQ(d.samples[0], 0.5f);
    EXPECT_FLOAT_EQ(d.samples[1], -0.5f);
    EXPECT_FLOAT_EQ(d.samples[3], -1.0f);
}

TEST(SoundWave, RejectsBrokenFiles) {
    WaveDesc s;
    s.data = Constant16(4, 100);
    const auto good = MakeWave(s);
    bool ok = true;

    auto bad = good;
    bad[0] = 'X';  // not RIFF
    Parse(bad, &ok);
    EXPECT_FALSE(ok);

    bad = good;
    bad.resize(bad.size() - 2);  // data runs past the end
    Parse(bad, &ok);
    EXPECT_FALSE(ok);

    bad = good;
    bad[8] = 'A';  // form type is not WAVE
    Parse(bad, &ok);
    EXPECT_FALSE(ok);

    Parse({}, &ok);
    EXPECT_FALSE(ok);

    // Parsed but not playable: a compressed format, 24-bit samples, no data.
    WaveDesc adpcm = s;
    adpcm.tag = 2;
    el::WaveFile w = Parse(MakeWave(adpcm), &ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(el::WaveIsPlayable(w));
    WaveDesc b24 = s;
    b24.bits = 24;
    EXPECT_FALSE(el::WaveIsPlayable(Parse(MakeWave(b24))));
    WaveDesc empty = s;
    empty.data.clear();
    EXPECT_FALSE(el::WaveIsPlayable(Parse(MakeWave(empty))));
}

std::shared_ptr<const el::SampleData> ConstantData(int frames, float level, int rate, int channels = 1) {
    auto d = std::make_shared<el::SampleData>();
    d->rate = rate;
    d->channels = channels;
    d->frames = static_cast<size_t>(frames);
    d->samples.assign(static_cast<size_t>(frames) * channels, level);
    return d;
}

TEST(SoundMixer, VolumeAndPanFollowDecibels) {
    el::Mixer mixer(44100);
    mixer.SetVoiceData(0, ConstantData(100, 0.5f, 44100));
    std::vector<float> out(2 * 10);

    mixer.Play(0);
    mixer.MixInto(out.data(), 10);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);

    mixer.SetVolume(0, -600);  // -6 dB: half the amplitude
    mixer.MixInto(out.data(), 10);
    EXPECT_NEAR(out[0], 0.5f * 0.501f, 1e-3);

    mixer.SetVolume(0, 0);
    mixer.SetPan(0, 10000);  // all the way right
    mixer.MixInto(out.data(), 10);
    EXPECT_NEAR(out[0], 0.0f, 1e-5);
    EXPECT_FLOAT_EQ(out[1], 0.5f);

    mixer.SetPan(0, -2000);  // the right side 20 dB down
    mixer.MixInto(out.data(), 10);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_NEAR(out[1], 0.05f, 1e-4);

    mixer.SetVolume(0, -10000);
    mixer.SetPan(0, 0);
    mixer.MixInto(out.data(), 10);
    EXPECT_EQ(out[0], 0.0f);

    // Two voices add up and the sum is kept within range.
    mixer.SetVolume(0, 0);
    mixer.SetVoiceData(1, ConstantData(100, 0.75f, 44100));
    mixer.Play(1);
    std::vector<int16_t> pcm(2 * 4);
    mixer.MixInto(pcm.data(), 4);
    EXPECT_EQ(pcm[0], 32767);
}

TEST(SoundMixer, ResamplesPlaysOnceAndRewinds) {
    el::Mixer mixer(44100);
    mixer.SetVoiceData(3, ConstantData(100, 0.25f, 22050));
    std::vector<float> out(2 * 150);
    mixer.Play(3);
    mixer.MixInto(out.data(), 150);  // 100 frames at half the rate last 200 output frames
    EXPECT_TRUE(mixer.IsPlaying(3));
    EXPECT_DOUBLE_EQ(mixer.Position(3), 75.0);
    mixer.MixInto(out.data(), 150);
    EXPECT_FALSE(mixer.IsPlaying(3));
    EXPECT_FLOAT_EQ(out[2 * 49], 0.25f);
    EXPECT_EQ(out[2 * 50], 0.0f);

    // Twice the frequency halves the length.
    mixer.SetFrequency(3, 44100);
    mixer.Play(3);
    mixer.MixInto(out.data(), 99);
    EXPECT_TRUE(mixer.IsPlaying(3));
    mixer.MixInto(out.data(), 1);
    EXPECT_FALSE(mixer.IsPlaying(3));

    // Stop rewinds; Play restarts from the beginning.
    mixer.Play(3);
    mixer.MixInto(out.data(), 40);
    mixer.Stop(3);
    EXPECT_FALSE(mixer.IsPlaying(3));
    EXPECT_EQ(mixer.Position(3), 0.0);
    mixer.Play(3);
    mixer.MixInto(out.data(), 40);
    EXPECT_DOUBLE_EQ(mixer.Position(3), 40.0);
    mixer.Play(3);
    EXPECT_EQ(mixer.Position(3), 0.0);
}

class SoundLayer : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_TRUE(elSound::Init());
        GameFolder();
    }
    void TearDown() override {
        elSound::End();
        HeadlessTest::TearDown();
    }
    void Write(const std::string& rel, const std::vector<uint8_t>& bytes) {
        std::filesystem::create_directories((GameFolder() / rel).parent_path());
        std::ofstream(GameFolder() / rel, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::string WriteSound(int frames = 1000) {
        WaveDesc s;
        s.data = Constant16(frames, 8000);
        Write("sound/a.wav", MakeWave(s));
        return "sound\\a.wav";
    }
    void Pull(int frames) {
        std::vector<float> out(2 * static_cast<size_t>(frames));
        el::OutputMixer().MixInto(out.data(), frames);
    }
};

TEST_F(SoundLayer, LoadsIntoTheFirstFreeSlotWithItsCopies) {
    const std::string name = WriteSound();
    EXPECT_EQ(elSound::LoadObject(name, 1), 0);
    EXPECT_EQ(elSound::LoadObject(name, 10), 1);
    EXPECT_EQ(elSound::GetCopyCount(1), 10);
    EXPECT_EQ(elSound::GetDefaultFrequency(1), 22050);
    EXPECT_EQ(elSound::GetFrequency(1, 9), 22050);
    EXPECT_EQ(elSound::GetName(1), name);
    EXPECT_EQ(elSound::GetCopyCount(2), 1);  // 1 until loaded
    EXPECT_FALSE(elSound::IsUsed(2));

    EXPECT_EQ(elSound::LoadObject(name, 11), -1);
    EXPECT_EQ(LastMessage(), "エラー発生|elSound::LoadObject : ミックス数が多過ぎます");
    EXPECT_FALSE(elSound::IsUsed(2));
}

TEST_F(SoundLayer, TheHundredAndFirstSoundFails) {
    const std::string name = WriteSound(10);
    for (int i = 0; i < elSound::kSoundCount; ++i) ASSERT_EQ(elSound::LoadObject(name, 1), i);
    EXPECT_FALSE(elSystem::GetErrorFlag());
    EXPECT_EQ(elSound::LoadObject(name, 1), -1);
    EXPECT_EQ(LastMessage(), "エラー発生|elSound::LoadObject : オブジェクト数が多過ぎます");
    EXPECT_TRUE(elSystem::GetErrorFlag());
}

TEST_F(SoundLayer, BadFilesAndNamesAreReported) {
    EXPECT_EQ(elSound::LoadObject("sound\\missing.wav", 1), -1);
    EXPECT_EQ(LastMessage(), "エラー発生|elSound::LoadObject : WAVEリソースが見つかりません");

    Write("sound/junk.wav", {'R', 'I', 'F', 'F', 1, 2});
    EXPECT_EQ(elSound::LoadObject("sound\\junk.wav", 1), -1);
    EXPECT_EQ(LastMessage(), "エラー発生|elSound::LoadObject : WAVEリソースが見つかりません");

    WaveDesc adpcm;
    adpcm.tag = 2;
    adpcm.data = Constant16(8, 1);
    Write("sound/adpcm.wav", MakeWave(adpcm));
    EXPECT_EQ(elSound::LoadObject("sound\\adpcm.wav", 1), -1);
    EXPECT_EQ(LastMessage(), "エラー発生|elSound::LoadObject : サウンドバッファが生成できません");

    // 30 characters load; 31 fail and leave the slot free.
    WaveDesc s;
    s.data = Constant16(8, 1);
    const std::string n30 = "sound\\" + std::string(20, 'x') + ".wav";
    const std::string n31 = "sound\\" + std::string(21, 'x') + ".wav";
    ASSERT_EQ(n30.size(), 30u);
    Write("sound/" + std::string(20, 'x') + ".wav", MakeWave(s));
    Write("sound/" + std::string(21, 'x') + ".wav", MakeWave(s));
    EXPECT_EQ(elSound::LoadObject(n31, 1), -1);
    EXPECT_EQ(LastMessage(), "エラー発生|elSound::LoadObject : ファイル名またはリソース名が長すぎます");
    EXPECT_EQ(elSound::LoadObject(n30, 1), 0);
}

TEST_F(SoundLayer, RoundRobinPlaysTheCopiesInTurn) {
    const int snd = elSound::LoadObject(WriteSound(), 3);
    ASSERT_EQ(snd, 0);
    for (int i = 0; i < 3; ++i) {
        elSound::Play(snd, elSound::kEveryCopy);
        Pull(100);
    }
    // Copies 0, 1, 2 sound, each further along than the next one.
    EXPECT_TRUE(elSound::IsPlaying(snd, 0));
    EXPECT_TRUE(elSound::IsPlaying(snd, 2));
    const int v0 = elSound::VoiceOf(snd, 0);
    EXPECT_GT(el::OutputMixer().Position(v0), el::OutputMixer().Position(elSound::VoiceOf(snd, 2)));
    EXPECT_EQ(elSound::GetNextCopy(snd), 0);
    // The fourth play restarts copy 0.
    elSound::Play(snd, elSound::kEveryCopy);
    EXPECT_EQ(el::OutputMixer().Position(v0), 0.0);
    EXPECT_EQ(elSound::GetNextCopy(snd), 1);

    // A negative copy stops and rewinds every copy.
    elSound::Stop(snd, -1);
    for (int c = 0; c < 3; ++c) EXPECT_FALSE(elSound::IsPlaying(snd, c));

    // A one-copy sound played again restarts from its beginning.
    const int one = elSound::LoadObject("sound\\a.wav", 1);
    elSound::Play(one, -1);
    Pull(300);
    EXPECT_GT(el::OutputMixer().Position(elSound::VoiceOf(one, 0)), 0.0);
    elSound::Play(one, -1);
    EXPECT_EQ(el::OutputMixer().Position(elSound::VoiceOf(one, 0)), 0.0);
    // It ends by itself.
    Pull(3000);
    EXPECT_FALSE(elSound::IsPlaying(one, 0));
}

TEST_F(SoundLayer, SettersAndTheirCopySelectors) {
    const int snd = elSound::LoadObject(WriteSound(), 3);
    elSound::SetVolume(snd, 5, -1);
    EXPECT_EQ(elSound::GetVolume(snd, 0), 0);
    elSound::SetVolume(snd, -150, -1);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(elSound::GetVolume(snd, c), -10000);
    elSound::SetVolume(snd, -7, 1);
    EXPECT_EQ(elSound::GetVolume(snd, 1), -700);
    EXPECT_EQ(elSound::GetVolume(snd, 0), -10000);

    elSound::Play(snd, 0);  // an explicit copy leaves the round robin alone
    EXPECT_EQ(elSound::GetNextCopy(snd), 0);
    elSound::SetPan(snd, 20000, -2);  // the next copy only
    EXPECT_EQ(elSound::GetPan(snd, 0), 10000);
    EXPECT_EQ(elSound::GetPan(snd, 1), 0);
    elSound::SetFrequency(snd, 44100, -2);
    EXPECT_EQ(elSound::GetFrequency(snd, 0), 44100);

    // -2 resets the next copy's frequency, pan and volume before playing it.
    elSound::Play(snd, -2);
    EXPECT_EQ(elSound::GetPan(snd, 0), 0);
    EXPECT_EQ(elSound::GetVolume(snd, 0), 0);
    EXPECT_EQ(elSound::GetFrequency(snd, 0), 22050);
    EXPECT_EQ(elSound::GetNextCopy(snd), 1);

    elSound::ResetVolume(snd, -1);
    EXPECT_EQ(elSound::GetVolume(snd, 2), 0);
    elSound::SetFrequency(snd, 11025, 2);
    elSound::ResetFrequency(snd, 2);
    EXPECT_EQ(elSound::GetFrequency(snd, 2), 22050);

    // Unused sounds and copies beyond the count are ignored.
    elSound::Play(snd, 5);
    elSound::Play(42, -1);
    elSound::SetVolume(-1, -10, -1);
    EXPECT_FALSE(elSound::IsPlaying(snd, 5));
}

// A machine with the sound library but without a device that opens (no sound server): the output
// starts silent and the log says so once; sounds load and play, unheard.
TEST_F(SoundLayer, NoAudioDeviceStartsSilentWithOneLogLine) {
    const std::string name = WriteSound();
    elSound::End();
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = driver ? driver : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    plat::SetAudioHeadless(0);  // ask for a real device
    EXPECT_TRUE(elSound::Init());
    EXPECT_TRUE(elSound::Init());  // a second start logs nothing more
    EXPECT_TRUE(el::AudioOutputSilent());
    EXPECT_FALSE(plat::AudioDeviceOpen());
    EXPECT_TRUE(elSound::IsAvailable());
    const int snd = elSound::LoadObject(name, 1);
    EXPECT_GE(snd, 0);
    elSound::Play(snd, -1);
    EXPECT_NE(el::CreateOggPlayer(), nullptr);
    std::string log;
    for (const auto& entry : std::filesystem::directory_iterator(GameFolder() / "log"))
        log += Game().ReadRaw("log/" + entry.path().filename().string());
    size_t lines = 0;
    for (size_t at = log.find("No audio device"); at != std::string::npos;
         at = log.find("No audio device", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1u) << log;
    EXPECT_TRUE(Headless().Messages().empty()) << "no message box waits for the player";
    elSound::End();
    EXPECT_FALSE(el::AudioOutputSilent());
    plat::SetAudioHeadless(-1);
    if (driver)
        ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        ::unsetenv("SDL_AUDIODRIVER");
}

TEST_F(SoundLayer, WithoutTheLayerEverythingIsSilent) {
    const std::string name = WriteSound();
    elSound::End();
    EXPECT_FALSE(elSound::IsAvailable());
    EXPECT_EQ(elSound::LoadObject(name, 1), -1);
    EXPECT_TRUE(Headless().Messages().empty());
    elSound::Play(0, -1);  // nothing happens
    EXPECT_TRUE(elSound::Init());
}

}  // namespace
