// The settings screen on real files: a change acts on the music player and the sound effects at
// once and is saved, キャンセル puts back what was in force, O K keeps it, a failed save is shown
// and the screen goes on.
#include <algorithm>

#include "../el/sound_wave_builder.h"
#include "controls/Dialogs.h"
#include "engine/el/elSound.h"
#include "flow/ConfigSceneRootForm.h"
#include "flow/FormHostScenes.h"
#include "flow_menu_env.h"

using namespace flowtest;
using Controls::CConfigSceneRootForm;

namespace {

class Config : public MenuTest {
  protected:
    // The menu, then the settings screen over it.
    CConfigSceneRootForm* OpenConfig() {
        StartMenu();
        OpenMenu();
        menu->SelectMode(kModeConfig);
        FramesUntilChild();
        auto* scene = dynamic_cast<CConfigScene*>(menu->GetChild());
        if (!scene) return nullptr;
        return dynamic_cast<CConfigSceneRootForm*>(scene->GetRootForm());
    }
    // The settings as the player's file holds them.
    std::string Stored() { return DecodeFileText(Game().ReadRaw("network/client_info.dat")).value_or(""); }
    bool StoredHas(const std::string& element) { return Stored().find(element) != std::string::npos; }
    // The mixer level of a loaded sound-effect slot.
    int SlotVolume(int slot) { return elSound::GetVolume(CSoundEffects::GetInstance()->GetHandle(slot), 0); }
    // Loads the first sound-effect slot from a short WAVE file.
    void LoadFirstSound() {
        soundtest::WaveDesc wave;
        wave.data.assign(400, 0);
        std::string path = CSoundEffects::FileOf(0);
        std::replace(path.begin(), path.end(), '\\', '/');
        const std::vector<uint8_t> bytes = soundtest::MakeWave(wave);
        WriteRaw(path, std::string(bytes.begin(), bytes.end()));
        CSoundEffects::GetInstance()->LoadNext();
        ASSERT_TRUE(CSoundEffects::GetInstance()->IsLoaded(0));
    }
};

TEST_F(Config, ChangesActAtOnceAreSavedAndCancelPutsThemBack) {
    WriteClientInfo(false);  // music 80, sound effects 100, Z attacks, no connection
    LoadFirstSound();
    CConfigSceneRootForm* form = OpenConfig();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetMusicBar()->GetValue(), 80);
    EXPECT_EQ(form->GetKeyList()->GetSelectedIndex(), 0);
    EXPECT_EQ(form->GetConnectionList()->GetSelectedIndex(), 1);

    form->GetMusicBar()->SetValue(35);
    form->GetSoundEffectBar()->SetValue(50);
    form->GetKeyList()->GetButton(1)->TurnOn();
    form->GetConnectionList()->GetButton(0)->TurnOn();
    Frame();
    CClientInfo* info = CClientInfo::GetInstance();
    EXPECT_EQ(info->GetMusicVolume(), 35);
    EXPECT_FLOAT_EQ(CMusicPlayer::GetInstance()->GetMasterVolume(), 0.35f);
    EXPECT_EQ(SlotVolume(0), -1600);  // 50: sqrt(0.34) x 40 - 40 = -16.7, whole decibels x 100
    EXPECT_TRUE(StoredHas("<musicVolume>35</musicVolume>"));
    EXPECT_TRUE(StoredHas("<soundEffectVolume>50</soundEffectVolume>"));
    EXPECT_TRUE(StoredHas("<keyConfigMode>2</keyConfigMode>"));
    EXPECT_TRUE(StoredHas("<sendingPermission>true</sendingPermission>"));

    form->GetCancelButton()->PerformPush();
    EXPECT_EQ(info->GetMusicVolume(), 80);
    EXPECT_EQ(info->GetKeyConfigMode(), 1);
    EXPECT_FALSE(info->GetSendingPermission());
    EXPECT_FLOAT_EQ(CMusicPlayer::GetInstance()->GetMasterVolume(), 0.8f);
    EXPECT_EQ(SlotVolume(0), -700);  // 100: sqrt(0.68) x 40 - 40 = -7.0
    EXPECT_TRUE(StoredHas("<musicVolume>80</musicVolume>"));
    EXPECT_TRUE(StoredHas("<soundEffectVolume>100</soundEffectVolume>"));
    EXPECT_TRUE(StoredHas("<keyConfigMode>1</keyConfigMode>"));
    EXPECT_TRUE(StoredHas("<sendingPermission>false</sendingPermission>"));
    Frame();
    EXPECT_EQ(menu->GetChild(), nullptr);
}

TEST_F(Config, OkKeepsTheChangesAndLeavingUntouchedWritesNothing) {
    WriteClientInfo(false);
    CConfigSceneRootForm* form = OpenConfig();
    ASSERT_NE(form, nullptr);
    // Read once the menu has been built: its daily check records the day.
    const std::string before = Game().ReadRaw("network/client_info.dat");
    Frames(5);
    form->GetOkButton()->PerformPush();
    Frame();
    EXPECT_EQ(Game().ReadRaw("network/client_info.dat"), before);

    // The close button is a cancel; O K keeps.
    form = OpenConfig();
    form->GetMusicBar()->SetValue(10);
    Frame();
    form->GetCloseButton()->PerformPush();
    EXPECT_EQ(CClientInfo::GetInstance()->GetMusicVolume(), 80);
    Frame();
    form = OpenConfig();
    form->GetMusicBar()->SetValue(10);
    Frame();
    form->GetOkButton()->PerformPush();
    Frame();
    EXPECT_TRUE(StoredHas("<musicVolume>10</musicVolume>"));
    // A stored key mode other than 1 opens with X attacking.
    for (int mode : {0, 2}) {
        CClientInfo::GetInstance()->SetKeyConfigMode(mode);
        form = OpenConfig();
        EXPECT_EQ(form->GetKeyList()->GetSelectedIndex(), 1);
    }
}

TEST_F(Config, AFailedSaveIsShownAndTheScreenGoesOn) {
    WriteClientInfo(false);
    CConfigSceneRootForm* form = OpenConfig();
    ASSERT_NE(form, nullptr);
    FailWritesForTesting(Game().Full("network/client_info.dat").string());  // no save can be made
    form->GetMusicBar()->SetValue(20);
    Frame();
    auto* alert = dynamic_cast<Controls::CAlertWindow*>(form->GetModalForm());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->GetTextLabel()->GetText(), "[DEF0202]\nclient_info.dat を保存できません。");
    EXPECT_FALSE(menu->GetChild()->IsClosed());
    EXPECT_FLOAT_EQ(CMusicPlayer::GetInstance()->GetMasterVolume(), 0.2f);  // in force for this run
    alert->GetOkButton()->PerformPush();
    Frame();
    EXPECT_EQ(form->GetModalForm(), nullptr);

    // Leaving with キャンセル fails to save as well: the player reads it, then the screen closes.
    form->GetCancelButton()->PerformPush();
    EXPECT_FALSE(menu->GetChild()->IsClosed());
    alert = dynamic_cast<Controls::CAlertWindow*>(form->GetModalForm());
    ASSERT_NE(alert, nullptr);
    alert->GetOkButton()->PerformPush();
    Frame();
    EXPECT_TRUE(menu->GetChild() == nullptr || menu->GetChild()->IsClosed());
    Frame();
    EXPECT_EQ(menu->GetChild(), nullptr);
    EXPECT_FLOAT_EQ(CMusicPlayer::GetInstance()->GetMasterVolume(), 0.8f);
    FailWritesForTesting("");
}

}  // namespace
