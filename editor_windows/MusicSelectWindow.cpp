#include "editor_windows/MusicSelectWindow.h"

#include <memory>
#include <vector>

#include "engine/Music.h"

using namespace Controls;

namespace {

// The stage pieces first (the ninth before the second), then the shop's pieces.
const std::vector<int32_t> kOfferedMusic = {0, 7, 15, 8, 9, 10, 11, 12, 13, 14, 16, 17, 1, 2, 3, 4, 5, 6, 18};

const Catalogue kMusic{&MusicDisplayName, &MusicKey, &MusicIdFromKey, &IsMusicShopItem};

}  // namespace

CMusicSelectWindow::CMusicSelectWindow(int32_t x, int32_t y, int32_t music, int32_t areaIndex, int32_t tileX,
                                       int32_t tileY)
    : CCatalogueSelectWindow("音楽選択", x, y, kTallPickerLayout, kMusic, music),
      CObjectPlace(areaIndex, tileX, tileY),
      initialMusic_(music) {
    auto play = std::make_unique<CMusicPlayButton>(kTallPickerLayout.width - 64, 48);
    // Music already playing shows the button on; switching it on here plays nothing.
    if (CMusicPlayer::GetInstance()->GetCurrentMusic() != 0) play->TurnOn();
    play->AddPushedEventHandler(this);
    play->AddPulledEventHandler(this);
    play_ = AddControl(std::move(play));
    AddList(kOfferedMusic);
}

void CMusicSelectWindow::OnHighlight(int32_t row) {
    if (play_->IsDown() && row != lastRow_) PlaySelectedMusic();
    lastRow_ = row;
}

void CMusicSelectWindow::OnOtherButtonPushed(GCButton* sender) {
    if (sender == play_) PlaySelectedMusic();
}

void CMusicSelectWindow::OnPulled(GCButton* sender) {
    if (sender == play_) StopPreview();
}

void CMusicSelectWindow::PlaySelectedMusic() {
    const int32_t row = GetList()->GetSelectedIndex();
    PlayMusic(row < 0 ? initialMusic_ : IdOfRow(row), CMusicPlayer::kEndless, 1.0f, false, false);
}

void CMusicSelectWindow::StopPreview() { PlayMusic(0, CMusicPlayer::kEndless, 1.0f, false, true); }
