#include "foundation/FileList.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "foundation/EncodedFile.h"

namespace fs = std::filesystem;

namespace {
int g_liveEntries = 0;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool MatchFilePattern(const std::string& pattern, const std::string& name) {
    // Iterative wildcard match with one backtrack point for the last "*".
    size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// ---- CFileEntry ---------------------------------------------------------------------------

CFileEntry::CFileEntry() { ++g_liveEntries; }

CFileEntry::CFileEntry(std::string fileName, std::string folder, std::optional<CDateTime> fileTime)
    : fileName_(std::move(fileName)), folder_(std::move(folder)), fileTime_(fileTime) {
    ++g_liveEntries;
}

CFileEntry::~CFileEntry() { --g_liveEntries; }

int CFileEntry::GetLiveCount() { return g_liveEntries; }

std::unique_ptr<CFileEntry> CFileEntry::Clone() const {
    return std::make_unique<CFileEntry>(fileName_, folder_, fileTime_);
}

std::string CFileEntry::GetFullPath() const { return JoinGamePath(folder_, fileName_); }

std::string CFileEntry::GetFileName() const {
    const size_t slash = fileName_.find_last_of('\\');
    return slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1);
}

std::string CFileEntry::GetDateTimeText() const {
    return fileTime_ ? fileTime_->FormatDateTime() : std::string();
}

std::string CFileEntry::GetDateTimeTextJp() const {
    return fileTime_ ? fileTime_->FormatDateTimeJp() : std::string();
}

// ---- CFileList ----------------------------------------------------------------------------

CFileList::CFileList(std::string folder, std::string pattern)
    : folder_(std::move(folder)), pattern_(std::move(pattern)) {
    Refresh();
}

CFileList::~CFileList() = default;

void CFileList::Refresh() {
    entries_.clear();
    // An installed copy lists the player's folder and the game's together; a name in the
    // player's folder hides the same name in the game's, as it does for reading.
    std::set<std::string> seen;
    for (const std::string& folder : GetReadFolders(folder_)) {
        std::error_code ec;
        fs::directory_iterator it(folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::error_code ec2;
            if (it->is_directory(ec2)) continue;
            if (!it->is_regular_file(ec2)) continue;
            const std::string name = it->path().filename().string();
            // What a killed save left behind is no file of the player's, whatever the pattern.
            if (IsTempFileName(name) || !MatchFilePattern(pattern_, name) || seen.count(name)) continue;
            const fs::file_time_type t = it->last_write_time(ec2);
            if (ec2) continue;
            seen.insert(name);
            entries_.push_back(std::make_unique<CFileEntry>(name, folder_, CDateTime(t)));
        }
    }
    // Newest first.
    std::sort(entries_.begin(), entries_.end(),
              [](const auto& a, const auto& b) { return b->GetFileTime()->IsEarlier(*a->GetFileTime()); });
}

int CFileList::GetCount() const { return static_cast<int>(entries_.size()); }

CFileEntry* CFileList::GetAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return nullptr;
    return entries_[static_cast<size_t>(index)].get();
}
