#include "stage/KeyTextTable.h"

#include <utility>

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"

void CKeyTextTable::Load(const std::string& path, const KeyTextTableErrors& errors) {
    // The whole file, whatever its size; only the table's shape is limited.
    std::string text;
    const ReadStatus status = ReadEncodedFile(path, text);
    if (status == ReadStatus::CannotRead)
        throw CInitFileException(errors.cannotOpenCode, errors.cannotOpenMessage);
    std::vector<std::string> table;
    if (status != ReadStatus::Ok || !ParseCsvText(text, table, kFields, kMaxLines))
        throw CInitFileException(errors.invalidCode, errors.invalidMessage);
    std::vector<KeyTextRow> lines(kMaxLines);
    std::map<std::string, int> lineOfKey;
    int rows = 0;
    for (int l = 0; l < kMaxLines; ++l) {
        std::string& key = CsvCell(table, kMaxLines, 0, l);
        if (key.empty()) continue;
        lines[l] = {std::move(key), std::move(CsvCell(table, kMaxLines, 1, l)),
                    std::move(CsvCell(table, kMaxLines, 2, l))};
        lineOfKey[lines[l].key] = l;  // a later line with the same key wins
        ++rows;
    }
    lines_ = std::move(lines);
    lineOfKey_ = std::move(lineOfKey);
    rowCount_ = rows;
}

void CKeyTextTable::Clear() {
    lines_.clear();
    lineOfKey_.clear();
    rowCount_ = 0;
}

const KeyTextRow* CKeyTextTable::GetLine(int line) const {
    if (line < 0 || line >= static_cast<int>(lines_.size()) || lines_[line].key.empty()) return nullptr;
    return &lines_[line];
}

int CKeyTextTable::FindLine(const std::string& key) const {
    const auto it = lineOfKey_.find(key);
    return it == lineOfKey_.end() ? -1 : it->second;
}

const KeyTextRow* CKeyTextTable::Find(const std::string& key) const { return GetLine(FindLine(key)); }

KeyTextTableErrors PalletTableErrors() {
    const QuorErrorDef* cannotOpen = FindQuorError("IFE0200");
    const QuorErrorDef* invalid = FindQuorError("IFE0201");
    return {cannotOpen->code, cannotOpen->message, invalid->code, invalid->message};
}
