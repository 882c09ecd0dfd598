#include "server/DownloadMarkCache.h"

namespace qvserver {

std::string DownloadMarkCache::Key(int64_t stageId, const std::string& address) {
    return std::to_string(stageId) + ' ' + address;
}

bool DownloadMarkCache::Has(int64_t stageId, const std::string& address, int64_t day) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return day == day_ && marks_.count(Key(stageId, address)) != 0;
}

void DownloadMarkCache::Keep(int64_t stageId, const std::string& address, int64_t day) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (day != day_ || marks_.size() >= maxMarks_) {
        marks_.clear();
        day_ = day;
    }
    marks_.insert(Key(stageId, address));
}

}  // namespace qvserver
