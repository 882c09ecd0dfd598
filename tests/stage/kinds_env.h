#pragma once
// Set-up shared by the object-kind tests: the stage test folder with a kind table that names all
// 120 kinds, a recording creator for every live class the kinds build, and one object table
// without an owner stage to place records in.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "stage/AreaObjectKinds_Register.h"
#include "stage/StageAreaObjectTable.h"
#include "stage_test_env.h"

namespace kindstest {

// Every live class that the kinds ask the creator seam for.
inline const std::vector<std::string>& LiveClassNames() {
    static const std::vector<std::string> names = {
        // enemies
        "CKid001", "CKid002", "CPukka001", "CChop001", "CGun001", "CMoyashi001", "CMoyashi002", "CFlower001",
        "CFlower002", "CIceSculpture001", "CDrill001", "CTonFar001", "CProfessor001", "CFish001",
        "CFish_Controller001", "CFish002", "CFish003", "CBat001", "CSphere001", "CCaterpillar001",
        "CMegane001", "CTornado001", "CIchigo001", "COtoBall001", "CNeedle001", "CNageru001", "CSkyMobile001",
        "CMagician_Controller001",
        // bosses
        "CTestBoss001", "CTestBoss002", "CBarManRed", "CBarManYellow", "CBarManBlue", "CBarManGreen",
        "CBarManPink", "CLastBoss_Controller",
        // hazards
        "CNormalBattery", "CBurner", "CIronBall", "CSwitchBomb", "CFloatingBomb", "CAirGear", "CDevilHouse",
        // items
        "CPokikki", "CAirPokikki", "CUmaibo", "CIceBar", "C1UP", "CPowerUpBar", "CKey", "CStageFlag",
        // doors, warps, goal
        "CDoorA", "CDoorB", "CShutter", "CCaveHoleA", "CCaveHoleB", "CKeyDoor", "CEnemyZeroDoor",
        "CWarpPoint", "CInvisibleWarpPoint", "CNormalGoal",
        // lifts
        "CRoundTripLift", "CFallingLift", "CRightMoveLift", "CLeftMoveLift", "CRisingLift", "CCloudLift",
        "CCustomLift", "CWideLift",
        // blocks
        "CWoodBlock001", "CWoodBlock002", "CWoodBlock003", "CWoodBlock004", "CStoneBlock001",
        "CStoneBlock002", "CStoneBlock003", "CStoneBlock004",
        // switches
        "CPushSwitch", "CTimerSwitch", "CChangeSwitch", "CDevilSwitch", "CSpringSwitch", "CForceSwitch",
        // stage events
        "CChangeMusicEvent", "CChangeWeatherEvent", "CChangeZoomRateEvent"};
    return names;
}

// The 120 kind keys in factory order.
inline std::vector<std::string> AllKindKeys() {
    std::vector<std::string> keys;
    for (const KindEditorCell& cell : AllKindEditorCells()) {
        if (keys.empty() || keys.back() != cell.kindKey) keys.push_back(cell.kindKey);
    }
    return keys;
}

// The kind table: line 0 empty, then one line per kind ("<key>名" as its display name).
inline std::string AllKindsTable() {
    std::string text = ",,\n";
    for (const std::string& key : AllKindKeys()) text += key + "," + key + "名,third\n";
    return text;
}

// On a plain test by default; the drawing tests put it on testsupport::HeadlessTest.
template <class Base = ::testing::Test>
class KindsTestOn : public stagetest::StageTestOn<Base> {
  protected:
    void SetUp() override {
        stagetest::StageTestOn<Base>::SetUp();
        if (::testing::Test::HasFatalFailure() || ::testing::Test::IsSkipped()) return;
        this->WriteKindTable(AllKindsTable());
        CCamera::GetInstance()->Reset();
        table = std::make_unique<CStageAreaObjectTable>(nullptr);
    }
    void TearDown() override {
        table.reset();
        stagetest::StageTestOn<Base>::TearDown();
    }

    // Places a record on the tile and returns it (null when the table refused it).
    CStageAreaObject* Place(const std::string& key, int x, int y, double a1 = 0, double a2 = 0, double a3 = 0,
                            double a4 = 0, const std::string& text = "") {
        if (!table->Add(key, x, y, a1, a2, a3, a4, text)) return nullptr;
        return table->GetAt(x, y);
    }

    // Asks the record for its live object the way the spawner does (start object first) and
    // returns the one it describes; fails the test unless exactly one of the two describes one.
    stagetest::LiveCall Spawn(CStageAreaObject* object, bool side, bool* atStart = nullptr) {
        LiveObjectSpec start = object->GetStartObjectSpec(side);
        LiveObjectSpec inView = object->GetObjectSpec(side);
        EXPECT_TRUE(start.IsNone() != inView.IsNone()) << object->GetKey();
        if (atStart) *atStart = !start.IsNone();
        return start.IsNone() ? inView : start;
    }

    std::unique_ptr<CStageAreaObjectTable> table;
};

using KindsTest = KindsTestOn<>;

// Compares two argument lists, value by value and type by type.
inline ::testing::AssertionResult SameArgs(const LiveObjectArgs& got, const LiveObjectArgs& want) {
    if (got == want) return ::testing::AssertionSuccess();
    auto show = [](const LiveObjectArgs& args) {
        std::string s = "(";
        for (const LiveObjectArg& a : args) {
            if (s.size() > 1) s += ", ";
            if (auto b = std::get_if<bool>(&a)) s += *b ? "true" : "false";
            if (auto i = std::get_if<int>(&a)) s += std::to_string(*i);
            if (auto d = std::get_if<double>(&a)) s += std::to_string(*d) + "d";
            if (auto t = std::get_if<std::string>(&a)) s += "\"" + *t + "\"";
        }
        return s + ")";
    };
    return ::testing::AssertionFailure() << "got " << show(got) << ", want " << show(want);
}

// The camera (reset: centred on world (0, 0), scale 1, no rotation) puts world x at 320 + x and
// world y at 240 + y; truncation after the trigonometry may lose one pixel.
inline int ScreenXOf(double wx) { return static_cast<int>(std::lround(320 + wx)); }
inline int ScreenYOf(double wy) { return static_cast<int>(std::lround(240 + wy)); }

inline ::testing::AssertionResult StrokeNear(const ExtentStroke& s, ExtentStroke::Shape shape, int x1, int y1,
                                             int x2, int y2, uint32_t color) {
    const bool ok = s.shape == shape && std::abs(s.x1 - x1) <= 1 && std::abs(s.y1 - y1) <= 1 &&
                    std::abs(s.x2 - x2) <= 1 && std::abs(s.y2 - y2) <= 1 && s.color == color;
    if (ok) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "stroke " << static_cast<int>(s.shape) << " (" << s.x1 << "," << s.y1 << ")-(" << s.x2 << ","
           << s.y2 << ") colour " << std::hex << s.color << "; want " << static_cast<int>(shape) << " ("
           << std::dec << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ") colour " << std::hex << color;
}

}  // namespace kindstest
