// The placed-object records of doors, items and events build these classes with the arguments
// they pass, at the places they compute.
#include <gtest/gtest.h>

#include <typeinfo>

#include "gimmicks/Doors.h"
#include "gimmicks/Items.h"
#include "gimmicks/StageEvents.h"
#include "tests/gimmicks/gimmicks_play_env.h"

namespace gimmicktest {
namespace {

template <class T>
bool Is(IBase* o) {
    return dynamic_cast<T*>(o) != nullptr;
}

TEST_F(PlacedWorld, EveryRecordMakesItsLiveClassWithItsArguments) {
    struct Row {
        const char* kind;
        bool (*is)(IBase*);
        double x, y;  // for tile (10, 8)
    };
    const Row rows[] = {
        {"Door001", Is<CDoorA>, 320, 240},
        {"Door002", Is<CDoorB>, 320, 240},
        {"Door003", Is<CShutter>, 320, 240},
        {"Door004", Is<CCaveHoleA>, 320, 240},
        {"Door005", Is<CCaveHoleB>, 320, 240},
        {"KeyDoor001", Is<CKeyDoor>, 320, 240},
        {"EnemyZeroDoor001", Is<CEnemyZeroDoor>, 320, 240},
        {"Warp001", Is<CWarpPoint>, 336, 272},
        {"InvisibleWarp001", Is<CInvisibleWarpPoint>, 336, 272},
        {"Goal", Is<CNormalGoal>, 320, 248},
        {"Pokikki001", Is<CPokikki>, 336, 272},
        {"AirPokikki001", Is<CAirPokikki>, 336, 272},
        {"Umaibo001", Is<CUmaibo>, 336, 272},
        {"IceBar001", Is<CIceBar>, 336, 272},
        {"1UP001", Is<C1UP>, 320, 264},
        {"RedWhitePole", Is<CPowerUpBar>, 336, 272},
        {"Hose", Is<CPowerUpBar>, 336, 272},
        {"Key", Is<CKey>, 336, 272},
        {"Flag", Is<CStageFlag>, 336, 232},
        {"ChangeMusicToLeft", Is<CChangeMusicEvent>, 320, 256},
        {"ChangeWeatherToUp", Is<CChangeWeatherEvent>, 320, 256},
        {"ChangeZoomToDown", Is<CChangeZoomRateEvent>, 320, 256},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        table->Clear();
        CObjectRegistry::GetInstance()->Clear();
        ASSERT_TRUE(table->Add(row.kind, 10, 8, 3, 4, 5, 2, ""));
        IBase* o = SpawnRecord(10, 8);
        ASSERT_NE(o, nullptr);
        EXPECT_TRUE(row.is(o));
        EXPECT_EQ(o->x, row.x);
        EXPECT_EQ(o->y, row.y);
        if (auto* door = dynamic_cast<IDoor*>(o); door && !Is<CNormalGoal>(o)) {
            EXPECT_EQ(door->targetArea, 3);
            EXPECT_EQ(door->targetX, 4);
            EXPECT_EQ(door->targetY, 5);
        }
    }
    // The weapon kind and the zoom mode come through as well.
    table->Clear();
    CObjectRegistry::GetInstance()->Clear();
    ASSERT_TRUE(table->Add("Hose", 10, 8));
    ASSERT_TRUE(table->Add("ChangeZoomToDown", 12, 8, 1, 0, 0, 0, ""));
    EXPECT_EQ(dynamic_cast<CPowerUpBar*>(SpawnRecord(10, 8))->kind, kWeaponHose);
    auto* zoom = dynamic_cast<CChangeZoomRateEvent*>(SpawnRecord(12, 8));
    EXPECT_EQ(zoom->zoomMode, 1);
    EXPECT_EQ(zoom->mode, CEventBase::kToDown);
}

}  // namespace
}  // namespace gimmicktest
