#pragma once
// A stage in memory (up to 10 areas) and its text form, the .stg document.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/VersionNumber.h"

class IScene;
class CStageArea;
class CStageMap;
class CStageAreaObjectTable;

class CStage {
  public:
    static constexpr int kMaxAreas = 10;

    CStage(IScene* scene, int openMode, CVersionNumber version);
    ~CStage();
    CStage(const CStage&) = delete;
    CStage& operator=(const CStage&) = delete;

    void SetName(std::string v) { name = std::move(v); }
    void SetId(std::string v) { id = std::move(v); }
    void SetOriginalAuthor(std::string v) { originalAuthor = std::move(v); }
    void SetArrangedAuthors(std::string v) { arrangedAuthors = std::move(v); }
    std::string GetLatestArranger() const;
    // Appends a name to the comma-separated arranged authors (newest last).
    void AddArranger(const std::string& arranger);

    bool IsValidAreaIndex(int i) const;
    int GetAreaClass(int i) const;
    int TotalUnits() const;
    // Raises the highest absolute area number by one and returns it (the number for an area being
    // added); numbers that an area of the stage already has are passed over.
    int NextAbsoluteAreaNum();

    uint8_t GetChipInCurrentArea(int x, int y) const;
    void SetChipInCurrentArea(int x, int y, uint8_t chip);
    std::string EncodeCurrentAreaMap() const;
    bool DecodeCurrentAreaMap(const std::string& text);
    CStageAreaObjectTable* GetCurrentAreaObjects() const;
    CStageArea* GetCurrentArea() const;
    // The area in slot i (0..9), or null for an empty slot or any other i. The stage keeps it.
    CStageArea* GetArea(int i) const;
    int GetAreaCount() const { return areaCount; }
    int GetCurrentAreaIndex() const { return currentArea; }
    int GetStartArea() const { return startArea; }
    int GetStartX() const { return startX; }
    int GetStartY() const { return startY; }
    int GetCategory() const { return category; }
    // Map size in chips and the absolute number of area i; 0 for an empty slot (or no map).
    int GetAreaWidth(int i) const;
    int GetAreaHeight(int i) const;
    int GetAreaAbsoluteNum(int i) const;
    // Music, background and weather of the current area; 0, 1 and 0 without one.
    int GetCurrentAreaMusic() const;
    int GetCurrentAreaBackGround() const;
    int GetCurrentAreaWeather() const;
    bool IsLineClear(int x1, int y1, int x2, int y2) const;

    // Makes area i the current area: releases the old area's chip sprites, builds the new one's.
    void SetCurrentArea(int i);
    // The editor's area switch: true when area i is now current. False when i names no area or
    // the current index itself is invalid; the old area's chip sprites go, the new one's come.
    bool SelectArea(int i);
    // The area slots change only through these three, so slots 0 .. areaCount-1 always hold an
    // area; the current and start area indices are left to the caller.
    // Takes the area over into the first free slot; false (the area is destroyed) when all 10 are
    // used or there is no area.
    bool AppendArea(std::unique_ptr<CStageArea> area);
    // Takes the area over into slot i (0 .. areaCount), moving the areas from slot i on up one
    // slot; false (the area is destroyed) when all 10 are used, i is out of range or there is no area.
    bool InsertArea(int i, std::unique_ptr<CStageArea> area);
    // Destroys area i and moves the areas after it down one slot; false for an invalid index.
    bool RemoveArea(int i);

    std::vector<std::string> Validate(bool checkGoal) const;
    bool UsesUnboughtParts() const;

    std::string WriteXml() const;
    std::string WriteAreaXml(int i) const;
    // A new stage from a document text; throws CStageDataException (SDE0001, SDE0006, SDE0010),
    // CQuorException (the areas' SDE0002..SDE0006) or COtherException.
    static std::unique_ptr<CStage> ReadXml(IScene* scene, const std::string& text, int openMode);
    std::unique_ptr<CStage> CopyTo(IScene* scene, int openMode) const;

    // The file form: the XML header line and the document without whitespace outside tags.
    std::string WriteFileText() const;
    // Writes the file form through the encoded writer (temporary file renamed into place).
    bool SaveToFile(const std::string& path) const;
    // Reads a stage file whole; SDE0007 when it cannot be read, else as ReadXml.
    static std::unique_ptr<CStage> LoadFromFile(IScene* scene, const std::string& path, int openMode);

    static int GetLiveCount();

    CVersionNumber version;
    std::string name;
    std::string id;
    std::string originalAuthor;
    std::string arrangedAuthors;
    bool arrangementPermissionFlag = true;
    int startArea = 0;
    int startX = 0;
    int startY = 0;
    int category = 1;
    int maxAbsoluteAreaNum = -1;
    int currentArea = 0;
    int openMode = 0;
    IScene* scene = nullptr;

  private:
    // Slots 0 .. areaCount-1 hold the areas, without gaps.
    std::unique_ptr<CStageArea> areas[kMaxAreas];
    int areaCount = 0;
};

class CStageArea {
  public:
    // Takes over the map and the table (either may be null) and makes itself their owner area.
    CStageArea(CStage* owner, std::unique_ptr<CStageMap> map, std::unique_ptr<CStageAreaObjectTable> objects,
               std::string name, int music, int backGround, int weather, int absoluteAreaNum);
    ~CStageArea();
    CStageArea(const CStageArea&) = delete;
    CStageArea& operator=(const CStageArea&) = delete;

    int GetWidth() const;
    int GetHeight() const;
    uint8_t GetChip(int x, int y) const;
    void SetChip(int x, int y, uint8_t chip);
    void CreateSprites();
    void ReleaseSprites();
    std::string EncodeMap() const;
    bool DecodeMap(const std::string& text);
    bool IsLineClear(int x1, int y1, int x2, int y2) const;
    bool UsesUnboughtParts() const;
    std::string WriteXml() const;

    // The map may be null when the class name names no usable class.
    static std::unique_ptr<CStageArea> Create(CStage* owner, std::unique_ptr<CStageAreaObjectTable> objects,
                                              std::string name, int music, int backGround, int weather,
                                              const std::string& className, int mapStringLength, int checkSum,
                                              const std::string& mapString, int absoluteAreaNum);
    static std::unique_ptr<CStageArea> ReadXml(CStage* owner, const std::string& text);
    static std::unique_ptr<CStageArea> ReadXmlAt(CStage* owner, const std::string& text, int absoluteAreaNum);

    CStageMap* GetMap() const { return map.get(); }
    CStageAreaObjectTable* GetObjects() const { return objects.get(); }

    std::string name;
    int music = 0;
    int backGround = 0;
    int weather = 0;
    int absoluteAreaNum = 0;
    CStage* owner = nullptr;
    bool spritesActive = false;

  private:
    std::unique_ptr<CStageMap> map;
    std::unique_ptr<CStageAreaObjectTable> objects;
};
