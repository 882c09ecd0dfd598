#pragma once
// Small records that let screens list stages without keeping whole stages: the header of one
// .stg file, and the preview data that goes with a stage to and from the server.
#include <memory>
#include <string>

class CFileEntry;
class CStage;

class StageFileEntry {
  public:
    StageFileEntry();
    // Reads the stage file's header and takes the file entry over; when reading throws, the
    // caller's pointer still holds the file entry.
    explicit StageFileEntry(std::unique_ptr<CFileEntry>&& file);
    ~StageFileEntry();
    StageFileEntry(const StageFileEntry&) = delete;
    StageFileEntry& operator=(const StageFileEntry&) = delete;

    std::unique_ptr<StageFileEntry> Duplicate() const;
    static int GetLiveCount();

    // The file the header was read from (null for an empty entry).
    CFileEntry* GetFile() const { return file.get(); }

    std::string name;
    std::string originalAuthor;
    std::string arrangedAuthors;
    bool arrangementPermissionFlag = true;
    int category = 1;

  private:
    std::unique_ptr<CFileEntry> file;
};

struct StagePreviewInfo {
    int field0 = 0;
    int field1 = 0;
    int field2 = 0;
    int backGround = 1;

    static StagePreviewInfo FromStage(const CStage* stage);
    static StagePreviewInfo FromBackGroundKey(const std::string& key);
    std::string GetBackGroundKey() const;
    int GetField0() const { return field0; }
    int GetField1() const { return field1; }
    int GetField2() const { return field2; }
    int GetField3() const { return backGround; }
};

// Copies four ints (preview records and version numbers alike).
void CopyFourInts(int* dst, const int* src);
