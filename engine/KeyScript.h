#pragma once
// Scripted keys for runs without a player: key changes by frame, as the stage player records a
// play ("FRAME KEY down|up", KEY one of Up Down Left Right Z X Space F1 F2), turned into the keys
// held at each frame.
//
// A key script for the whole game is such a list cut into sections by anchor lines; each
// section's frames count from its anchor, and only the section reached last presses keys:
//
//   # comment
//   300 Z down        (frames from the first frame of the run)
//   302 Z up
//   @play             (from the first frame of play of the next stage, counted the way the
//   5 Right down       stage player counts a recording's frames, so a recorded route fits as is)
//   @after-play       (from the frame in which that play ended)
//   40 Down down
//   900 close         (the window is closed at that frame, as its close box does)
#include <set>
#include <string>
#include <vector>

// The last frame a change or a close may name (about 46 hours at 60 frames a second): larger
// numbers are refused as mistakes rather than wrapped round.
inline constexpr int kMaxKeyScriptFrame = 10'000'000;

struct KeyChange {
    int frame = 0;
    int scanCode = 0;
    bool down = false;
};

struct KeyHold {
    int from = 0, to = 0;  // frames, both included
    int scanCode = 0;
};

// The scan code of a key name, -1 for any other name; the name of a scan code, "?" for others.
int KeyScriptCode(const std::string& name);
std::string KeyScriptName(int scanCode);

// Reads change lines in order: each must come at or after the previous one and change its key.
class CKeyChangeReader {
  public:
    // True and `change` set for a change line; false with what is wrong with it otherwise.
    bool Read(const std::string& line, KeyChange& change, std::string& error);

  private:
    std::set<int> down_;
    int lastFrame_ = 0;
};

// The changes as held keys: a key is held from its "down" frame up to the frame before its "up"
// (to the end when it never comes up). Down and up at the same frame hold nothing.
std::vector<KeyHold> KeyChangesToHolds(const std::vector<KeyChange>& changes);
std::set<int> KeysHeldAt(const std::vector<KeyHold>& holds, int frame);

// Notes the keys down at each frame and keeps the changes.
class CKeyRecorder {
  public:
    // `down` holds the scan codes down during `frame`; frames come in order.
    void NoteFrame(int frame, const std::set<int>& down);
    const std::vector<KeyChange>& Changes() const { return changes_; }

  private:
    std::set<int> held_;
    std::vector<KeyChange> changes_;
};

// ---- Whole-game scripts ----

enum class KeyAnchor { Start, Play, AfterPlay };

struct KeyScriptSection {
    KeyAnchor anchor = KeyAnchor::Start;
    std::vector<KeyHold> holds;
    int closeAt = -1;  // the frame of the section at which the window closes (-1: none)
};

// False with the line and what is wrong with it.
bool ParseKeyScript(const std::string& text, std::vector<KeyScriptSection>& sections, std::string& error);

// Plays a script frame by frame: before each frame, the keys to hold in it; after each frame,
// whether a play is running, which reaches the next section's anchor.
class CKeyScriptPlayer {
  public:
    explicit CKeyScriptPlayer(std::vector<KeyScriptSection> sections);
    std::set<int> KeysFor(int frame) const;
    // Whether the window is to be closed before this frame.
    bool ClosesAt(int frame) const;
    void AfterFrame(int frame, bool playing);
    // The section whose keys play now (0 the first).
    int GetSection() const { return section_; }

  private:
    std::vector<KeyScriptSection> sections_;
    int section_ = 0;
    int anchorFrame_ = 0;
    bool playing_ = false;
};
