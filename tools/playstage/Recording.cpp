#include "tools/playstage/Recording.h"

#include <climits>
#include <map>
#include <sstream>

std::string FormatPlayRecording(const PlayRecording& r) {
    std::ostringstream out;
    out << "# quor-playstage recording: FRAME KEY down|up, frames from the first frame of play\n";
    out << "stage " << r.stagePath << "\n";
    out << "mode " << r.mode << "\n";
    out << "lives " << r.lives << "\n";
    out << "seed " << r.seed << "\n";
    for (const PlayKeyChange& c : r.changes)
        out << c.frame << " " << PlayStageKeyName(c.scanCode) << " " << (c.down ? "down" : "up") << "\n";
    return out.str();
}

bool ParsePlayRecording(const std::string& text, PlayRecording& r, std::string& error) {
    r = PlayRecording();
    std::istringstream in(text);
    std::string line;
    std::set<int> down;
    bool haveStage = false;
    int lastFrame = 0;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(number) + ": " + what;
            return false;
        };
        std::istringstream words(line);
        std::string first, second, third, extra;
        words >> first;
        if (first.empty() || first[0] == '#') continue;
        if (first == "stage") {
            // The path is the rest of the line, so that it may hold blanks.
            const size_t at = line.find_first_not_of(" \t", line.find("stage") + 5);
            if (at == std::string::npos) return fail("no stage file");
            r.stagePath = line.substr(at);
            haveStage = true;
            continue;
        }
        words >> second >> third >> extra;
        if (first == "mode" || first == "lives" || first == "seed") {
            int value = 0;
            if (!ParsePlayStageInt(second, value) || !third.empty()) return fail("bad " + first);
            if (first == "mode" && value != 0 && value != 1 && value != 3) return fail("bad mode");
            if (first == "lives" && value < 0) return fail("bad lives");
            (first == "mode" ? r.mode : first == "lives" ? r.lives : r.seed) = value;
            continue;
        }
        PlayKeyChange change;
        if (!ParsePlayStageInt(first, change.frame) || change.frame < 0) return fail("bad frame " + first);
        if (change.frame > kMaxPlayStageFrame)
            return fail("frame " + first + " is beyond the last frame a play may have (" +
                        std::to_string(kMaxPlayStageFrame) + ")");
        if (change.frame < lastFrame) return fail("frame " + first + " comes before an earlier change");
        change.scanCode = PlayStageKeyCode(second);
        if (change.scanCode < 0) return fail("unknown key " + second);
        if (third != "down" && third != "up") return fail("a change is down or up, not " + third);
        if (!extra.empty()) return fail("more than a change on the line");
        change.down = third == "down";
        if (change.down == (down.count(change.scanCode) > 0)) return fail(second + " is already " + third);
        if (change.down)
            down.insert(change.scanCode);
        else
            down.erase(change.scanCode);
        lastFrame = change.frame;
        r.changes.push_back(change);
    }
    if (!haveStage) {
        error = "no stage line";
        return false;
    }
    return true;
}

std::vector<PlayStageKeyHold> PlayRecordingHolds(const PlayRecording& r) {
    std::vector<PlayStageKeyHold> holds;
    std::map<int, int> since;  // scan code -> frame it went down
    for (const PlayKeyChange& c : r.changes) {
        if (c.down) {
            since[c.scanCode] = c.frame;
        } else if (const auto it = since.find(c.scanCode); it != since.end()) {
            // Down and up at the same frame cannot come from a recording; such a key is never seen.
            if (c.frame > it->second) holds.push_back({it->second, c.frame - 1, c.scanCode});
            since.erase(it);
        }
    }
    for (const auto& [code, from] : since) holds.push_back({from, INT_MAX, code});
    return holds;
}

int PlayRecordingLastFrame(const PlayRecording& r) { return r.changes.empty() ? 0 : r.changes.back().frame; }

void CPlayRecorder::NoteFrame(int frame, const std::set<int>& down) {
    for (int code : held)
        if (!down.count(code)) changes.push_back({frame, code, false});
    for (int code : down)
        if (!held.count(code)) changes.push_back({frame, code, true});
    held = down;
}
