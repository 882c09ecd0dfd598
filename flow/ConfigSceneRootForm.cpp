#include "flow/ConfigSceneRootForm.h"

#include "controls/Dialogs.h"
#include "controls/DisplayParts.h"
#include "engine/Music.h"
#include "engine/SoundEffects.h"
#include "foundation/ClientInfo.h"
#include "foundation/QuorException.h"

namespace Controls {

namespace {

constexpr int32_t kOkSound = 2, kCancelSound = 4, kTestSound = 7;
constexpr int32_t kZAttacks = 1, kXAttacks = 2;

std::unique_ptr<CSpriteTextLabel> Label(const std::string& text, int32_t x, int32_t y, int32_t width,
                                        bool left, int32_t size = 16) {
    auto label = std::make_unique<CSpriteTextLabel>(text, x, y, width, size == 16 ? 24 : 26, size, 45, 30, 8);
    if (left) label->SetAlignment(0);
    return label;
}

// Two check boxes 192 apart, the first or the second switched on.
std::unique_ptr<CExclusiveToggleButtonList> Choice(int32_t x, int32_t y, bool first) {
    auto list = std::make_unique<CExclusiveToggleButtonList>(x, y, 384, 24);
    CCheckBox* a = list->AddButton(std::make_unique<CCheckBox>(0, 0));
    CCheckBox* b = list->AddButton(std::make_unique<CCheckBox>(192, 0));
    (first ? a : b)->TurnOn();
    return list;
}

}  // namespace

CConfigSceneRootForm::CConfigSceneRootForm(IModeSceneHost* owner)
    : COriginalBaseForm(0, 0, 640, 480), owner_(owner) {
    CClientInfo* info = CClientInfo::GetInstance();
    initialMusic_ = info->GetMusicVolume();
    initialSoundEffect_ = info->GetSoundEffectVolume();
    initialKeyMode_ = info->GetKeyConfigMode();
    initialPermission_ = info->GetSendingPermission();
    Build();
    lastMusic_ = musicBar_->GetValue();
    lastSoundEffect_ = soundEffectBar_->GetValue();
    lastKeyIndex_ = keyList_->GetSelectedIndex();
    lastConnectionIndex_ = connectionList_->GetSelectedIndex();
}

void CConfigSceneRootForm::Build() {
    AddControl(std::make_unique<CFreeImage>(244, 32, kImageGroup, kSheet6, 104, 216, 256, 256));
    AddControl(std::make_unique<CFreeContainer>(80, 80, 480, 336));
    AddControl(std::make_unique<CCaptionRibon>("音楽のボリューム", 96, 96, 200, 0));
    AddControl(std::make_unique<CCaptionRibon>("効果音のボリューム", 96, 168, 200, 0));
    AddControl(std::make_unique<CCaptionRibon>("キーコンフィグ", 96, 240, 200, 0));
    AddControl(std::make_unique<CCaptionRibon>("ネットワーク自動接続", 96, 312, 200, 0));
    for (int32_t y : {120, 192}) {
        AddControl(Label("min", 140, y, 40, false));
        AddControl(Label("max", 396, y, 40, false));
    }
    AddControl(Label("Z:攻撃,X:ジャンプ", 164, 276, 160, true));
    AddControl(Label("X:攻撃,Z:ジャンプ", 348, 276, 160, true));
    AddControl(Label("オン", 164, 348, 200, true));
    AddControl(Label("オフ", 348, 348, 200, true));
    AddControl(
        Label("※オンにした場合、ネットワークに１日１回自動で接続し、\n"
              "　プレイ履歴情報の送信と、クリエイターポイントの取得を行います。",
              112, 380, 400, true, 12));
    ok_ = AddControl(
        std::make_unique<CTextPushButton>(GetWidth() / 2 - 120, GetHeight() - 56, "O K", kOkSound));
    cancel_ = AddControl(
        std::make_unique<CTextPushButton>(GetWidth() / 2 + 40, GetHeight() - 56, "ｷｬﾝｾﾙ", kCancelSound));
    // Its push sound, at the sound-effect volume, is the test.
    test_ = AddControl(std::make_unique<CTextPushButton>(460, 196, "TEST", kTestSound));
    close_ = AddControl(std::make_unique<CBigCloseButton>(592, 4));
    for (GCButton* b : {static_cast<GCButton*>(ok_), static_cast<GCButton*>(cancel_),
                        static_cast<GCButton*>(test_), static_cast<GCButton*>(close_)})
        b->AddPushedEventHandler(this);
    musicBar_ =
        AddControl(std::make_unique<CBasicHorizontalScrollBar>(128, 140, initialMusic_, 100, 0, 1, 320));
    soundEffectBar_ = AddControl(
        std::make_unique<CBasicHorizontalScrollBar>(128, 212, initialSoundEffect_, 100, 0, 1, 320));
    keyList_ = AddControl(Choice(128, 272, initialKeyMode_ == kZAttacks));
    connectionList_ = AddControl(Choice(128, 344, initialPermission_));
}

template <class Save>
void CConfigSceneRootForm::Saving(Save save) {
    try {
        save(*CClientInfo::GetInstance());
    } catch (const CDataFileException& e) {
        // The value stays in force for this run; the player learns it was not kept.
        OpenModal(std::make_unique<CAlertWindow>("[" + e.GetCode() + "]\n" + e.GetMessage()))
            ->AddClosedEventHandler(this);
    }
}

void CConfigSceneRootForm::UpdateSelf() {
    const int32_t music = musicBar_->GetValue();
    if (music != lastMusic_) {
        Saving([&](CClientInfo& info) { info.SetMusicVolume(music); });
        SetMusicVolume(static_cast<float>(music));
    }
    const int32_t soundEffect = soundEffectBar_->GetValue();
    if (soundEffect != lastSoundEffect_) {
        Saving([&](CClientInfo& info) { info.SetSoundEffectVolume(soundEffect); });
        SetSEVolume(soundEffect);
    }
    const int32_t key = keyList_->GetSelectedIndex();
    if (key != lastKeyIndex_) Saving([&](CClientInfo& info) { info.SetKeyConfigMode(key + 1); });
    const int32_t connection = connectionList_->GetSelectedIndex();
    if (connection != lastConnectionIndex_)
        Saving([&](CClientInfo& info) { info.SetSendingPermission(connection == 0); });
    lastMusic_ = music;
    lastSoundEffect_ = soundEffect;
    lastKeyIndex_ = key;
    lastConnectionIndex_ = connection;
    COriginalBaseForm::UpdateSelf();
}

void CConfigSceneRootForm::RestoreSettings() {
    Saving([&](CClientInfo& info) { info.SetMusicVolume(initialMusic_); });
    Saving([&](CClientInfo& info) { info.SetSoundEffectVolume(initialSoundEffect_); });
    Saving([&](CClientInfo& info) { info.SetKeyConfigMode(initialKeyMode_); });
    Saving([&](CClientInfo& info) { info.SetSendingPermission(initialPermission_); });
    SetMusicVolume(static_cast<float>(initialMusic_));
    SetSEVolume(initialSoundEffect_);
}

void CConfigSceneRootForm::Leave(bool restore) {
    if (leaving_) return;
    leaving_ = true;
    if (restore) RestoreSettings();
    // A failed save is read first; closing its window leaves.
    if (!GetModalForm()) owner_->CloseScene();
}

void CConfigSceneRootForm::OnClosed(GCForm*) {
    if (leaving_) owner_->CloseScene();
}

void CConfigSceneRootForm::OnPushed(GCButton* sender) {
    if (sender == ok_) {
        Leave(false);
    } else if (sender == cancel_ || sender == close_) {
        Leave(true);
    }
}

void CConfigSceneRootForm::Draw() {
    const uint32_t beige = PackColor(205, 165, 106);
    Port().Rect(0, 0, 640, 480, beige, beige, 1);
    COriginalBaseForm::Draw();
}

}  // namespace Controls
