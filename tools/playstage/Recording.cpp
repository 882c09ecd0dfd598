#include "tools/playstage/Recording.h"

#include <sstream>

std::string FormatPlayRecording(const PlayRecording& r) {
    std::ostringstream out;
    out << "# quor-playstage recording: FRAME KEY down|up, frames from the first frame of play\n";
    out << "stage " << r.stagePath << "\n";
    out << "mode " << r.mode << "\n";
    out << "lives " << r.lives << "\n";
    out << "seed " << r.seed << "\n";
    for (const KeyChange& c : r.changes)
        out << c.frame << " " << KeyScriptName(c.scanCode) << " " << (c.down ? "down" : "up") << "\n";
    return out.str();
}

bool ParsePlayRecording(const std::string& text, PlayRecording& r, std::string& error) {
    r = PlayRecording();
    std::istringstream in(text);
    std::string line;
    CKeyChangeReader reader;
    bool haveStage = false;
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
        KeyChange change;
        if (!reader.Read(line, change, error)) return fail(error);
        r.changes.push_back(change);
    }
    if (!haveStage) {
        error = "no stage line";
        return false;
    }
    return true;
}

int PlayRecordingLastFrame(const PlayRecording& r) { return r.changes.empty() ? 0 : r.changes.back().frame; }
