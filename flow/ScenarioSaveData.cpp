#include "flow/ScenarioSaveData.h"

#include <memory>

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"
#include "foundation/XmlNode.h"

namespace {
std::unique_ptr<CXmlNode> g_tree;

const char* const kSavePath = "data\\scenario_save.dat";
const char* const kInitPath = "data\\scenario_save_init.dat";
// The values a save keeps, in the order of the initial file.
const char* const kElements[] = {"x", "y", "kisuu", "keynum", "panelsstring", "shownopening", "cleared"};

[[noreturn]] void ThrowMalformed() { throw CDataFileException("DEF0301", "セーブデータが不正です。"); }
}  // namespace

CScenarioSaveData::CScenarioSaveData() = default;

CScenarioSaveData::~CScenarioSaveData() { g_tree.reset(); }

void CScenarioSaveData::Load() {
    std::string text;
    // Only a save file that cannot be read at all falls back to the initial file; a damaged one
    // is reported, so that the next save does not overwrite the player's progress with the
    // defaults.
    ReadStatus status = ReadEncodedFile(kSavePath, text);
    if (status == ReadStatus::CannotRead) status = ReadEncodedFile(kInitPath, text);
    if (status == ReadStatus::CannotRead)
        throw CDataFileException("DEF0300", "scenario_save_init.dat を開けません。");
    if (status != ReadStatus::Ok) {
        g_tree.reset();
        ThrowMalformed();
    }
    g_tree.reset();
    std::unique_ptr<CXmlNode> tree;
    try {
        tree = std::make_unique<CXmlNode>("ROOT", 0, text);
    } catch (const CQuorException& e) {
        if (e.GetCode() == "OTE0001") ThrowMalformed();
        throw;
    }
    // A text without its savedata element (cut short, or emptied) would load as a save without
    // progress, and the next save would write that over the player's: it is malformed too. So is
    // a value that could not be kept: an element repeated, or holding elements where its value
    // belongs. A missing element reads as empty and is added, so that what is set there is saved.
    if (tree->GetPathShape("ROOT.savedata") == CXmlNode::PathShape::Missing) ThrowMalformed();
    for (const char* element : kElements) {
        const std::string path = std::string("ROOT.savedata.") + element;
        switch (tree->GetPathShape(path)) {
            case CXmlNode::PathShape::Value:
                break;
            case CXmlNode::PathShape::Missing:
                tree->AddPath(path);
                break;
            case CXmlNode::PathShape::Repeated:
            case CXmlNode::PathShape::Nested:
                ThrowMalformed();
        }
    }
    g_tree = std::move(tree);
}

void CScenarioSaveData::Save() {
    if (!g_tree) return;
    const std::string text = GetXmlHeader() + StripXmlWhitespace(g_tree->Write());
    if (!WriteEncodedFile(kSavePath, text))
        throw CDataFileException("DEF0302", "scenario_save.dat の保存に失敗しました。");
}

bool CScenarioSaveData::HasTree() const { return g_tree != nullptr; }

std::string CScenarioSaveData::Get(const char* element) const {
    if (!g_tree) return std::string();
    return g_tree->GetByPath(std::string("ROOT.savedata.") + element);
}

void CScenarioSaveData::Set(const char* element, const std::string& value) {
    if (g_tree) g_tree->SetByPath(std::string("ROOT.savedata.") + element, value);
}

int CScenarioSaveData::GetX() const { return StrToInt(Get("x")); }
int CScenarioSaveData::GetY() const { return StrToInt(Get("y")); }
int CScenarioSaveData::GetKisuu() const { return StrToInt(Get("kisuu")); }
int CScenarioSaveData::GetKeyNum() const { return StrToInt(Get("keynum")); }

void CScenarioSaveData::SetPosition(int x, int y) {
    Set("x", IntToString(x));
    Set("y", IntToString(y));
}

void CScenarioSaveData::SetKisuu(int n) { Set("kisuu", IntToString(n)); }
void CScenarioSaveData::SetKeyNum(int n) { Set("keynum", IntToString(n)); }
std::string CScenarioSaveData::GetPanelsString() const { return Get("panelsstring"); }
void CScenarioSaveData::SetPanelsString(const std::string& text) { Set("panelsstring", text); }
bool CScenarioSaveData::GetShownOpening() const { return Get("shownopening") == "1"; }
void CScenarioSaveData::SetShownOpening(bool shown) { Set("shownopening", shown ? "1" : "0"); }
void CScenarioSaveData::SetCleared(bool cleared) { Set("cleared", cleared ? "1" : "0"); }
