#pragma once
// The music picker "音楽選択": the pieces the player may use (the shop's pieces once bought), the
// title of the piece shown, and the listen button, which plays the highlighted piece (or the
// piece the window was opened with while none is highlighted) and fades the music out when it is
// switched off. Highlighting another row while listening switches to that piece at once. The
// music that plays when the window closes goes on playing.
//
// The settings windows open it for an area's music and read GetMusic whatever way it closed; the
// editor opens the form with a place for a placed change-music event and applies GetMusic only
// when IsDecided.
#include <cstdint>

#include "controls/Widget.h"
#include "editor_windows/CatalogueSelectWindow.h"
#include "editor_windows/EditorToolButtons.h"
#include "editor_windows/ObjectPlace.h"

class CMusicSelectWindow : public CCatalogueSelectWindow,
                           public Controls::IPulledEventHandler,
                           public CObjectPlace {
  public:
    CMusicSelectWindow(int32_t x, int32_t y, int32_t music) : CMusicSelectWindow(x, y, music, 0, 0, 0) {}
    CMusicSelectWindow(int32_t x, int32_t y, int32_t music, int32_t areaIndex, int32_t tileX, int32_t tileY);

    void OnPulled(Controls::GCButton* sender) override;
    // Starts the highlighted piece, or the piece the window was opened with.
    void PlaySelectedMusic();
    // Fades the music out to silence.
    void StopPreview();

    // The music passed in, or the highlighted row's after "O K".
    int32_t GetMusic() const { return value_; }
    bool IsDecided() const { return decided_; }
    Controls::CMusicPlayButton* GetPlayButton() const { return play_; }

  protected:
    void OnHighlight(int32_t row) override;
    void OnOtherButtonPushed(Controls::GCButton* sender) override;

  private:
    int32_t initialMusic_;
    int32_t lastRow_ = -1;
    Controls::CMusicPlayButton* play_;
};
