#pragma once
// The one exception family of the game. Every failure that reaches the player or the log is
// thrown by value as one of these, carrying a code of three letters and four digits ("IFE0100")
// and a message (UTF-8). The letters name the area, the class names the kind:
//   IFE program data files, DEF the player's files, SDE stage data, RAE memory,
//   DLE libraries, OTE other.
// Handlers catch by value; a handler of the base takes every class of the family. The base is a
// std::runtime_error whose what() is the message, so one handler of std::exception takes the
// game's errors and the library's alike (FormatErrorReport and GetErrorCode tell them apart).
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CQuorException : public std::runtime_error {
  public:
    CQuorException(std::string code, const std::string& message)
        : std::runtime_error(message), code_(std::move(code)) {}
    CQuorException(const CQuorException&) = default;
    CQuorException& operator=(const CQuorException&) = default;
    ~CQuorException() override = default;

    std::string GetCode() const { return code_; }
    std::string GetMessage() const { return what(); }

  private:
    std::string code_;
};

// A program data file or a state file that cannot be read or holds bad data.
class CInitFileException : public CQuorException {
  public:
    using CQuorException::CQuorException;
};
// A state file of the player that cannot be saved; the scenario save data's read failures.
class CDataFileException : public CQuorException {
  public:
    using CQuorException::CQuorException;
};
// Malformed XML text; the missing Japanese text conversion.
class COtherException : public CQuorException {
  public:
    using CQuorException::CQuorException;
};
// A stage file that cannot be opened, parsed, accepted or saved.
class CStageDataException : public CQuorException {
  public:
    using CQuorException::CQuorException;
};
// An internal memory pool or buffer that cannot be had.
class CResourceAccessException : public CQuorException {
  public:
    using CQuorException::CQuorException;
};
// The music library that cannot be loaded.
class CDllException : public CQuorException {
  public:
    using CQuorException::CQuorException;
};

// A code and a message kept beyond a handler (the network accessor's last error).
struct StringPair {
    std::string code;
    std::string message;
};

// The report text of a caught error: "Error Code:[" + code + "] \n" + message for the game's
// own, "Error: " + what() for any other exception.
std::string FormatErrorReport(const std::exception& e);
// The code of a caught error of the game, "" for any other exception.
std::string GetErrorCode(const std::exception& e);
std::string FormatErrorReport(const std::string& code, const std::string& message);

// Errors the game got over while it started (a damaged state file set aside, play going on
// without it): noted where they happen, written to the log at once with `detail` (what was done),
// and shown to the player once by the top menu.
void NoteRecoveredError(const CQuorException& e, const std::string& detail);
// The errors noted so far, in order; the list is empty afterwards.
std::vector<StringPair> TakeRecoveredErrors();

// ---- The table of every code of the game -------------------------------------------------
// Throwers may write the class, code and message literally; these helpers throw the same
// thing from the one table, so the texts cannot drift apart.

enum class QuorErrorClass { InitFile, DataFile, Other, StageData, ResourceAccess, Dll };

struct QuorErrorDef {
    const char* code;
    QuorErrorClass cls;
    const char* message;  // empty for the built messages (DEF0203, IFE0003, SDE0001, SDE0007)
};

// The entry for a code, or null when the game has no such code.
const QuorErrorDef* FindQuorError(std::string_view code);
// Every entry of the table, in code order; `count` receives the number of entries.
const QuorErrorDef* GetQuorErrorTable(int& count);

// Throws the class of the table with the code and its fixed message. An unknown code is
// thrown as a plain CQuorException with an empty message.
[[noreturn]] void ThrowQuorError(std::string_view code);
// Throws the class of the table with the code and the given (built) message.
[[noreturn]] void ThrowQuorError(std::string_view code, const std::string& message);

// The built messages.
// DEF0203: backup path + " を保存できません。"
std::string MakeBackupSaveErrorMessage(const std::string& backupPath);
// SDE0001: "ステージデータのバージョン(" + stage + ")が、現在のアプリケーションのバージョン(" + app +
// ")よりも新しいため、読み取りできません。"
std::string MakeStageVersionErrorMessage(const std::string& stageVersion, const std::string& appVersion);
// SDE0007: "ファイル" + path + "を開けません。"
std::string MakeStageOpenErrorMessage(const std::string& path);
// IFE0003: "BMPファイルを読み込めません: " + path (a picture of the game that cannot be read).
std::string MakePictureReadErrorMessage(const std::string& path);
