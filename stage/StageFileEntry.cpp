#include "stage/StageFileEntry.h"

#include <memory>

#include "foundation/FileList.h"
#include "foundation/QuorException.h"
#include "stage/Stage.h"
#include "stage/StageCatalogues.h"

namespace {
int gLiveEntries = 0;
}

StageFileEntry::StageFileEntry() { ++gLiveEntries; }

StageFileEntry::StageFileEntry(std::unique_ptr<CFileEntry>&& entry) {
    if (!entry) throw CStageDataException("SDE0007", MakeStageOpenErrorMessage(std::string()));
    std::unique_ptr<CStage> stage = CStage::LoadFromFile(nullptr, entry->GetFullPath(), 1);
    if (!stage) throw CStageDataException("SDE0006", "ステージの構造が不正です。");
    if (stage->category != 1 && !stage->arrangementPermissionFlag) {
        throw CStageDataException("SDE0008", "アレンジ禁止のステージです");
    }
    name = stage->name;
    originalAuthor = stage->originalAuthor;
    arrangedAuthors = stage->arrangedAuthors;
    arrangementPermissionFlag = stage->arrangementPermissionFlag;
    category = stage->category;
    file = std::move(entry);
    ++gLiveEntries;
}

StageFileEntry::~StageFileEntry() { --gLiveEntries; }

std::unique_ptr<StageFileEntry> StageFileEntry::Duplicate() const {
    auto copy = std::make_unique<StageFileEntry>();
    if (file) copy->file = file->Clone();
    copy->name = name;
    copy->originalAuthor = originalAuthor;
    copy->arrangedAuthors = arrangedAuthors;
    copy->arrangementPermissionFlag = arrangementPermissionFlag;
    copy->category = category;
    return copy;
}

int StageFileEntry::GetLiveCount() { return gLiveEntries; }

StagePreviewInfo StagePreviewInfo::FromStage(const CStage* stage) {
    StagePreviewInfo info;
    info.backGround = 1;
    if (stage && stage->IsValidAreaIndex(0)) info.backGround = stage->GetArea(0)->backGround;
    return info;
}

StagePreviewInfo StagePreviewInfo::FromBackGroundKey(const std::string& key) {
    StagePreviewInfo info;
    info.backGround = BackGroundFromKey(key);
    return info;
}

std::string StagePreviewInfo::GetBackGroundKey() const { return BackGroundKey(backGround); }

void CopyFourInts(int* dst, const int* src) {
    for (int i = 0; i < 4; ++i) dst[i] = src[i];
}
