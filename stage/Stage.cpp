#include "stage/Stage.h"

#include <atomic>
#include <cstdio>
#include <memory>

#include "engine/Music.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"
#include "foundation/XmlNode.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

namespace {
std::atomic<int> gLiveStages{0};

[[noreturn]] void ThrowStructureError() {
    throw CStageDataException("SDE0006", "ステージの構造が不正です。");
}

// Parses a document; malformed XML becomes SDE0006, other errors keep their code and message.
// A document nested deeper than the XML reader allows is malformed too.
std::unique_ptr<CXmlNode> ParseDocument(const std::string& text) {
    try {
        return std::make_unique<CXmlNode>("root", 0, text);
    } catch (const COtherException& e) {
        if (e.GetCode() == "OTE0001") ThrowStructureError();
        throw COtherException(e.GetCode(), e.GetMessage());
    }
}

// First child of a node with the name, or null.
const CXmlNode* Child(const CXmlNode* node, const char* name) {
    if (!node) return nullptr;
    for (const auto& c : node->GetChildren()) {
        if (c->GetName() == name) return c.get();
    }
    return nullptr;
}

// The value of an element of an area element, as it reads after the area's text has been
// written out and parsed again: an element with children writes no value of its own.
std::string AreaValue(const CXmlNode* node) {
    if (!node || !node->GetChildren().empty()) return std::string();
    return node->GetValue();
}

// Values are written as they stand, except '<' and '>', which no value may hold: they would
// make the whole document unreadable.
std::string Value(const std::string& v) {
    if (v.find_first_of("<>") == std::string::npos) return v;
    return XmlSafeText(v);
}

void AppendElement(std::string& out, const char* indent, const char* tag, const std::string& v) {
    out += indent;
    out += '<';
    out += tag;
    out += '>';
    out += v;
    out += "</";
    out += tag;
    out += ">\n";
}

// Builds an area from its element (any name) of a parsed document.
std::unique_ptr<CStageArea> ReadAreaNode(CStage* owner, const CXmlNode* areaNode) {
    const CXmlNode* mapNode = Child(areaNode, "map");
    const std::string name = AreaValue(Child(areaNode, "name"));
    const int music = MusicIdFromStageNumber(StrToInt(AreaValue(Child(areaNode, "music"))));
    const int backGround = BackGroundIdFromStageNumber(StrToInt(AreaValue(Child(areaNode, "backGround"))));
    const int weather = WeatherIdFromStageNumber(StrToInt(AreaValue(Child(areaNode, "weather"))));
    const int absoluteAreaNum = StrToInt(AreaValue(Child(areaNode, "absoluteAreaNum")));
    const std::string className = AreaValue(Child(mapNode, "className"));
    const int mapStringLength = StrToInt(AreaValue(Child(mapNode, "mapStringLength")));
    const int checkSum = StrToInt(AreaValue(Child(mapNode, "checkSum")));
    const std::string mapString = AreaValue(Child(mapNode, "mapString"));
    const std::string objectsText = AreaValue(Child(areaNode, "objects"));

    auto objects = std::make_unique<CStageAreaObjectTable>(owner);
    objects->FromText(objectsText);  // SDE0005 on a bad record
    std::unique_ptr<CStageArea> area =
        CStageArea::Create(owner, std::move(objects), name, music, backGround, weather, className,
                           mapStringLength, checkSum, mapString, absoluteAreaNum);
    if (!area->GetMap()) ThrowStructureError();
    // An object off the map is one no editor placed.
    if (!area->GetObjects()->AllInside(area->GetWidth(), area->GetHeight())) {
        throw CStageDataException("SDE0005", "マップのオブジェクトを解析できません。");
    }
    return area;
}

}  // namespace

// ---- CStage ------------------------------------------------------------------------------

CStage::CStage(IScene* s, int mode, CVersionNumber v) : version(v), openMode(mode), scene(s) {
    ++gLiveStages;
}

CStage::~CStage() {
    // Slot by slot, first to last.
    for (std::unique_ptr<CStageArea>& area : areas) area.reset();
    --gLiveStages;
}

int CStage::GetLiveCount() { return gLiveStages; }

std::string CStage::GetLatestArranger() const {
    if (arrangedAuthors.empty()) return std::string();
    return SplitString(arrangedAuthors, ',').back();
}

void CStage::AddArranger(const std::string& arranger) {
    if (!arrangedAuthors.empty()) arrangedAuthors += ',';
    arrangedAuthors += arranger;
}

CStageArea* CStage::GetArea(int i) const { return i >= 0 && i < kMaxAreas ? areas[i].get() : nullptr; }

bool CStage::IsValidAreaIndex(int i) const {
    return i >= 0 && i < areaCount && i < kMaxAreas && areas[i] != nullptr;
}

int CStage::GetAreaClass(int i) const {
    if (!IsValidAreaIndex(i) || !areas[i]->GetMap()) return AreaClass_NoArea;
    return areas[i]->GetMap()->GetAreaClass();
}

int CStage::TotalUnits() const {
    int units = 0;
    for (const std::unique_ptr<CStageArea>& area : areas) {
        if (!area) continue;
        units += AreaClassUnits(area->GetMap() ? area->GetMap()->GetAreaClass() : AreaClass_NoArea);
    }
    return units;
}

int CStage::NextAbsoluteAreaNum() {
    // A stage file may state a highest number below its areas' own numbers, or one at the top of
    // the int range: step past numbers in use (wrapping round) so that doors and warps never find
    // two areas under one number. For a stage the game wrote, this is simply the next number.
    auto inUse = [this](int number) {
        for (const std::unique_ptr<CStageArea>& area : areas) {
            if (area && area->absoluteAreaNum == number) return true;
        }
        return false;
    };
    do {
        maxAbsoluteAreaNum = static_cast<int>(static_cast<unsigned>(maxAbsoluteAreaNum) + 1u);
    } while (inUse(maxAbsoluteAreaNum));
    return maxAbsoluteAreaNum;
}

CStageArea* CStage::GetCurrentArea() const {
    return IsValidAreaIndex(currentArea) ? areas[currentArea].get() : nullptr;
}

uint8_t CStage::GetChipInCurrentArea(int x, int y) const {
    const CStageArea* area = GetCurrentArea();
    return area ? area->GetChip(x, y) : 0;
}

void CStage::SetChipInCurrentArea(int x, int y, uint8_t chip) {
    if (CStageArea* area = GetCurrentArea()) area->SetChip(x, y, chip);
}

std::string CStage::EncodeCurrentAreaMap() const {
    const CStageArea* area = GetCurrentArea();
    return area ? area->EncodeMap() : std::string();
}

bool CStage::DecodeCurrentAreaMap(const std::string& text) {
    CStageArea* area = GetCurrentArea();
    return area ? area->DecodeMap(text) : false;
}

CStageAreaObjectTable* CStage::GetCurrentAreaObjects() const {
    const CStageArea* area = GetCurrentArea();
    return area ? area->GetObjects() : nullptr;
}

bool CStage::IsLineClear(int x1, int y1, int x2, int y2) const {
    const CStageArea* area = GetCurrentArea();
    return area ? area->IsLineClear(x1, y1, x2, y2) : false;
}

void CStage::SetCurrentArea(int i) {
    if (!IsValidAreaIndex(i)) return;
    if (i != currentArea && IsValidAreaIndex(currentArea)) areas[currentArea]->ReleaseSprites();
    currentArea = i;
    if (!areas[i]->spritesActive) areas[i]->CreateSprites();
}

bool CStage::SelectArea(int i) {
    if (!IsValidAreaIndex(i) || !IsValidAreaIndex(currentArea)) return false;
    if (i != currentArea) SetCurrentArea(i);
    return true;
}

int CStage::GetAreaWidth(int i) const { return IsValidAreaIndex(i) ? areas[i]->GetWidth() : 0; }
int CStage::GetAreaHeight(int i) const { return IsValidAreaIndex(i) ? areas[i]->GetHeight() : 0; }
int CStage::GetAreaAbsoluteNum(int i) const { return IsValidAreaIndex(i) ? areas[i]->absoluteAreaNum : 0; }

int CStage::GetCurrentAreaMusic() const {
    const CStageArea* area = GetCurrentArea();
    return area ? area->music : 0;
}

int CStage::GetCurrentAreaBackGround() const {
    const CStageArea* area = GetCurrentArea();
    return area ? area->backGround : 1;
}

int CStage::GetCurrentAreaWeather() const {
    const CStageArea* area = GetCurrentArea();
    return area ? area->weather : 0;
}

bool CStage::AppendArea(std::unique_ptr<CStageArea> area) { return InsertArea(areaCount, std::move(area)); }

bool CStage::InsertArea(int i, std::unique_ptr<CStageArea> area) {
    if (!area || areaCount >= kMaxAreas || i < 0 || i > areaCount) return false;
    for (int j = areaCount; j > i; --j) areas[j] = std::move(areas[j - 1]);
    areas[i] = std::move(area);
    ++areaCount;
    return true;
}

bool CStage::RemoveArea(int i) {
    if (!IsValidAreaIndex(i)) return false;
    areas[i].reset();
    for (int j = i; j + 1 < areaCount; ++j) areas[j] = std::move(areas[j + 1]);
    --areaCount;
    return true;
}

std::vector<std::string> CStage::Validate(bool checkGoal) const {
    std::vector<std::string> problems;
    if (checkGoal) {
        bool goal = false;
        for (const std::unique_ptr<CStageArea>& area : areas) {
            if (area && area->GetObjects() && area->GetObjects()->HasGoal()) goal = true;
        }
        if (!goal) problems.push_back("ゴールがどこにもありません…");
    }
    for (int i = 0; i < kMaxAreas; ++i) {
        const CStageArea* area = areas[i].get();
        if (!area || !area->GetObjects()) continue;
        for (const StageObjectProblem& p : area->GetObjects()->CollectProblems()) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "エリア%02d (%d,%lld) ", i + 1, p.x,
                          static_cast<long long>(area->GetHeight()) - p.y - 1);
            problems.push_back(buf + p.text);
        }
    }
    return problems;
}

bool CStage::UsesUnboughtParts() const {
    for (const std::unique_ptr<CStageArea>& area : areas) {
        if (area && area->UsesUnboughtParts()) return true;
    }
    return false;
}

std::string CStage::WriteXml() const {
    std::string out;
    out.reserve(4096);
    out += "<stage>\n";
    AppendElement(out, "  ", "version", CVersionNumber::Application().ToString());
    AppendElement(out, "  ", "name", Value(name));
    AppendElement(out, "  ", "id", Value(id));
    AppendElement(out, "  ", "originalAuthor", Value(originalAuthor));
    AppendElement(out, "  ", "arrangedAuthors", Value(arrangedAuthors));
    AppendElement(out, "  ", "arrangementPermissionFlag", arrangementPermissionFlag ? "true" : "false");
    AppendElement(out, "  ", "category", StageCategoryName(category));
    AppendElement(out, "  ", "maxAbsoluteAreaNum", std::to_string(maxAbsoluteAreaNum));
    AppendElement(out, "  ", "areaCount", std::to_string(areaCount));
    AppendElement(out, "  ", "startArea", std::to_string(startArea));
    AppendElement(out, "  ", "startX", std::to_string(startX));
    AppendElement(out, "  ", "startY", std::to_string(startY));
    out += "  <areas>\n";
    for (int i = 0; i < kMaxAreas; ++i) {
        if (!areas[i]) continue;
        char tag[16];
        std::snprintf(tag, sizeof tag, "area%02d", i);
        out += "    <";
        out += tag;
        out += ">\n";
        out += areas[i]->WriteXml();
        out += "    </";
        out += tag;
        out += ">\n";
    }
    out += "  </areas>\n";
    out += "</stage>\n";
    return out;
}

std::string CStage::WriteAreaXml(int i) const {
    return IsValidAreaIndex(i) ? areas[i]->WriteXml() : std::string();
}

std::unique_ptr<CStage> CStage::ReadXml(IScene* scene, const std::string& text, int openMode) {
    std::unique_ptr<CXmlNode> doc = ParseDocument(text);

    CVersionNumber stored;
    stored.Parse(doc->GetByPath("root.stage.version"));
    const CVersionNumber app = CVersionNumber::Application();
    if (!app.IsAtLeast(stored)) {
        throw CStageDataException("SDE0001", MakeStageVersionErrorMessage(stored.ToString(), app.ToString()));
    }

    auto stage = std::make_unique<CStage>(scene, openMode, stored);
    stage->name = doc->GetByPath("root.stage.name");
    stage->id = doc->GetByPath("root.stage.id");
    stage->originalAuthor = doc->GetByPath("root.stage.originalAuthor");
    stage->arrangedAuthors = doc->GetByPath("root.stage.arrangedAuthors");
    stage->arrangementPermissionFlag = doc->GetByPath("root.stage.arrangementPermissionFlag") == "true";
    stage->category = StageCategoryFromName(doc->GetByPath("root.stage.category"));
    stage->maxAbsoluteAreaNum = StrToInt(doc->GetByPath("root.stage.maxAbsoluteAreaNum"));

    const int n = StrToInt(doc->GetByPath("root.stage.areaCount"));
    if (n <= 0 || n > kMaxAreas) ThrowStructureError();

    const CXmlNode* areasNode = Child(Child(doc.get(), "stage"), "areas");
    for (int i = 0; i < n; ++i) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "area%02d", i);
        // An error of an area leaves with its own code and message; nothing read survives.
        const CXmlNode* areaNode = Child(areasNode, tag);
        if (!areaNode) ThrowStructureError();
        stage->AppendArea(ReadAreaNode(stage.get(), areaNode));
        if (stage->areaCount == 1) {
            stage->areas[0]->CreateSprites();
            stage->currentArea = 0;
        }
    }

    const int startY = StrToInt(doc->GetByPath("root.stage.startY"));
    const int startX = StrToInt(doc->GetByPath("root.stage.startX"));
    const int startArea = StrToInt(doc->GetByPath("root.stage.startArea"));
    if (!stage->IsValidAreaIndex(startArea) || startX < 0 || startX >= stage->areas[startArea]->GetWidth() ||
        startY < 0 || startY >= stage->areas[startArea]->GetHeight()) {
        ThrowStructureError();
    }
    stage->startArea = startArea;
    stage->startX = startX;
    stage->startY = startY;
    stage->SetCurrentArea(startArea);

    if (openMode == 1 && stage->UsesUnboughtParts()) {
        throw CStageDataException("SDE0010", "未購入パーツを使っています。");
    }
    return stage;
}

std::unique_ptr<CStage> CStage::CopyTo(IScene* s, int mode) const { return ReadXml(s, WriteXml(), mode); }

std::string CStage::WriteFileText() const { return GetXmlHeader() + StripXmlWhitespace(WriteXml()); }

bool CStage::SaveToFile(const std::string& path) const {
    return WriteEncodedFile(path, WriteFileText(), false, true);
}

std::unique_ptr<CStage> CStage::LoadFromFile(IScene* s, const std::string& path, int mode) {
    std::string text;
    const ReadStatus status = ReadEncodedFile(path, text, true);
    if (status == ReadStatus::CannotRead) {
        throw CStageDataException("SDE0007", MakeStageOpenErrorMessage(path));
    }
    if (status != ReadStatus::Ok) ThrowStructureError();
    return ReadXml(s, text, mode);
}

// ---- CStageArea --------------------------------------------------------------------------

CStageArea::CStageArea(CStage* o, std::unique_ptr<CStageMap> m, std::unique_ptr<CStageAreaObjectTable> t,
                       std::string n, int mu, int bg, int we, int abs)
    : name(std::move(n)),
      music(mu),
      backGround(bg),
      weather(we),
      absoluteAreaNum(abs),
      owner(o),
      map(std::move(m)),
      objects(std::move(t)) {
    if (map) map->SetOwnerArea(this);
    if (objects) objects->SetOwner(this);
}

// The map goes first, then the placed objects.
CStageArea::~CStageArea() {
    map.reset();
    objects.reset();
}

int CStageArea::GetWidth() const { return map ? map->GetWidth() : 0; }
int CStageArea::GetHeight() const { return map ? map->GetHeight() : 0; }
uint8_t CStageArea::GetChip(int x, int y) const { return map ? map->GetChip(x, y) : 0; }
void CStageArea::SetChip(int x, int y, uint8_t chip) {
    if (map) map->SetChip(x, y, chip);
}

void CStageArea::CreateSprites() {
    if (map) map->CreateChipSprites();
    spritesActive = true;
}

void CStageArea::ReleaseSprites() {
    if (map) map->ReleaseChipSprites();
    spritesActive = false;
}

std::string CStageArea::EncodeMap() const { return map ? map->EncodeMapString() : std::string(); }
bool CStageArea::DecodeMap(const std::string& text) { return map ? map->DecodeMapString(text) : false; }
bool CStageArea::IsLineClear(int x1, int y1, int x2, int y2) const {
    return map ? map->IsLineClear(x1, y1, x2, y2) : false;
}

bool CStageArea::UsesUnboughtParts() const {
    CClientInfo* info = CClientInfo::GetInstance();
    auto unbought = [info](const char* key) { return key && !info->IsItemBought(key); };
    if (IsMusicShopItem(music) && unbought(MusicKey(music).c_str())) return true;
    if (IsBackGroundShopItem(backGround) && unbought(BackGroundKey(backGround).c_str())) return true;
    if (IsWeatherShopItem(weather) && unbought(WeatherKey(weather).c_str())) return true;
    if (map && map->UsesUnboughtChips()) return true;
    return objects && objects->HasLockedObject();
}

std::string CStageArea::WriteXml() const {
    std::string out;
    AppendElement(out, "      ", "name", Value(name));
    AppendElement(out, "      ", "music", std::to_string(MusicIdToStageNumber(music)));
    AppendElement(out, "      ", "backGround", std::to_string(BackGroundIdToStageNumber(backGround)));
    AppendElement(out, "      ", "weather", std::to_string(WeatherIdToStageNumber(weather)));
    AppendElement(out, "      ", "absoluteAreaNum", std::to_string(absoluteAreaNum));
    if (map) {
        out += "      <map>\n";
        out += map->WriteXml();
        out += "      </map>\n";
    }
    AppendElement(out, "      ", "objects", objects ? Value(objects->ToText()) : std::string());
    return out;
}

std::unique_ptr<CStageArea> CStageArea::Create(CStage* owner, std::unique_ptr<CStageAreaObjectTable> objects,
                                               std::string name, int music, int backGround, int weather,
                                               const std::string& className, int mapStringLength,
                                               int checkSum, const std::string& mapString,
                                               int absoluteAreaNum) {
    return std::make_unique<CStageArea>(
        owner, CStageMap::FromMapXml(className, mapStringLength, checkSum, mapString), std::move(objects),
        std::move(name), music, backGround, weather, absoluteAreaNum);
}

std::unique_ptr<CStageArea> CStageArea::ReadXml(CStage* owner, const std::string& text) {
    const std::string stripped = StripXmlWhitespace(text);
    const size_t close = stripped.find('>');
    if (close == std::string::npos) ThrowStructureError();
    const std::string elementName = close >= 1 ? stripped.substr(1, close - 1) : std::string();
    std::unique_ptr<CXmlNode> doc = ParseDocument(stripped);
    // The element the path root.<name> reaches: the first top-level element of that name (a name
    // with a '.' reaches nothing).
    const CXmlNode* areaNode =
        elementName.find('.') == std::string::npos ? Child(doc.get(), elementName.c_str()) : nullptr;
    return ReadAreaNode(owner, areaNode);
}

std::unique_ptr<CStageArea> CStageArea::ReadXmlAt(CStage* owner, const std::string& text,
                                                  int absoluteAreaNum) {
    std::unique_ptr<CStageArea> area = ReadXml(owner, text);
    area->absoluteAreaNum = absoluteAreaNum;
    return area;
}
