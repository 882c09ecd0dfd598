#pragma once
// The tables of texts by key that the stage model and the editor's pallets read, in one format:
// "data\stage_objects.dat" (the placeable object kinds; a line's number is the kind's number) and
// "data\mapchip_info.dat" (the map chips of the pallets). Each is an encoded comma-separated
// text of at most 1024 lines of three fields: key, name, description. A line with an empty key
// is no row; of two lines with the same key the later one is the key's row.
#include <map>
#include <string>
#include <vector>

// One line of a key text table.
struct KeyTextRow {
    std::string key;
    std::string name;
    std::string description;
};

// The coded errors a reader raises (CInitFileException) for a table it cannot open or split.
struct KeyTextTableErrors {
    const char* cannotOpenCode;
    const char* cannotOpenMessage;
    const char* invalidCode;
    const char* invalidMessage;
};

// The editor pallets' item-text tables ("IFE0200", "IFE0201"), with the texts of the game's table
// of codes.
KeyTextTableErrors PalletTableErrors();

class CKeyTextTable {
  public:
    static constexpr int kFields = 3;
    static constexpr int kMaxLines = 1024;

    // Reads the file whole. Throws CInitFileException with the first code when the file cannot
    // be read, with the second when it is not an encoded text or does not fit 1024 lines of three
    // fields; the table keeps what it held then.
    void Load(const std::string& path, const KeyTextTableErrors& errors);
    void Clear();

    // The row on a line (0..1023), or null for a line without a key or outside the table.
    const KeyTextRow* GetLine(int line) const;
    // The line of a key's row, or -1.
    int FindLine(const std::string& key) const;
    // A key's row, or null.
    const KeyTextRow* Find(const std::string& key) const;
    // The lines that hold a key.
    int GetRowCount() const { return rowCount_; }

  private:
    std::vector<KeyTextRow> lines_;  // kMaxLines once loaded; an empty key marks no row
    std::map<std::string, int> lineOfKey_;
    int rowCount_ = 0;
};
