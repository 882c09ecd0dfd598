// The music catalogue and the music player's state machine (fades, pending piece, volume changes
// during a fade).
#include "engine/SoundIds.h"
#include "engine_test_env.h"

using namespace enginetest;

namespace {

class Music : public EngineTest {
  protected:
    CMusicPlayer* player() { return CMusicPlayer::GetInstance(); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) player()->Update();
    }
    std::string Opened(int i) { return i < (int)music.opened.size() ? music.opened[i] : std::string(); }
};

TEST(MusicCatalogue, KeysNamesAndStageNumbers) {
    EXPECT_EQ(MusicKey(0), "NoMusic");
    EXPECT_EQ(MusicKey(18), "Ending");
    EXPECT_EQ(MusicKey(19), "NoMusic");
    EXPECT_EQ(MusicKey(-1), "NoMusic");
    EXPECT_EQ(MusicIdFromKey("Boss002"), 17);
    EXPECT_EQ(MusicIdFromKey("boss002"), 0);
    EXPECT_EQ(MusicIdFromKey(""), 0);
    EXPECT_EQ(MusicIdToStageNumber(1), 99);
    EXPECT_EQ(MusicIdToStageNumber(18), 90);
    EXPECT_EQ(MusicIdFromStageNumber(99), 1);
    EXPECT_EQ(MusicIdFromStageNumber(6), 0);
    EXPECT_EQ(MusicIdFromStageNumber(20), 0);
    EXPECT_EQ(MusicFileName(2), "music\\topmenu.ogg");
    EXPECT_EQ(MusicFileName(42), "");
    EXPECT_EQ(MusicDisplayName(12), "Lost City");
    EXPECT_TRUE(IsMusicShopItem(14));
    EXPECT_FALSE(IsMusicShopItem(7));
}

TEST_F(Music, CannotStartGivesDLE0001) {
    CMusicPlayer::SetOutputFactory([] { return std::unique_ptr<IMusicOutput>(); });
    try {
        CMusicPlayer::GetInstance();
        FAIL() << "no exception";
    } catch (const CDllException& e) {
        EXPECT_EQ(e.GetCode(), "DLE0001");
        EXPECT_EQ(e.GetMessage(), "Vox.dll を開けません。");
    }
}

TEST_F(Music, StartsWithTheConfiguredVolumeAndSwitchesAtOnce) {
    EXPECT_FLOAT_EQ(player()->GetMasterVolume(), 0.8f);
    PlayMusic(MusicId::kTopMenu);
    EXPECT_EQ(player()->GetCurrentMusic(), 2);
    ASSERT_EQ(music.opened.size(), 1u);
    EXPECT_NE(Opened(0).find("music/topmenu.ogg"), std::string::npos);
    EXPECT_EQ(music.loops, 999999);
    EXPECT_FLOAT_EQ(music.volume, 0.8f);
    EXPECT_TRUE(music.playing);
    // The same piece again changes nothing.
    music.volume = 0.3f;
    PlayMusic(MusicId::kTopMenu, 0, 0.5f, true, false);
    EXPECT_EQ(music.opened.size(), 1u);
    EXPECT_EQ(music.loops, 999999);
    EXPECT_FLOAT_EQ(music.volume, 0.3f);
    // "NoMusic" without fades stops at once and opens nothing.
    PlayMusic(MusicId::kNone);
    EXPECT_FALSE(music.playing);
    EXPECT_EQ(music.opened.size(), 1u);
}

TEST_F(Music, FadeOutThenTheNewPieceAtMasterVolume) {
    PlayMusic(MusicId::kTopMenu);
    PlayMusic(MusicId::kEditor, 999999, 1.0f, false, true);
    EXPECT_TRUE(player()->IsFadingOut());
    EXPECT_EQ(player()->GetPendingMusic(), 4);
    EXPECT_EQ(player()->GetCurrentMusic(), 2);
    Frames(10);
    EXPECT_NEAR(music.volume, 0.8 - 10 * 1.2 / 60, 1e-4);
    Frames(30);  // 0.8 / 1.2 s = 40 frames
    EXPECT_FALSE(player()->IsFadingOut());
    EXPECT_EQ(player()->GetCurrentMusic(), 4);
    EXPECT_FLOAT_EQ(music.volume, 0.8f);
    EXPECT_NE(Opened(1).find("editor.ogg"), std::string::npos);
}

TEST_F(Music, FadeOutAndInRisesToTheTarget) {
    PlayMusic(MusicId::kTopMenu);
    PlayMusic(MusicId::kDownload, 999999, 0.5f, true, true);
    Frames(40);
    EXPECT_EQ(player()->GetCurrentMusic(), 5);
    EXPECT_TRUE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.0, 1e-6);
    Frames(20);  // target 0.4 reached after 0.4 / 1.2 s = 20 frames
    EXPECT_FALSE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.4, 1e-6);
}

TEST_F(Music, SecondFadeOutRequestReplacesThePendingPieceOnly) {
    PlayMusic(MusicId::kTopMenu);
    PlayMusic(MusicId::kEditor, 999999, 1.0f, false, true);
    Frames(10);
    const float level = music.volume;
    PlayMusic(MusicId::kEvaluation, 999999, 1.0f, false, true);
    EXPECT_EQ(player()->GetPendingMusic(), 6);
    EXPECT_NEAR(player()->GetLevel(), level, 1e-6);  // continues from the current level
    Frames(60);
    ASSERT_EQ(music.opened.size(), 2u);
    EXPECT_NE(Opened(1).find("evaluation.ogg"), std::string::npos);
}

TEST_F(Music, FadeOutWhileNothingPlaysSwitchesOnTheNextFrame) {
    PlayMusic(MusicId::kSelectStage, 999999, 1.0f, false, true);
    EXPECT_TRUE(music.opened.empty());
    Frames(1);
    EXPECT_EQ(player()->GetCurrentMusic(), 3);
    EXPECT_TRUE(music.playing);
}

TEST_F(Music, AskingForThePieceThatIsFadingOutTakesItBack) {
    PlayMusic(MusicId::kTopMenu);
    PlayMusic(MusicId::kStage1, 999999, 1.0f, false, true);  // an area event fades to another piece ...
    Frames(12);
    PlayMusic(MusicId::kTopMenu);  // ... and the scene asks for its own piece again
    EXPECT_FALSE(player()->IsFadingOut());
    EXPECT_EQ(player()->GetPendingMusic(), 2);
    Frames(120);
    EXPECT_EQ(player()->GetCurrentMusic(), 2);
    EXPECT_EQ(music.opened.size(), 1u);   // the other piece is never opened
    EXPECT_FLOAT_EQ(music.volume, 0.8f);  // risen back to full
    EXPECT_TRUE(music.playing);
}

TEST_F(Music, VolumeClampsAndJumpsADuringFade) {
    SetMusicVolume(150);
    EXPECT_FLOAT_EQ(player()->GetMasterVolume(), 1.0f);
    SetMusicVolume(-5);
    EXPECT_FLOAT_EQ(player()->GetMasterVolume(), 0.0f);
    SetMusicVolume(50);
    PlayMusic(MusicId::kTopMenu, 999999, 1.0f, true, false);
    Frames(5);
    SetMusicVolume(30);
    EXPECT_NEAR(player()->GetLevel(), 0.3, 1e-6);
}

TEST_F(Music, ResetStopsAndShutdownReleases) {
    PlayMusic(MusicId::kTopMenu);
    PlayMusic(MusicId::kEditor, 999999, 1.0f, false, true);
    player()->Reset();
    EXPECT_FALSE(music.playing);
    EXPECT_EQ(player()->GetCurrentMusic(), 0);
    EXPECT_EQ(player()->GetPendingMusic(), 0);
    EXPECT_FALSE(player()->IsFadingOut());
    CMusicPlayer::DeleteInstance();
    EXPECT_TRUE(music.released);
}

TEST_F(Music, AVolumeLoweredDuringAFadeInIsTheVolumeTheFadeEndsAt) {
    SetMusicVolume(50);
    PlayMusic(MusicId::kTopMenu, 999999, 1.0f, true, false);
    Frames(5);
    SetMusicVolume(30);
    EXPECT_NEAR(player()->GetLevel(), 0.3, 1e-6);  // the level jumps to the new volume ...
    Frames(60);
    EXPECT_FALSE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.3, 1e-6);  // ... and the piece stays there, not at the old 0.5
}

TEST_F(Music, AVolumeChangedDuringAFadeOutIsTheTargetOfTheFadeInAfterIt) {
    SetMusicVolume(100);
    PlayMusic(MusicId::kTopMenu);
    PlayMusic(MusicId::kEditor, 999999, 1.0f, true, true);
    Frames(5);
    SetMusicVolume(40);
    Frames(120);
    EXPECT_EQ(player()->GetCurrentMusic(), 4);
    EXPECT_FALSE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.4, 1e-6);
}

TEST_F(Music, AVolumeRaisedDuringAFadeInKeepsTheRequestsFactor) {
    SetMusicVolume(40);
    PlayMusic(MusicId::kSelectStage, 999999, 0.5f, true, false);
    Frames(3);
    SetMusicVolume(80);
    Frames(60);
    EXPECT_FALSE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.4, 1e-6);  // 0.8 x 0.5
}

}  // namespace
