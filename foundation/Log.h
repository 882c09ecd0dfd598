#pragma once
// The daily log: one plain CP932 file per day, "log\log" + yyyymmdd + ".log" in the game folder,
// appended one time-stamped line at a time: "[20101121 09:30:05] text".
#include <string>

class CLog {
  public:
    static CLog* GetInstance();

    // Appends one line; creates the folder "log" when missing. Never fails loudly: a line that
    // cannot be written is lost. The text may come from anywhere (the server, a file name): its
    // control characters are written escaped (EscapeLogText), so every entry stays one line and
    // no escape code reaches a terminal that shows the log.
    void Write(const std::string& text);
    // "log\log" + today's "%04d%02d%02d" + ".log", relative to the game folder.
    std::string GetFilePath() const;

  private:
    CLog();
};

// A UTF-8 text with every control character written out: line feed, carriage return and tab as
// "\n", "\r", "\t", the other C0 characters and DEL as "\x1b" (two lower-case hex digits), the
// C1 characters U+0080..U+009F as "\u0085". Everything else, "\" included, stays as it is.
std::string EscapeLogText(const std::string& text);
