#pragma once
// Recorded input of the stage player: the key changes of a play, frame by frame, with the stage,
// mode, lives and seed that make the play happen again exactly. As text:
//
//   # any comment
//   stage stage/sample/sample01.stg
//   mode 3
//   lives 0
//   seed 1
//   0 Right down
//   41 Z down
//   52 Z up
//
// The stage path stands as it was given to the player; a relative one is read from the folder the
// player starts in (the game folder, for the recordings under tests/replays). Frames count from
// the first frame of play, every frame a fixed 1/60 s; a key is down from its "down" frame up to
// the frame before its "up" (or to the end of the play). Changes come in frame order, and each one changes
// the key: a second "down" without an "up" between is a mistake.
#include <string>
#include <vector>

#include "tools/playstage/PlayStage.h"

struct PlayRecording {
    std::string stagePath;
    int mode = 3;
    int lives = 0;
    int seed = 1;
    std::vector<KeyChange> changes;
};

// The recording as text, in the form above.
std::string FormatPlayRecording(const PlayRecording& recording);
// Reads the text; false with the line and what is wrong with it.
bool ParsePlayRecording(const std::string& text, PlayRecording& recording, std::string& error);
// The last frame a change happens at (0 for none).
int PlayRecordingLastFrame(const PlayRecording& recording);
