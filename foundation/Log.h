#pragma once
// The daily log: one plain CP932 file per day, "log\log" + yyyymmdd + ".log" in the game folder,
// appended one time-stamped line at a time: "[20101121 09:30:05] text".
#include <string>

class CLog {
  public:
    static CLog* GetInstance();

    // Appends one line; creates the folder "log" when missing. Never fails loudly: a line that
    // cannot be written is lost.
    void Write(const std::string& text);
    // "log\log" + today's "%04d%02d%02d" + ".log", relative to the game folder.
    std::string GetFilePath() const;

  private:
    CLog();
};
