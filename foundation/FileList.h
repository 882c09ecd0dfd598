#pragma once
// The files of a folder with their last-write times, newest first, for the file panels.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/DateTime.h"

class CFileEntry {
  public:
    CFileEntry();
    CFileEntry(std::string fileName, std::string folder, std::optional<CDateTime> fileTime);
    ~CFileEntry();
    CFileEntry(const CFileEntry&) = delete;
    CFileEntry& operator=(const CFileEntry&) = delete;

    // A new copy.
    std::unique_ptr<CFileEntry> Clone() const;
    // folder + "\" + fileName (JoinGamePath: a name that holds a "\" is kept whole)
    std::string GetFullPath() const;
    // The part of the file name after its last "\" (all of it when it has none).
    std::string GetFileName() const;
    // "%04d/%02d/%02d %02d:%02d:%02d", or "" without a time.
    std::string GetDateTimeText() const;
    // "%04d年%02d月%02d日 %02d時%02d分%02d秒", or "" without a time.
    std::string GetDateTimeTextJp() const;

    const std::string& GetRawFileName() const { return fileName_; }
    const std::string& GetFolder() const { return folder_; }
    // Null without a time.
    const CDateTime* GetFileTime() const { return fileTime_ ? &*fileTime_ : nullptr; }

    // The number of live entries.
    static int GetLiveCount();

  private:
    std::string fileName_;
    std::string folder_;
    std::optional<CDateTime> fileTime_;
};

class CFileList {
  public:
    // Lists the files (not folders) of `folder` (relative to the game folder) whose names match
    // `pattern` ("*.stg"; "*" and "?" wildcards, letter case ignored), newest first. The
    // temporary files of saves (IsTempFileName) are never listed.
    CFileList(std::string folder, std::string pattern);
    ~CFileList();
    CFileList(const CFileList&) = delete;
    CFileList& operator=(const CFileList&) = delete;

    // Lists the folder again.
    void Refresh();
    int GetCount() const;
    // The entry, or null for a negative index or one past the end.
    CFileEntry* GetAt(int index) const;

  private:
    std::vector<std::unique_ptr<CFileEntry>> entries_;
    std::string folder_;
    std::string pattern_;
};

// True when the name matches the pattern ("*" any run, "?" one character; ASCII case ignored).
bool MatchFilePattern(const std::string& pattern, const std::string& name);
