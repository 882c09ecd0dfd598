#include "foundation/DateTime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

std::optional<SystemTime> g_nowForTesting;

SystemTime FromSystemClock(std::chrono::system_clock::time_point tp) {
    using namespace std::chrono;
    const std::time_t t = system_clock::to_time_t(tp);
    SystemTime st;
    std::tm tm{};
    if (const std::tm* local = std::localtime(&t)) tm = *local;
    st.year = static_cast<uint16_t>(tm.tm_year + 1900);
    st.month = static_cast<uint16_t>(tm.tm_mon + 1);
    st.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    st.day = static_cast<uint16_t>(tm.tm_mday);
    st.hour = static_cast<uint16_t>(tm.tm_hour);
    st.minute = static_cast<uint16_t>(tm.tm_min);
    st.second = static_cast<uint16_t>(tm.tm_sec);
    auto ms = duration_cast<milliseconds>(tp.time_since_epoch()).count() % 1000;
    if (ms < 0) ms += 1000;
    st.milliseconds = static_cast<uint16_t>(ms);
    return st;
}

std::string Format(const char* fmt, int a, int b, int c) {
    char buf[64];
    std::snprintf(buf, sizeof(buf), fmt, a, b, c);
    return buf;
}

}  // namespace

CDateTime::CDateTime()
    : time_(g_nowForTesting ? *g_nowForTesting : FromSystemClock(std::chrono::system_clock::now())) {}

CDateTime::CDateTime(std::filesystem::file_time_type fileTime)
    : time_(FromSystemClock(std::chrono::file_clock::to_sys(fileTime))) {}

CDateTime::CDateTime(const SystemTime& time) : time_(time) {}

void CDateTime::SetNowForTesting(std::optional<SystemTime> now) { g_nowForTesting = now; }

std::string CDateTime::FormatDateCompact() const {
    return Format("%04d%02d%02d", time_.year, time_.month, time_.day);
}
std::string CDateTime::FormatDateSlash() const {
    return Format("%04d/%02d/%02d", time_.year, time_.month, time_.day);
}
std::string CDateTime::FormatDateJp() const {
    return Format("%04d年%02d月%02d日", time_.year, time_.month, time_.day);
}
std::string CDateTime::FormatTimeCompact() const {
    return Format("%02d%02d%02d", time_.hour, time_.minute, time_.second);
}
std::string CDateTime::FormatTime() const {
    return Format("%02d:%02d:%02d", time_.hour, time_.minute, time_.second);
}
std::string CDateTime::FormatTimeJp() const {
    return Format("%02d時%02d分%02d秒", time_.hour, time_.minute, time_.second);
}
std::string CDateTime::FormatStamp() const { return FormatDateCompact() + FormatTimeCompact(); }
std::string CDateTime::FormatDateTime() const { return FormatDateSlash() + " " + FormatTime(); }
std::string CDateTime::FormatDateTimeJp() const { return FormatDateJp() + " " + FormatTimeJp(); }

bool CDateTime::IsEarlier(const CDateTime& other) const {
    const uint16_t a[6] = {time_.year, time_.month, time_.day, time_.hour, time_.minute, time_.second};
    const SystemTime& o = other.time_;
    const uint16_t b[6] = {o.year, o.month, o.day, o.hour, o.minute, o.second};
    for (int i = 0; i < 6; ++i) {
        if (a[i] != b[i]) return a[i] < b[i];
    }
    return false;
}
