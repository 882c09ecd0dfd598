#include "flow/ScenarioMap.h"

#include <vector>

#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"

namespace {

const char* const kMapPath = "data\\scenario_map.dat";

// Entry outer x count + inner of a table laid out outer by outer.
size_t Index(int outer, int count, int inner) {
    return static_cast<size_t>(outer) * static_cast<size_t>(count) + static_cast<size_t>(inner);
}

[[noreturn]] void ThrowBadMap() { throw CInitFileException("IFE0501", "scenario_map.dat が不正です。"); }

// The map file's fields, kColumns x kRows laid out as ParseCsvText lays them, each a panel code.
std::vector<std::string> ReadMapTable() {
    std::string text;
    const ReadStatus status = ReadEncodedFile(kMapPath, text);
    if (status == ReadStatus::CannotRead)
        throw CInitFileException("IFE0500", "scenario_map.dat を開けません。");
    if (status != ReadStatus::Ok) ThrowBadMap();
    std::vector<std::string> table;
    if (!ParseCsvText(text, table, CScenarioMap::kColumns, CScenarioMap::kRows)) ThrowBadMap();
    for (const std::string& field : table)
        if (!IsScenarioMapPanelCode(field)) ThrowBadMap();
    return table;
}

}  // namespace

void CScenarioMap::CheckMapFile() { ReadMapTable(); }

CScenarioMap::CScenarioMap(const std::string& panelText) {
    const std::vector<std::string> pieces = SplitString(panelText, ':');
    if (pieces.size() != kCells + 1) throw CDataFileException("DEF0301", "セーブデータが不正です。");

    std::vector<std::string> table = ReadMapTable();
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            const std::string& field = CsvCell(table, kRows, x, y);
            std::unique_ptr<CScenarioMapPanelBase> panel =
                MakeScenarioMapPanel(field, x, y, pieces[Index(y, kColumns, x)]);
            if (!panel) ThrowBadMap();
            panels_[Index(x, kRows, y)] = std::move(panel);
        }
    }
}

CScenarioMap::~CScenarioMap() = default;

void CScenarioMap::UpdateAll() {
    for (const auto& panel : panels_)
        if (panel) panel->Update();
}

void CScenarioMap::DrawAll() {
    for (const auto& panel : panels_)
        if (panel) panel->Draw();
}

CScenarioMapPanelBase* CScenarioMap::GetPanel(int x, int y) const {
    return IsInside(x, y) ? panels_[Index(x, kRows, y)].get() : nullptr;
}

std::string CScenarioMap::MakePanelText() const {
    std::string text;
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            if (const CScenarioMapPanelBase* panel = GetPanel(x, y)) text += panel->GetStateText();
            text += ':';
        }
    }
    return text;
}

// ---- The hero figure ----

bool CScenarioMapHero::FrameOf(int pose, double timer, int& left, int& top) {
    const int n = static_cast<int>(timer);
    // The walking cycle: stand, step, stand, the other step, 10 frames each.
    const auto walk = [&](int column) {
        static constexpr int kSteps[4] = {0, 40, 0, 80};
        left = column;
        top = kSteps[(n % 40) / 10];
        return true;
    };
    // The warp flicker, every two frames.
    const auto flicker = [&] {
        left = 200;
        top = n % 4 < 2 ? 0 : 40;
        return true;
    };
    switch (pose) {
        case kUp:
            return walk(0);
        case kDown:
            return walk(80);
        case kLeft:
            return walk(120);
        case kRight:
            return walk(40);
        case kCheer:
            left = 160;
            top = 80;
            return true;
        case kEntering:
            left = 160;
            top = n % 12 < 6 ? 0 : 40;
            return true;
        case kWarpLeave:
            if (timer < 40) return flicker();
            if (timer < 44) {
                left = 200;
                top = 80;
                return true;
            }
            return false;
        case kWarpArrive:
            if (timer < 4) {
                left = 200;
                top = 80;
                return true;
            }
            if (timer < 44) return flicker();
            left = top = 0;
            return true;
        default:
            return false;
    }
}

void CScenarioMapHero::Draw(int pose, double timer) const {
    int left = 0, top = 0;
    if (!FrameOf(pose, timer, left, top)) return;
    elDraw::PutObject(kScreenX, kScreenY, FindImage("Char", "QuorMap001"), left, top, left + 40, top + 40);
}
