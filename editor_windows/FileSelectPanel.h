#pragma once
// The paged list of a folder's stage files that the open command shows: one row per file, ten
// to a page, each file read as a stage when its page is first built. A file that cannot be
// opened in the editor (missing, damaged, too new, arrangement forbidden, unbought parts, or
// anything else going wrong while it is read) becomes a disabled row that says why; the list
// reads stages downloaded from other players, so no file may stop it.
//
// A file read correctly is read once while the panel lives; one that failed is read again each
// time its page is built (it may have been mended meanwhile).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/DisplayParts.h"
#include "controls/Panels.h"

class CFileEntry;
class CFileList;
class StageFileEntry;

// Why a listed file cannot be opened; decided once per read.
enum FileLoadErrorCode : int32_t {
    FileLoad_Ok = 0,
    FileLoad_CannotOpen = 1,        // SDE0007
    FileLoad_BadData = 2,           // SDE0006, and files far larger than any stage
    FileLoad_NewerVersion = 3,      // SDE0001
    FileLoad_ArrangeForbidden = 4,  // SDE0008
    FileLoad_UnboughtParts = 5,     // SDE0010
    FileLoad_OtherError = 6,        // any other error
};

// The code of an error code text, and the text a row shows for a code (other codes: code 6's).
FileLoadErrorCode FileLoadErrorFromCode(const std::string& exceptionCode);
std::string FileLoadErrorText(int32_t code);

// Reads one listed file as a stage. `record` is null unless the code is FileLoad_Ok. Never
// throws.
struct StageFileRead {
    std::unique_ptr<StageFileEntry> record;
    FileLoadErrorCode code = FileLoad_OtherError;
};
StageFileRead ReadStageFileEntry(const CFileEntry& file);

// One row: a toggle button with the stage name (or the reason) and the file's time, and an icon.
class CFileInfoItem : public Controls::CToggleButtonBase {
  public:
    static constexpr int32_t kWidth = 380, kHeight = 19;
    // Takes the record over (null when the file could not be read).
    CFileInfoItem(std::unique_ptr<StageFileEntry> record, int32_t x, int32_t y, int32_t code);
    ~CFileInfoItem() override;

    void UpdateSelf() override;
    void Draw() override;
    void SetVisible(bool visible) override;

    int32_t GetErrorCode() const { return code_; }
    const StageFileEntry* GetRecord() const { return record_.get(); }
    Controls::CSpriteTextLabel* GetNameLabel() const { return name_; }
    Controls::CSpriteTextLabel* GetInfoLabel() const { return info_; }

  private:
    std::unique_ptr<StageFileEntry> record_;
    Controls::CSpriteTextLabel* name_;
    Controls::CSpriteTextLabel* info_;
    int32_t code_;
    bool shownOn_ = false, shownHover_ = false;
};

class CFileSelectPanel : public Controls::IPagingScrollablePanelBase {
  public:
    static constexpr int32_t kRowPitch = 20;
    // Takes the list over.
    CFileSelectPanel(int32_t x, int32_t y, int32_t width, int32_t height, int32_t rowsPerPage,
                     int32_t pageButtons, std::unique_ptr<CFileList> list);
    ~CFileSelectPanel() override;

    // A new row for file `index`, read from the cache or from the file; null outside the list.
    std::unique_ptr<Controls::CToggleButtonBase> CreateItem(int32_t index) override;

    // The selected file's record (the panel's), or null: nothing selected or not read.
    const StageFileEntry* GetSelectedEntry() const;
    // The selected file's full path, or empty.
    std::string GetSelectedFilePath() const;
    int32_t GetFileCount() const;
    // The row shown for file `index`, or null when it is not on the page shown.
    CFileInfoItem* GetRow(int32_t index) const;

  private:
    std::unique_ptr<CFileList> list_;
    // Indexed by file: the record read (null: failed or not read yet) and its code.
    std::vector<std::unique_ptr<StageFileEntry>> records_;
    std::vector<int32_t> codes_;
};
