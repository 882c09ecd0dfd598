#pragma once
// A calendar date and time in local time, with the game's date and time texts.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The eight fields of a calendar time, in this order.
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;      // 1..12
    uint16_t dayOfWeek = 0;  // 0 Sunday .. 6
    uint16_t day = 0;        // 1..31
    uint16_t hour = 0;       // 0..23
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

class CDateTime {
  public:
    // The current local time.
    CDateTime();
    // A last-write time of a file, in local time.
    explicit CDateTime(std::filesystem::file_time_type fileTime);
    // The given fields.
    explicit CDateTime(const SystemTime& time);
    CDateTime(const CDateTime&) = default;
    CDateTime& operator=(const CDateTime&) = default;

    const SystemTime& GetFields() const { return time_; }
    int GetHour() const { return time_.hour; }

    std::string FormatDateCompact() const;  // "20101121"
    std::string FormatDateSlash() const;    // "2010/11/21"
    std::string FormatDateJp() const;       // "2010年11月21日"
    std::string FormatTimeCompact() const;  // "093005"
    std::string FormatTime() const;         // "09:30:05"
    std::string FormatTimeJp() const;       // "09時30分05秒"
    std::string FormatStamp() const;        // "20101121093005"
    std::string FormatDateTime() const;     // "2010/11/21 09:30:05"
    std::string FormatDateTimeJp() const;   // "2010年11月21日 09時30分05秒"

    // True when this time is earlier than the other, to the second (milliseconds and weekday
    // take no part).
    bool IsEarlier(const CDateTime& other) const;

    // Tests fix "now" here; nothing restores the real clock.
    static void SetNowForTesting(std::optional<SystemTime> now);

  private:
    SystemTime time_;
};
