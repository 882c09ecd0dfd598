#include "editor_windows/FileSelectPanel.h"

#include <array>
#include <exception>
#include <filesystem>
#include <utility>

#include "controls/ControlPort.h"
#include "foundation/EncodedFile.h"
#include "foundation/FileList.h"
#include "foundation/QuorException.h"
#include "stage/StageFileEntry.h"

namespace {

struct ErrorRow {
    FileLoadErrorCode code;
    const char* exceptionCode;
    const char* text;
};

// The rows' reasons, in the order the codes are tried.
constexpr std::array<ErrorRow, 6> kErrorRows{{
    {FileLoad_CannotOpen, "SDE0007", "ファイルを開けません"},
    {FileLoad_BadData, "SDE0006", "データが不正です"},
    {FileLoad_NewerVersion, "SDE0001", "このバージョンは開けません"},
    {FileLoad_ArrangeForbidden, "SDE0008", "アレンジ禁止のステージです"},
    {FileLoad_UnboughtParts, "SDE0010", "未購入パーツを使っています"},
    {FileLoad_OtherError, "", "エラーが発生しました"},
}};

// No stage the editor can make comes near this size; a larger file is not read at all, so a
// huge download cannot stall the list.
constexpr uintmax_t kMaxStageFileBytes = 16u * 1024u * 1024u;

constexpr int32_t kTextRed = 45, kTextGreen = 30, kTextBlue = 8;

std::unique_ptr<Controls::CSpriteTextLabel> RowLabel(int32_t x, int32_t width) {
    auto label = std::make_unique<Controls::CSpriteTextLabel>("", x, 3, width, 15, 14, kTextRed, kTextGreen,
                                                              kTextBlue);
    label->SetAlignment(0);
    return label;
}

bool IsOversized(const CFileEntry& file) {
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(GetReadPath(file.GetFullPath()), ec);
    return !ec && size > kMaxStageFileBytes;
}

}  // namespace

FileLoadErrorCode FileLoadErrorFromCode(const std::string& exceptionCode) {
    for (const ErrorRow& row : kErrorRows) {
        if (exceptionCode == row.exceptionCode) return row.code;
    }
    return FileLoad_OtherError;
}

std::string FileLoadErrorText(int32_t code) {
    for (const ErrorRow& row : kErrorRows) {
        if (code == row.code) return row.text;
    }
    return kErrorRows.back().text;
}

StageFileRead ReadStageFileEntry(const CFileEntry& file) {
    StageFileRead read;
    if (IsOversized(file)) {
        read.code = FileLoad_BadData;
        return read;
    }
    try {
        read.record = std::make_unique<StageFileEntry>(file.Clone());
        read.code = FileLoad_Ok;
    } catch (const std::exception& e) {
        // Whatever a damaged file makes the reader run into is that file's error, not the list's.
        read.code = FileLoadErrorFromCode(GetErrorCode(e));
    }
    return read;
}

// ---- CFileInfoItem --------------------------------------------------------------------------

CFileInfoItem::CFileInfoItem(std::unique_ptr<StageFileEntry> record, int32_t x, int32_t y, int32_t code)
    : CToggleButtonBase(x, y, kWidth, kHeight), record_(std::move(record)), code_(code) {
    auto name = RowLabel(40, 180);
    auto info = RowLabel(230, 140);
    if (code_ == FileLoad_Ok && record_) {
        name->SetText(record_->name);
        if (const CFileEntry* file = record_->GetFile()) info->SetText(file->GetDateTimeText());
    } else {
        SetEnabled(false);
        name->SetText(FileLoadErrorText(code_));
    }
    name_ = name.get();
    info_ = info.get();
    GetControls().Add(std::move(name));
    GetControls().Add(std::move(info));
}

CFileInfoItem::~CFileInfoItem() = default;

void CFileInfoItem::UpdateSelf() {
    if (IsDown() != shownOn_) {
        shownOn_ = IsDown();
        for (Controls::CSpriteTextLabel* label : {name_, info_}) {
            if (shownOn_) {
                label->SetColor(255, 255, 240);
            } else {
                label->SetColor(kTextRed, kTextGreen, kTextBlue);
            }
        }
    }
    if (IsHovered() != shownHover_) {
        shownHover_ = IsHovered();
        // The labels keep what lay under them: a new highlight needs them drawn again.
        name_->Invalidate();
        info_->Invalidate();
    }
    CToggleButtonBase::UpdateSelf();
}

void CFileInfoItem::Draw() {
    const int32_t x = GetAbsoluteX(), y = GetAbsoluteY();
    if (IsDown()) {
        const uint32_t blue = Controls::PackColor(45, 120, 150);
        Controls::Port().Rect(x, y, x + GetWidth(), y + GetHeight() + 1, blue, blue, 1);
    } else if (IsHovered()) {
        const uint32_t yellow = Controls::PackColor(231, 218, 125);
        Controls::Port().Rect(x, y, x + GetWidth(), y + GetHeight() + 1, yellow, yellow, 1);
    }
    DrawChildren();
    const int32_t left = code_ == FileLoad_Ok ? 0 : 32;
    Controls::PutSheet(Controls::kSheet6, x + 4, y + 2, left, 192, left + 32, 208);
}

void CFileInfoItem::SetVisible(bool visible) {
    if (!visible) {
        name_->ReleaseSprite();
        info_->ReleaseSprite();
    }
    CToggleButtonBase::SetVisible(visible);
}

// ---- CFileSelectPanel -----------------------------------------------------------------------

CFileSelectPanel::CFileSelectPanel(int32_t x, int32_t y, int32_t width, int32_t height, int32_t rowsPerPage,
                                   int32_t pageButtons, std::unique_ptr<CFileList> list)
    : IPagingScrollablePanelBase(x, y, width, height, kRowPitch, list ? list->GetCount() : 0, rowsPerPage,
                                 pageButtons),
      list_(std::move(list)) {}

CFileSelectPanel::~CFileSelectPanel() = default;

int32_t CFileSelectPanel::GetFileCount() const { return list_ ? list_->GetCount() : 0; }

std::unique_ptr<Controls::CToggleButtonBase> CFileSelectPanel::CreateItem(int32_t index) {
    const CFileEntry* file = list_ ? list_->GetAt(index) : nullptr;
    if (!file) return nullptr;
    const size_t i = size_t(index);
    if (i < records_.size() && records_[i]) {
        return std::make_unique<CFileInfoItem>(records_[i]->Duplicate(), 0, 0, codes_[i]);
    }
    StageFileRead read = ReadStageFileEntry(*file);
    if (i >= records_.size()) {
        records_.resize(i + 1);
        codes_.resize(i + 1, FileLoad_Ok);
    }
    records_[i] = read.record ? read.record->Duplicate() : nullptr;
    codes_[i] = read.code;
    return std::make_unique<CFileInfoItem>(std::move(read.record), 0, 0, read.code);
}

const StageFileEntry* CFileSelectPanel::GetSelectedEntry() const {
    const int32_t index = GetSelectedIndex();
    if (index < 0 || size_t(index) >= records_.size()) return nullptr;
    return records_[size_t(index)].get();
}

std::string CFileSelectPanel::GetSelectedFilePath() const {
    const StageFileEntry* entry = GetSelectedEntry();
    return entry && entry->GetFile() ? entry->GetFile()->GetFullPath() : std::string();
}

CFileInfoItem* CFileSelectPanel::GetRow(int32_t index) const {
    if (!GetList() || GetItemsPerPage() <= 0) return nullptr;
    const int32_t local = index - (GetCurrentPage() - 1) * GetItemsPerPage();
    if (local < 0 || local >= GetItemsPerPage()) return nullptr;
    return dynamic_cast<CFileInfoItem*>(GetList()->GetButton(local));
}
