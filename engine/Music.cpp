#include "engine/Music.h"

#include "engine/el/OggPlayer.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/QuorException.h"

namespace {

struct MusicEntry {
    const char* key;
    const char* name;
    const char* file;
    int stageNumber;
    bool shopItem;
};

const MusicEntry kMusic[kMusicCount] = {
    {"NoMusic", "（なし）", "（なし）", 0, false},
    {"Opening", "オープニングカーニバル", "music\\opening.ogg", 99, true},
    {"TopMenu", "メニュー画面のテーマ", "music\\topmenu.ogg", 1, true},
    {"SelectStage", "ほのぼのセレクション", "music\\stageselect.ogg", 5, true},
    {"Editor", "休日に大地を耕す", "music\\editor.ogg", 2, true},
    {"Download", "巡り合い", "music\\download.ogg", 3, true},
    {"Evaluation", "面白かったですか？", "music\\evaluation.ogg", 4, true},
    {"Stage001", "青空を行こうよ", "music\\stage001.ogg", 11, false},
    {"Stage002", "空戦", "music\\stage002.ogg", 12, false},
    {"Stage003", "深淵", "music\\stage003.ogg", 13, false},
    {"Stage004", "潜入を開始する", "music\\stage004.ogg", 14, false},
    {"Stage005", "春風の吹いた日", "music\\stage005.ogg", 15, false},
    {"Stage006", "Lost City", "music\\stage006.ogg", 16, false},
    {"Stage007", "戦慄の館", "music\\stage007.ogg", 17, false},
    {"Stage008", "予感…", "music\\stage008.ogg", 18, true},
    {"Stage009", "天地を駆ける", "music\\stage009.ogg", 19, false},
    {"Boss001", "棒バトル", "music\\boss001.ogg", 21, true},
    {"Boss002", "バット・バット", "music\\boss002.ogg", 22, true},
    {"Ending", "休日に大地を耕す with vocal", "music\\ending.ogg", 90, true},
};

static_assert(MusicId::kEnding == kMusicCount - 1, "every piece of the catalogue has a name");

bool InTable(int id) { return id >= 0 && id < kMusicCount; }

// The Ogg player on the shared audio output.
class OggMusicOutput : public IMusicOutput {
  public:
    explicit OggMusicOutput(std::unique_ptr<el::OggPlayer> player) : player_(std::move(player)) {}
    void Open(const std::string& path) override { player_->Open(path); }
    void Play() override { player_->Play(); }
    void Stop() override { player_->Stop(); }
    void SetLoopCount(int loops) override { player_->SetLoopCount(loops); }
    void SetVolume(float volume) override { player_->SetVolume(volume); }
    float GetVolume() override { return player_->GetVolume(); }
    void Release() override { player_->Release(); }
    int IsPlaying() override { return player_->IsPlaying(); }

  private:
    std::unique_ptr<el::OggPlayer> player_;
};

CMusicPlayer::OutputFactory g_outputFactory;

}  // namespace

std::string MusicDisplayName(int id) { return InTable(id) ? kMusic[id].name : std::string(); }
std::string MusicFileName(int id) { return InTable(id) ? kMusic[id].file : std::string(); }
std::string MusicKey(int id) { return InTable(id) ? kMusic[id].key : std::string("NoMusic"); }
int MusicIdFromKey(const std::string& key) {
    for (int i = 0; i < kMusicCount; ++i)
        if (key == kMusic[i].key) return i;
    return 0;
}
int MusicIdToStageNumber(int id) { return InTable(id) ? kMusic[id].stageNumber : 0; }
int MusicIdFromStageNumber(int number) {
    for (int i = 0; i < kMusicCount; ++i)
        if (kMusic[i].stageNumber == number) return i;
    return 0;
}
bool IsMusicShopItem(int id) { return InTable(id) && kMusic[id].shopItem; }

// ---------------------------------------------------------------------------------------------

CMusicPlayer* CMusicPlayer::GetInstance() {
    CMusicPlayer* player = CSingleton::GetInstance();
    if (!player->loaded_) throw CDllException("DLE0001", "Vox.dll を開けません。");
    return player;
}

void CMusicPlayer::SetOutputFactory(OutputFactory factory) { g_outputFactory = std::move(factory); }

CMusicPlayer::CMusicPlayer() {
    loaded_ = true;
    current_ = 0;
    if (g_outputFactory) {
        output_ = g_outputFactory();
    } else {
        std::unique_ptr<el::OggPlayer> player = el::CreateOggPlayer();
        if (player) output_ = std::make_unique<OggMusicOutput>(std::move(player));
    }
    if (!output_) {
        loaded_ = false;
        return;
    }
    InitialState();
}

void CMusicPlayer::InitialState() {
    fadingIn_ = fadingOut_ = fadeInAfterFadeOut_ = false;
    level_ = 0;
    pending_ = 0;
    loops_ = kEndless;
    target_ = 1.0;
    factor_ = 1.0f;
    SetVolume(static_cast<float>(CClientInfo::GetInstance()->GetMusicVolume()));
}

void CMusicPlayer::LoadMusic(int id) {
    current_ = id;
    if (!output_) return;
    output_->Stop();
    if (id == 0) return;
    output_->Open(GetReadPath(MusicFileName(id)));
}

void CMusicPlayer::Play(int id, int loops, float factor, bool fadeIn, bool fadeOut) {
    if (!output_) return;
    if (id == current_ && fadingOut_ && pending_ != current_) {
        // The piece asked for is the one still fading out: the change it was fading out for
        // is called off and the piece rises back from where the fade has brought it.
        target_ = master_ * factor;
        factor_ = factor;
        pending_ = id;
        loops_ = loops;
        fadingOut_ = false;
        fadeInAfterFadeOut_ = false;
        fadingIn_ = level_ < target_;
        if (!fadingIn_) level_ = target_;
        output_->SetLoopCount(loops_);
        output_->SetVolume(static_cast<float>(level_));
        return;
    }
    if (id == current_ || id == pending_) return;
    target_ = master_ * factor;
    factor_ = factor;
    pending_ = id;
    loops_ = loops;
    if (!fadeIn && !fadeOut) {
        fadingIn_ = fadingOut_ = fadeInAfterFadeOut_ = false;
        level_ = master_;
        LoadMusic(id);
        output_->SetLoopCount(loops_);
        output_->SetVolume(master_ * factor);
        if (id != 0) output_->Play();
    } else if (fadeOut && !fadeIn) {
        fadingIn_ = false;
        fadingOut_ = true;
        fadeInAfterFadeOut_ = false;
        level_ = output_->IsPlaying() == 1 ? output_->GetVolume() : 0.0;
    } else if (fadeIn && !fadeOut) {
        fadingIn_ = true;
        fadingOut_ = false;
        fadeInAfterFadeOut_ = false;
        level_ = 0;
        LoadMusic(id);
        output_->SetLoopCount(loops_);
        output_->SetVolume(0.0f);
        if (id != 0) output_->Play();
    } else {
        fadingIn_ = false;
        fadingOut_ = true;
        fadeInAfterFadeOut_ = true;
        level_ = output_->IsPlaying() == 1 ? output_->GetVolume() : 0.0;
    }
}

void CMusicPlayer::Update() {
    if (!output_) return;
    const double d = GetFrameTime();
    if (fadingOut_) {
        level_ -= d * 1.2;
        if (level_ < 0) level_ = 0;
        output_->SetVolume(static_cast<float>(level_));
        if (level_ > 0) return;
        if (fadeInAfterFadeOut_) {
            fadingIn_ = true;
            level_ = 0;
        } else {
            fadingIn_ = false;
            level_ = master_;
        }
        LoadMusic(pending_);
        output_->SetLoopCount(loops_);
        output_->SetVolume(static_cast<float>(level_));
        if (pending_ != 0) output_->Play();
        fadingOut_ = false;
    } else if (fadingIn_) {
        level_ += d * 1.2;
        if (level_ > target_) level_ = target_;
        output_->SetVolume(static_cast<float>(level_));
        if (level_ == target_) fadingIn_ = false;
    }
}

void CMusicPlayer::SetVolume(float percent) {
    master_ = percent * 0.01f;
    if (master_ < 0.0f) master_ = 0.0f;
    if (master_ > 1.0f) master_ = 1.0f;
    if (output_ && output_->IsPlaying() == 1) output_->SetVolume(master_);
    if (fadingIn_ || fadingOut_) {
        level_ = master_;
        // The fade's target follows the new volume too, so that the piece ends at the volume
        // the player has just set rather than at the old one.
        target_ = master_ * factor_;
    }
}

void CMusicPlayer::Reset() {
    if (output_) output_->Stop();
    loops_ = kEndless;
    current_ = pending_ = 0;
    fadingIn_ = fadingOut_ = fadeInAfterFadeOut_ = false;
    level_ = 0;
    target_ = 1.0;
    factor_ = 1.0f;
    SetVolume(static_cast<float>(CClientInfo::GetInstance()->GetMusicVolume()));
}

void CMusicPlayer::Shutdown() {
    if (!loaded_ || !output_) return;
    output_->Stop();
    output_->Release();
    output_.reset();
    loaded_ = false;
}

void PlayMusic(int id, int loops, float factor, bool fadeIn, bool fadeOut) {
    CMusicPlayer::GetInstance()->Play(id, loops, factor, fadeIn, fadeOut);
}

void SetMusicVolume(float percent) { CMusicPlayer::GetInstance()->SetVolume(percent); }
