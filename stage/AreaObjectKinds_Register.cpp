#include "stage/AreaObjectKinds_Register.h"

#include "stage/AreaObjectKinds_Blocks.h"
#include "stage/AreaObjectKinds_Doors.h"
#include "stage/AreaObjectKinds_Enemies.h"
#include "stage/AreaObjectKinds_Events.h"
#include "stage/AreaObjectKinds_Hazards.h"
#include "stage/AreaObjectKinds_Items.h"
#include "stage/AreaObjectKinds_Lifts.h"
#include "stage/AreaObjectKinds_Switches.h"
#include "stage/StageObjectKindTable.h"

// The kind classes in factory order: the first entry whose key equals a kind key decides the
// record's class.
void RegisterStageAreaObjectKinds(StageAreaObjectKindList& list) {
    AddEnemyKinds(list);  // the enemies, then the bosses
    // Hazards.
    list.Add("Battery001", &MakeStageAreaObject<CStageAreaObject_Battery001>);
    list.Add("Battery002", &MakeStageAreaObject<CStageAreaObject_Battery002>);
    list.Add("Battery003", &MakeStageAreaObject<CStageAreaObject_Battery003>);
    list.Add("Battery004", &MakeStageAreaObject<CStageAreaObject_Battery004>);
    list.Add("Burner001", &MakeStageAreaObject<CStageAreaObject_Burner001>);
    list.Add("Burner002", &MakeStageAreaObject<CStageAreaObject_Burner002>);
    list.Add("Burner003", &MakeStageAreaObject<CStageAreaObject_Burner003>);
    list.Add("Burner004", &MakeStageAreaObject<CStageAreaObject_Burner004>);
    list.Add("IronBall001", &MakeStageAreaObject<CStageAreaObject_IronBall001>);
    list.Add("SwitchBomb001", &MakeStageAreaObject<CStageAreaObject_SwitchBomb001>);
    list.Add("FloatingBomb001", &MakeStageAreaObject<CStageAreaObject_FloatingBomb001>);
    list.Add("AirGear001", &MakeStageAreaObject<CStageAreaObject_AirGear001>);
    list.Add("AirGear002", &MakeStageAreaObject<CStageAreaObject_AirGear002>);
    list.Add("House001", &MakeStageAreaObject<CStageAreaObject_House001>);
    AddItemKinds(list);  // the items, the key and the flag
    // The goal.
    list.Add("Goal", &MakeStageAreaObject<CStageAreaObject_Goal>);
    // Doors and warps.
    list.Add("Door001", &MakeStageAreaObject<CStageAreaObject_Door001>);
    list.Add("Door002", &MakeStageAreaObject<CStageAreaObject_Door002>);
    list.Add("Door003", &MakeStageAreaObject<CStageAreaObject_Door003>);
    list.Add("Door004", &MakeStageAreaObject<CStageAreaObject_Door004>);
    list.Add("Door005", &MakeStageAreaObject<CStageAreaObject_Door005>);
    list.Add("KeyDoor001", &MakeStageAreaObject<CStageAreaObject_KeyDoor001>);
    list.Add("EnemyZeroDoor001", &MakeStageAreaObject<CStageAreaObject_EnemyZeroDoor001>);
    list.Add("Warp001", &MakeStageAreaObject<CStageAreaObject_Warp001>);
    list.Add("InvisibleWarp001", &MakeStageAreaObject<CStageAreaObject_InvisibleWarp001>);
    // Lifts.
    list.Add("HorizontalLift001", &MakeStageAreaObject<CStageAreaObject_HorizontalLift001>);
    list.Add("HorizontalLift002", &MakeStageAreaObject<CStageAreaObject_HorizontalLift002>);
    list.Add("VerticalLift001", &MakeStageAreaObject<CStageAreaObject_VerticalLift001>);
    list.Add("VerticalLift002", &MakeStageAreaObject<CStageAreaObject_VerticalLift002>);
    list.Add("FallingLift001", &MakeStageAreaObject<CStageAreaObject_FallingLift001>);
    list.Add("RightMoveLift001", &MakeStageAreaObject<CStageAreaObject_RightMoveLift001>);
    list.Add("LeftMoveLift001", &MakeStageAreaObject<CStageAreaObject_LeftMoveLift001>);
    list.Add("RisingLift001", &MakeStageAreaObject<CStageAreaObject_RisingLift001>);
    list.Add("CloudLift001", &MakeStageAreaObject<CStageAreaObject_CloudLift001>);
    list.Add("CustomLift001", &MakeStageAreaObject<CStageAreaObject_CustomLift001>);
    list.Add("WideLift001", &MakeStageAreaObject<CStageAreaObject_WideLift001>);
    list.Add("WideLift002", &MakeStageAreaObject<CStageAreaObject_WideLift002>);
    list.Add("WideLift003", &MakeStageAreaObject<CStageAreaObject_WideLift003>);
    list.Add("WideLift004", &MakeStageAreaObject<CStageAreaObject_WideLift004>);
    // Blocks.
    list.Add("WoodBlock001", &MakeStageAreaObject<CStageAreaObject_WoodBlock001>);
    list.Add("WoodBlock002", &MakeStageAreaObject<CStageAreaObject_WoodBlock002>);
    list.Add("WoodBlock003", &MakeStageAreaObject<CStageAreaObject_WoodBlock003>);
    list.Add("WoodBlock004", &MakeStageAreaObject<CStageAreaObject_WoodBlock004>);
    list.Add("StoneBlock001", &MakeStageAreaObject<CStageAreaObject_StoneBlock001>);
    list.Add("StoneBlock002", &MakeStageAreaObject<CStageAreaObject_StoneBlock002>);
    list.Add("StoneBlock003", &MakeStageAreaObject<CStageAreaObject_StoneBlock003>);
    list.Add("StoneBlock004", &MakeStageAreaObject<CStageAreaObject_StoneBlock004>);
    // Switches.
    list.Add("Switch001", &MakeStageAreaObject<CStageAreaObject_Switch001>);
    list.Add("Switch002", &MakeStageAreaObject<CStageAreaObject_Switch002>);
    list.Add("Switch003", &MakeStageAreaObject<CStageAreaObject_Switch003>);
    list.Add("Switch004", &MakeStageAreaObject<CStageAreaObject_Switch004>);
    list.Add("Switch005", &MakeStageAreaObject<CStageAreaObject_Switch005>);
    list.Add("Switch006", &MakeStageAreaObject<CStageAreaObject_Switch006>);
    // Stage events.
    list.Add("ChangeMusicToLeft", &MakeStageAreaObject<CStageAreaObject_ChangeMusicToLeft>);
    list.Add("ChangeMusicToRight", &MakeStageAreaObject<CStageAreaObject_ChangeMusicToRight>);
    list.Add("ChangeMusicToUp", &MakeStageAreaObject<CStageAreaObject_ChangeMusicToUp>);
    list.Add("ChangeMusicToDown", &MakeStageAreaObject<CStageAreaObject_ChangeMusicToDown>);
    list.Add("ChangeWeatherToLeft", &MakeStageAreaObject<CStageAreaObject_ChangeWeatherToLeft>);
    list.Add("ChangeWeatherToRight", &MakeStageAreaObject<CStageAreaObject_ChangeWeatherToRight>);
    list.Add("ChangeWeatherToUp", &MakeStageAreaObject<CStageAreaObject_ChangeWeatherToUp>);
    list.Add("ChangeWeatherToDown", &MakeStageAreaObject<CStageAreaObject_ChangeWeatherToDown>);
    list.Add("ChangeZoomToLeft", &MakeStageAreaObject<CStageAreaObject_ChangeZoomToLeft>);
    list.Add("ChangeZoomToRight", &MakeStageAreaObject<CStageAreaObject_ChangeZoomToRight>);
    list.Add("ChangeZoomToUp", &MakeStageAreaObject<CStageAreaObject_ChangeZoomToUp>);
    list.Add("ChangeZoomToDown", &MakeStageAreaObject<CStageAreaObject_ChangeZoomToDown>);
}

const std::vector<KindEditorCell>& AllKindEditorCells() {
    static const std::vector<KindEditorCell> cells = [] {
        std::vector<KindEditorCell> out;
        AppendEnemyKindCells(out);
        AppendHazardKindCells(out);
        AppendItemKindCells(out);
        AppendDoorKindCells(out);
        AppendLiftKindCells(out);
        AppendBlockKindCells(out);
        AppendSwitchKindCells(out);
        AppendEventKindCells(out);
        return out;
    }();
    return cells;
}

const KindEditorCell* FindKindEditorCell(const std::string& kindKey) {
    for (const KindEditorCell& cell : AllKindEditorCells()) {
        if (kindKey == cell.kindKey) return &cell;
    }
    return nullptr;
}
