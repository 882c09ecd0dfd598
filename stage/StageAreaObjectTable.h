#pragma once
// The placed objects of one area: records indexed by object id (1..255) and by tile, the objects
// text of the area document, and the spawn flags used during play.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CStage;
class CStageArea;
class CStageAreaObject;
class CStageObjectKindTable;

// What the play scene answers about keys already collected. The play scene implements it; a
// table asks it through the owner stage's scene.
class IStageKeyQuery {
  public:
    virtual ~IStageKeyQuery() = default;
    virtual bool IsKeyCollected(int areaIndex, int areaObjectId) = 0;
    virtual int GetCurrentAreaIndex() = 0;
};

struct StageObjectProblem {
    std::string text;
    int x = 0;
    int y = 0;
};

class CStageAreaObjectTable {
  public:
    static constexpr int kSlots = 256;
    static constexpr int kMaxObjects = 255;

    // Reads the shared kind table when no table holds it yet (may throw IFE0100 / IFE0101).
    // Tables may be made and destroyed on several threads at once (the game and the sharing
    // server checking uploads): they share the kind table read-only.
    explicit CStageAreaObjectTable(CStage* ownerStage);
    ~CStageAreaObjectTable();
    CStageAreaObjectTable(const CStageAreaObjectTable&) = delete;
    CStageAreaObjectTable& operator=(const CStageAreaObjectTable&) = delete;

    // Stores the owner area and hands it to the records already made.
    void SetOwner(CStageArea* area);
    CStageArea* GetOwnerArea() const { return ownerArea; }
    CStage* GetOwnerStage() const { return ownerStage; }

    bool Add(const std::string& kindKey, int x, int y, double a1, double a2, double a3, double a4,
             const std::string& text);
    bool Add(const std::string& kindKey, int x, int y);
    bool Remove(int x, int y);
    bool Move(int fromX, int fromY, int toX, int toY);
    void Clear();

    int GetCount() const { return count; }
    CStageAreaObject* GetById(int id) const;
    CStageAreaObject* GetAt(int x, int y) const;
    int GetIdAt(int x, int y) const;
    bool HasGoal() const;
    bool HasLockedObject() const;
    std::vector<StageObjectProblem> CollectProblems() const;

    bool CanSpawn(int id) const;
    void SetSpawnFlag(int id, bool flag);

    void DrawVisible(int x1, int x2, int y1, int y2);
    void DrawVisibleOverlay(int x1, int x2, int y1, int y2);

    std::string ToText() const;
    // Replaces the contents with the objects of the text; a bad record raises SDE0005.
    bool FromText(const std::string& text);
    // One record "kind:x:y" or "kind:x:y:a1:a2:a3:a4:text" as the game writes it: whole tile
    // numbers and fixed-point attributes within the int range; false for anything else.
    bool AddFromRecord(const std::string& record);
    // True when every object stands on a tile of a map of that size.
    bool AllInside(int width, int height) const;
    // Lowest free id 1..255, or 0 when all are used.
    int FindFreeId() const;

    // The tile key "%04d.%04d" of a tile.
    static std::string TileKey(int x, int y);
    // The shared kind table, or null when no table lives; valid while a table lives.
    static const CStageObjectKindTable* GetKindTable();
    static int GetLiveTableCount();

  private:
    static uint64_t PackTile(int x, int y) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
    }
    template <class F>
    void ForVisibleTiles(int x1, int x2, int y1, int y2, F&& visit);

    // First, so that it goes last: the kind table every table shares, read by the first table
    // made and dropped with the last one.
    std::shared_ptr<const CStageObjectKindTable> kinds;
    CStage* ownerStage = nullptr;
    CStageArea* ownerArea = nullptr;
    // Tile -> id; missing or 0 means no object.
    std::unordered_map<uint64_t, int> tileIndex;
    std::unique_ptr<CStageAreaObject> slots[kSlots];
    uint8_t maySpawn[kSlots];
    int count = 0;
};

// True when the object is a door or warp kind (CStageAreaObject_DoorBase).
bool IsDoorAreaObject(const CStageAreaObject* object);
// True for the nine door and warp kind keys.
bool IsDoorKey(const std::string& kindKey);
