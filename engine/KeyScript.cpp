#include "engine/KeyScript.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <sstream>
#include <utility>

#include "platform/keycodes.h"

namespace {

struct KeyName {
    const char* name;
    int code;
};
constexpr KeyName kKeys[] = {{"Up", plat::kKeyUp},       {"Down", plat::kKeyDown}, {"Left", plat::kKeyLeft},
                             {"Right", plat::kKeyRight}, {"Z", plat::kKeyZ},       {"X", plat::kKeyX},
                             {"Space", plat::kKeySpace}, {"F1", plat::kKeyF1},     {"F2", plat::kKeyF2}};

bool ParseFrame(const std::string& text, int& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < 0 || v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

int KeyScriptCode(const std::string& name) {
    for (const KeyName& k : kKeys)
        if (name == k.name) return k.code;
    return -1;
}

std::string KeyScriptName(int scanCode) {
    for (const KeyName& k : kKeys)
        if (scanCode == k.code) return k.name;
    return "?";
}

bool CKeyChangeReader::Read(const std::string& line, KeyChange& change, std::string& error) {
    std::istringstream words(line);
    std::string first, second, third, extra;
    words >> first >> second >> third >> extra;
    if (!ParseFrame(first, change.frame)) {
        error = "bad frame " + first;
        return false;
    }
    if (change.frame > kMaxKeyScriptFrame) {
        error = "frame " + first + " is beyond the last frame a play may have (" +
                std::to_string(kMaxKeyScriptFrame) + ")";
        return false;
    }
    if (change.frame < lastFrame_) {
        error = "frame " + first + " comes before an earlier change";
        return false;
    }
    change.scanCode = KeyScriptCode(second);
    if (change.scanCode < 0) {
        error = "unknown key " + second;
        return false;
    }
    if (third != "down" && third != "up") {
        error = "a change is down or up, not " + third;
        return false;
    }
    if (!extra.empty()) {
        error = "more than a change on the line";
        return false;
    }
    change.down = third == "down";
    if (change.down == (down_.count(change.scanCode) > 0)) {
        error = second + " is already " + third;
        return false;
    }
    if (change.down)
        down_.insert(change.scanCode);
    else
        down_.erase(change.scanCode);
    lastFrame_ = change.frame;
    return true;
}

std::vector<KeyHold> KeyChangesToHolds(const std::vector<KeyChange>& changes) {
    std::vector<KeyHold> holds;
    std::map<int, int> since;  // scan code -> frame it went down
    for (const KeyChange& c : changes) {
        if (c.down) {
            since[c.scanCode] = c.frame;
        } else if (const auto it = since.find(c.scanCode); it != since.end()) {
            if (c.frame > it->second) holds.push_back({it->second, c.frame - 1, c.scanCode});
            since.erase(it);
        }
    }
    for (const auto& [code, from] : since) holds.push_back({from, INT_MAX, code});
    return holds;
}

std::set<int> KeysHeldAt(const std::vector<KeyHold>& holds, int frame) {
    std::set<int> keys;
    for (const KeyHold& h : holds)
        if (frame >= h.from && frame <= h.to) keys.insert(h.scanCode);
    return keys;
}

void CKeyRecorder::NoteFrame(int frame, const std::set<int>& down) {
    for (int code : held_)
        if (!down.count(code)) changes_.push_back({frame, code, false});
    for (int code : down)
        if (!held_.count(code)) changes_.push_back({frame, code, true});
    held_ = down;
}

// ---- Whole-game scripts ----

bool ParseKeyScript(const std::string& text, std::vector<KeyScriptSection>& sections, std::string& error) {
    sections.assign(1, KeyScriptSection());
    std::vector<KeyChange> changes;
    CKeyChangeReader reader;
    const auto close = [&] {
        sections.back().holds = KeyChangesToHolds(changes);
        changes.clear();
        reader = CKeyChangeReader();
    };
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first.empty() || first[0] == '#') continue;
        if (first[0] == '@') {
            close();
            if (first != "@play" && first != "@after-play") {
                error = "line " + std::to_string(number) + ": unknown anchor " + first;
                return false;
            }
            sections.push_back({first == "@play" ? KeyAnchor::Play : KeyAnchor::AfterPlay, {}});
            continue;
        }
        std::string second;
        words >> second;
        if (second == "close") {
            int frame = 0;
            if (!ParseFrame(first, frame) || frame > kMaxKeyScriptFrame) {
                error = "line " + std::to_string(number) + ": bad frame " + first;
                return false;
            }
            sections.back().closeAt = frame;
            continue;
        }
        KeyChange change;
        if (!reader.Read(line, change, error)) {
            error.insert(0, "line " + std::to_string(number) + ": ");
            return false;
        }
        changes.push_back(change);
    }
    close();
    return true;
}

CKeyScriptPlayer::CKeyScriptPlayer(std::vector<KeyScriptSection> sections) : sections_(std::move(sections)) {
    if (sections_.empty()) sections_.emplace_back();
}

std::set<int> CKeyScriptPlayer::KeysFor(int frame) const {
    return KeysHeldAt(sections_[static_cast<size_t>(section_)].holds, frame - anchorFrame_);
}

bool CKeyScriptPlayer::ClosesAt(int frame) const {
    const int at = sections_[static_cast<size_t>(section_)].closeAt;
    return at >= 0 && frame - anchorFrame_ == at;
}

void CKeyScriptPlayer::AfterFrame(int frame, bool playing) {
    const bool started = playing && !playing_, ended = !playing && playing_;
    playing_ = playing;
    const size_t next = static_cast<size_t>(section_) + 1;
    if (next >= sections_.size()) return;
    const KeyAnchor anchor = sections_[next].anchor;
    if ((anchor == KeyAnchor::Play && started) || (anchor == KeyAnchor::AfterPlay && ended)) {
        ++section_;
        anchorFrame_ = frame;
    }
}
