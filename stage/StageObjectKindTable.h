#pragma once
// The object kinds of data\stage_objects.dat and the factory from kind key to record class.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "stage/KeyTextTable.h"

class CStage;
class CStageArea;
class CStageAreaObject;
class CStageAreaObjectTable;

// Constructs the record class of one kind with (owner stage, owner area, owner table, x, y).
using StageAreaObjectCreator =
    std::function<std::unique_ptr<CStageAreaObject>(CStage*, CStageArea*, CStageAreaObjectTable*, int, int)>;

template <class T>
std::unique_ptr<CStageAreaObject> MakeStageAreaObject(CStage* stage, CStageArea* area,
                                                      CStageAreaObjectTable* table, int x, int y) {
    return std::make_unique<T>(stage, area, table, x, y);
}

// The factory list: kind keys with the constructors of their classes, in factory order. The first
// entry whose key equals the kind key decides the class.
class StageAreaObjectKindList {
  public:
    // Appends a kind; a key already in the list keeps its first class.
    void Add(const std::string& kindKey, StageAreaObjectCreator creator);
    // The creator of the first entry with the key, or null.
    const StageAreaObjectCreator* Find(const std::string& kindKey) const;
    int GetCount() const { return static_cast<int>(order.size()); }
    const std::string& GetKeyAt(int i) const { return order[i]; }

    // The program's list, filled once by RegisterStageAreaObjectKinds on first use.
    static StageAreaObjectKindList& Instance();

  private:
    std::vector<std::string> order;
    std::map<std::string, StageAreaObjectCreator> byKey;
};

// Fills the factory list with the 120 kinds (defined with the kind classes).
void RegisterStageAreaObjectKinds(StageAreaObjectKindList& list);

// One line of data\stage_objects.dat: key, name and the description the editor shows.
using CStageObjectKeyEntry = KeyTextRow;

// Reads the shipped key text tables once and drops them, as the game's start does: the object
// kinds with the stage model's codes ("IFE0100", "IFE0101"), the map chips
// ("data\mapchip_info.dat") with the pallets' ("IFE0200", "IFE0201").
void CheckShippedKeyTextTables();

class CStageObjectKindTable {
  public:
    static constexpr int kMaxKinds = CKeyTextTable::kMaxLines;

    // Loads data\stage_objects.dat; throws CInitFileException IFE0100 / IFE0101.
    CStageObjectKindTable();
    ~CStageObjectKindTable();
    CStageObjectKindTable(const CStageObjectKindTable&) = delete;
    CStageObjectKindTable& operator=(const CStageObjectKindTable&) = delete;

    void Load();
    void Clear();

    // A new record of the kind with the key (unknown keys count as kind 0), or null.
    std::unique_ptr<CStageAreaObject> CreateByKey(const std::string& kindKey, CStage* ownerStage,
                                                  CStageArea* ownerArea, CStageAreaObjectTable* ownerTable,
                                                  int x, int y, double a1, double a2, double a3, double a4,
                                                  const std::string& text) const;
    // A new record of kind number 1..1023 whose row exists and whose key is in the factory list,
    // filled with the row's key, name and third column, the attributes and the text; else null.
    std::unique_ptr<CStageAreaObject> CreateStageAreaObject(int kindNumber, CStage* ownerStage,
                                                            CStageArea* ownerArea,
                                                            CStageAreaObjectTable* ownerTable, int x, int y,
                                                            double a1, double a2, double a3, double a4,
                                                            const std::string& text) const;

    // Row of a kind number, or null.
    const CStageObjectKeyEntry* GetRow(int kindNumber) const;
    // Kind number of a key, or 0.
    int FindKindNumber(const std::string& kindKey) const;

  private:
    CKeyTextTable rows;
};
