// Sound effects: the load order, the load percentage, the guards and the volume curve.
#include "engine/el/elSound.h"
#include "engine_test_env.h"

using namespace enginetest;

namespace {

class SoundEffects : public EngineTest {};

TEST(SoundEffectVolume, CurveFromSettingToDecibels) {
    EXPECT_EQ(CSoundEffects::VolumeLevel(0), -100);
    EXPECT_EQ(CSoundEffects::VolumeLevel(-20), -100);
    EXPECT_EQ(CSoundEffects::VolumeLevel(100), -7);  // sqrt(0.68) x 40 - 40
    EXPECT_EQ(CSoundEffects::VolumeLevel(147), 0);
    EXPECT_EQ(CSoundEffects::VolumeLevel(500), 0);
    EXPECT_EQ(CSoundEffects::VolumeLevel(1), -36);  // sqrt(0.0068) x 40 - 40 = -36.7
}

TEST(SoundEffectTable, FilesInSlotOrder) {
    EXPECT_EQ(CSoundEffects::FileOf(0), "sound\\otojiten\\ok001.wav");
    EXPECT_EQ(CSoundEffects::FileOf(48), "sound\\otojiten\\fall001.wav");
    EXPECT_EQ(CSoundEffects::FileOf(68), "sound\\original\\fall001.wav");
    EXPECT_EQ(CSoundEffects::FileOf(90), "sound\\original\\start001.wav");
    EXPECT_EQ(CSoundEffects::FileOf(91), "sound\\otojiten\\ok005.wav");
    EXPECT_EQ(CSoundEffects::FileOf(92), "");
}

TEST_F(SoundEffects, LoadPercentAndEndOfTable) {
    CSoundEffects* se = CSoundEffects::GetInstance();
    EXPECT_EQ(se->GetLoadPercent(), 0);
    EXPECT_EQ(se->LoadNext(), "sound\\otojiten\\ok001.wav");
    EXPECT_EQ(se->GetLoadPercent(), 1);
    for (int i = 1; i < 91; ++i) se->LoadNext();
    EXPECT_EQ(se->GetLoadPercent(), 98);
    se->LoadNext();
    EXPECT_EQ(se->GetLoadPercent(), 100);
    EXPECT_EQ(se->LoadNext(), "");
    EXPECT_EQ(se->GetLoadCount(), 92);
    EXPECT_FALSE(se->IsLoaded(92));
    // Out-of-range and unloaded slots are ignored.
    PlaySE(-1);
    PlaySE(92);
    PlaySE(99);
    PlaySE(100);
    StopSE(100);
}

TEST_F(SoundEffects, LoadedSoundsPlayAndTakeTheVolume) {
    // One real WAVE file in the first slot.
    std::string wav = "RIFF";
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) wav += char((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](uint16_t v) {
        wav += char(v & 0xFF);
        wav += char(v >> 8);
    };
    const int samples = 800;
    put32(36 + samples * 2);
    wav += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    wav += "data";
    put32(samples * 2);
    for (int i = 0; i < samples; ++i) put16(static_cast<uint16_t>((i % 20 < 10) ? 8000 : -8000));
    WriteRaw("sound/otojiten/ok001.wav", wav);
    CSoundEffects* se = CSoundEffects::GetInstance();
    se->LoadNext();
    const int h = se->GetHandle(0);
    if (h < 0) GTEST_SKIP() << "no audio output on this machine";
    EXPECT_EQ(elSound::GetVolume(h, 0), -700);  // setting 100: -7 dB
    SetSEVolume(0);
    EXPECT_EQ(elSound::GetVolume(h, 0), -10000);
}

}  // namespace
